// Lessons in the explorer in headless Chromium: a built-in lesson played
// through, its live numbers in two languages, edits and Reset Step, a step
// whose stations stay, links to lessons (and bad ones), markup in a lesson
// shown as text, bad lesson files, the tour's way in, a phone, the audit.
"use strict";

const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { launch, pageUrl, openTour } = require("./browser.js");
const {
  openExplorer, stations, plotPoint, expectMessage, offline, audit,
} = require("./explorer_page.js");

const LESSONS = path.resolve(__dirname, "../../data/lessons");
const readLesson = (name) => JSON.parse(fs.readFileSync(path.join(LESSONS, name), "utf8"));
const DEFAULT_STATIONS = Array.from({ length: 21 }, (_, i) => i * 50);

let browser;
let scratch;
before(async () => {
  browser = await launch();
  scratch = fs.mkdtempSync(path.join(os.tmpdir(), "interp1d-lessons-"));
});
after(async () => {
  await browser.close();
  fs.rmSync(scratch, { recursive: true, force: true });
});

const panel = (page) => page.getByRole("region", { name: "Lesson", exact: true });
const inPanel = (page, name) => panel(page).getByRole("button", { name, exact: true });
const stepLabel = (page) => page.locator("#lesson-step").textContent();
const lessonText = (page) => page.locator("#lesson-text").textContent();

async function chooseBuiltin(page, title) {
  await page.getByRole("group", { name: "Lessons", exact: true })
    .getByRole("button", { name: title, exact: true }).click();
  await page.waitForSelector("#lesson:not([hidden])");
}

// Waits for the lesson's text to hold (or to match) what is expected.
async function textHolds(page, expected) {
  const source = expected instanceof RegExp ? expected.source : null;
  try {
    await page.waitForFunction(({ source, expected }) => {
      const text = document.getElementById("lesson-text").textContent;
      return source !== null ? new RegExp(source).test(text) : text.includes(expected);
    }, { source, expected: source === null ? expected : "" }, { timeout: 30000 });
  } catch (error) {
    assert.fail(`the lesson's text ${JSON.stringify(await lessonText(page))} does not hold ${expected}`);
  }
}

// Opens a lesson file through Open Lesson; with unsaved changes, Discard
// answers the question first.
async function openLesson(page, file, { discard = false } = {}) {
  const [chooser] = await Promise.all([
    page.waitForEvent("filechooser"),
    (async () => {
      await page.getByRole("button", { name: "Open Lesson", exact: true }).click();
      if (discard) {
        await page.getByRole("dialog", { name: "Unsaved changes" }).getByRole("button", { name: "Discard" }).click();
      }
    })(),
  ]);
  await chooser.setFiles(file);
}

// Until the table holds every row and cell of the setup shown (the explorer
// keeps showing the last ones meanwhile).
function settled(page) {
  return page.waitForFunction(() => Explorer.view().tableReady && Explorer.view().looReady, null,
    { timeout: 60000 });
}

async function continueTo(page, label) {
  await inPanel(page, "Continue").click();
  assert.equal(await stepLabel(page), label);
}

function minimal(steps, title = "Two steps") {
  return { format: "interp1d-tour lesson", version: 1, title, steps };
}

const linkTo = (lesson) => "#lesson=" + encodeURIComponent(JSON.stringify(lesson));

function scratchFile(name, text) {
  const file = path.join(scratch, name);
  fs.writeFileSync(file, text);
  return file;
}

