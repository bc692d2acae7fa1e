// The explorer's files and links in headless Chromium: setups opened (a bad
// one changes nothing), saved and opened again, the CSV files equal to the
// native program's byte for byte, the plot exported, links that carry the
// setup, and the address that follows it.
"use strict";

const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { spawnSync } = require("node:child_process");
const { launch, pageUrl } = require("./browser.js");
const {
  openExplorer, stations, plotPoint, message, expectMessage, waitForLoo, download, openSetupFile,
} = require("./explorer_page.js");

const NATIVE = path.resolve(__dirname, "../../build/release/interp1d-tour");
const SETUPS = path.join(__dirname, "setups");
const SCENARIO_1 = Array.from({ length: 21 }, (_, i) => i * 50);

let browser;
let scratch;
before(async () => {
  assert.ok(fs.existsSync(NATIVE), `the native program is built (${NATIVE}): make web-test builds it`);
  browser = await launch();
  scratch = fs.mkdtempSync(path.join(os.tmpdir(), "interp1d-files-"));
});
after(async () => {
  await browser.close();
  fs.rmSync(scratch, { recursive: true, force: true });
});

const button = (page, name) => page.getByRole("button", { name, exact: true });
const combobox = (page, name) => page.getByRole("combobox", { name, exact: true });

function scratchFile(name, bytes) {
  const file = path.join(scratch, name);
  fs.writeFileSync(file, bytes);
  return file;
}

// What the native program writes for a setup file: --score, --curves.
function native(option, file) {
  const run = spawnSync(NATIVE, [option, file], { encoding: null });
  // --curves exits with 3 where a method cannot run: its columns are empty.
  assert.ok(run.status === 0 || (option === "--curves" && run.status === 3),
    `${option} ${file}: status ${run.status}: ${run.stderr}`);
  return run.stdout;
}

// The page's three files against the native program's, byte for byte.
async function sameFilesAsNative(page, what) {
  const setup = await download(page, "Save Setup");
  assert.equal(setup.name, "setup.json");
  const table = await download(page, "Export Table");
  assert.equal(table.name, "scores.csv");
  const curves = await download(page, "Export Curves");
  assert.equal(curves.name, "curves.csv");
  const file = scratchFile(`${what.replace(/\W+/g, "-")}.json`, setup.bytes);
  assert.ok(table.bytes.equals(native("--score", file)), `${what}: scores.csv differs from --score`);
  assert.ok(curves.bytes.equals(native("--curves", file)), `${what}: curves.csv differs from --curves`);
  return { setup, table, curves };
}

test("the table and curves of the tour's layouts equal the native program's", async () => {
  const { context, page, record } = await openExplorer(browser);
  await button(page, "Scenario 1").click();
  await combobox(page, "Method").selectOption({ label: "Kriging (Best Fit)" });
  await combobox(page, "Compare with").selectOption({ label: "Exact Splines" });
  // Export Table while the column is computed: it waits, and says so.
  const [waited] = await Promise.all([
    page.waitForEvent("download"),
    button(page, "Export Table").click(),
  ]);
  assert.equal(waited.suggestedFilename(), "scores.csv");
  await sameFilesAsNative(page, "scenario 1");

  await button(page, "Scenario 2").click();
  await combobox(page, "Method").selectOption({ label: "Inv. Dist. (2)" });
  await page.getByLabel("Power", { exact: true }).fill("2.5");
  await page.getByLabel("Power", { exact: true }).press("Enter");
  await combobox(page, "Compare with").selectOption({ label: "Kriging (Linear)" });
  const { table } = await sameFilesAsNative(page, "scenario 2");
  assert.match(table.bytes.toString(), /^Inv\. Dist\. \(2\.5\),0\.\d+,0\.\d+,0\.\d+,$/m);

  await button(page, "Scenario 3").click();
  await combobox(page, "Method").selectOption({ label: "Cressmann (200,2)" });
  await combobox(page, "Compare with").selectOption({ label: "(nothing)" });
  await sameFilesAsNative(page, "scenario 3");
  assert.deepEqual(record.errors, []);
  await context.close();
});

