// What the explorer's tests share: the page opened at #explore, the stations
// read from their sliders, positions on the plot, the messages, downloads,
// files opened, the check for requests and the accessibility audit.
"use strict";

const assert = require("node:assert/strict");
const fs = require("node:fs");
const { openPage, pageUrl } = require("./browser.js");

const AXE = fs.readFileSync(require.resolve("axe-core/axe.min.js"), "utf8");
const AXE_TAGS = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22aa", "best-practice"];

// A fresh page on the explorer (or on hash), its requests and errors recorded.
function openExplorer(browser, { hash = "#explore", ...options } = {}) {
  return openPage(browser, {
    viewport: { width: 1280, height: 800 },
    hash,
    selector: "#explorer:not([hidden]) .station",
    ...options,
  });
}

// The stations' positions, as their sliders tell them.
function stations(page) {
  return page.$$eval("#ex-stations .station", (list) =>
    list.map((g) => Number(g.getAttribute("aria-valuenow"))));
}

// The page's point over world position x at a height within the plot
// (0 its bottom, 1 its top), from where the sliders of the stations at 0
// and 1000 stand.
async function plotPoint(page, x, height = 0.5) {
  const [first, last] = await page.$$eval("#ex-stations .station .hit", (hits) =>
    [hits[0], hits[hits.length - 1]].map((hit) => {
      const box = hit.getBoundingClientRect();
      return { x: box.x + box.width / 2, top: box.y, bottom: box.y + box.height };
    }));
  return {
    x: first.x + ((last.x - first.x) * x) / 1000,
    y: first.bottom - (first.bottom - first.top) * height,
  };
}

// The message in the status (or alert) region, once there is one.
async function message(page, role = "status") {
  const region = page.locator(`#ex-${role === "status" ? "status" : "alert"}`);
  await page.waitForFunction((id) => document.getElementById(id).textContent !== "",
    role === "status" ? "ex-status" : "ex-alert");
  return region.textContent();
}

// Waits for the region to say the text (it may still say an earlier one
// right after the gesture), and fails with what it says if it never does.
async function expectMessage(page, expected, role = "status") {
  const id = role === "status" ? "ex-status" : "ex-alert";
  try {
    await page.waitForFunction(({ id, expected }) =>
      document.getElementById(id).textContent === expected, { id, expected }, { timeout: 15000 });
  } catch (error) {
    assert.equal(await page.locator(`#${id}`).textContent(), expected);
  }
}

function waitForLoo(page) {
  return page.waitForFunction(() =>
    document.getElementById("ex-loo-state").textContent === "Leave-one-out: ready", null,
  { timeout: 60000 });
}

// The table's rows as shown: the method's label and the other cells' texts.
function tableRows(page) {
  return page.$$eval("#ex-rows tr", (rows) =>
    rows.map((tr) => Array.from(tr.children).map((cell) => cell.textContent)));
}

// Clicks the button and returns the file it downloads: {name, bytes}.
// Chromium drops a download that follows another within a few
// milliseconds (its limit on downloads a page starts by itself), and the
// page cannot tell: a click that brought no file in 5 s is made again, up
// to three times.
async function download(page, name) {
  for (let attempt = 1; ; ++attempt) {
    try {
      const [file] = await Promise.all([
        page.waitForEvent("download", { timeout: attempt < 3 ? 5000 : 30000 }),
        page.getByRole("button", { name, exact: true }).click(),
      ]);
      const path = await file.path();
      return { name: file.suggestedFilename(), bytes: fs.readFileSync(path) };
    } catch (error) {
      if (attempt === 3 || error.name !== "TimeoutError") {
        throw error;
      }
    }
  }
}

// Opens a file through Open Setup's file picker.
async function openSetupFile(page, file) {
  const [chooser] = await Promise.all([
    page.waitForEvent("filechooser"),
    page.getByRole("button", { name: "Open Setup", exact: true }).click(),
  ]);
  await chooser.setFiles(file);
}

// Only the file itself is fetched; the workers' scripts are made on the page.
function offline(requests) {
  assert.equal(requests[0], pageUrl());
  for (const url of requests.slice(1)) {
    assert.match(url, /^blob:/, `a request for ${url}`);
  }
}

// What axe-core finds on the page, one line a violation.
async function audit(page) {
  await page.addScriptTag({ content: AXE });
  const results = await page.evaluate((tags) =>
    axe.run(document, { runOnly: { type: "tag", values: tags } }), AXE_TAGS);
  return results.violations.map((v) =>
    `${v.id}: ${v.help} (${v.nodes.map((n) => n.target.join(" ")).join("; ")})`);
}

module.exports = {
  openExplorer, stations, plotPoint, message, expectMessage, waitForLoo, tableRows, download, openSetupFile,
  offline, audit,
};
