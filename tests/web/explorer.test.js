// The explorer in headless Chromium, used as a student would: stations added,
// dragged (mouse and touch) and removed, the sliders' keys, refused edits and
// their messages, undo and redo, parameters, the compared method, the table.
"use strict";

const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const { launch, pageUrl } = require("./browser.js");
const {
  openExplorer, stations, plotPoint, expectMessage, waitForLoo, tableRows,
} = require("./explorer_page.js");

const SCENARIO_1 = Array.from({ length: 21 }, (_, i) => i * 50);
const SCENARIO_2 = [0, 500, 550, 600, 650, 700, 750, 800, 850, 900, 950, 1000];

let browser;
before(async () => {
  browser = await launch();
});
after(async () => {
  await browser.close();
});

const button = (page, name) => page.getByRole("button", { name, exact: true });
const slider = (page, x) => page.getByRole("slider", { name: `Station at ${x}`, exact: true });
const near = (list, x) => list.find((value) => Math.abs(value - x) <= 2);

async function mouseDrag(page, fromX, toX, steps = 8) {
  const from = await plotPoint(page, fromX, 0.3);
  const to = await plotPoint(page, toX, 0.3);
  await page.mouse.move(from.x, from.y);
  await page.mouse.down();
  for (let i = 1; i <= steps; ++i) {
    await page.mouse.move(from.x + ((to.x - from.x) * i) / steps, from.y);
  }
  await page.mouse.up();
}

test("the mouse adds, drags and removes stations, and a refused edit says why", async () => {
  const { context, page, record } = await openExplorer(browser);
  assert.deepEqual(await stations(page), SCENARIO_1);

  // 21 stations are the most: a click on an empty place is refused.
  const empty = await plotPoint(page, 525);
  await page.mouse.click(empty.x, empty.y);
  await expectMessage(page, "There are already 21 stations, the most the methods take.");
  assert.deepEqual(await stations(page), SCENARIO_1);
  assert.equal(await button(page, "Undo").isDisabled(), true);

  await button(page, "Scenario 2").click();
  assert.deepEqual(await stations(page), SCENARIO_2);
  assert.equal(await page.locator("#ex-status").textContent(), "", "an accepted edit clears the refusal");
  const at = await plotPoint(page, 250);
  await page.mouse.click(at.x, at.y);
  const added = near(await stations(page), 250);
  assert.ok(added !== undefined, `a station near 250: ${await stations(page)}`);
  assert.equal((await stations(page)).length, 13);
  assert.match(await page.locator("#ex-count").textContent(),
    new RegExp(`^13 stations \\(3 to 21\\)\\. Selected: the station at ${added}, observing `));

  // A drag moves it along whole positions, one step in the history.
  await mouseDrag(page, added, 320);
  const moved = near(await stations(page), 320);
  assert.ok(moved !== undefined, `dragged near 320: ${await stations(page)}`);
  assert.equal(await button(page, "Undo").getAttribute("title"), "Undo Move station");
  await button(page, "Undo").click();
  assert.deepEqual(await stations(page), [0, added, ...SCENARIO_2.slice(1)]);
  await button(page, "Redo").click();
  assert.deepEqual(await stations(page), [0, moved, ...SCENARIO_2.slice(1)]);

  // Dragged into a neighbour, a station stops beside it.
  await mouseDrag(page, moved, 700);
  assert.deepEqual(await stations(page), [0, 499, ...SCENARIO_2.slice(1)]);

  // Selected and Delete; then the button removes another one.
  await page.keyboard.press("Delete");
  assert.deepEqual(await stations(page), SCENARIO_2);
  assert.equal(await button(page, "Remove the selected station").isDisabled(), true);
  const station = await plotPoint(page, 750, 0.05);
  await page.mouse.click(station.x, station.y);
  assert.equal(await slider(page, 750).evaluate((g) => g === document.activeElement), true);
  await button(page, "Remove the selected station").click();
  assert.deepEqual(await stations(page), SCENARIO_2.filter((x) => x !== 750));

  // The station at 0 stays, whatever the keys say.
  await slider(page, 0).focus();
  await page.keyboard.press("Delete");
  await expectMessage(page, "The stations at 0 and 1000 stay where they are: every method needs them.");
  assert.equal((await stations(page))[0], 0);
  assert.deepEqual(record.errors, []);
  await context.close();
});