test("Export Table says it waits for leave-one-out, then downloads", async () => {
  const { context, page } = await openExplorer(browser);
  await waitForLoo(page);
  await page.evaluate(() => {
    window.statusTexts = [];
    const status = document.getElementById("ex-status");
    new MutationObserver(() => status.textContent && window.statusTexts.push(status.textContent))
      .observe(status, { childList: true, characterData: true, subtree: true });
  });
  // The edit and the export in one task: the new column cannot be there yet.
  const [file] = await Promise.all([
    page.waitForEvent("download"),
    page.evaluate(() => {
      document.getElementById("ex-scenario-2").click();
      document.getElementById("ex-export-table").click();
    }),
  ]);
  assert.equal(file.suggestedFilename(), "scores.csv");
  await page.waitForFunction(() => window.statusTexts.length === 2);
  assert.deepEqual(await page.evaluate(() => window.statusTexts), [
    "Waiting for the leave-one-out column\u2026 The table is exported when it is ready.",
    "Exported the table to scores.csv.",
  ]);
  assert.equal(await page.locator("#ex-loo-state").textContent(), "Leave-one-out: ready");
  await context.close();
});

test("hand-made setups opened through Open Setup write the native program's files", async () => {
  const { context, page, record } = await openExplorer(browser);
  const files = fs.readdirSync(SETUPS).filter((name) => name.endsWith(".json")).sort();
  assert.ok(files.length >= 7, files.join(", "));
  for (const name of files) {
    await openSetupFile(page, path.join(SETUPS, name));
    await expectMessage(page, `Opened ${name}.`);
    assert.equal(await page.title(), `${name} - Interpolation Explorer`);
    if (name === "clustered.json") {
      // A compared method with values of its own shows under its label.
      assert.equal(await combobox(page, "Compare with").locator("option:checked").textContent(),
        "Orvels Method (1.5,3)");
      assert.equal(await page.locator("#ex-rows tr.compared th").textContent(), "Orvels Method (1.5,3)");
    }
    await waitForLoo(page);
    const { curves } = await sameFilesAsNative(page, name);
    if (name === "sparse.json" || name === "edges.json") {
      assert.match(await page.locator("#ex-status").textContent(),
        /^Exported the curves to curves\.csv\. .+ cannot run on this layout: .+ Its columns are empty\./);
      assert.ok(curves.bytes.length > 0);
    }
  }
  assert.deepEqual(record.errors, []);
  await context.close();
});

test("a German browser writes '.' in its files", async () => {
  const { context, page } = await openExplorer(browser, { locale: "de-DE" });
  await combobox(page, "Method").selectOption({ label: "Inv. Dist. (.5)" });
  await page.getByLabel("Power", { exact: true }).fill("0,75");
  await page.getByLabel("Power", { exact: true }).press("Enter");
  await waitForLoo(page);
  assert.match(await page.locator("#ex-rows tr.chosen").textContent(), /^Inv\. Dist\. \(\.75\)0,\d{4}0,\d{4}0,\d{4}$/);
  const { setup, table } = await sameFilesAsNative(page, "german");
  assert.match(setup.bytes.toString(), /"power": 0\.75/);
  assert.match(table.bytes.toString(), /^Inv\. Dist\. \(\.75\),0\.\d+,0\.\d+,0\.\d+,$/m);
  await context.close();
});

test("a bad setup file shows the validator's message and changes nothing", async () => {
  const { context, page } = await openExplorer(browser);
  await openSetupFile(page, path.join(SETUPS, "irregular.json"));
  await page.waitForFunction(() => document.title === "irregular.json - Interpolation Explorer");
  const before = await stations(page);
  assert.notDeepEqual(before, SCENARIO_1);
  const state = async () => [await stations(page), await combobox(page, "Method").inputValue(),
    await button(page, "Undo").isDisabled(), await page.title()];
  const shown = await state();

  const cases = {
    "broken.json": '{"format": "interp1d-tour setup", "version": 1,\n  "stations": [0, 500, 1000',
    "fraction.json": '{"format": "interp1d-tour setup", "version": 1, "field": "bump",\n' +
      ' "stations": [0, 120.5, 1000]}',
    "typo.json": '{"format": "interp1d-tour setup", "version": 1, "field": "bump",\n' +
      ' "stations": [0, 500, 1000], "method": {"name": "invdist", "powr": 2}}',
  };
  for (const [name, text] of Object.entries(cases)) {
    await openSetupFile(page, scratchFile(name, text));
    const expected = await page.evaluate((text) => Module.setupError(text), text);
    assert.notEqual(expected, "");
    await expectMessage(page, `${name}: ${expected}`, "alert");
    assert.deepEqual(await state(), shown, name);
  }
  assert.match(await page.locator("#ex-alert").textContent(), /^typo\.json: method: unknown key "powr"/);
  await openSetupFile(page, scratchFile("fraction.json", cases["fraction.json"]));
  await expectMessage(page, "fraction.json: stations[1]: 120.5 is not a whole number", "alert");

  await openSetupFile(page, scratchFile("big.json", Buffer.alloc((1 << 20) + 1, 32)));
  await expectMessage(page, "big.json: is too large for a setup file (over 1 MB)", "alert");
  assert.deepEqual(await stations(page), before);
  assert.equal(await page.getByRole("alert").count(), 1);
  await context.close();
});

