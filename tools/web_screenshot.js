// Saves a screenshot of the page as the README shows it: the tour at stage 36
// of the first scenario, with --explorer the explorer on a layout moved by
// hand, ordinary kriging with its band compared with inverse distance, or
// with --lesson the first built-in lesson playing, its question answered
// (--phone: on a phone's screen, the whole page).
//   node tools/web_screenshot.js [--explorer | --lesson [--phone]] FILE.png
"use strict";

const { launch, pageUrl, TOUR_BAR } = require("../tests/web/browser.js");

// The explorer's setup in the picture.
const SETUP = {
  format: "interp1d-tour setup",
  version: 1,
  field: "bump",
  stations: [0, 120, 260, 380, 500, 610, 730, 1000],
  method: { name: "kriging", model: "linear" },
  compare: { name: "invdist", power: 2.5, displacement: 0 },
};

async function tour(browser, output) {
  const page = await browser.newPage({ viewport: { width: 933, height: 605 + TOUR_BAR } });
  await page.goto(pageUrl());
  await page.waitForSelector("#Form1:not([hidden])");
  for (let press = 0; press < 37; ++press) {
    await page.click("#Command1");
  }
  await page.mouse.move(0, 0);
  await page.screenshot({ path: output, clip: { x: 0, y: 0, width: 933, height: 605 } });
}

async function explorer(browser, output) {
  const page = await browser.newPage({ viewport: { width: 1280, height: 800 } });
  await page.goto(pageUrl() + "#explore=" + encodeURIComponent(JSON.stringify(SETUP)));
  await page.waitForSelector("#explorer:not([hidden]) .station");
  await page.waitForFunction(() =>
    document.getElementById("ex-loo-state").textContent === "Leave-one-out: ready", null, { timeout: 60000 });
  await page.evaluate(() => document.activeElement.blur());
  // The readout under the pointer, on the bump.
  const hit = await page.locator("#ex-stations .station .hit").nth(4).boundingBox();
  await page.mouse.move(hit.x + hit.width / 2 - 5, hit.y + hit.height / 2);
  await page.screenshot({ path: output });
}

async function lesson(browser, output, phone) {
  const page = await browser.newPage(phone
    ? { viewport: { width: 390, height: 844 }, hasTouch: true, isMobile: true, deviceScaleFactor: 2 }
    : { viewport: { width: 1280, height: 800 } });
  await page.goto(pageUrl() + "#explore");
  await page.waitForSelector("#explorer:not([hidden]) .station");
  await page.getByRole("group", { name: "Lessons", exact: true })
    .getByRole("button", { name: "Why cross-validate?", exact: true }).click();
  await page.getByRole("region", { name: "Lesson", exact: true })
    .getByRole("button", { name: "The LOO RMS error", exact: true }).click();
  await page.waitForFunction(() =>
    document.getElementById("ex-loo-state").textContent === "Leave-one-out: ready", null, { timeout: 60000 });
  await page.evaluate(() => document.activeElement.blur());
  await page.screenshot({ path: output, fullPage: phone });
}

(async () => {
  const args = process.argv.slice(2);
  const view = ["--explorer", "--lesson"].includes(args[0]) ? args.shift() : "";
  const phone = view === "--lesson" && args[0] === "--phone" ? Boolean(args.shift()) : false;
  const output = args[0];
  if (!output) {
    throw new Error("usage: node tools/web_screenshot.js [--explorer | --lesson [--phone]] FILE.png");
  }
  const browser = await launch();
  try {
    if (view === "--explorer") {
      await explorer(browser, output);
    } else if (view === "--lesson") {
      await lesson(browser, output, phone);
    } else {
      await tour(browser, output);
    }
  } finally {
    await browser.close();
  }
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
