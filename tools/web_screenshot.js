// Saves a screenshot of the page at stage 36 of the first scenario, as the
// README shows it: node tools/web_screenshot.js FILE.png
"use strict";

const { launch, pageUrl } = require("../tests/web/browser.js");

(async () => {
  const output = process.argv[2];
  if (!output) {
    throw new Error("usage: node tools/web_screenshot.js FILE.png");
  }
  const browser = await launch();
  try {
    const page = await browser.newPage({ viewport: { width: 933, height: 605 } });
    await page.goto(pageUrl());
    await page.waitForSelector("#Form1:not([hidden])");
    for (let press = 0; press < 37; ++press) {
      await page.click("#Command1");
    }
    await page.mouse.move(0, 0);
    await page.screenshot({ path: output });
  } finally {
    await browser.close();
  }
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