test("a saved setup opens again as it was; unsaved changes are asked about first", async () => {
  const { context, page } = await openExplorer(browser);
  await button(page, "Scenario 3").click();
  await combobox(page, "Method").selectOption({ label: "Kriging (Best Fit)" });
  await page.getByLabel("Radius", { exact: true }).fill("150");
  await page.getByLabel("Radius", { exact: true }).press("Enter");
  await combobox(page, "Compare with").selectOption({ label: "Lin. Int." });
  const at = await plotPoint(page, 525);
  await page.getByRole("slider", { name: "Station at 500" }).focus();
  await page.keyboard.press("Delete");
  await page.mouse.click(at.x, at.y);
  const shown = async () => ({
    stations: await stations(page),
    field: await combobox(page, "True field").inputValue(),
    method: await combobox(page, "Method").inputValue(),
    radius: await page.getByLabel("Radius", { exact: true }).inputValue(),
    compare: await combobox(page, "Compare with").inputValue(),
  });
  const saved = await shown();
  assert.equal(saved.stations.length, 21);
  assert.equal(await page.title(), "Untitled* - Interpolation Explorer");
  const file = await download(page, "Save Setup");
  assert.equal(await page.title(), "Untitled - Interpolation Explorer");
  await expectMessage(page, "Saved setup.json.");
  const text = file.bytes.toString();
  assert.match(text, /"radius": 150/);
  assert.equal(await page.evaluate((t) => Module.setupError(t), text), "");

  await button(page, "Scenario 1").click();
  assert.deepEqual(await stations(page), SCENARIO_1);
  // Cancel keeps everything; Discard goes on to the file.
  await button(page, "Open Setup").click();
  const dialog = page.getByRole("dialog", { name: "Unsaved changes" });
  await dialog.waitFor();
  await dialog.getByRole("button", { name: "Cancel" }).click();
  assert.deepEqual(await stations(page), SCENARIO_1);
  await button(page, "Open Setup").click();
  const [chooser] = await Promise.all([
    page.waitForEvent("filechooser"),
    dialog.getByRole("button", { name: "Discard" }).click(),
  ]);
  await chooser.setFiles(scratchFile("setup.json", file.bytes));
  await page.waitForFunction(() => document.title === "setup.json - Interpolation Explorer");
  assert.deepEqual(await shown(), saved);
  assert.equal(await button(page, "Undo").isDisabled(), true);
  await context.close();
});

