// The page's leave-one-out queue on its own, in Node: fake workers and a fake
// session stand in for the module, so the order of the jobs it posts can be
// checked where a browser would make it a matter of timing.
"use strict";

const { test } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const vm = require("node:vm");

const LOO = fs.readFileSync(path.join(__dirname, "../../web/loo.js"), "utf8");

function job(stations, methods) {
  return JSON.stringify({ field: "bump", stations, methods });
}

// loo.js with two fake workers; session.jobs are what takeLooJob hands out.
function loaded() {
  const posted = [[], []];
  const session = {
    jobs: [],
    takeLooJob() {
      return this.jobs.shift() || "";
    },
    takeLooCells: () => true,
  };
  const context = {
    Workers: { start: () => posted.map((list) => ({ postMessage: (m) => list.push(m), terminate() {} })) },
    Explorer: { say() {} },
    Module: {},
    setTimeout,
  };
  vm.createContext(context);
  vm.runInContext(`${LOO}\nthis.Loo = Loo;`, context);
  context.Loo.start(session, () => {});
  const jobsOf = (list) => list.filter((m) => m.job !== null).map((m) => JSON.parse(m.job));
  return { Loo: context.Loo, session, posted, jobsOf };
}

test("the newest job goes out when a drag ends, not one that waited during it", () => {
  const { Loo, session, posted, jobsOf } = loaded();
  Loo.hold(true);
  session.jobs.push(job([0, 500, 1000], ["a", "b"]));
  Loo.pump(); // taken while held: it waits
  assert.deepEqual(posted.map(jobsOf), [[], []]);
  session.jobs.push(job([0, 510, 1000], ["a", "b"])); // the drag's last edit, not yet pumped
  Loo.hold(false);
  for (const list of posted) {
    const jobs = jobsOf(list);
    assert.equal(jobs.length, 1);
    assert.deepEqual(jobs[0].stations, [0, 510, 1000]);
  }
});

test("a job that waited during a drag goes out when it ends, its methods shared", () => {
  const { Loo, session, posted, jobsOf } = loaded();
  Loo.hold(true);
  session.jobs.push(job([0, 500, 1000], ["a", "b", "c"]));
  Loo.pump();
  Loo.hold(false);
  assert.deepEqual(posted.map((list) => jobsOf(list).map((j) => j.methods)), [[["a", "c"]], [["b"]]]);
  // Holding again stops both workers after the method they are on.
  Loo.hold(true);
  assert.ok(posted.every((list) => list[list.length - 1].job === null));
});
