// The browser edition's speed, printed as a table: the forward tour's and
// the explorer's computation in WebAssembly under Node and in the native
// Release build, side by side in alternating runs; in headless Chromium the
// tour's first screen, the explorer's first drawing, a drag's frames, the
// main thread's long tasks during a drag while leave-one-out runs, and
// leave-one-out after the last edit; the size of the HTML file. Run by
// `make bench-web`.
"use strict";

const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const path = require("node:path");
const { launch, pageUrl, PAGE, TOUR_BAR } = require("../tests/web/browser.js");

const ROOT = path.resolve(__dirname, "..");
const ROUNDS = 7;
const RUNS_PER_ROUND = 20;
const OPENINGS = 7;

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// The median and the fastest of one timing program's runs, in milliseconds
// (of the line that starts with what, if given).
function timing(command, args, what = "") {
  const output = execFileSync(command, args, { encoding: "utf8" });
  const found = new RegExp(`^${what}.*median ([0-9.]+) ms, fastest ([0-9.]+) ms`, "m").exec(output);
  if (!found) {
    throw new Error(`unexpected output of ${command}: ${output}`);
  }
  return { median: Number(found[1]), fastest: Number(found[2]) };
}

// The explorer's score table after a station moved and its leave-one-out
// column, 21 stations, in WebAssembly (Node, one thread) and natively (both
// cores), by turns.
function explorerComputation() {
  const runs = { web: { table: [], loo: [] }, native: { table: [], loo: [] } };
  for (let round = 0; round < 3; ++round) {
    for (const [build, command, args] of [
      ["web", process.execPath, [path.join(ROOT, "build/web/explore_timing.js"), "20"]],
      ["native", path.join(ROOT, "build/release/bench/explore_timing"), ["20"]],
    ]) {
      runs[build].table.push(timing(command, args, "score table"));
      runs[build].loo.push(timing(command, args, "leave-one-out"));
    }
  }
  const of = (list) => ({
    median: median(list.map((t) => t.median)),
    fastest: Math.min(...list.map((t) => t.fastest)),
  });
  return {
    web: { table: of(runs.web.table), loo: of(runs.web.loo) },
    native: { table: of(runs.native.table), loo: of(runs.native.loo) },
  };
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
      const context = await browser.newContext({ viewport: { width: 933, height: 605 + TOUR_BAR } });
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

// From opening the file at #explore to the frame with the explorer drawn.
async function explorerOpening() {
  const browser = await launch();
  const times = [];
  try {
    for (let i = 0; i < OPENINGS; ++i) {
      const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
      const page = await context.newPage();
      await page.goto(pageUrl() + "#explore");
      await page.waitForFunction(() => performance.getEntriesByName("explorer-drawn").length > 0);
      times.push(await page.evaluate(() => performance.getEntriesByName("explorer-drawn")[0].startTime));
      await context.close();
    }
  } finally {
    await browser.close();
  }
  return { median: median(times), times };
}

// Scripted drags of a station among 21, both krigings drawn (the most a
// frame draws): each frame's work (the session's edit with the whole table,
// and the redraw; a move that leaves the station where it was draws no
// frame), the main thread's tasks over 50 ms during the drag (each drag
// starts on a complete column; leave-one-out waits while a station is
// dragged), and the time from the last edit to a complete leave-one-out
// column.
async function explorerDrags() {
  const browser = await launch();
  const frames = [];
  const looTimes = [];
  const longTasks = [];
  try {
    const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
    const page = await context.newPage();
    await page.goto(pageUrl() + "#explore");
    await page.waitForSelector("#explorer .station");
    await page.selectOption("#ex-method", "29");
    await page.selectOption("#ex-compare", "28");
    const ready = () => page.waitForFunction(() =>
      document.getElementById("ex-loo-state").textContent === "Leave-one-out: ready", null, { timeout: 120000 });
    await ready();
    await page.evaluate(() => {
      window.benchLong = [];
      new PerformanceObserver((list) => {
        for (const entry of list.getEntries()) {
          window.benchLong.push({ start: entry.startTime, duration: entry.duration });
        }
      }).observe({ type: "longtask" });
      const state = document.getElementById("ex-loo-state");
      new MutationObserver(() => {
        if (state.textContent === "Leave-one-out: ready") {
          window.benchReadyAt = performance.now();
        }
      }).observe(state, { childList: true, characterData: true, subtree: true });
    });
    for (const station of [10, 6, 14, 3, 17]) {
      const [x, y] = await page.$$eval(".station .hit", (hits, i) => {
        const box = hits[i].getBoundingClientRect();
        return [box.x + box.width / 2, box.y + box.height * 0.8];
      }, station);
      await page.evaluate(() => {
        performance.clearMeasures("explorer-drag-frame");
        window.benchReadyAt = null;
        window.benchDragStart = performance.now();
      });
      await page.mouse.move(x, y);
      await page.mouse.down();
      for (let i = 1; i <= 40; ++i) {
        await page.mouse.move(x + Math.sin(i / 5) * 16, y);
        await page.waitForTimeout(8);
      }
      await page.mouse.up();
      await ready();
      const run = await page.evaluate(() => {
        const measured = performance.getEntriesByName("explorer-drag-frame");
        const last = measured[measured.length - 1];
        const end = last.startTime + last.duration;
        return {
          frames: measured.map((m) => m.duration),
          loo: window.benchReadyAt - end,
          long: window.benchLong.filter((t) => t.start >= window.benchDragStart && t.start <= end && t.duration > 50)
            .map((t) => t.duration),
        };
      });
      frames.push(...run.frames);
      looTimes.push(run.loo);
      longTasks.push(...run.long);
    }
    await context.close();
  } finally {
    await browser.close();
  }
  return { frames, looTimes, longTasks };
}

(async () => {
  const tour = computation();
  const explorer = explorerComputation();
  const paint = await firstScreen();
  const opening = await explorerOpening();
  const drags = await explorerDrags();
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
  row("explorer: score table after a station moved, 21 stations, WebAssembly (Node, one thread)", "",
    ms(explorer.web.table));
  row("explorer: the same, native Release (both cores)", "", ms(explorer.native.table));
  row("explorer: leave-one-out column, 21 stations, WebAssembly (Node, one thread)", "", ms(explorer.web.loo));
  row("explorer: the same, native Release (both cores)", "", ms(explorer.native.loo));
  row("opening the file at #explore to the drawn explorer, headless Chromium", "500 ms",
    `${opening.median.toFixed(0)} ms (median of ${OPENINGS}; ${opening.times.map((t) => t.toFixed(0)).join(", ")})`);
  const sorted = [...drags.frames].sort((a, b) => a - b);
  row("explorer: a drag's frame, 21 stations, both krigings (edit, whole table, redraw)", "16 ms",
    `median ${median(sorted).toFixed(1)} ms, fastest ${sorted[0].toFixed(1)} ms, slowest ` +
    `${sorted[sorted.length - 1].toFixed(1)} ms (${sorted.length} frames of 5 drags)`);
  row("explorer: main-thread tasks over 50 ms during the drags (leave-one-out waits while dragging)", "0",
    `${drags.longTasks.length}` + (drags.longTasks.length
      ? ` (median ${median(drags.longTasks).toFixed(0)} ms)` : ""));
  row("explorer: leave-one-out complete after the last edit, 21 stations (Web Worker)", "1 s",
    `median ${median(drags.looTimes).toFixed(0)} ms (${drags.looTimes.map((t) => t.toFixed(0)).join(", ")})`);
  row("size of interp1d-tour.html", "2 MB", `${(bytes / 1e6).toFixed(3)} MB (${bytes} bytes)`);
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