test("Export Plot writes an SVG drawing and a PNG image of the plot", async () => {
  const { context, page } = await openExplorer(browser);
  await combobox(page, "Compare with").selectOption({ label: "Kriging (Linear)" });
  await button(page, "Export Plot").click();
  assert.equal(await button(page, "Export Plot").getAttribute("aria-expanded"), "true");
  const svg = await download(page, "SVG drawing");
  assert.equal(svg.name, "plot.svg");
  assert.equal(await button(page, "Export Plot").getAttribute("aria-expanded"), "false");
  const drawing = await page.evaluate((text) => {
    const doc = new DOMParser().parseFromString(text, "image/svg+xml");
    return {
      error: doc.querySelector("parsererror") !== null,
      root: doc.documentElement.localName,
      width: Number(doc.documentElement.getAttribute("width")),
      title: doc.querySelector("title").textContent,
      texts: Array.from(doc.querySelectorAll("text"), (t) => t.textContent),
      elements: Array.from(new Set(Array.from(doc.querySelectorAll("*"), (e) => e.localName))).sort(),
      halo: doc.querySelectorAll(".halo").length,
    };
  }, svg.bytes.toString());
  assert.equal(drawing.error, false);
  assert.equal(drawing.root, "svg");
  assert.ok(drawing.width >= 900, String(drawing.width));
  assert.equal(drawing.title, "Interpolation Explorer plot");
  for (const label of ["True field", "Stations", "Near. Neighb.", "Kriging (Linear): \u00b1 2\u03c3"]) {
    assert.ok(drawing.texts.includes(label), label);
  }
  assert.deepEqual(drawing.elements,
    ["circle", "clipPath", "g", "line", "polygon", "polyline", "rect", "svg", "text", "title"]);
  assert.equal(drawing.halo, 0, "no selection in the drawing");

  await button(page, "Export Plot").click();
  const png = await download(page, "PNG image");
  assert.equal(png.name, "plot.png");
  assert.deepEqual([...png.bytes.subarray(0, 8)], [0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);
  assert.equal(png.bytes.readUInt32BE(16), drawing.width * 2);
  await expectMessage(page, "Exported the plot to plot.png.");
  await context.close();
});

test("the address follows the setup in place, and a link opens it again", async () => {
  const { context, page } = await openExplorer(browser);
  const length = await page.evaluate(() => history.length);
  await button(page, "Scenario 2").click();
  await combobox(page, "Method").selectOption({ label: "Shepards Method (10)" });
  await combobox(page, "Compare with").selectOption({ label: "Gauss-Ave (50)" });
  await page.getByRole("slider", { name: "Station at 700" }).focus();
  for (let i = 0; i < 12; ++i) {
    await page.keyboard.press("ArrowLeft");
  }
  await page.waitForFunction(() => decodeURIComponent(location.hash).includes("688"));
  assert.equal(await page.evaluate(() => history.length), length, "one history entry for all edits");
  const hash = await page.evaluate(() => location.hash);
  assert.match(hash, /^#explore=%7B/);
  const expected = [0, 500, 550, 600, 650, 688, 750, 800, 850, 900, 950, 1000];
  assert.deepEqual(await stations(page), expected);

  const other = await openExplorer(browser, { hash });
  assert.deepEqual(await stations(other.page), expected);
  assert.equal(await combobox(other.page, "Method").inputValue(), "15");
  assert.equal(await combobox(other.page, "Compare with").inputValue(), "23");
  assert.equal(await button(other.page, "Undo").isDisabled(), true);
  assert.equal(await other.page.locator("#ex-alert").textContent(), "");
  assert.deepEqual(other.record.errors, []);
  await other.context.close();

  // To the tour and back: the same setup.
  await button(page, "Open the Tour").click();
  await page.waitForSelector("#Form1:not([hidden])");
  assert.equal(await page.evaluate(() => location.hash), "");
  await page.goBack();
  await page.waitForSelector("#explorer:not([hidden])");
  assert.deepEqual(await stations(page), expected);
  await context.close();
});

test("a bad link says why and opens the default setup; a bad address changes nothing", async () => {
  const fraction = JSON.stringify({
    format: "interp1d-tour setup", version: 1, field: "bump", stations: [0, 500.5, 1000],
  });
  const { context, page } = await openExplorer(browser, { hash: "#explore=" + encodeURIComponent(fraction) });
  await expectMessage(page, "This link's setup cannot be opened: stations[1]: 500.5 is not a whole number. " +
    "The explorer shows the default setup.", "alert");
  assert.deepEqual(await stations(page), SCENARIO_1);
  assert.equal(await combobox(page, "Method").inputValue(), "0");

  const broken = await openExplorer(browser, { hash: "#explore=%7B%22format%E0%A4%A" });
  assert.match(await message(broken.page, "alert"),
    /^This link's setup cannot be opened: the link's setup is not properly encoded/);
  assert.deepEqual(await stations(broken.page), SCENARIO_1);
  await broken.context.close();

  // An address typed over while the explorer is open.
  await button(page, "Scenario 2").click();
  await page.evaluate(() => {
    location.hash = "#explore=" + encodeURIComponent('{"format": "interp1d-tour setup", "version": 2}');
  });
  await page.waitForFunction(() => document.getElementById("ex-alert").textContent !== "");
  assert.match(await page.locator("#ex-alert").textContent(),
    /^This link's setup cannot be opened: .*version.* The setup shown has not changed\.$/);
  assert.equal((await stations(page)).length, 12);
  await context.close();
});

test("Copy Link copies the address, or offers it in a field to copy", async () => {
  const { context, page } = await openExplorer(browser);
  await context.grantPermissions(["clipboard-read", "clipboard-write"]);
  await button(page, "Scenario 3").click();
  await button(page, "Copy Link").click();
  await expectMessage(page, "Copied the link to this setup.");
  const copied = await page.evaluate(() => navigator.clipboard.readText());
  assert.equal(copied, await page.evaluate(() => location.href));
  assert.ok(copied.startsWith(pageUrl() + "#explore=%7B"), copied);

  await page.evaluate(() => {
    navigator.clipboard.writeText = () => Promise.reject(new Error("not allowed"));
    document.execCommand = () => false;
  });
  await button(page, "Copy Link").click();
  await expectMessage(page, "The link to this setup is in the field below: copy it from there.");
  const field = page.getByRole("textbox", { name: "Link to this setup" });
  assert.equal(await field.inputValue(), copied);
  assert.equal(await field.evaluate((input) =>
    input === document.activeElement && input.selectionEnd - input.selectionStart === input.value.length), true);
  await context.close();
});
