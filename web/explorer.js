// The explorer's page: a view of the module's explorer session, as the
// desktop explorer is. Every gesture goes to the session, which takes or
// refuses it; after each the page reads back what the session holds (its
// view, as JSON) and shows it: the controls, the table, the plot, the
// messages. Nothing here decides what an edit does.
"use strict";

const Explorer = (() => {
  const element = App.element;
  const TOUR_TITLE = document.title;

  const ex = {
    session: null,
    catalogue: null,
    view: null,
    revision: -1,
    sceneKey: "",
    fileName: "", // of the setup file opened, for the title
    parameterKeys: "",
    controlsKey: "", // what the controls show
    dirty: new Set(), // parameter fields typed in and not yet applied
    visible: false,
    drawnOnce: false,
    readout: null, // formatter
    frameStart: null, // when the drag's edit waiting for its table was made
    watchers: [], // called with the view after each drawing (the lesson)
  };

  // --- Messages: refusals and what a file did in the status region,
  // errors in the alert region.

  const announcing = {};

  // The region is emptied first and filled a frame later, so that the same
  // text again is read out again.
  function announce(id, text) {
    const region = element(id);
    region.textContent = "";
    cancelAnimationFrame(announcing[id]);
    if (text) {
      announcing[id] = requestAnimationFrame(() => {
        region.textContent = text;
      });
    }
  }

  function say(text) {
    announce("ex-alert", "");
    announce("ex-status", text);
  }

  function alert(text) {
    announce("ex-status", "");
    announce("ex-alert", text);
  }

  // --- The session's gestures.

  // Runs a gesture and shows what follows; a refused one shows its reason.
  function act(gesture) {
    const accepted = gesture(ex.session);
    refresh();
    if (accepted === false) {
      say(ex.view.refusal);
    } else if (accepted === true && element("ex-status").dataset.refusal === "true") {
      say("");
    }
    element("ex-status").dataset.refusal = accepted === false ? "true" : "false";
    return accepted;
  }

  // After anything reached the session: shows what changed, hands a waiting
  // leave-one-out job to the worker, lets the files and the address follow.
  function refresh() {
    const s = ex.session;
    Scoring.pump();  // the workers score while the page draws
    if (s.revision !== ex.revision) {
      ex.revision = s.revision;
      ex.view = JSON.parse(s.view());
      render();
    } else if (ex.view.tableReady) {
      finishFrame(false);  // an edit that changed nothing draws no frame
    }
    Loo.pump();
    Files.afterChange(ex.view);
  }

  // A frame of a drag starts with its edit and ends when the table it asks
  // for is drawn.
  function frameStarted(start) {
    if (ex.frameStart === null) {
      ex.frameStart = start;
    }
  }

  function render() {
    const view = ex.view;
    showControls(view);
    showTitle();
    // The plot's rows are scored at once; the table's others may follow
    // from the workers.
    const key = ex.session.linkText() + "|" + view.selected + "|" + element("ex-fit").checked;
    if (key !== ex.sceneKey) {
      ex.sceneKey = key;
      const scene = JSON.parse(ex.session.scene(element("ex-fit").checked));
      Plot.showScene(scene, ex.session.points());
      showNotes(scene.notes);
      showReadout(Plot.hoverX());
    }
    showText(element("ex-loo-state"), view.looReady ? "Leave-one-out: ready"
      : "Leave-one-out: computing\u2026");
    if (!view.tableReady) {
      Plot.showStations(view.stations, view.selected);
      rendered(view);
      return;
    }
    Table.show(view, !Plot.dragging());  // the titles wait while a station is dragged
    Plot.showStations(view.stations, view.selected);
    rendered(view);
    finishFrame();
  }

  // Whatever else shows the session follows each drawing: a new setup, rows
  // from the workers, leave-one-out cells.
  function onRender(watcher) {
    ex.watchers.push(watcher);
  }

  function rendered(view) {
    for (const watcher of ex.watchers) {
      watcher(view);
    }
  }

  function finishFrame(drawn = true) {
    if (ex.frameStart !== null) {
      if (drawn) {
        performance.measure("explorer-drag-frame", { start: ex.frameStart, end: performance.now() });
      }
      ex.frameStart = null;
    }
    Plot.tableShown();
  }

  // A text is written only when it changes: a frame of a drag leaves most
  // of the page as it was.
  function showText(node, text) {
    if (node.textContent !== text) {
      node.textContent = text;
    }
  }

  function showTitle() {
    if (ex.visible) {
      const name = ex.fileName || "Untitled";
      document.title = `${name}${ex.view.modified ? "*" : ""} - Interpolation Explorer`;
    }
  }

  function showNotes(notes) {
    const list = element("ex-notes");
    list.replaceChildren(...notes.map((note) => {
      const item = document.createElement("li");
      item.textContent = note;
      return item;
    }));
    list.hidden = notes.length === 0;
  }

  // The values under the pointer, as the desktop's line under the plot.
  function showReadout(x) {
    const text = element("ex-readout");
    const readout = x === null || x === undefined ? null : JSON.parse(ex.session.readout(x));
    if (!readout) {
      text.textContent = "Point at the plot to read the values there.";
      return;
    }
    const number = (value) => ex.readout.format(value);
    let line = `x = ${readout.x}    true field ${number(readout.truth)}`;
    if (readout.chosen) {
      line += `    ${readout.chosen.label}: ${number(readout.chosen.value)}`;
      if (readout.twoSigma !== null) {
        line += ` \u00b1 2\u03c3 ${number(readout.twoSigma)}`;
      } else if (readout.variance !== null) {
        line += ` (\u00b1 2\u03c3: none, the variance is ${number(readout.variance)})`;
      }
    }
    if (readout.compared) {
      line += `    ${readout.compared.label}: ${number(readout.compared.value)}`;
    }
    showText(text, line);
  }

  // --- The controls.

  function option(select, value, label) {
    const item = document.createElement("option");
    item.value = String(value);
    item.textContent = label;
    select.appendChild(item);
    return item;
  }

  function buildControls() {
    const catalogue = ex.catalogue;
    catalogue.fields.forEach((field, index) => option(element("ex-field"), index, field.label));
    catalogue.methods.forEach((label, index) => option(element("ex-method"), index, label));
    const compare = element("ex-compare");
    option(compare, -1, "(nothing)");
    catalogue.methods.forEach((label, index) => option(compare, index, label));

    for (const scenario of [1, 2, 3]) {
      element(`ex-scenario-${scenario}`).addEventListener("click",
        () => act((s) => s.loadPreset(scenario)));
    }
    element("ex-field").addEventListener("change",
      (event) => act((s) => s.setField(Number(event.target.value))));
    element("ex-method").addEventListener("change",
      (event) => act((s) => s.chooseMethod(Number(event.target.value))));
    element("ex-compare").addEventListener("change", (event) => {
      if (event.target.value !== "own") { // the compared method's own values, already shown
        act((s) => s.chooseCompare(Number(event.target.value)));
      }
    });
    element("ex-remove").addEventListener("click", () => act((s) => s.removeSelected()));
    element("ex-tour-values").addEventListener("click", () => act((s) => s.useTourValues()));
    element("ex-undo").addEventListener("click", undo);
    element("ex-redo").addEventListener("click", redo);
    element("ex-fit").addEventListener("change", () => refreshScene());
    document.addEventListener("keydown", shortcut);
  }

  function undo() {
    ex.session.undo();
    refresh();
  }

  function redo() {
    ex.session.redo();
    refresh();
  }

  function refreshScene() {
    ex.sceneKey = "";
    render();
  }

  // Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y, except in a field being typed in,
  // which undoes its own typing.
  function shortcut(event) {
    if (!ex.visible || !(event.ctrlKey || event.metaKey) || event.altKey) {
      return;
    }
    const target = event.target;
    if (target instanceof HTMLInputElement && target.type === "text" && !target.readOnly) {
      return;
    }
    if (document.querySelector("dialog[open]")) {
      return;
    }
    const key = event.key.toLowerCase();
    if (key === "z" && !event.shiftKey) {
      event.preventDefault();
      undo();
    } else if ((key === "z" && event.shiftKey) || (key === "y" && !event.shiftKey)) {
      event.preventDefault();
      redo();
    }
  }

  // The controls show the setup and the history; a frame of a drag changes
  // neither, only the count's line about the selected station.
  function showControls(view) {
    showCount(view);
    const key = JSON.stringify([view.field, view.method, view.compare, view.compareOwn, view.parameters,
      view.tourValues, view.undo, view.redo, view.canRemove]);
    if (key === ex.controlsKey) {
      return;
    }
    ex.controlsKey = key;
    element("ex-field").value = String(ex.catalogue.fields.findIndex((f) => f.name === view.field));
    element("ex-method").value = String(view.method);
    showCompare(view);
    showParameters(view);
    const undoButton = element("ex-undo");
    undoButton.disabled = view.undo === null;
    undoButton.title = view.undo === null ? "" : `Undo ${view.undo}`;
    const redoButton = element("ex-redo");
    redoButton.disabled = view.redo === null;
    redoButton.title = view.redo === null ? "" : `Redo ${view.redo}`;
    element("ex-remove").disabled = !view.canRemove;
  }

  function showCount(view) {
    let count = `${view.stations.length} stations (3 to 21).`;
    const selected = view.stations.find((station) => station.x === view.selected);
    if (selected) {
      count += ` Selected: the station at ${selected.x}, observing ${ex.readout.format(selected.value)}.`;
    } else {
      count += " Click or tap the plot to add a station, drag one to move it.";
    }
    showText(element("ex-count"), count);
  }

  // A compared method with values of its own (from a setup file or a link)
  // is shown under its label after the tour's methods.
  function showCompare(view) {
    const select = element("ex-compare");
    let own = select.querySelector('option[value="own"]');
    if (view.compareOwn !== null) {
      if (!own) {
        own = option(select, "own", view.compareOwn);
      }
      own.textContent = view.compareOwn;
      select.value = "own";
      return;
    }
    if (own) {
      own.remove();
    }
    select.value = String(view.compare === null ? -1 : view.compare);
  }

  function localText(value) {
    return value.replace(".", App.decimalSeparator());
  }

  function buildParameters(parameters) {
    const box = element("ex-parameters");
    box.replaceChildren();
    ex.dirty.clear();
    parameters.forEach((p, index) => {
      const row = document.createElement("div");
      row.className = "ex-parameter";
      const id = `ex-parameter-${index}`;
      const label = document.createElement("label");
      label.htmlFor = id;
      label.textContent = p.label;
      const hint = document.createElement("span");
      hint.className = "ex-hint";
      hint.id = `${id}-range`;
      hint.textContent = p.range;
      let field;
      if (p.kind === "choice") {
        field = document.createElement("select");
        p.choices.forEach((choice) => option(field, choice, choice));
        field.addEventListener("change", () => apply(index, field.value));
      } else {
        field = document.createElement("input");
        field.type = "text";
        field.inputMode = "decimal";
        field.autocomplete = "off";
        field.spellcheck = false;
        field.placeholder = p.range;
        field.addEventListener("input", () => ex.dirty.add(index));
        field.addEventListener("change", () => applyTyped(index, field));
        field.addEventListener("keydown", (event) => {
          if (event.key === "Enter") {
            event.preventDefault();
            applyTyped(index, field);
          }
        });
      }
      field.id = id;
      field.setAttribute("aria-describedby", hint.id);
      row.append(label, field, hint);
      box.appendChild(row);
    });
  }

  function applyTyped(index, field) {
    if (ex.dirty.has(index)) {
      ex.dirty.delete(index);
      apply(index, field.value);
    }
  }

  function apply(index, text) {
    const accepted = act((s) => s.setParameter(index, text));
    if (!accepted) {
      // A refused value is typed over by the setup's.
      showParameters(ex.view, true);
    }
  }

  function showParameters(view, force = false) {
    const keys = view.parameters.map((p) => p.key).join(",") + "|" + view.method;
    if (keys !== ex.parameterKeys) {
      ex.parameterKeys = keys;
      buildParameters(view.parameters);
    }
    view.parameters.forEach((p, index) => {
      const field = element(`ex-parameter-${index}`);
      field.disabled = !p.applies;
      if (p.kind === "choice") {
        field.value = p.value;
      } else if (force || !ex.dirty.has(index)) {
        field.value = localText(p.value);
        ex.dirty.delete(index);
      }
    });
    const none = view.parameters.length === 0;
    element("ex-no-parameters").hidden = !none;
    element("ex-tour-values").hidden = none;
    element("ex-tour-values").disabled = view.tourValues;
  }

  // --- What the plot and the table ask for.

  const plotHost = {
    newGesture: () => {
      Loo.hold(true);
      return ex.session.newGesture();
    },
    select: (x) => {
      ex.session.select(x === null ? -1 : x);
      refresh();
    },
    focusStation: (index) => {
      const station = ex.view.stations[index];
      if (station && ex.view.selected !== station.x) {
        ex.session.select(station.x);
        refresh();
      }
    },
    selectedIndex: () => {
      const index = ex.view.stations.findIndex((station) => station.x === ex.view.selected);
      return index < 0 ? null : index;
    },
    add: (x) => act((s) => s.addStation(x)),
    drag: (index, x, gesture) => act((s) => s.dragStation(index, x, gesture)),
    gestureEnded: () => {
      Loo.hold(false);
      Table.showTitles();
      Files.writeAddress();
    },
    move: (index, to) => act((s) => s.moveStation(index, to)),
    remove: (index) => act((s) => s.removeStation(index)),
    readout: (x) => showReadout(x),
  };

  const tableHost = {
    choose: (row) => act((s) => s.chooseMethod(row)),
  };

  // --- Opening and showing.

  function build() {
    ex.session = new Module.Session();
    ex.catalogue = JSON.parse(Module.catalogueJson());
    ex.readout = new Intl.NumberFormat(App.language(), {
      minimumFractionDigits: 6,
      maximumFractionDigits: 6,
      useGrouping: false,
    });
    buildControls();
    Table.init(tableHost);
    Plot.init(element("ex-svg"), element("ex-plot-box"), plotHost);
    Files.init(ex.session);
  }

  // A setup's text opened as a new document: "" or what is wrong with it,
  // and then nothing changed.
  function open(text, name = "") {
    const error = ex.session.open(text);
    if (!error) {
      ex.fileName = name;
      refresh();
    }
    return error;
  }

  // Shows the explorer; link is the address's setup after "#explore=", if
  // any. Whether the link's setup replaced the one shown.
  function show(link) {
    const first = ex.session === null;
    if (first) {
      build();
    }
    ex.visible = true;
    element("explorer").hidden = false;
    const opened = Boolean(link) && openLink(link, first);
    refresh();
    Files.writeAddress();
    if (first) {
      element("ex-svg").focus({ preventScroll: true, focusVisible: false });
      // After the first drawing (the moment the benchmark takes), the
      // workers start: their start-up would slow it down.
      requestAnimationFrame(() => setTimeout(() => {
        performance.mark("explorer-drawn");
        Loo.start(ex.session, refresh);
        Scoring.start(ex.session, refresh);
      }, 0));
    }
    return opened;
  }

  // A link's setup replaces the one shown unless it is the same; a bad one
  // changes nothing and says why.
  function openLink(link, first) {
    const setup = Files.linkSetup(link);
    if (setup.text !== undefined && setup.text === ex.session.linkText()) {
      return false;
    }
    const error = setup.error || ex.session.open(setup.text);
    if (error) {
      alert(`This link's setup cannot be opened: ${error}. ` +
        (first ? "The explorer shows the default setup." : "The setup shown has not changed."));
      return false;
    }
    ex.fileName = "";
    return true;
  }

  // The setup shown no longer comes from a file (a lesson's step opened it).
  function forgetFile() {
    ex.fileName = "";
  }

  function hide() {
    ex.visible = false;
    element("explorer").hidden = true;
    document.title = TOUR_TITLE;
  }

  function address() {
    return ex.session ? Files.address() : App.EXPLORE;
  }

  return {
    show,
    hide,
    open,
    address,
    refresh,
    onRender,
    forgetFile,
    say,
    alert,
    view: () => ex.view,
    frameStarted,
    tableReady: () => ex.view === null || ex.view.tableReady,
    visible: () => ex.visible,
    fit: () => element("ex-fit").checked,
    session: () => ex.session,
  };
})();
