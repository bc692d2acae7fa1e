// The browser edition's speed, printed as a table: the forward tour's
// computation in WebAssembly under Node and in the native Release build,
// side by side in alternating runs; the page's first screen in headless
// Chromium; the size of the HTML file. Run by `make bench-web`.
"use strict";

const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const path = require("node:path");
const { launch, pageUrl, PAGE } = require("../tests/web/browser.js");

const ROOT = path.resolve(__dirname, "..");
const ROUNDS = 7;
const RUNS_PER_ROUND = 20;
const OPENINGS = 7;

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// The median and the fastest of one timing program's runs, in milliseconds.
function timing(command, args) {
  const output = execFileSync(command, args, { encoding: "utf8" });
  const found = /median ([0-9.]+) ms, fastest ([0-9.]+) ms/.exec(output);
  if (!found) {
    throw new Error(`unexpected output of ${command}: ${output}`);
  }
  return { median: Number(found[1]), fastest: Number(found[2]) };
}

// Rounds of the two builds one after the other, so that both meet the same
// load of a shared machine; a round's fastest runs are those least disturbed.
function computation() {
  const web = [];
  const native = [];
  for (let round = 0; round < ROUNDS; ++round) {
    web.push(timing(process.execPath,
      [path.join(ROOT, "build/web/forward_tour_timing.js"), String(RUNS_PER_ROUND)]));
    native.push(timing(path.join(ROOT, "build/release/bench/forward_tour_timing"),
      [String(RUNS_PER_ROUND)]));
  }
  const ratios = (key) => web.map((w, i) => w[key] / native[i][key]);
  const of = (runs, key) => median(runs.map((run) => run[key]));
  return {
    web: { median: of(web, "median"), fastest: of(web, "fastest") },
    native: { median: of(native, "median"), fastest: of(native, "fastest") },
    medianRatios: ratios("median"),
    fastestRatios: ratios("fastest"),
  };
}

// From opening the file to the frame with the tour's first screen.
async function firstScreen() {
  const browser = await launch();
  const times = [];
  try {
    for (let i = 0; i < OPENINGS; ++i) {
      const context = await browser.newContext({ viewport: { width: 933, height: 605 } });
      const page = await context.newPage();
      await page.goto(pageUrl());
      await page.waitForFunction(() => performance.getEntriesByName("first-screen").length > 0);
      times.push(await page.evaluate(() => performance.getEntriesByName("first-screen")[0].startTime));
      await context.close();
    }
  } finally {
    await browser.close();
  }
  return { median: median(times), times };
}

(async () => {
  const tour = computation();
  const paint = await firstScreen();
  const bytes = fs.statSync(PAGE).size;
  const row = (what, budget, measured) => console.log(`| ${what} | ${budget} | ${measured} |`);
  console.log("| what | budget | measured |");
  console.log("|---|---|---|");
  const ms = (t) => `median ${t.median.toFixed(1)} ms, fastest ${t.fastest.toFixed(1)} ms`;
  const ratio = (list) =>
    `${median(list).toFixed(2)} (rounds: ${list.map((r) => r.toFixed(2)).join(", ")})`;
  row(`forward tour's computation, WebAssembly (Node ${process.version})`, "", ms(tour.web));
  row("forward tour's computation, native Release", "", ms(tour.native));
  row(`WebAssembly / native, medians of ${ROUNDS} rounds of ${RUNS_PER_ROUND} runs`, "at most 2",
    ratio(tour.medianRatios));
  row("WebAssembly / native, fastest runs of each round", "at most 2", ratio(tour.fastestRatios));
  row("opening the file to the first screen, headless Chromium", "500 ms",
    `${paint.median.toFixed(0)} ms (median of ${OPENINGS}; ${paint.times.map((t) => t.toFixed(0)).join(", ")})`);
  row("size of interp1d-tour.html", "1.5 MB", `${(bytes / 1e6).toFixed(3)} MB (${bytes} bytes)`);
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
