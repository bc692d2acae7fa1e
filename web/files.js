// The explorer's files and links: setups opened from a file and saved as
// one, the table, the curves and the plot exported, and the address, which
// carries the setup (#explore=SETUP) and follows every edit in place; while
// a lesson plays it carries the lesson instead (#lesson=LESSON).
"use strict";

const Files = (() => {
  const LARGEST_FILE = 1 << 20; // bytes, as the desktop reads them
  // Browsers allow a page only so many rewrites of its address in a while:
  // during a drag the address follows at most this often (milliseconds).
  const ADDRESS_EVERY = 250;

  const files = {
    session: null,
    waitingTable: false, // Export Table waits for leave-one-out
    shownLink: null,
    lessonLink: null, // the lesson's part of the address while one plays
    addressAt: -Infinity,
    addressTimer: 0,
  };

  function init(session) {
    files.session = session;
    const on = (id, what) => App.element(id).addEventListener("click", what);
    on("ex-open", openSetup);
    on("ex-save", saveSetup);
    on("ex-export-table", exportTable);
    on("ex-export-curves", exportCurves);
    on("ex-export-plot", togglePlotFormats);
    on("ex-export-png", () => exportPlot("png"));
    on("ex-export-svg", () => exportPlot("svg"));
    on("ex-copy-link", copyLink);
    App.element("ex-file").addEventListener("change", fileChosen);
    App.element("ex-plot-formats").addEventListener("keydown", (event) => {
      if (event.key === "Escape") {
        closePlotFormats();
        App.element("ex-export-plot").focus();
      }
    });
  }

  function download(name, data, type) {
    const blob = data instanceof Blob ? data : new Blob([data], { type });
    const url = URL.createObjectURL(blob);
    const link = document.createElement("a");
    link.href = url;
    link.download = name;
    link.hidden = true;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
  }

  // --- Setups.

  // With unsaved changes, asks first as the desktop does: true to go on.
  function mayDropChanges() {
    if (!Explorer.view().modified) {
      return Promise.resolve(true);
    }
    const dialog = App.element("ex-unsaved");
    return new Promise((resolve) => {
      dialog.addEventListener("close", () => {
        if (dialog.returnValue === "save") {
          saveSetup();
          resolve(true);
        } else {
          resolve(dialog.returnValue === "discard");
        }
      }, { once: true });
      dialog.returnValue = "cancel";
      dialog.showModal();
    });
  }

  async function openSetup() {
    if (await mayDropChanges()) {
      const input = App.element("ex-file");
      input.value = "";
      input.click();
    }
  }

  // The file chosen in the picker with the given id and its text, at most
  // 1 MB; or null after saying why not. what names the kind of file.
  async function chosenText(inputId, what) {
    const file = App.element(inputId).files[0];
    if (!file) {
      return null;
    }
    if (file.size > LARGEST_FILE) {
      Explorer.alert(`${file.name}: is too large for ${what} (over 1 MB)`);
      return null;
    }
    try {
      return { name: file.name, text: await file.text() };
    } catch (error) {
      Explorer.alert(`${file.name}: cannot be read (${error.message})`);
      return null;
    }
  }

  async function fileChosen() {
    const chosen = await chosenText("ex-file", "a setup file");
    if (!chosen) {
      return;
    }
    const error = Explorer.open(chosen.text, chosen.name);
    if (error) {
      Explorer.alert(`${chosen.name}: ${error}`);
      return;
    }
    Explorer.say(`Opened ${chosen.name}.`);
  }

  function saveSetup() {
    download("setup.json", files.session.setupText(), "application/json");
    files.session.markSaved();
    Explorer.refresh();
    Explorer.say("Saved setup.json.");
  }

  // --- Exports.

  function exportTable() {
    if (Explorer.view().looReady) {
      writeTable();
    } else if (!files.waitingTable) {
      files.waitingTable = true;
      Explorer.say("Waiting for the leave-one-out column\u2026 The table is exported when it is ready.");
    }
  }

  function writeTable() {
    files.waitingTable = false;
    download("scores.csv", files.session.scoresCsv(), "text/csv");
    Explorer.say("Exported the table to scores.csv.");
  }

  function exportCurves() {
    download("curves.csv", files.session.curvesCsv(), "text/csv");
    let done = "Exported the curves to curves.csv.";
    for (const fault of files.session.curvesFaults().split("\n")) {
      if (fault) {
        done += ` ${fault} Its columns are empty.`;
      }
    }
    Explorer.say(done);
  }

  function togglePlotFormats() {
    const list = App.element("ex-plot-formats");
    if (list.hidden) {
      list.hidden = false;
      App.element("ex-export-plot").setAttribute("aria-expanded", "true");
      App.element("ex-export-png").focus();
    } else {
      closePlotFormats();
    }
  }

  function closePlotFormats() {
    App.element("ex-plot-formats").hidden = true;
    App.element("ex-export-plot").setAttribute("aria-expanded", "false");
  }

  async function exportPlot(format) {
    closePlotFormats();
    App.element("ex-export-plot").focus();
    const scene = JSON.parse(files.session.scene(Explorer.fit()));
    const points = files.session.points();
    try {
      if (format === "svg") {
        download("plot.svg", Plot.svgText(scene, points), "image/svg+xml");
      } else {
        download("plot.png", await Plot.pngBlob(scene, points));
      }
      Explorer.say(`Exported the plot to plot.${format}.`);
    } catch (error) {
      Explorer.alert(`plot.${format}: ${error.message}`);
    }
  }

  // After every change: a table waiting for leave-one-out is written once
  // the column is complete; the address follows the setup.
  function afterChange(view) {
    if (files.waitingTable && view.looReady) {
      writeTable();
    }
    followAddress();
  }

  // --- Links.

  function address() {
    if (files.lessonLink !== null) {
      return App.LESSON + "=" + files.lessonLink;
    }
    return App.EXPLORE + "=" + encodeURIComponent(files.session.linkText());
  }

  // What the address shows: the lesson's link (percent-encoded, so never
  // "{...}"), or the setup's.
  function shownKey() {
    return files.lessonLink !== null ? files.lessonLink : files.session.linkText();
  }

  // The address is a link to the lesson (its part after "#lesson=") while
  // one plays; null: to the setup again.
  function showLesson(part) {
    files.lessonLink = part;
    App.element("ex-link-row").hidden = true;
    App.element("ex-link-label").textContent = part === null ? "Link to this setup" : "Link to this lesson";
    App.element("ex-copy-link").setAttribute("aria-description",
      `Copy a link that opens this ${part === null ? "setup" : "lesson"}`);
    writeAddress();
  }

  function followAddress() {
    if (!Explorer.visible()) {
      return;
    }
    const link = shownKey();
    if (link === files.shownLink || files.addressTimer) {
      return;
    }
    const wait = files.addressAt + ADDRESS_EVERY - performance.now();
    if (wait <= 0) {
      writeAddress();
    } else {
      files.addressTimer = setTimeout(writeAddress, wait);
    }
  }

  function writeAddress() {
    clearTimeout(files.addressTimer);
    files.addressTimer = 0;
    if (!Explorer.visible()) {
      return;
    }
    files.shownLink = shownKey();
    files.addressAt = performance.now();
    history.replaceState(history.state, "", location.pathname + location.search + address());
  }

  // The setup a link's part after "#explore=" carries: {text} or {error}.
  function linkSetup(part) {
    try {
      const text = decodeURIComponent(part);
      if (text.length > LARGEST_FILE) {
        return { error: "the link's setup is too large for a setup (over 1 MB)" };
      }
      return { text };
    } catch (error) {
      return { error: "the link's setup is not properly encoded (a % not followed by two hexadecimal digits)" };
    }
  }

  async function copyLink() {
    writeAddress();
    const url = location.href;
    const what = files.lessonLink === null ? "setup" : "lesson";
    const row = App.element("ex-link-row");
    const field = App.element("ex-link");
    field.value = url;
    try {
      await navigator.clipboard.writeText(url);
      row.hidden = true;
      Explorer.say(`Copied the link to this ${what}.`);
      return;
    } catch (error) {
      // Without the clipboard: the link in a field, selected for copying.
    }
    row.hidden = false;
    field.focus();
    field.select();
    let copied = false;
    try {
      copied = document.execCommand("copy");
    } catch (error) {
      copied = false;
    }
    Explorer.say(copied ? `Copied the link to this ${what}.`
      : `The link to this ${what} is in the field below: copy it from there.`);
  }

  return { init, afterChange, address, linkSetup, writeAddress, showLesson, mayDropChanges, chosenText };
})();