test("a built-in lesson from the page's list, played through to its end and back", async () => {
  const { context, page, record } = await openExplorer(browser);
  const lesson = readLesson("1-why-cross-validate.json");
  await chooseBuiltin(page, lesson.title);
  assert.equal(await panel(page).getByRole("heading", { level: 2 }).textContent(), lesson.title);
  assert.equal(await stepLabel(page), `Step 1 of ${lesson.steps.length}`);
  assert.equal(await page.locator("#lesson-step").getAttribute("aria-live"), "polite");
  await textHolds(page, "misses by only 0.009, kriging with the linear variogram by 0.010.");
  assert.equal(await page.locator("#lesson-text p").count(), 2);
  assert.deepEqual(await stations(page), lesson.steps[0].setup.stations);
  const builtin = await page.evaluate(() => JSON.parse(Module.builtinLessonsJson())[0].text);
  assert.equal(await page.evaluate(() => decodeURIComponent(location.hash.slice("#lesson=".length))), builtin);
  assert.equal(await inPanel(page, "Back").isDisabled(), true);

  // The choices clicked, by step: a wrong one, a right one, none, a right one.
  const clicked = new Map([[0, 0], [1, 1], [3, 0]]);
  const answer = (step) => panel(page).getByRole("group")
    .getByRole("button", { name: lesson.steps[step].question.choices[clicked.get(step)], exact: true }).click();
  await answer(0);
  const feedback = page.getByRole("status").filter({ hasText: "Not quite." });
  assert.equal(await feedback.textContent(), `Not quite. ${lesson.steps[0].question.explain}`);
  assert.deepEqual(await page.$$eval(".ex-lesson-choice", (list) => list.map((b) =>
    [b.disabled, b.className, b.querySelector(".ex-lesson-mark").textContent])),
  [[true, "ex-lesson-choice given wrong", "\u2717"], [true, "ex-lesson-choice right", "\u2713"]]);
  assert.equal(await inPanel(page, "Continue").evaluate((b) => b === document.activeElement), true);

  await continueTo(page, "Step 2 of 5");
  assert.equal(await page.locator("#lesson-feedback").textContent(), "");
  await answer(1);
  assert.equal(await page.locator("#lesson-feedback").textContent(), `Right. ${lesson.steps[1].question.explain}`);
  // A step gone back to shows its answer, which a second click cannot change.
  await inPanel(page, "Back").click();
  assert.equal(await stepLabel(page), "Step 1 of 5");
  assert.match(await page.locator("#lesson-feedback").textContent(), /^Not quite\. /);
  assert.equal(await page.locator(".ex-lesson-choice.given").textContent(),
    `${lesson.steps[0].question.choices[0]}\u2717 (your answer, wrong)`);
  await continueTo(page, "Step 2 of 5");
  await continueTo(page, "Step 3 of 5");
  await continueTo(page, "Step 4 of 5");
  await answer(3);
  await continueTo(page, "Step 5 of 5");
  assert.equal(await page.locator("#lesson-question").isHidden(), true);

  const questions = lesson.steps.filter((step) => step.question).length;
  const right = [...clicked].filter(([step, index]) => lesson.steps[step].question.answer === index).length;
  await inPanel(page, "Continue").click();
  assert.equal(await stepLabel(page), "The end of the lesson");
  assert.equal(await lessonText(page), `You answered ${right} of ${questions} questions right.`);
  assert.equal(await inPanel(page, "Continue").isDisabled(), true);
  assert.equal(await inPanel(page, "Reset Step").isDisabled(), true);
  assert.equal(await inPanel(page, "Back").evaluate((b) => b === document.activeElement), true);
  await inPanel(page, "Back").click();
  assert.equal(await stepLabel(page), "Step 5 of 5");
  assert.match(await lessonText(page), /^Your turn\./);
  assert.deepEqual(record.errors, []);
  await context.close();
});

test("the numbers take the browser's decimal separator; a lesson without questions ends so", async () => {
  const { context, page } = await openExplorer(browser, { locale: "de-DE" });
  await chooseBuiltin(page, "Why cross-validate?");
  await textHolds(page, "misses by only 0,009, kriging with the linear variogram by 0,010.");
  await page.goto(pageUrl() + linkTo(minimal([{ text: "Linear: {rms:Lin. Int.}" }], "No questions")));
  await page.waitForSelector("#lesson:not([hidden])");
  await textHolds(page, /^Linear: 0,\d{3}$/);
  await inPanel(page, "Continue").click();
  assert.equal(await lessonText(page), "You have worked through every step.");
  await context.close();
});

