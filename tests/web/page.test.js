// The page in headless Chromium, opened from disk and clicked like a user
// would: the real buttons, the keyboard, the plot's pixels, the end of the
// tour, a German browser, and a run-time error's dialog.
"use strict";

const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const { launch, pageUrl, openTour } = require("./browser.js");

const WELCOME =
  "Hello! This is just a short journey through the world of spatial interpolation.\n\n" +
  "If you are interested \nand if you have just a few minutes time \n" +
  "then you are cordially invited to press continue.";
const STAGE0 = "Imagine a one-dimensional world of 1000 units length.";
const ENTERING2 = "Now imagine what happens if the stations are not homogeneously distributed.";
const ENTERING3 = "Now imagine what happens if the climate is distributed different.";
const STAGE31 = "This is the empirical semi variogram in this case.";
const STAGE34 = "This one for example:";
const STAGE36 = "This is natural cubic spline interpolation.";
const CLOSING =
  "Ok, this is the end. Though this short journey offers some insight in the behaviour of " +
  "different methods there is much more which can not provided here because of lack of time " +
  "(and money, of course).\nI deliberately did not interprete the results here. But if you " +
  "have been alert it gave you quite a variety of information to think over.\n   Ciao, Orvel Tamberlin";

// The columns at stage 36 of each scenario, as the desktop shows them.
const METHODS = [
  "Near. Neighb.", "Lin. Int.", "Polynom", "Bezier Polynom", "Inv. Dist. (1)", "Inv. Dist. (2)",
  "Inv. Dist. (3)", "Inv. Dist. (5)", "Inv. Dist. (.5)", "Inv. Dist. (.01)",
  "Mod. Inv. Dist. (1,5)", "Mod. Inv. Dist. (1,50)", "Mod. Inv. Dist. (3,50)",
  "Mod. Inv. Dist. (3,5)", "Shepards Method (6)", "Shepards Method (10)",
  "Local Inv. Dist.(10)", "Local Inv. Dist.(6)", "Cressmann (200,2)", "Cressmann (200,4)",
  "Orvels Method (1,1)", "Orvels Method (1,2)", "Gauss-Ave (10)", "Gauss-Ave (50)",
  "Gauss-Ave (200)", "Exp-Ave (10)", "Exp-Ave (50)", "Exp-Ave (200)", "Kriging (Best Fit)",
  "Kriging (Linear)", "Exact Splines",
].join("\n");
const COLUMNS_AT_36 = {
  1: {
    rms: "0.047|0.010|0.069|0.143|0.127|0.034|0.028|0.034|0.237|0.326|0.149|0.224|0.055|0.026|0.013|0.017|0.087|0.050|0.075|0.046|0.023|0.014|0.041|0.026|0.186|0.023|0.070|0.231|0.009|0.010|0.001",
    max: "0.173|0.035|0.334|0.389|0.382|0.121|0.084|0.108|0.598|0.792|0.410|0.549|0.160|0.075|0.044|0.062|0.261|0.159|0.202|0.126|0.077|0.046|0.140|0.071|0.477|0.067|0.184|0.571|0.026|0.035|0.002",
  },
  2: {
    rms: "0.337|0.241|661.805|0.163|0.182|0.179|0.221|0.276|0.246|0.327|0.191|0.237|0.203|0.218|0.306|0.253|0.189|0.234|0.335|0.336|0.248|0.268|0.337|0.333|0.280|0.329|0.274|0.265|0.614|0.356|0.419",
    max: "1.000|0.552|2008.094|0.486|0.339|0.434|0.559|0.748|0.554|0.774|0.359|0.488|0.506|0.553|0.880|0.625|0.353|0.487|1.000|1.000|0.538|0.584|1.000|0.994|0.663|0.982|0.766|0.517|1.429|0.764|0.905",
  },
  3: {
    rms: "0.045|0.047|9.120|0.127|0.124|0.047|0.038|0.037|0.223|0.300|0.144|0.214|0.072|0.039|0.043|0.045|0.100|0.076|0.106|0.083|0.053|0.049|0.038|0.065|0.192|0.038|0.092|0.223|0.049|0.047|0.047",
    max: "0.700|0.350|60.443|0.364|0.360|0.348|0.350|0.350|0.403|0.583|0.363|0.422|0.347|0.350|0.350|0.350|0.350|0.350|0.350|0.350|0.350|0.350|0.350|0.350|0.454|0.350|0.349|0.459|0.351|0.350|0.350",
  },
};
const rows = (joined) => joined.split("|").join("\n");

