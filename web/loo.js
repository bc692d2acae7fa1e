// Leave-one-out for the page: the session's jobs go to two Web Workers, each
// with its own instance of the module (built from the module's inline
// script, so that the file holds it once), half of a job's methods to each;
// the cells come back to the session as they arrive. While a station is
// dragged, jobs wait: each frame would replace the last one anyway, and the
// cores are the drag's. Without workers the jobs run here, one method per
// task.
"use strict";

const Loo = (() => {
  const WORKERS = 2;

  const loo = {
    session: null,
    arrived: null, // called after cells were handed to the session
    workers: [],
    id: 0,
    held: false,
    waiting: null, // a job taken while held
    remaining: new Map(), // the current job's one-method jobs not yet back
    local: null, // {id, jobs} when run here
  };

  function start(session, arrived) {
    loo.session = session;
    loo.arrived = arrived;
    loo.workers = Workers.start("loo-worker", WORKERS, receive, () =>
      runHere("The leave-one-out workers could not start: leave-one-out runs on the page instead."));
    pump();
  }

  // Posts the job the session waits for, if any; it replaces the one before.
  function pump() {
    if (!loo.session) {
      return;
    }
    const job = loo.session.takeLooJob();
    if (!job) {
      return;
    }
    if (loo.held) {
      loo.waiting = job;
    } else {
      post(JSON.parse(job));
    }
  }

  // The job's methods in one-method jobs, dealt out in turn to the workers.
  function post(job) {
    loo.id += 1;
    loo.remaining = new Map();
    const shares = loo.workers.map(() => []);
    job.methods.forEach((method, index) => {
      const one = JSON.stringify({ field: job.field, stations: job.stations, methods: [method] });
      loo.remaining.set(one, method);
      if (shares.length > 0) {
        shares[index % shares.length].push(method);
      }
    });
    if (loo.workers.length === 0) {
      runLocally(loo.id, [...loo.remaining.keys()]);
      return;
    }
    loo.workers.forEach((worker, i) => {
      worker.postMessage({ id: loo.id, job: JSON.stringify({ ...job, methods: shares[i] }) });
    });
  }

  // While held, the workers stop after the method they are on, and a job
  // waits; released, the newest job goes out, or what is left of the last.
  function hold(on) {
    if (on === loo.held) {
      return;
    }
    loo.held = on;
    if (on) {
      loo.id += 1;
      loo.workers.forEach((worker) => worker.postMessage({ id: loo.id, job: null }));
      loo.local = null;
      return;
    }
    // The session's newest job, else the one that waited, else the rest.
    const newest = loo.session ? loo.session.takeLooJob() : "";
    const waiting = newest || loo.waiting;
    loo.waiting = null;
    if (waiting) {
      post(JSON.parse(waiting));
    } else if (loo.remaining.size > 0) {
      const methods = [...loo.remaining.values()];
      const first = JSON.parse(loo.remaining.keys().next().value);
      post({ field: first.field, stations: first.stations, methods });
    }
  }

  function receive(message) {
    if (message.error) {
      runHere(message.error);
      return;
    }
    if (!message.cells) {
      return;
    }
    loo.remaining.delete(message.job);
    if (loo.session.takeLooCells(message.job, message.cells)) {
      loo.arrived();
    }
  }

  function runHere(why) {
    if (loo.workers.length === 0) {
      return;
    }
    loo.workers.forEach((worker) => worker.terminate());
    loo.workers = [];
    Explorer.say(why);
    if (loo.remaining.size > 0 && !loo.held) {
      runLocally(loo.id, [...loo.remaining.keys()]);
    }
  }

  function runLocally(id, jobs) {
    loo.local = { id, jobs };
    setTimeout(localStep, 0);
  }

  function localStep() {
    const local = loo.local;
    if (!local || local.id !== loo.id || local.jobs.length === 0) {
      return;
    }
    const one = local.jobs.shift();
    receive({ job: one, cells: Module.runLooJob(one) });
    setTimeout(localStep, 0);
  }

  return { start, pump, hold };
})();