// Touch events as a finger sends them, through the browser's own input.
async function touchDrag(page, fromX, toX, steps = 10) {
  const cdp = await page.context().newCDPSession(page);
  const from = await plotPoint(page, fromX, 0.3);
  const to = await plotPoint(page, toX, 0.3);
  const point = (x) => [{ x, y: from.y, radiusX: 4, radiusY: 4, force: 1, id: 1 }];
  await cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: point(from.x) });
  for (let i = 1; i <= steps; ++i) {
    await cdp.send("Input.dispatchTouchEvent", {
      type: "touchMove", touchPoints: point(from.x + ((to.x - from.x) * i) / steps),
    });
    await page.waitForTimeout(20);
  }
  await cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
  await cdp.detach();
}

test("a finger drags a station; a tap adds one; the drag is one undo step", async () => {
  const { context, page, record } = await openExplorer(browser, {
    hasTouch: true, isMobile: true, viewport: { width: 390, height: 844 },
  });
  await button(page, "Scenario 2").click();
  await touchDrag(page, 650, 620);
  const after = await stations(page);
  const moved = near(after, 620) ?? after[4];
  assert.ok(moved >= 601 && moved <= 640, `the station at 650 moved left: ${after}`);
  assert.deepEqual(after, [0, 500, 550, 600, moved, ...SCENARIO_2.slice(5)]);
  assert.equal(await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth), true);

  const tap = await plotPoint(page, 200);
  await page.touchscreen.tap(tap.x, tap.y);
  assert.equal((await stations(page)).length, 13);

  await button(page, "Undo").click();
  await button(page, "Undo").click();
  assert.deepEqual(await stations(page), SCENARIO_2);
  assert.deepEqual(record.errors, []);
  await context.close();
});

test("a station's slider: arrows, Shift, Page keys, Home and End, and its range", async () => {
  const { context, page } = await openExplorer(browser);
  const at500 = slider(page, 500);
  assert.deepEqual(await at500.evaluate((g) =>
    ["aria-valuenow", "aria-valuemin", "aria-valuemax", "aria-readonly"].map((a) => g.getAttribute(a))),
  ["500", "451", "549", null]);
  for (const end of [0, 1000]) {
    assert.equal(await slider(page, end).getAttribute("aria-readonly"), "true");
  }
  await at500.focus();
  const focused = () => page.evaluate(() => document.activeElement.getAttribute("aria-label"));
  await page.keyboard.press("ArrowRight");
  assert.equal(await focused(), "Station at 501");
  await page.keyboard.press("Shift+ArrowRight");
  assert.equal(await focused(), "Station at 511");
  await page.keyboard.press("ArrowDown");
  await page.keyboard.press("PageDown");
  assert.equal(await focused(), "Station at 500");
  await page.keyboard.press("End");
  assert.equal(await focused(), "Station at 549");
  assert.equal(await page.evaluate(() => document.activeElement.getAttribute("aria-valuemax")), "549");
  await page.keyboard.press("Shift+ArrowRight");
  await expectMessage(page, "A station cannot land on or pass its neighbour at 550.");
  assert.equal(await focused(), "Station at 549");
  await page.keyboard.press("Home");
  assert.equal(await focused(), "Station at 451");
  // The neighbours' ranges follow.
  assert.equal(await slider(page, 450).getAttribute("aria-valuemax"), "450");
  assert.equal(await slider(page, 550).getAttribute("aria-valuemin"), "452");
  assert.match(await page.locator("#ex-count").textContent(), /Selected: the station at 451, observing 0\.\d{6}\./);
  await page.keyboard.press("Escape");
  assert.match(await page.locator("#ex-count").textContent(), /Click or tap the plot/);

  // Each key press was one step.
  for (let i = 0; i < 6; ++i) {
    await page.keyboard.press("Control+z");
  }
  assert.deepEqual(await stations(page), SCENARIO_1);
  assert.equal(await button(page, "Undo").isDisabled(), true);
  await context.close();
});