// Presses of Continue from start-up that reach (scenario, stage) on the way
// forward: stages 0..36 of scenario 1, then from each transition screen
// (stage 1) on to 36, then the closing text.
function pressesTo(scenario, stage) {
  if (scenario === 1) {
    return stage + 1;
  }
  return 37 + (scenario - 2) * 36 + stage;
}
const PRESSES_TO_CLOSING = pressesTo(3, 36) + 1;

let browser;
before(async () => {
  browser = await launch();
});
after(async () => {
  await browser.close();
});

function text(page, id) {
  return page.evaluate((id) => document.getElementById(id).textContent, id);
}

function visible(page, id) {
  return page.isVisible("#" + id);
}

async function pressContinue(page, times = 1) {
  for (let i = 0; i < times; ++i) {
    await page.click("#Command1");
  }
}

async function pressBack(page, times = 1) {
  for (let i = 0; i < times; ++i) {
    await page.click("#Command2");
  }
}

async function columns(page) {
  return {
    method: await text(page, "Label5"),
    rms: await text(page, "Label6"),
    max: await text(page, "Label7"),
  };
}

// Colours of canvas pixels, in the canvas's own (device) pixels.
function pixels(page, points) {
  return page.evaluate((points) => {
    const canvas = document.getElementById("Picture1");
    const ctx = canvas.getContext("2d");
    return points.map(([x, y]) => Array.from(ctx.getImageData(x, y, 1, 1).data.slice(0, 3)));
  }, points);
}

// Whether some pixel of the canvas column at world position x, between the
// values top and bottom, has exactly the colour.
function columnHas(page, x, top, bottom, colour) {
  return page.evaluate(
    ({ x, top, bottom, colour }) => {
      const canvas = document.getElementById("Picture1");
      const column = Math.floor((x / 1000) * canvas.width);
      const row = (value) => Math.round(((1.2 - value) / 1.3) * canvas.height);
      const y1 = row(top);
      const data = canvas.getContext("2d").getImageData(column, y1, 1, row(bottom) - y1).data;
      for (let i = 0; i < data.length; i += 4) {
        if (data[i] === colour[0] && data[i + 1] === colour[1] && data[i + 2] === colour[2]) {
          return true;
        }
      }
      return false;
    },
    { x, top, bottom, colour }
  );
}

const WHITE = [255, 255, 255];
const GREEN = [0, 255, 0];
const BLACK = [0, 0, 0];
const RED = [255, 0, 0];

test("opens from disk with no network request and shows the start-up state", async () => {
  const { context, page, record } = await openTour(browser);
  assert.equal(await page.title(),
    "One-dimensional Interpolation; An overview by Orvel Tamberlin (interp1d-tour@example.org)");
  assert.equal(await text(page, "Label1"), WELCOME);
  for (const id of ["Label5", "Label6", "Label7"]) {
    assert.equal(await text(page, id), "");
  }
  for (const id of ["Label2", "Label3", "Label4", "Label0", "Label1000"]) {
    assert.equal(await visible(page, id), false, id);
  }
  assert.equal(await page.evaluate(() => document.activeElement.id), "Picture1");
  const corners = await pixels(page, [[2, 2], [590, 2], [2, 414], [590, 414], [296, 208]]);
  assert.deepEqual(corners, [WHITE, WHITE, WHITE, WHITE, WHITE]);

  // The names screen readers read, and the tooltip.
  await page.getByRole("img", { name: "Plot of the true field, stations and estimate" }).waitFor();
  await page.getByRole("button", { name: "Continue" }).waitFor();
  await page.getByRole("button", { name: "Back" }).waitFor();
  await page.getByRole("group", { name: "Narrative" }).waitFor();
  assert.equal(await page.getAttribute("#Label3", "title"), "Mean Squred Error");

  await pressContinue(page, pressesTo(1, 36));
  assert.deepEqual(record.requests, [pageUrl()]);
  assert.deepEqual(record.errors, []);
  await context.close();
});

