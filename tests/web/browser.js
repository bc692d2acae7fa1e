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

// A fresh page of the file at hash, once selector shows, its requests and
// errors recorded; init, [function, argument], runs first in every page.
async function openPage(browser, { hash = "", selector, init = null, ...options }) {
  const context = await browser.newContext({ deviceScaleFactor: 1, ...options });
  if (init) {
    await context.addInitScript(...init);  // before the page's own scripts
  }
  const page = await context.newPage();
  const record = { requests: [], errors: [] };
  context.on("request", (request) => record.requests.push(request.url()));
  page.on("pageerror", (error) => record.errors.push(error.message));
  page.on("console", (message) => {
    if (message.type() === "error") {
      record.errors.push(message.text());
    }
  });
  await page.goto(pageUrl() + hash);
  await page.waitForSelector(selector);
  return { context, page, record };
}

// The tour at its design size, with the bar under the window that leads to
// the explorer.
function openTour(browser, options = {}) {
  return openPage(browser, {
    viewport: { width: 933, height: 605 + TOUR_BAR },
    selector: "#Form1:not([hidden])",
    ...options,
  });
}

module.exports = { launch, pageUrl, openPage, openTour, PAGE, TOUR_BAR };