test("undo and redo by buttons and keys, across every kind of edit", async () => {
  const { context, page } = await openExplorer(browser);
  const method = page.getByRole("combobox", { name: "Method", exact: true });
  const field = page.getByRole("combobox", { name: "True field", exact: true });
  await method.selectOption({ label: "Kriging (Linear)" });
  await button(page, "Scenario 3").click();
  assert.equal(await field.inputValue(), "1");
  await slider(page, 600).focus();
  await page.keyboard.press("ArrowLeft");
  const state = async () => [await method.inputValue(), await field.inputValue(), (await stations(page))[12]];
  assert.deepEqual(await state(), ["29", "1", 599]);

  await page.locator("body").click({ position: { x: 5, y: 790 } });
  await page.keyboard.press("Control+z");
  assert.deepEqual(await state(), ["29", "1", 600]);
  await page.keyboard.press("Control+z");
  assert.deepEqual(await state(), ["29", "0", 600]);
  assert.equal(await button(page, "Redo").getAttribute("title"), "Redo Load scenario 3");
  await page.keyboard.press("Control+Shift+z");
  assert.deepEqual(await state(), ["29", "1", 600]);
  await page.keyboard.press("Control+y");
  assert.deepEqual(await state(), ["29", "1", 599]);
  await button(page, "Undo").click();
  await button(page, "Undo").click();
  await button(page, "Undo").click();
  assert.deepEqual(await state(), ["0", "0", 600]);
  assert.equal(await button(page, "Undo").isDisabled(), true);
  // A new edit drops what could be redone.
  await field.selectOption({ label: "Jump, plateau and kink" });
  assert.equal(await button(page, "Redo").isDisabled(), true);
  await context.close();
});

test("a parameter: a value in range applies, a refused one says why and shows the setup's", async () => {
  const { context, page } = await openExplorer(browser);
  await page.getByRole("combobox", { name: "Method", exact: true }).selectOption({ label: "Inv. Dist. (2)" });
  const power = page.getByLabel("Power", { exact: true });
  assert.equal(await power.inputValue(), "2");
  assert.equal(await power.getAttribute("placeholder"), "greater than 0 and at most 20");
  assert.equal(await button(page, "Tour's values").isDisabled(), true);

  await power.fill("2,5");
  await power.press("Enter");
  assert.equal(await power.inputValue(), "2.5");
  const rows = await tableRows(page);
  assert.equal(rows.length, 32);
  assert.equal(rows[31][0], "Inv. Dist. (2.5)");
  assert.equal(await page.locator("#ex-rows tr.chosen th").textContent(), "Inv. Dist. (2.5)");
  assert.equal(await button(page, "Tour's values").isDisabled(), false);

  await power.fill("0");
  await power.press("Tab"); // leaving the field applies it too
  await expectMessage(page, "Power must be greater than 0 and at most 20; 0 is outside.");
  assert.equal(await power.inputValue(), "2.5");
  await power.fill("two");
  await power.press("Enter");
  await expectMessage(page, 'Power must be greater than 0 and at most 20; "two" is not a number.');
  assert.equal(await power.inputValue(), "2.5");

  // Kriging's variogram model is a choice; the radius applies to the best fit only.
  await page.getByRole("combobox", { name: "Method", exact: true }).selectOption({ label: "Kriging (Linear)" });
  assert.equal(await page.getByLabel("Radius", { exact: true }).isDisabled(), true);
  await page.getByRole("combobox", { name: "Variogram model", exact: true }).selectOption({ label: "Best fit" });
  assert.equal(await page.getByRole("combobox", { name: "Method", exact: true }).inputValue(), "29");
  assert.equal(await page.getByLabel("Radius", { exact: true }).isDisabled(), false);
  assert.equal(await page.locator("#ex-rows tr.chosen th").textContent(), "Kriging (Best Fit)");

  await page.getByRole("combobox", { name: "Method", exact: true }).selectOption({ label: "Lin. Int." });
  assert.equal(await page.locator("#ex-no-parameters").isVisible(), true);
  assert.equal(await button(page, "Tour's values").isVisible(), false);
  await context.close();
});