test("the whole forward tour with the real buttons", async () => {
  const { context, page, record } = await openTour(browser);
  await pressContinue(page);
  assert.equal(await text(page, "Label1"), STAGE0);
  assert.equal(await visible(page, "Label0"), true);
  assert.equal(await visible(page, "Label1000"), true);
  assert.equal(await visible(page, "Label2"), false);

  await pressContinue(page, pressesTo(1, 3) - pressesTo(1, 0));
  assert.match(await text(page, "Label1"), /^Ok, this is Nearest-Neighbour Approximation/);
  for (const id of ["Label2", "Label3", "Label4"]) {
    assert.equal(await visible(page, id), true, id);
  }
  assert.deepEqual(await columns(page), { method: "Near. Neighb.", rms: "0.047", max: "0.173" });

  await pressContinue(page, pressesTo(1, 36) - pressesTo(1, 3));
  assert.equal(await text(page, "Label1"), STAGE36);
  assert.deepEqual(await columns(page),
    { method: METHODS, rms: rows(COLUMNS_AT_36[1].rms), max: rows(COLUMNS_AT_36[1].max) });
  // The 31 rows fit their labels, aligned across the three columns.
  const fits = await page.evaluate(() =>
    ["Label5", "Label6", "Label7"].map((id) => {
      const label = document.getElementById(id);
      return label.scrollHeight <= label.clientHeight;
    }));
  assert.deepEqual(fits, [true, true, true]);

  await pressContinue(page);
  assert.equal(await text(page, "Label1"), ENTERING2);
  assert.equal((await columns(page)).rms, rows(COLUMNS_AT_36[1].rms)); // kept until stage 3

  await pressContinue(page, pressesTo(2, 36) - pressesTo(2, 1));
  assert.deepEqual(await columns(page),
    { method: METHODS, rms: rows(COLUMNS_AT_36[2].rms), max: rows(COLUMNS_AT_36[2].max) });

  await pressContinue(page);
  assert.equal(await text(page, "Label1"), ENTERING3);
  await pressContinue(page);
  assert.equal(await text(page, "Label1"), ""); // scenario 3 has no text of its own here
  await pressContinue(page, pressesTo(3, 31) - pressesTo(3, 2));
  assert.match(await text(page, "Label1"), new RegExp("^" + STAGE31));
  await pressContinue(page, pressesTo(3, 36) - pressesTo(3, 31));
  assert.deepEqual(await columns(page),
    { method: METHODS, rms: rows(COLUMNS_AT_36[3].rms), max: rows(COLUMNS_AT_36[3].max) });

  await pressContinue(page);
  assert.equal(await text(page, "Label1"), CLOSING);
  assert.deepEqual(record.errors, []);
  await context.close();
});

test("the plot shows the white background, green truth, black stems and red estimate", async () => {
  for (const deviceScaleFactor of [1, 2]) {
    const { context, page } = await openTour(browser, { deviceScaleFactor });
    const size = await page.evaluate(() => {
      const canvas = document.getElementById("Picture1");
      return [canvas.width, canvas.height];
    });
    assert.deepEqual(size, [593 * deviceScaleFactor, 417 * deviceScaleFactor]);

    await pressContinue(page, pressesTo(1, 2)); // truth and stations, no estimate
    assert.deepEqual(await pixels(page, [[4 * deviceScaleFactor, 4 * deviceScaleFactor]]), [WHITE]);
    assert.equal(await columnHas(page, 410, 1.2, -0.1, GREEN), true, "truth at 410");
    assert.equal(await columnHas(page, 500, 0.9, 0.1, BLACK), true, "stem at 500");
    assert.equal(await columnHas(page, 500, 1.1, 0.9, RED), true, "dot on the stem at 500");
    assert.equal(await columnHas(page, 420, 1.2, -0.1, RED), false, "no estimate yet");

    await pressContinue(page); // nearest neighbour: steps beside the bump
    assert.equal(await columnHas(page, 420, 1.2, -0.1, RED), true, "estimate at 420");
    await context.close();
  }
});

