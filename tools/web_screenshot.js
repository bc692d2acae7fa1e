// Saves a screenshot of the page as the README shows it: the tour at stage 36
// of the first scenario, or with --explorer the explorer on a layout moved by
// hand, ordinary kriging with its band compared with inverse distance.
//   node tools/web_screenshot.js [--explorer] FILE.png
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

(async () => {
  const args = process.argv.slice(2);
  const explore = args[0] === "--explorer";
  const output = explore ? args[1] : args[0];
  if (!output) {
    throw new Error("usage: node tools/web_screenshot.js [--explorer] FILE.png");
  }
  const browser = await launch();
  try {
    await (explore ? explorer : tour)(browser, output);
  } finally {
    await browser.close();
  }
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