test("the numbers follow an edit; Reset Step brings the step back, as an edit Undo takes back", async () => {
  const { context, page, record } = await openExplorer(browser);
  await chooseBuiltin(page, "Why cross-validate?");
  for (const label of ["Step 2 of 5", "Step 3 of 5", "Step 4 of 5"]) {
    await continueTo(page, label);
  }
  const twelve = readLesson("1-why-cross-validate.json").steps[3].setup.stations;
  assert.deepEqual(await stations(page), twelve);
  await settled(page);
  await textHolds(page, /misses the truth by \d+\.\d{3} \(RMS\), yet its LOO error is only \d+\.\d{3}\./);
  const before = await lessonText(page);

  const gap = await plotPoint(page, 250);
  await page.mouse.click(gap.x, gap.y);
  assert.equal((await stations(page)).length, 13);
  await page.waitForFunction((before) => document.getElementById("lesson-text").textContent !== before &&
    /misses the truth by \d+\.\d{3} /.test(document.getElementById("lesson-text").textContent), before);
  const edited = await lessonText(page);
  assert.equal(await stepLabel(page), "Step 4 of 5");

  await inPanel(page, "Reset Step").click();
  assert.deepEqual(await stations(page), twelve);
  await textHolds(page, before);
  await page.getByRole("button", { name: "Undo", exact: true }).click();
  assert.equal((await stations(page)).length, 13);
  await textHolds(page, edited);
  assert.deepEqual(record.errors, []);
  await context.close();
});

test("a step with \"edit\": false keeps its stations; the next step, another lesson and Close free them", async () => {
  const { context, page } = await openExplorer(browser);
  const lesson = readLesson("3-where-the-stations-are.json");
  await chooseBuiltin(page, lesson.title);
  for (const label of ["Step 2 of 5", "Step 3 of 5", "Step 4 of 5"]) {
    await continueTo(page, label);
  }
  const fixed = lesson.steps[3].setup.stations;
  assert.deepEqual(await stations(page), fixed);
  const empty = await plotPoint(page, 250);
  await page.mouse.click(empty.x, empty.y);
  await expectMessage(page, "In this step the stations stay where they are.");
  await page.getByRole("slider", { name: "Station at 500", exact: true }).focus();
  await page.keyboard.press("ArrowRight");
  assert.deepEqual(await stations(page), fixed);

  await continueTo(page, "Step 5 of 5");
  await page.mouse.click(empty.x, empty.y);
  assert.equal((await stations(page)).length, fixed.length + 1);

  // A lesson opened over another one keeps its own first step's stations.
  const held = minimal([{ text: "Held.", setup: { stations: [0, 300, 1000] }, edit: false }, { text: "Free." }]);
  await openLesson(page, scratchFile("held.json", JSON.stringify(held)), { discard: true });
  await expectMessage(page, "Opened the lesson held.json.");
  await page.mouse.click(empty.x, empty.y);
  await expectMessage(page, "In this step the stations stay where they are.");
  assert.deepEqual(await stations(page), [0, 300, 1000]);
  await inPanel(page, "Close Lesson").click();
  assert.equal(await panel(page).count(), 0);
  assert.equal(await page.getByRole("button", { name: "Open Lesson" }).evaluate((b) => b === document.activeElement), true);
  assert.deepEqual(await stations(page), [0, 300, 1000], "closing leaves the explorer as it is");
  assert.match(await page.evaluate(() => location.hash), /^#explore=%7B/);
  await page.mouse.click(empty.x, empty.y);
  assert.equal((await stations(page)).length, 4);
  await context.close();
});

test("a link plays its lesson and stays the address; a bad link says why and opens the default", async () => {
  const own = minimal([
    { text: "Three stations.\n\nLinear interpolation misses by {rms:Lin. Int.}.",
      setup: { field: "bump", stations: [0, 400, 1000], method: { name: "linint" } },
      question: { ask: "Is this many stations enough?", choices: ["Yes", "No"], answer: 1, explain: "The bump falls between them." } },
    { text: "Now five.", setup: { stations: [0, 250, 500, 750, 1000] } },
  ]);
  const { context, page, record } = await openExplorer(browser, { hash: linkTo(own) });
  await context.grantPermissions(["clipboard-read", "clipboard-write"]);
  assert.equal(await panel(page).getByRole("heading").textContent(), "Two steps");
  assert.equal(await stepLabel(page), "Step 1 of 2");
  await textHolds(page, /^Three stations\.Linear interpolation misses by 0\.\d{3}\.$/);
  assert.deepEqual(await stations(page), [0, 400, 1000]);
  assert.equal(await panel(page).getByRole("group", { name: "Is this many stations enough?" }).count(), 1);
  const link = pageUrl() + linkTo(own);

  // Edits and steps leave the address a link to the lesson, which Copy Link copies.
  const at = await plotPoint(page, 700);
  await page.mouse.click(at.x, at.y);
  await continueTo(page, "Step 2 of 2");
  assert.deepEqual(await stations(page), [0, 250, 500, 750, 1000]);
  await page.waitForTimeout(300); // longer than the address waits between two rewrites
  assert.equal(await page.evaluate(() => location.href), link);
  await page.getByRole("button", { name: "Copy Link", exact: true }).click();
  await expectMessage(page, "Copied the link to this lesson.");
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()), link);
  offline(record.requests);
  assert.deepEqual(record.errors, []);
  await context.close();

  const bad = minimal([{ text: "Off by {rms:No Such Method}." }], "Bad");
  for (const [hash, problem] of [
    [linkTo(bad), 'step 1, text: {rms:No Such Method}: "No Such Method" is not a row of this step\'s table'],
    ["#lesson=%7B%E0%A4%A", "the link's lesson is not properly encoded (a % not followed by two hexadecimal digits)"],
  ]) {
    const opened = await openExplorer(browser, { hash });
    await expectMessage(opened.page,
      `This link's lesson cannot be opened:\n${problem}\nThe explorer shows the default setup.`, "alert");
    assert.deepEqual(await stations(opened.page), DEFAULT_STATIONS);
    assert.equal(await panel(opened.page).count(), 0);
    assert.match(await opened.page.evaluate(() => location.hash), /^#explore=%7B/);
    await opened.context.close();
  }
});