test("Back follows the tour's rules", async () => {
  const { context, page } = await openTour(browser);
  await pressBack(page); // nothing before the start
  assert.equal(await text(page, "Label1"), WELCOME);
  await pressContinue(page, 2);
  await pressBack(page);
  assert.equal(await text(page, "Label1"), STAGE0);
  await pressBack(page); // stage 0 is the first
  assert.equal(await text(page, "Label1"), STAGE0);

  await pressContinue(page, pressesTo(1, 5) - pressesTo(1, 0));
  await pressBack(page);
  assert.match(await text(page, "Label1"), /^Much better, but a bit edgy/);
  assert.equal((await columns(page)).method, "Near. Neighb.\nLin. Int.\nPolynom");
  await pressContinue(page); // stage 5 again lists the polynomial twice
  assert.equal((await columns(page)).method, "Near. Neighb.\nLin. Int.\nPolynom\nPolynom");

  await pressContinue(page, 36 - 5);
  const at36 = await columns(page);
  await pressBack(page);
  assert.equal(await text(page, "Label1"), STAGE34);
  await pressBack(page);
  assert.match(await text(page, "Label1"), new RegExp("^" + STAGE31));
  await pressBack(page);
  assert.match(await text(page, "Label1"), /^This is exponential-weighted averaging with a scale factor of 200\./);
  assert.deepEqual(await columns(page), at36);

  await pressContinue(page, 36 - 30 + 1); // on to the scenario-2 transition
  assert.equal(await text(page, "Label1"), ENTERING2);
  await pressBack(page);
  assert.equal(await text(page, "Label1"), STAGE36);
  assert.deepEqual(await columns(page), { method: "", rms: "", max: "" });
  await pressContinue(page);
  assert.equal(await text(page, "Label1"), ENTERING2);
  await context.close();
});

test("Continue after the closing text ends the tour and offers to start again", async () => {
  const { context, page } = await openTour(browser);
  await pressContinue(page, PRESSES_TO_CLOSING);
  assert.equal(await text(page, "Label1"), CLOSING);
  await pressBack(page);
  assert.equal(await text(page, "Label1"), STAGE36);
  await pressContinue(page);
  assert.equal(await text(page, "Label1"), CLOSING);

  await pressContinue(page);
  assert.equal(await visible(page, "Form1"), false);
  assert.equal(await text(page, "ended-text"), "The tour has ended.");
  assert.equal(await page.evaluate(() => document.activeElement.id), "again");
  await page.keyboard.press("Enter");
  assert.equal(await visible(page, "Form1"), true);
  assert.equal(await text(page, "Label1"), WELCOME);
  assert.equal(await visible(page, "Label2"), false);
  await pressContinue(page, pressesTo(1, 3));
  assert.deepEqual(await columns(page), { method: "Near. Neighb.", rms: "0.047", max: "0.173" });
  await context.close();
});

test("Tab moves from the plot to Continue to Back; Space and Enter press", async () => {
  const { context, page } = await openTour(browser);
  const focused = () => page.evaluate(() => document.activeElement.id);
  assert.equal(await focused(), "Picture1");
  await page.keyboard.press("Tab");
  assert.equal(await focused(), "Command1");
  await page.keyboard.press("Space");
  assert.equal(await text(page, "Label1"), STAGE0);
  await page.keyboard.press("Enter");
  assert.match(await text(page, "Label1"), /^With only one climatic variable/);
  await page.keyboard.press("Tab");
  assert.equal(await focused(), "Command2");
  await page.keyboard.press("Space");
  assert.equal(await text(page, "Label1"), STAGE0);
  await page.keyboard.press("Shift+Tab");
  await page.keyboard.press("Shift+Tab");
  assert.equal(await focused(), "Picture1");
  await context.close();
});

