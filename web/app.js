// The page's start and its two views: the tour, and the explorer, which the
// address opens with #explore (on the default setup), #explore=SETUP (a
// link that carries a setup) or #lesson=LESSON (a link that plays a lesson
// in it). Going from one to the other is a step in the browser's history;
// edits in the explorer only rewrite the address.
"use strict";

var Module = {
  onRuntimeInitialized: function () {
    App.start();
  },
  onAbort: function () {
    App.showNotice("This browser cannot run the tour: it needs WebAssembly with exceptions.");
  },
};

const App = (() => {
  const EXPLORE = "#explore";
  const LESSON = "#lesson";

  let view = null; // "tour" or "explorer", once started

  function element(id) {
    return document.getElementById(id);
  }

  function language() {
    return navigator.language || "en";
  }

  let separator = null;

  // The decimal separator of the browser's language.
  function decimalSeparator() {
    if (separator === null) {
      const parts = new Intl.NumberFormat(language()).formatToParts(0.5);
      const decimal = parts.find((part) => part.type === "decimal");
      separator = decimal ? decimal.value : ".";
    }
    return separator;
  }

  function wantsExplorer(hash) {
    return hash === EXPLORE || hash.startsWith(EXPLORE + "=") || hash.startsWith(LESSON + "=");
  }

  function showNotice(text) {
    const loading = element("loading");
    loading.textContent = text;
    loading.hidden = false;
    element("Form1").hidden = true;
    element("tour-bar").hidden = true;
    element("explorer").hidden = true;
  }

  function start() {
    performance.mark("module-ready");
    element("loading").hidden = true;
    element("explore-button").addEventListener("click", () => go("explorer"));
    element("ended-explore").addEventListener("click", () => go("explorer"));
    element("ex-open-tour").addEventListener("click", () => go("tour"));
    Lessons.init();
    window.addEventListener("popstate", route);
    window.addEventListener("hashchange", route);
    route();
  }

  // Shows the view the address asks for.
  function route() {
    const hash = location.hash;
    if (wantsExplorer(hash)) {
      if (view !== "explorer") {
        Tour.hide();
      }
      view = "explorer";
      document.documentElement.dataset.view = view;
      if (hash.startsWith(LESSON + "=")) {
        const first = Explorer.session() === null;
        Explorer.show("");
        Lessons.openLink(hash.slice(LESSON.length + 1), first);
      } else if (Explorer.show(hash.slice(EXPLORE.length + 1))) {
        Lessons.close(); // a link to another setup leaves the lesson
      }
    } else {
      if (view === "explorer") {
        Explorer.hide();
      }
      view = "tour";
      document.documentElement.dataset.view = view;
      Tour.show();
    }
  }

  function go(target) {
    const plain = location.pathname + location.search;
    history.pushState(null, "", target === "explorer" ? plain + Explorer.address() : plain);
    route();
  }

  // What the loading notice says while the module starts.
  if (wantsExplorer(location.hash)) {
    element("loading").textContent = location.hash.startsWith(LESSON + "=") ? "Loading the lesson\u2026"
      : "Loading the explorer\u2026";
  }

  // Sets an attribute (null: removes it) only when its value changes: a
  // frame of a drag leaves most elements as they were.
  function updateAttribute(node, name, value) {
    const text = value === null ? null : String(value);
    const shown = node.shownAttributes || (node.shownAttributes = {});
    if (shown[name] === text) {
      return;
    }
    shown[name] = text;
    if (text === null) {
      node.removeAttribute(name);
    } else {
      node.setAttribute(name, text);
    }
  }

  return {
    element, language, decimalSeparator, showNotice, start, go, updateAttribute, EXPLORE, LESSON,
  };
})();