test("the compared method is drawn in blue with its band, and marked in the table", async () => {
  const { context, page } = await openExplorer(browser);
  const compare = page.getByRole("combobox", { name: "Compare with", exact: true });
  assert.equal(await compare.inputValue(), "-1");
  await compare.selectOption({ label: "Kriging (Linear)" });
  assert.equal(await page.locator("#ex-rows tr.compared th").textContent(), "Kriging (Linear)");
  const drawn = await page.$$eval("#ex-static polyline, #ex-static polygon", (shapes) =>
    shapes.map((s) => [s.tagName, s.getAttribute("stroke"), s.getAttribute("fill")]));
  assert.deepEqual(drawn, [
    ["polygon", "none", "rgba(0,0,255,0.176)"],
    ["polyline", "rgb(0,255,0)", "none"],
    ["polyline", "rgb(0,0,255)", "none"],
    ["polyline", "rgb(255,0,0)", "none"], // the chosen method on top
  ]);
  const legend = await page.$$eval("#ex-legend text", (texts) => texts.map((t) => t.textContent));
  assert.deepEqual(legend, ["True field", "Stations", "Near. Neighb.", "Kriging (Linear)",
    "Kriging (Linear): \u00b1 2\u03c3"]);

  // The readout under the pointer names both, with kriging's band.
  const point = await plotPoint(page, 520);
  await page.mouse.move(point.x, point.y);
  assert.match(await page.locator("#ex-readout").textContent(),
    /^x = 5\d\d {4}true field \d\.\d{6} {4}Near\. Neighb\.: \d\.\d{6} {4}Kriging \(Linear\): \d\.\d{6}$/);
  await page.getByRole("combobox", { name: "Method", exact: true }).selectOption({ label: "Kriging (Linear)" });
  await page.mouse.move(point.x + 1, point.y);
  assert.match(await page.locator("#ex-readout").textContent(),
    /^x = 5\d\d {4}true field \d\.\d{6} {4}Kriging \(Linear\): \d\.\d{6} \u00b1 2\u03c3 \d\.\d{6}$/);
  await page.mouse.move(2, 2);
  assert.equal(await page.locator("#ex-readout").textContent(), "Point at the plot to read the values there.");

  await compare.selectOption({ label: "(nothing)" });
  assert.equal(await page.locator("#ex-rows tr.compared").count(), 0);
  await context.close();
});

test("the polynomial of scenario 2 leaves the plot until Fit the estimate widens the axis", async () => {
  const { context, page } = await openExplorer(browser);
  await button(page, "Scenario 2").click();
  await page.getByRole("combobox", { name: "Method", exact: true }).selectOption({ label: "Polynom" });
  const ticks = () => page.$$eval("#ex-static text[text-anchor=end]", (t) => t.map((x) => Number(x.textContent)));
  assert.deepEqual(await ticks(), [0, 0.2, 0.4, 0.6, 0.8, 1, 1.2]);
  await page.getByRole("checkbox", { name: "Fit the estimate" }).check();
  const widened = await ticks();
  assert.ok(widened[widened.length - 1] - widened[0] > 1000,
    `the value axis holds the polynomial's values: ${widened}`);
  await page.getByRole("checkbox", { name: "Fit the estimate" }).uncheck();
  assert.deepEqual(await ticks(), [0, 0.2, 0.4, 0.6, 0.8, 1, 1.2]);
  await context.close();
});

test("the table: sorted by a header, a tour row chooses its method, faults across the cells", async () => {
  const { context, page } = await openExplorer(browser);
  await waitForLoo(page);
  const header = (name) => page.getByRole("columnheader", { name, exact: true });
  assert.equal(await header("Method").getAttribute("aria-sort"), "ascending");
  await header("RMS error").getByRole("button").click();
  assert.equal(await header("RMS error").getAttribute("aria-sort"), "ascending");
  assert.equal(await header("Method").getAttribute("aria-sort"), null);
  const column = async (index) => (await tableRows(page)).map((row) => Number(row[index]));
  const ascending = await column(1);
  assert.deepEqual(ascending, [...ascending].sort((a, b) => a - b));
  assert.equal((await tableRows(page))[0][0], "Exact Splines");
  await header("RMS error").getByRole("button").click();
  assert.equal(await header("RMS error").getAttribute("aria-sort"), "descending");
  const descending = await column(1);
  assert.deepEqual(descending, [...descending].sort((a, b) => b - a));
  await header("LOO RMS error").getByRole("button").click();
  const loo = (await tableRows(page)).map((row) => row[3]);
  assert.equal(loo[loo.length - 1], "", "the Bezier curve's empty cell sorts last");

  await page.locator("#ex-rows tr", { hasText: "Lin. Int." }).click();
  assert.equal(await page.getByRole("combobox", { name: "Method", exact: true }).inputValue(), "1");
  assert.equal(await page.locator("#ex-rows tr.chosen th").textContent(), "Lin. Int.");
  assert.equal(await page.locator("#ex-rows tr[aria-current=true]").count(), 1);
  // By keyboard: the row's method is a button.
  await page.getByRole("button", { name: "Exact Splines", exact: true }).press("Enter");
  assert.equal(await page.getByRole("combobox", { name: "Method", exact: true }).inputValue(), "30");
  await context.close();
});