test("the busy pointer shows while a stage runs, the arrow afterwards", async () => {
  const { context, page } = await openTour(browser);
  // The classes the page's root had before each change: "busy" among them
  // means the hourglass was up while the stage ran.
  await page.evaluate(() => {
    window.classesBefore = [];
    new MutationObserver((records) => {
      for (const record of records) {
        window.classesBefore.push(record.oldValue || "");
      }
    }).observe(document.documentElement, {
      attributes: true,
      attributeFilter: ["class"],
      attributeOldValue: true,
    });
  });
  await pressContinue(page);
  assert.deepEqual(await page.evaluate(() => window.classesBefore), ["", "busy"]);
  assert.equal(await page.evaluate(() => getComputedStyle(document.body).cursor), "default");
  assert.equal(await page.evaluate(() => document.documentElement.classList.contains("busy")),
    false);
  await context.close();
});

test("a German browser shows decimal commas", async () => {
  const { context, page } = await openTour(browser, { locale: "de-DE" });
  await pressContinue(page, pressesTo(1, 36));
  const comma = (joined) => rows(joined).replaceAll(".", ",");
  assert.deepEqual(await columns(page),
    { method: METHODS, rms: comma(COLUMNS_AT_36[1].rms), max: comma(COLUMNS_AT_36[1].max) });
  await context.close();
});

test("the page scales the window uniformly to fit, and its text is real text", async () => {
  const { context, page } = await openTour(browser, { viewport: { width: 1866, height: 1400 } });
  const box = await page.locator("#Form1").boundingBox();
  assert.ok(Math.abs(box.width - 1866) < 1 && Math.abs(box.height - 1210) < 1, JSON.stringify(box));
  assert.deepEqual(await page.evaluate(() => {
    const canvas = document.getElementById("Picture1");
    return [canvas.width, canvas.height];
  }), [1186, 834]);
  await page.setViewportSize({ width: 600, height: 900 });
  await page.waitForFunction(() =>
    Math.abs(document.getElementById("Form1").getBoundingClientRect().width - 600) < 1);
  const narrow = await page.locator("#Form1").boundingBox();
  assert.ok(Math.abs(narrow.width - 600) < 1, JSON.stringify(narrow));
  assert.ok(Math.abs(narrow.width / narrow.height - 933 / 605) < 0.01, JSON.stringify(narrow));

  await page.dblclick("#Label1", { position: { x: 10, y: 6 } });
  assert.equal(await page.evaluate(() => window.getSelection().toString().trim()), "Hello");
  assert.equal(await page.evaluate(() => document.fonts.check('12px "Liberation Sans"')), true);
  await context.close();
});

test("a run-time error shows the desktop's text in a modal box and stops the tour", async () => {
  const { context, page } = await openTour(browser);
  await pressContinue(page, 3);
  // The tour's own data never faults: the click reports one as a fault would.
  await page.evaluate(() => {
    window.faultyPresses = 0;
    Module.Tour.prototype.pressContinue = function () {
      window.faultyPresses += 1;
      return "Run-time error: Overflow";
    };
  });
  await pressContinue(page);
  const dialog = page.getByRole("dialog");
  await dialog.waitFor();
  assert.equal(await text(page, "message-text"), "Run-time error: Overflow");
  assert.equal(await page.evaluate(() => document.getElementById("message").matches(":modal")), true);
  await page.click("#message-ok");
  await page.waitForSelector("#ended:not([hidden])");
  assert.equal(await visible(page, "Form1"), false);
  assert.equal(await text(page, "ended-text"), "The tour has stopped after a run-time error.");
  await page.evaluate(() => document.getElementById("Command1").click());
  assert.equal(await page.evaluate(() => window.faultyPresses), 1);
  await context.close();
});

test("a solver's message is shown in a box and the tour carries on", async () => {
  const { context, page } = await openTour(browser);
  await page.evaluate(() => {
    const take = Module.Tour.prototype.takeMessages;
    Module.Tour.prototype.takeMessages = function () {
      const list = take.call(this);
      list.push_back("Matrix has no unique solution");
      Module.Tour.prototype.takeMessages = take;
      return list;
    };
  });
  await pressContinue(page);
  await page.getByRole("dialog").waitFor();
  assert.equal(await text(page, "message-text"), "Matrix has no unique solution");
  await page.keyboard.press("Enter");
  await page.waitForSelector("#message", { state: "hidden" });
  assert.equal(await text(page, "Label1"), STAGE0);
  await pressContinue(page);
  assert.match(await text(page, "Label1"), /^With only one climatic variable/);
  await context.close();
});