test("markup in a lesson is shown as its characters and runs nothing", async () => {
  const IMG = '<img src=x onerror="window.__hacked=1">';
  const SCRIPT = "<script>window.__hacked=2</script>";
  const lesson = minimal([{
    text: `Text ${IMG} and ${SCRIPT}.`,
    question: { ask: `Ask ${SCRIPT}`, choices: [`Choice ${IMG}`, SCRIPT], answer: 1, explain: `Because ${IMG}${SCRIPT}` },
  }], `Title ${IMG}${SCRIPT}`);
  const { context, page, record } = await openExplorer(browser, { hash: linkTo(lesson) });
  assert.equal(await panel(page).getByRole("heading").textContent(), `Title ${IMG}${SCRIPT}`);
  assert.equal(await lessonText(page), `Text ${IMG} and ${SCRIPT}.`);
  assert.ok((await page.locator("#lesson").textContent()).includes("<img src=x onerror="));
  await panel(page).getByRole("button", { name: `Choice ${IMG}`, exact: true }).click();
  assert.equal(await page.locator("#lesson-feedback").textContent(), `Not quite. Because ${IMG}${SCRIPT}`);
  // A problem that quotes markup is text in the alert too.
  const bad = minimal([{ text: `{rms:${IMG}}` }]);
  await openLesson(page, scratchFile("markup.json", JSON.stringify(bad)));
  await page.waitForFunction(() => document.getElementById("ex-alert").textContent !== "");
  assert.ok((await page.locator("#ex-alert").textContent()).includes(IMG));
  await page.waitForTimeout(100);
  assert.equal(await page.locator("#lesson img, #lesson script, #ex-alert img, #ex-alert script").count(), 0);
  assert.equal(await page.evaluate(() => window.__hacked), undefined);
  assert.deepEqual(record.errors, []);
  await context.close();
});

