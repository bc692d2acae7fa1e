// Debian's Chromium, headless, started so that it makes no connection of its
// own (no sync, no component updates, no background networking), with a
// fresh profile that Playwright creates and removes. Nothing is downloaded.
"use strict";

const path = require("node:path");
const { chromium } = require("playwright-core");

const CHROMIUM = "/usr/bin/chromium";
const PAGE = path.resolve(__dirname, "../../build/web/interp1d-tour.html");
// The height of the bar under the tour's window (the way to the explorer).
const TOUR_BAR = 40;

function launch(extraArgs = []) {
  return chromium.launch({
    executablePath: CHROMIUM,
    headless: true,
    args: [
      "--headless",
      "--no-sandbox",
      "--disable-gpu",
      "--disable-quic",
      "--no-first-run",
      "--disable-background-networking",
      "--disable-component-update",
      "--disable-sync",
      ...extraArgs,
    ],
  });
}

function pageUrl() {
  return "file://" + PAGE;
}

module.exports = { launch, pageUrl, PAGE, TOUR_BAR };
