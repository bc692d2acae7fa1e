// The page as a whole in headless Chromium: the ways between the tour and
// the explorer, no network, a phone's screen, and an accessibility audit
// (axe-core) of both views.
"use strict";

const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const { launch, openTour } = require("./browser.js");
const { openExplorer, stations, waitForLoo, offline, audit } = require("./explorer_page.js");

let browser;
before(async () => {
  browser = await launch();
});
after(async () => {
  await browser.close();
});

test("the tour leads to the explorer and back, its window unchanged", async () => {
  const { context, page, record } = await openTour(browser);
  const form = await page.locator("#Form1").boundingBox();
  assert.deepEqual(form, { x: 0, y: 0, width: 933, height: 605 });
  const explore = page.getByRole("navigation", { name: "Views" })
    .getByRole("button", { name: "Explore the methods" });
  const bar = await explore.boundingBox();
  assert.ok(bar.y >= 605, `the button lies under the window: ${JSON.stringify(bar)}`);
  await explore.click();
  await page.waitForSelector("#explorer:not([hidden]) .station");
  assert.equal(await page.isVisible("#Form1"), false);
  assert.match(await page.evaluate(() => location.hash), /^#explore=%7B/);
  assert.equal(await page.title(), "Untitled - Interpolation Explorer");
  await page.getByRole("slider", { name: "Station at 500" }).focus();
  await page.keyboard.press("ArrowLeft");

  await page.getByRole("button", { name: "Open the Tour" }).click();
  await page.waitForSelector("#Form1:not([hidden])");
  assert.equal(await page.isVisible("#explorer"), false);
  assert.equal(await page.title(),
    "One-dimensional Interpolation; An overview by Orvel Tamberlin (interp1d-tour@example.org)");
  await page.click("#Command1");
  assert.equal(await page.locator("#Label1").textContent(),
    "Imagine a one-dimensional world of 1000 units length.");
  // The explorer keeps its setup meanwhile; the browser's Back returns to it.
  await page.goBack();
  await page.waitForSelector("#explorer:not([hidden])");
  assert.equal((await stations(page))[10], 499);
  await page.goForward();
  await page.waitForSelector("#Form1:not([hidden])");
  assert.equal(await page.locator("#Label1").textContent(),
    "Imagine a one-dimensional world of 1000 units length.");
  offline(record.requests);
  await context.close();
});

test("the tour's end screen leads to the explorer too", async () => {
  const { context, page } = await openTour(browser);
  await page.evaluate(() => {
    for (let press = 0; press < 200 && document.getElementById("ended").hidden; ++press) {
      document.getElementById("Command1").click();
    }
  });
  await page.waitForSelector("#ended:not([hidden])");
  assert.equal(await page.isVisible("#tour-bar"), false);
  await page.locator("#ended").getByRole("button", { name: "Explore the methods" }).click();
  await page.waitForSelector("#explorer:not([hidden]) .station");
  await page.getByRole("button", { name: "Open the Tour" }).click();
  await page.waitForSelector("#ended:not([hidden])");
  assert.equal(await page.locator("#ended-text").textContent(), "The tour has ended.");
  await context.close();
});

test("#explore opens the explorer on the default setup, with no network request", async () => {
  const { context, page, record } = await openExplorer(browser);
  await waitForLoo(page);
  assert.equal(await page.isVisible("#Form1"), false);
  assert.deepEqual(await stations(page), Array.from({ length: 21 }, (_, i) => i * 50));
  assert.equal(await page.getByRole("combobox", { name: "Method", exact: true }).inputValue(), "0");
  for (const name of ["Undo", "Redo", "Open Setup", "Save Setup", "Export Table", "Export Curves",
    "Export Plot", "Copy Link", "Scenario 1", "Scenario 2", "Scenario 3",
    "Remove the selected station", "Open the Tour"]) {
    assert.equal(await page.getByRole("button", { name, exact: true }).count(), 1, name);
  }
  for (const name of ["True field", "Method", "Compare with"]) {
    assert.equal(await page.getByRole("combobox", { name, exact: true }).count(), 1, name);
  }
  assert.equal(await page.getByRole("checkbox", { name: "Fit the estimate" }).count(), 1);
  assert.equal(await page.getByRole("slider").count(), 21);
  assert.equal(await page.getByRole("table", { name: "Score table" }).count(), 1);
  assert.deepEqual(
    await page.$$eval("#ex-table thead th", (heads) => heads.map((th) => th.textContent.trim())),
    ["Method", "RMS error", "Maximum error", "LOO RMS error"]);
  offline(record.requests);
  assert.deepEqual(record.errors, []);
  await context.close();
});

test("on a phone the plot is on top at full width, nothing scrolls sideways, targets are large", async () => {
  const { context, page, record } = await openExplorer(browser, {
    viewport: { width: 390, height: 844 }, hasTouch: true, isMobile: true, deviceScaleFactor: 3,
  });
  await waitForLoo(page);
  assert.equal(await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth), true);
  const plot = await page.locator("#ex-svg").boundingBox();
  assert.equal(plot.y, 0);
  assert.equal(plot.x, 0);
  assert.equal(plot.width, 390);
  assert.ok(plot.height >= 200, JSON.stringify(plot));
  // The controls and the table follow the plot.
  const below = async (selector) => (await page.locator(selector).boundingBox()).y;
  assert.ok(await below(".ex-side") > plot.y + plot.height);
  assert.ok(await below("#ex-table") > await below(".ex-side"));
  const small = await page.$$eval("#explorer button, #explorer select, #explorer input:not([type=file]), .station", (list) =>
    list.filter((e) => e.getClientRects().length > 0)
      .map((e) => [e.id || e.textContent.trim() || e.getAttribute("aria-label"), e.getBoundingClientRect()])
      .filter(([, box]) => box.width < 24 || box.height < 24)
      .map(([name, box]) => `${name}: ${box.width}x${box.height}`));
  assert.deepEqual(small, []);
  // The table fits with its fault texts.
  await page.evaluate(() => {
    location.hash = "#explore=" + encodeURIComponent(JSON.stringify({
      format: "interp1d-tour setup", version: 1, field: "bump", stations: [0, 600, 1000],
      method: { name: "gaussave", scale: 10 }, compare: { name: "kriging", model: "bestfit" },
    }));
  });
  await page.waitForFunction(() => document.querySelectorAll(".station").length === 3);
  await waitForLoo(page);
  assert.equal(await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth), true);
  await page.setViewportSize({ width: 360, height: 740 });
  await page.waitForFunction(() => document.getElementById("ex-svg").viewBox.baseVal.width === 360);
  assert.equal(await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth), true);
  assert.deepEqual(record.errors, []);
  await context.close();
});

