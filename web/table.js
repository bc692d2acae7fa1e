// The score table: every row of the session's table with its RMS, maximum
// and leave-one-out errors in the browser's language, sorted by the column
// whose header was clicked last. A row of a tour method chooses it; the
// chosen and the compared rows are marked.
"use strict";

const Table = (() => {
  const COLUMNS = 4;
  const BEZIER_NONE = "No leave-one-out error: the Bezier curve has no estimate on the grid";

  const table = {
    body: null,
    heads: [],
    sort: { column: 0, ascending: true },
    view: null,
    host: null,
    number: null,
    precise: null,
    titlesShown: true, // whether the cells' titles show table.view
  };

  function init(host) {
    table.host = host;
    table.body = document.getElementById("ex-rows");
    table.heads = Array.from(document.querySelectorAll("#ex-table thead th"));
    table.number = new Intl.NumberFormat(App.language(), {
      minimumFractionDigits: 4,
      maximumFractionDigits: 4,
      useGrouping: false,
    });
    table.precise = new Intl.NumberFormat(App.language(), {
      maximumSignificantDigits: 9,
      useGrouping: false,
    });
    table.heads.forEach((head, column) => {
      head.querySelector("button").addEventListener("click", () => sortBy(column));
    });
    table.body.addEventListener("click", (event) => {
      const tr = event.target.closest("tr");
      if (!tr || !table.view) {
        return;
      }
      const row = Number(tr.dataset.row);
      if (table.view.rows[row] && table.view.rows[row].tourValues) {
        host.choose(row);
      }
    });
    showSort();
  }

  function sortBy(column) {
    const sort = table.sort;
    sort.ascending = sort.column === column ? !sort.ascending : true;
    sort.column = column;
    showSort();
    if (table.view) {
      show(table.view, table.titlesShown);
    }
  }

  function showSort() {
    table.heads.forEach((head, column) => {
      if (column === table.sort.column) {
        head.setAttribute("aria-sort", table.sort.ascending ? "ascending" : "descending");
      } else {
        head.removeAttribute("aria-sort");
      }
    });
  }

  // What a column sorts by: the tour's order for the methods, the numbers,
  // and a row without a number last.
  function sortKey(row, r, column) {
    switch (column) {
      case 0:
        return row;
      case 1:
        return r.fault === undefined ? r.rms : Infinity;
      case 2:
        return r.fault === undefined ? r.max : Infinity;
      default:
        return r.loo.kind === "value" ? r.loo.rms : Infinity;
    }
  }

  function order(view) {
    const { column, ascending } = table.sort;
    const keys = view.rows.map((r, row) => sortKey(row, r, column));
    const compare = (a, b) => (a < b ? -1 : a > b ? 1 : 0);
    return view.rows
      .map((r, row) => row)
      .sort((i, j) => (ascending ? compare(keys[i], keys[j]) : compare(keys[j], keys[i])) || i - j);
  }

  // The cells after the method's, as [text, title, class, span].
  function cells(r) {
    if (r.fault !== undefined) {
      return [[r.fault, r.fault, "fault", COLUMNS - 1]];
    }
    const number = (value) => [table.number.format(value), table.precise.format(value), "number", 1];
    const loo = r.loo;
    let last;
    switch (loo.kind) {
      case "value":
        last = number(loo.rms);
        break;
      case "fault":
        last = [loo.fault, loo.fault, "fault", 1];
        break;
      case "pending":
        last = ["computing\u2026", "", "pending", 1];
        break;
      default:
        last = ["", BEZIER_NONE, "none", 1];
    }
    return [number(r.rms), number(r.max), last];
  }

  function slot(index) {
    let tr = table.body.children[index];
    if (!tr) {
      tr = document.createElement("tr");
      const th = document.createElement("th");
      th.scope = "row";
      tr.appendChild(th);
      table.body.appendChild(tr);
    }
    return tr;
  }

  function showMethod(th, r) {
    const shown = (r.tourValues ? "button:" : "text:") + r.label;
    if (th.shownMethod === shown) {
      return;
    }
    th.shownMethod = shown;
    if (r.tourValues) {
      const button = document.createElement("button");
      button.type = "button";
      button.className = "ex-choose";
      button.textContent = r.label;
      th.replaceChildren(button);
    } else {
      th.replaceChildren(document.createTextNode(r.label));
    }
  }

  // A cell's text changes in its text node: cheaper than a new node.
  function showText(td, text) {
    const node = td.firstChild;
    if (node && node.nodeType === Node.TEXT_NODE && node === td.lastChild) {
      if (node.data !== text) {
        node.data = text;
      }
    } else if (td.textContent !== text) {
      td.textContent = text;
    }
  }

  const update = App.updateAttribute;

  // A row's cells keep their elements while their kinds and spans stay:
  // while a station is dragged only the numbers change. Their titles (the
  // numbers to nine digits) may wait until the drag ends.
  function showCells(tr, list, titles) {
    const layout = JSON.stringify(list.map(([, , kind, span]) => [kind, span]));
    if (tr.shownLayout === layout) {
      list.forEach(([text, title], i) => {
        const td = tr.children[i + 1];
        showText(td, text);
        if (titles && td.shownTitle !== title) {
          td.shownTitle = title;
          td.title = title;
        }
      });
      return;
    }
    tr.shownLayout = layout;
    while (tr.children.length > 1) {
      tr.lastElementChild.remove();
    }
    for (const [text, title, kind, span] of list) {
      const td = document.createElement("td");
      td.textContent = text;
      td.className = kind;
      td.shownTitle = title;
      if (title) {
        td.title = title;
      }
      if (span > 1) {
        td.colSpan = span;
      }
      tr.appendChild(td);
    }
  }

  // Each row of the table in a line of its own, in the sorted order; a line
  // keeps its elements (and the focus) while what it shows is the same.
  // While a station is dragged the titles may wait: titles false.
  function show(view, titles = true) {
    table.view = view;
    table.titlesShown = titles;
    const rows = order(view);
    rows.forEach((row, index) => {
      const r = view.rows[row];
      const tr = slot(index);
      if (tr.dataset.row !== String(row)) {
        tr.dataset.row = String(row);
      }
      const chosen = row === view.chosen;
      tr.classList.toggle("chosen", chosen);
      tr.classList.toggle("compared", !chosen && row === view.compared);
      tr.classList.toggle("own", !r.tourValues);
      const th = tr.firstElementChild;
      showMethod(th, r);
      const compared = !chosen && row === view.compared;
      update(tr, "aria-current", chosen ? "true" : null);
      update(th, "aria-description",
        chosen ? "the chosen method" : compared ? "the compared method" : null);
      showCells(tr, cells(r), titles);
    });
    while (table.body.children.length > rows.length) {
      table.body.lastElementChild.remove();
    }
  }

  // The titles that waited during a drag.
  function showTitles() {
    if (table.view && !table.titlesShown) {
      show(table.view);
    }
  }

  return { init, show, showTitles };
})();