test("a layout a method cannot run on: its reason across the row, the others carry on", async () => {
  const sparse = { field: "bump", stations: [0, 600, 1000], method: { name: "gaussave", scale: 10 } };
  const setup = JSON.stringify({ format: "interp1d-tour setup", version: 1, ...sparse });
  const { context, page } = await openExplorer(browser, { hash: "#explore=" + encodeURIComponent(setup) });
  // After an edit the column waits for the worker: the edit's rows, which
  // may come from the score workers a little later, show it computing.
  await page.evaluate(() => {
    window.looTexts = [];
    const rows = document.getElementById("ex-rows");
    new MutationObserver(() => window.looTexts.push(rows.querySelector("tr td:last-child")?.textContent))
      .observe(rows, { childList: true, characterData: true, subtree: true });
    document.getElementById("ex-scenario-1").click();
  });
  await page.waitForFunction(() => window.looTexts.includes("computing\u2026"), null, { timeout: 15000 });
  await button(page, "Undo").click();
  // Until the rows of the layout taken back are drawn the table shows the last ones.
  await page.waitForFunction(() => document.getElementById("ex-rows").textContent.includes("underflow to 0"));
  await waitForLoo(page);
  const rows = await tableRows(page);
  const gauss = rows.find((row) => row[0] === "Gauss-Ave (10)");
  assert.deepEqual(gauss, ["Gauss-Ave (10)",
    "Run-time error: Invalid floating-point operation at x = 273: all its weights underflow to 0."]);
  assert.equal(await page.locator("#ex-rows tr", { hasText: "Gauss-Ave (10)" }).locator("td").getAttribute("colspan"), "3");
  const splines = rows.find((row) => row[0] === "Exact Splines");
  assert.equal(splines[3], "Without the station at 600: Needs at least 3 stations.");
  assert.match(splines[1], /^0\.\d{4}$/);
  // The plot says why the chosen method is missing.
  const notes = await page.$$eval("#ex-notes li", (items) => items.map((li) => li.textContent));
  assert.equal(notes.length, 1);
  assert.match(notes[0], /Gauss-Ave \(10\)/);
  assert.equal(await page.locator("#ex-notes").isVisible(), true);
  await context.close();
});

test("a German browser: decimal commas in the table, the readout, the fields and the ticks", async () => {
  const { context, page } = await openExplorer(browser, { locale: "de-DE" });
  await waitForLoo(page);
  const rows = await tableRows(page);
  assert.deepEqual(rows[0], ["Near. Neighb.", "0,0468", "0,1726", "0,1633"]);
  for (const row of rows) {
    for (const cell of row.slice(1)) {
      assert.match(cell, /^(\d+,\d{4}|)$/, `${row[0]}: ${cell}`);
    }
  }
  await page.getByRole("combobox", { name: "Method", exact: true }).selectOption({ label: "Inv. Dist. (.5)" });
  assert.equal(await page.getByLabel("Power", { exact: true }).inputValue(), "0,5");
  const point = await plotPoint(page, 500);
  await page.mouse.move(point.x, point.y);
  assert.match(await page.locator("#ex-readout").textContent(), /^x = 500 {4}true field 1,000000 {4}/);
  const ticks = await page.$$eval("#ex-static text[text-anchor=end]", (t) => t.map((x) => x.textContent));
  assert.deepEqual(ticks, ["0,0", "0,2", "0,4", "0,6", "0,8", "1,0", "1,2"]);
  await context.close();
});

test("leave-one-out after a drag equals a fresh computation, with workers and without", async () => {
  const { context, page, record } = await openExplorer(browser);
  await waitForLoo(page);
  await mouseDrag(page, 350, 380, 30);
  await mouseDrag(page, 650, 610, 30);
  await page.waitForFunction(() => decodeURIComponent(location.hash).includes("61"));
  await waitForLoo(page);
  const column = async (p) => (await tableRows(p)).map((row) => `${row[0]}: ${row[3]}`);
  const dragged = await column(page);
  assert.equal(dragged.filter((cell) => cell.endsWith("computing\u2026")).length, 0);
  const hash = await page.evaluate(() => location.hash);

  // A page whose workers cannot start computes the same cells itself.
  const fresh = await browser.newContext({ viewport: { width: 1280, height: 800 } });
  await fresh.addInitScript(() => {
    window.Worker = function () {
      throw new Error("no workers here");
    };
  });
  const other = await fresh.newPage();
  await other.goto(pageUrl() + hash);
  await other.waitForSelector("#explorer:not([hidden]) .station");
  await waitForLoo(other);
  assert.deepEqual(await stations(other), await stations(page));
  assert.deepEqual(await column(other), dragged);
  assert.deepEqual(record.errors, []);
  await fresh.close();
  await context.close();
});