test("the crisp plot: drawn in vectors at the screen's pixel ratio", async () => {
  const { context, page } = await openExplorer(browser, { deviceScaleFactor: 2 });
  const size = await page.evaluate(() => {
    const svg = document.getElementById("ex-svg");
    const box = svg.getBoundingClientRect();
    return [svg.viewBox.baseVal.width, svg.viewBox.baseVal.height, box.width, box.height];
  });
  assert.equal(size[0], size[2], "one unit of the drawing to the CSS pixel");
  assert.equal(size[1], size[3]);
  await page.setViewportSize({ width: 1000, height: 800 });
  await page.waitForFunction((width) => document.getElementById("ex-svg").viewBox.baseVal.width < width, size[0]);
  await context.close();
});

test("an accessibility audit finds nothing on the tour and on the explorer", async () => {
  const tour = await openTour(browser);
  assert.deepEqual(await audit(tour.page), []);
  await tour.context.close();

  const { context, page } = await openExplorer(browser);
  await waitForLoo(page);
  await page.getByRole("combobox", { name: "Method", exact: true }).selectOption({ label: "Kriging (Best Fit)" });
  await page.getByRole("combobox", { name: "Compare with", exact: true }).selectOption({ label: "Inv. Dist. (2)" });
  await page.getByRole("slider", { name: "Station at 300" }).focus();
  await page.keyboard.press("Delete");
  await page.getByRole("button", { name: "Export Plot" }).click();
  await page.waitForFunction(() => document.getElementById("ex-status").textContent !== "" ||
    document.getElementById("ex-plot-formats").hidden === false);
  assert.deepEqual(await audit(page), []);
  await context.close();
});