test("Open Lesson: a bad file says what is wrong, where, and changes nothing", async () => {
  const { context, page } = await openExplorer(browser);
  await chooseBuiltin(page, "The power in inverse distance");
  await continueTo(page, "Step 2 of 5");
  await page.getByRole("slider", { name: "Station at 500", exact: true }).focus();
  await page.keyboard.press("ArrowRight");
  const state = async () => [await stations(page), await stepLabel(page), await lessonText(page),
    await panel(page).getByRole("heading").textContent(), await page.evaluate(() => location.hash),
    await page.getByRole("button", { name: "Undo", exact: true }).isDisabled()];
  await settled(page);
  const shown = await state();

  const bad = minimal([
    { text: "One.", setup: { stations: [0, 1200, 1000] } },
    { text: "Two {max:Lin. Int.}", setup: { method: { name: "nosuch" } }, question: { ask: "?", choices: ["a"], answer: 3, explain: "" } },
  ]);
  await openLesson(page, scratchFile("bad.json", JSON.stringify(bad)), { discard: true });
  await page.waitForFunction(() => document.getElementById("ex-alert").textContent !== "");
  const lines = (await page.locator("#ex-alert").textContent()).split("\n");
  assert.equal(lines[0], "Cannot open the lesson bad.json:");
  assert.equal(lines.length, 3, lines.join("\n"));
  assert.match(lines[1], /^step 1, setup\.stations\[1\]: 1200 /);
  assert.match(lines[2], /^step 2, /);
  assert.deepEqual(await state(), shown);

  await openLesson(page, scratchFile("big.json", Buffer.alloc((1 << 20) + 1, 32)), { discard: true });
  await expectMessage(page, "big.json: is too large for a lesson (over 1 MB)", "alert");
  assert.deepEqual(await state(), shown);
  await context.close();
});

test("the tour's bar offers the lessons; the browser's Back returns to the lesson at its step", async () => {
  const { context, page } = await openTour(browser);
  const bar = page.getByRole("navigation", { name: "Views" });
  const menu = bar.getByRole("button", { name: "Lessons", exact: true });
  await menu.click();
  assert.equal(await menu.getAttribute("aria-expanded"), "true");
  await bar.getByRole("button", { name: "Where the stations are", exact: true }).click();
  await page.waitForSelector("#explorer:not([hidden]) #lesson:not([hidden])");
  assert.equal(await panel(page).getByRole("heading").textContent(), "Where the stations are");
  await continueTo(page, "Step 2 of 5");
  await page.getByRole("button", { name: "Open the Tour" }).click();
  await page.waitForSelector("#Form1:not([hidden])");
  await page.goBack();
  await page.waitForSelector("#explorer:not([hidden])");
  assert.equal(await stepLabel(page), "Step 2 of 5");
  await context.close();
});

test("with a lesson open: a phone's screen, large targets, and an audit that finds nothing", async () => {
  for (const options of [{}, { viewport: { width: 390, height: 844 }, hasTouch: true, isMobile: true }]) {
    const { context, page, record } = await openExplorer(browser, options);
    await chooseBuiltin(page, "Why cross-validate?");
    await panel(page).getByRole("button", { name: "The RMS error", exact: true }).click();
    await settled(page);
    if (options.isMobile) {
      assert.equal(await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth), true);
      const y = async (selector) => (await page.locator(selector).boundingBox()).y;
      assert.ok(await y("#lesson") > await y("#ex-svg") && await y("#lesson") < await y(".ex-side"));
      const small = await page.$$eval("#lesson button, #ex-lessons button, #ex-open-lesson", (list) =>
        list.map((e) => [e.textContent, e.getBoundingClientRect()])
          .filter(([, box]) => box.width < 24 || box.height < 24).map(([name]) => name));
      assert.deepEqual(small, []);
    }
    assert.deepEqual(await audit(page), []);
    offline(record.requests);
    assert.deepEqual(record.errors, []);
    await context.close();
  }
});