// The titles of the numbers (nine digits) wait while a station is dragged
// and show the table as it is when the drag ends, also where the drag's
// last move drew nothing new.
test("the table's titles catch up when a drag ends", async () => {
  const { context, page, record } = await openExplorer(browser);
  // The RMS and maximum errors of every row, with their titles.
  const numbers = () => Array.from(document.querySelectorAll("#ex-rows tr"), (tr) =>
    Array.from(tr.querySelectorAll("td.number"), (td) => [td.textContent, td.title]).slice(0, 2));
  await page.evaluate((read) => {
    window.readNumbers = new Function(`return (${read})();`);
  }, numbers.toString());
  const from = await plotPoint(page, 400, 0.3);
  const to = await plotPoint(page, 430, 0.3);
  await page.mouse.move(from.x, from.y);
  await page.mouse.down();
  await page.mouse.move(to.x, from.y, { steps: 4 });
  // Leave-one-out waits while the button is down: the table of the last
  // move is drawn once its rows came. The table as the release leaves it
  // is taken before anything else can draw it again.
  await page.waitForFunction((x) => Array.from(document.querySelectorAll("#ex-stations .station"),
    (g) => Number(g.getAttribute("aria-valuenow"))).includes(x), 430);
  await page.waitForTimeout(300);
  const during = await page.evaluate(() => window.readNumbers());
  await page.evaluate(() => window.addEventListener("pointerup", () => {
    window.afterRelease = window.readNumbers();
  }, { once: true }));
  await page.mouse.up();
  const after = await page.evaluate(() => window.afterRelease);

  const fresh = await openExplorer(browser, { hash: await page.evaluate(() => location.hash) });
  assert.ok((await fresh.page.evaluate(() => decodeURIComponent(location.hash))).includes("430"));
  const expected = await fresh.page.evaluate(numbers);
  assert.deepEqual(after, expected);
  const texts = (table) => table.map((row) => row.map(([text]) => text));
  assert.deepEqual(texts(during), texts(expected));
  assert.notDeepEqual(during, expected, "the titles waited during the drag");
  assert.deepEqual(record.errors, []);
  await fresh.context.close();
  await context.close();
});

// With four cores the rows go to two score workers, each with its part of
// the job; with two, to one worker with the whole job.
for (const cores of [2, 4]) {
  test(`after drags the plot and the table show what a fresh page of the same setup shows (${cores} cores)`, async () => {
    const init = (count) => {
      Object.defineProperty(Navigator.prototype, "hardwareConcurrency", { get: () => count });
      const Original = window.Worker;
      window.startedWorkers = 0;
      window.Worker = function (...args) {
        window.startedWorkers += 1;
        return new Original(...args);
      };
    };
    const { context, page, record } = await openExplorer(browser, { init: [init, cores] });
    await page.selectOption("#ex-method", "29");
    await page.selectOption("#ex-compare", "28");
    await mouseDrag(page, 350, 380, 20);
    await mouseDrag(page, 650, 610, 20);
    await page.keyboard.press("Escape"); // no selection, as on the fresh page
    await page.waitForFunction(() => decodeURIComponent(location.hash).includes("61"));
    await page.waitForFunction(() => document.querySelectorAll("#ex-rows td.pending").length === 0);
    // Everything drawn, without the clip paths' serial numbers, and every
    // cell of the table with its title.
    const drawn = (p) => p.evaluate(() => ({
      plot: ["ex-static", "ex-legend", "ex-stations"].map((id) =>
        document.getElementById(id).outerHTML.replace(/ex-clip-\d+/g, "clip")),
      table: Array.from(document.querySelectorAll("#ex-rows tr"), (tr) =>
        Array.from(tr.children, (cell) => [cell.className, cell.textContent, cell.title])),
    }));
    const dragged = await drawn(page);
    const hash = await page.evaluate(() => location.hash);
    const fresh = await openExplorer(browser, { hash });
    await fresh.page.waitForFunction(() => document.querySelectorAll("#ex-rows td.pending").length === 0);
    assert.deepEqual(await drawn(fresh.page), dragged);
    assert.deepEqual(record.errors, []);
    // The score workers and the two leave-one-out workers.
    await page.waitForFunction(() =>
      document.getElementById("ex-loo-state").textContent === "Leave-one-out: ready");
    assert.equal(await page.evaluate(() => window.startedWorkers), (cores === 4 ? 2 : 1) + 2);
    await fresh.context.close();
    await context.close();
  });
}
