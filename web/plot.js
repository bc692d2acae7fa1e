// The explorer's plot, drawn in SVG from the session's scene as the desktop
// paints it: the axes with their ticks, the kriging band, the true field and
// the estimates, the stations and the legend. Each station is a slider that
// the keyboard moves; a press on an empty place adds a station, a drag moves
// one (mouse, touch or pen). The same drawing, without the sliders, is the
// exported plot.
"use strict";

const Plot = (() => {
  const SVG_NS = "http://www.w3.org/2000/svg";
  // Room for the numbers of the value axis on the left and of the world axis below.
  const MARGIN = { left: 56, right: 24, top: 10, bottom: 30 };
  const FONT_SIZE = 12;
  const FONT_FAMILY = '"Liberation Sans", Arial, sans-serif';
  const ASCENT = 11; // of the font above, in pixels
  // How near a station a press must be to take it, and how far a press may
  // move and still count as a click, in pixels: a finger is less precise.
  const PICK = { mouse: 6, pen: 8, touch: 12 };
  const SLACK = { mouse: 4, pen: 6, touch: 10 };
  const HIT_WIDTH = 24;
  const BAND_ALPHA = 45 / 255;
  const HALO_ALPHA = 110 / 255;
  // The exported plot is at least this large.
  const EXPORT_WIDTH = 900;
  const EXPORT_HEIGHT = 560;

  const plot = {
    svg: null,
    box: null,
    layers: null,
    host: null, // the explorer's gestures and readout
    scene: null,
    points: null,
    frame: null,
    stations: [], // the view's stations
    selected: null,
    drag: null, // {pointerId, index, gesture, pendingX, frame}
    press: null, // {pointerId, x, y, slack}: a press on an empty place
    hoverX: null,
    ticks: new Map(), // formatters by decimals
    shown: { axesKey: "", data: null, shapes: [], legendKey: "" }, // what the page's drawing holds
    measure: null,
    width: 0, // of the plot's box, as its ResizeObserver saw it last
  };

  function make(parent, name, attributes = {}) {
    const node = document.createElementNS(SVG_NS, name);
    for (const [key, value] of Object.entries(attributes)) {
      node.setAttribute(key, String(value));
    }
    if (parent) {
      parent.appendChild(node);
    }
    return node;
  }

  function colour(rgb, alpha = 1) {
    return alpha === 1 ? `rgb(${rgb[0]},${rgb[1]},${rgb[2]})` : `rgba(${rgb[0]},${rgb[1]},${rgb[2]},${alpha.toFixed(3)})`;
  }

  function textWidth(text) {
    if (!plot.measure) {
      plot.measure = document.createElement("canvas").getContext("2d");
      plot.measure.font = `${FONT_SIZE}px ${FONT_FAMILY}`;
    }
    return plot.measure.measureText(text).width;
  }

  // World to device coordinates inside the axes' area.
  function frameOf(scene, width, height) {
    const area = {
      left: MARGIN.left,
      top: MARGIN.top,
      right: Math.max(MARGIN.left + 1, width - MARGIN.right),
      bottom: Math.max(MARGIN.top + 1, height - MARGIN.bottom),
    };
    area.width = area.right - area.left;
    area.height = area.bottom - area.top;
    const spanX = scene.right - scene.left;
    const spanY = scene.top - scene.bottom;
    return {
      area,
      x: (x) => area.left + ((x - scene.left) / spanX) * area.width,
      y: (y) => area.top + ((scene.top - y) / spanY) * area.height,
      worldX: (px) => scene.left + ((px - area.left) / area.width) * spanX,
      worldPerPixel: spanX / area.width,
    };
  }

  // A tick's number with as many decimals as its step needs, in the
  // browser's language, without grouping.
  function tickText(value, step) {
    let decimals = 0;
    while (decimals < 6 &&
      Math.abs(step * 10 ** decimals - Math.round(step * 10 ** decimals)) > 1e-6) {
      ++decimals;
    }
    if (!plot.ticks.has(decimals)) {
      plot.ticks.set(decimals, new Intl.NumberFormat(App.language(), {
        minimumFractionDigits: decimals,
        maximumFractionDigits: decimals,
        useGrouping: false,
      }));
    }
    return plot.ticks.get(decimals).format(value + 0);
  }

  const stepOf = (ticks) => (ticks.length > 1 ? ticks[1] - ticks[0] : 1);

  function drawAxes(g, scene, frame) {
    const { area } = frame;
    const grid = make(g, "g", { stroke: "rgb(225,225,225)", "stroke-width": 1, "shape-rendering": "crispEdges" });
    for (const x of scene.xTicks) {
      const px = frame.x(x);
      make(grid, "line", { x1: px, y1: area.top, x2: px, y2: area.bottom });
    }
    for (const y of scene.yTicks) {
      const py = frame.y(y);
      make(grid, "line", { x1: area.left, y1: py, x2: area.right, y2: py });
    }
    // The zero line, as in the tour.
    if (scene.bottom < 0 && scene.top > 0) {
      const py = frame.y(0);
      make(g, "line", { x1: area.left, y1: py, x2: area.right, y2: py, stroke: "#000", "stroke-width": 1 });
    }
    const axes = make(g, "g", { stroke: "rgb(60,60,60)", "stroke-width": 1, fill: "none" });
    make(axes, "rect", { x: area.left, y: area.top, width: area.width, height: area.height });
    const labels = make(g, "g", { fill: "rgb(60,60,60)" });
    const xStep = stepOf(scene.xTicks);
    for (const x of scene.xTicks) {
      const px = frame.x(x);
      make(axes, "line", { x1: px, y1: area.bottom, x2: px, y2: area.bottom + 4 });
      const label = make(labels, "text", { x: px, y: area.bottom + 6 + ASCENT, "text-anchor": "middle" });
      label.textContent = tickText(x, xStep);
    }
    const yStep = stepOf(scene.yTicks);
    for (const y of scene.yTicks) {
      const py = frame.y(y);
      make(axes, "line", { x1: area.left - 4, y1: py, x2: area.left, y2: py });
      const label = make(labels, "text", { x: area.left - 7, y: py + ASCENT / 2 - 1, "text-anchor": "end" });
      label.textContent = tickText(y, yStep);
    }
  }

  // The data are drawn in hundredths of a pixel, as whole numbers (the
  // data group scales them back): more than the eye sees, and far quicker
  // to write and to read than decimals on the thousands of points a frame
  // draws.
  const HUNDREDTHS = 100;

  // A point is left out where it, and every point left out since the last
  // one kept, lies within this many hundredths of a pixel of the line from
  // that point to the next: far below what the eye sees, and a smooth curve
  // needs some five times fewer points to paint.
  const SKIP_WITHIN = 5;

  function pointList(points, start, count, frame, reversed = false) {
    const xs = new Array(count);
    const ys = new Array(count);
    for (let i = 0; i < count; ++i) {
      const k = 2 * (start + (reversed ? count - 1 - i : i));
      xs[i] = Math.round(frame.x(points[k]) * HUNDREDTHS);
      ys[i] = Math.round(frame.y(points[k + 1]) * HUNDREDTHS);
    }
    // Whether the points after kept up to last lie near the line from kept
    // to next.
    const near = (kept, last, next) => {
      const dx = xs[next] - xs[kept];
      const dy = ys[next] - ys[kept];
      const length = Math.hypot(dx, dy);
      for (let m = kept + 1; m <= last; ++m) {
        const off = length === 0 ? Math.hypot(xs[m] - xs[kept], ys[m] - ys[kept])
          : Math.abs(dx * (ys[m] - ys[kept]) - dy * (xs[m] - xs[kept])) / length;
        if (!(off <= SKIP_WITHIN)) {
          return false;
        }
      }
      return true;
    };
    let list = count > 0 ? xs[0] + "," + ys[0] : "";
    let kept = 0;
    for (let i = 1; i < count; ++i) {
      if (i < count - 1 && near(kept, i, i + 1)) {
        continue;
      }
      list += " " + xs[i] + "," + ys[i];
      kept = i;
    }
    return list;
  }

  let clipCount = 0;

  // The band, the true field and the estimates as shapes: an element's
  // name, its attributes and the runs of points it joins.
  function shapesOf(scene) {
    const shapes = [];
    for (const band of scene.bands) {
      shapes.push({
        name: "polygon",
        attributes: { fill: colour(band.colour, BAND_ALPHA), stroke: "none" },
        runs: [[band.upper, band.count, false], [band.lower, band.count, true]],
      });
    }
    for (const curve of scene.curves) {
      shapes.push({
        name: "polyline",
        attributes: {
          fill: "none",
          stroke: colour(curve.colour),
          "stroke-width": curve.width * HUNDREDTHS,
          "stroke-linecap": "round",
          "stroke-linejoin": "round",
        },
        runs: [[curve.start, curve.count, false]],
      });
    }
    return shapes;
  }

  function shapePoints(shape, points, frame) {
    return shape.runs.map(([start, count, reversed]) => pointList(points, start, count, frame, reversed))
      .join(" ");
  }

  // The group the data are drawn in, clipped to the axes' area, and inside
  // it the group of the shapes, in hundredths of a pixel.
  function dataGroup(g, frame) {
    const { area } = frame;
    const id = `ex-clip-${++clipCount}`;
    const clip = make(g, "clipPath", { id });
    make(clip, "rect", { x: area.left, y: area.top, width: area.width, height: area.height });
    const clipped = make(g, "g", { "clip-path": `url(#${id})` });
    return { clipped, shapes: make(clipped, "g", { transform: `scale(${1 / HUNDREDTHS})` }) };
  }

  function drawData(g, scene, points, frame) {
    const data = dataGroup(g, frame);
    for (const shape of shapesOf(scene)) {
      make(data.shapes, shape.name, { points: shapePoints(shape, points, frame), ...shape.attributes });
    }
    return data.clipped;
  }

  // The numbers of a shape's runs, to tell whether it changed.
  function runNumbers(shape, points) {
    return shape.runs.map(([start, count]) => points.slice(2 * start, 2 * (start + count)));
  }

  function sameNumbers(a, b) {
    return a !== undefined && a.length === b.length &&
      a.every((run, r) => run.length === b[r].length && run.every((value, i) => Object.is(value, b[r][i])));
  }

  // The page's data, kept from frame to frame: a shape whose numbers and
  // attributes are as before keeps its element as it is. A drag changes
  // the estimates, not the true field.
  function updateData(shown, scene, points, frame) {
    const shapes = shapesOf(scene);
    if (shapes.length !== shown.shapes.length ||
        shapes.some((shape, i) => shape.name !== shown.shapes[i].name)) {
      shown.data.shapes.replaceChildren();
      shown.shapes = shapes.map((shape) => ({ name: shape.name, node: make(shown.data.shapes, shape.name) }));
    }
    shapes.forEach((shape, i) => {
      const kept = shown.shapes[i];
      const attributes = JSON.stringify(shape.attributes);
      if (kept.attributes !== attributes) {
        kept.attributes = attributes;
        for (const [key, value] of Object.entries(shape.attributes)) {
          kept.node.setAttribute(key, String(value));
        }
      }
      const numbers = runNumbers(shape, points);
      if (!sameNumbers(kept.numbers, numbers)) {
        kept.numbers = numbers;
        kept.node.setAttribute("points", shapePoints(shape, points, frame));
      }
    });
  }

  // A station as the plot marks it: a black stem up to its observation, a
  // red dot on top, and an orange halo when it is selected.
  function stationMark(g, scene, frame, x, value, selected) {
    const px = frame.x(x);
    const py = frame.y(value);
    const bottom = frame.area.bottom;
    if (selected) {
      make(g, "line", {
        x1: px, y1: bottom, x2: px, y2: py, class: "halo",
        stroke: colour(scene.selectedColour, HALO_ALPHA), "stroke-width": 9, "stroke-linecap": "round",
      });
    }
    make(g, "line", { x1: px, y1: bottom, x2: px, y2: py, stroke: "#000", "stroke-width": 2 });
    make(g, "circle", { cx: px, cy: py, r: 3.5, fill: colour(scene.stationColour) });
  }

  function drawLegend(g, scene, frame) {
    if (scene.legend.length === 0) {
      return;
    }
    let width = 0;
    for (const entry of scene.legend) {
      width = Math.max(width, textWidth(entry.text));
    }
    const line = FONT_SIZE + 4;
    const box = {
      left: frame.area.right - width - 44,
      top: frame.area.top + 6,
      width: width + 38,
      height: line * scene.legend.length + 8,
    };
    make(g, "rect", {
      x: box.left, y: box.top, width: box.width, height: box.height,
      fill: "rgba(255,255,255,0.88)", stroke: "rgb(160,160,160)", "stroke-width": 1,
    });
    let y = box.top + 4 + line / 2;
    for (const entry of scene.legend) {
      const mx = box.left + 16;
      if (entry.mark === "line") {
        make(g, "line", { x1: mx - 10, y1: y, x2: mx + 10, y2: y, stroke: colour(entry.colour), "stroke-width": 2.5 });
      } else if (entry.mark === "dot") {
        make(g, "line", { x1: mx, y1: y + line / 2 - 1, x2: mx, y2: y, stroke: "#000", "stroke-width": 2 });
        make(g, "circle", { cx: mx, cy: y, r: 3.5, fill: colour(entry.colour) });
      } else {
        make(g, "rect", { x: mx - 10, y: y - 5, width: 20, height: 10, fill: colour(entry.colour, BAND_ALPHA) });
      }
      const text = make(g, "text", { x: box.left + 32, y: y + ASCENT / 2 - 1, fill: "#000" });
      text.textContent = entry.text;
      y += line;
    }
  }

  // The notes in the exported drawing, wrapped at 60% of the area's width
  // (on the page they stand under the plot as text).
  function drawNotes(g, scene, frame) {
    const room = frame.area.width * 0.6;
    let y = frame.area.top + 8 + ASCENT;
    for (const note of scene.notes) {
      let line = "";
      const lines = [];
      for (const word of note.split(" ")) {
        const tried = line ? line + " " + word : word;
        if (line && textWidth(tried) > room) {
          lines.push(line);
          line = word;
        } else {
          line = tried;
        }
      }
      lines.push(line);
      for (const text of lines) {
        const node = make(g, "text", { x: frame.area.left + 8, y, fill: "rgb(160,0,0)" });
        node.textContent = text;
        y += FONT_SIZE + 3;
      }
      y += 4;
    }
  }

  // --- The plot on the page.

  function plotHeight(width) {
    return Math.round(Math.min(560, Math.max(240, width * 0.55)));
  }

  function init(svg, box, host) {
    plot.svg = svg;
    plot.box = box;
    plot.host = host;
    plot.layers = {
      static: document.getElementById("ex-static"),
      stations: document.getElementById("ex-stations"),
      legend: document.getElementById("ex-legend"),
    };
    svg.setAttribute("font-family", FONT_FAMILY);
    svg.setAttribute("font-size", FONT_SIZE);
    svg.addEventListener("pointerdown", pointerDown);
    svg.addEventListener("pointermove", pointerMove);
    svg.addEventListener("pointerup", pointerUp);
    svg.addEventListener("pointercancel", pointerCancel);
    svg.addEventListener("pointerleave", () => hover(null));
    svg.addEventListener("keydown", keyDown);
    svg.addEventListener("focusin", (event) => {
      const station = event.target.closest && event.target.closest(".station");
      if (station) {
        host.focusStation(Number(station.dataset.index));
      }
    });
    // The box's width is read where its layout is fresh anyway: reading it
    // while a frame's edits wait would lay out the page once more.
    new ResizeObserver(() => {
      plot.width = Math.floor(box.clientWidth);
      draw();
    }).observe(box);
  }

  // A new scene (its points are copied: the module's view of them lasts only
  // until its next call).
  function showScene(scene, points) {
    plot.scene = scene;
    plot.points = Float64Array.from(points);
    draw();
  }

  function showStations(stations, selected) {
    plot.stations = stations;
    plot.selected = selected;
    placeStations();
  }

  // The axes and the legend are drawn again only when they change, the
  // data only where their numbers do.
  function draw() {
    const scene = plot.scene;
    const width = plot.width;
    if (!scene || width < 100) {
      return;
    }
    const height = plotHeight(width);
    const svg = plot.svg;
    const layers = plot.layers;
    const shown = plot.shown;
    const axesKey = JSON.stringify([width, height, scene.left, scene.right, scene.bottom, scene.top,
      scene.xTicks, scene.yTicks]);
    if (axesKey !== shown.axesKey) {
      shown.axesKey = axesKey;
      svg.setAttribute("viewBox", `0 0 ${width} ${height}`);
      svg.setAttribute("width", width);
      svg.setAttribute("height", height);
      plot.frame = frameOf(scene, width, height);
      layers.static.replaceChildren();
      make(layers.static, "rect", { x: 0, y: 0, width, height, fill: "#fff" });
      drawAxes(layers.static, scene, plot.frame);
      shown.data = dataGroup(layers.static, plot.frame);
      shown.shapes = [];
      shown.legendKey = "";
    }
    updateData(shown, scene, plot.points, plot.frame);
    const legendKey = JSON.stringify(scene.legend);
    if (legendKey !== shown.legendKey) {
      shown.legendKey = legendKey;
      layers.legend.replaceChildren();
      drawLegend(layers.legend, scene, plot.frame);
    }
    placeStations();
  }

  // One slider per station, kept in order; an element keeps its place (and
  // the keyboard focus) while its station moves.
  function placeStations() {
    const layer = plot.layers.stations;
    const frame = plot.frame;
    const stations = plot.stations;
    while (layer.childElementCount > stations.length) {
      const last = layer.lastElementChild;
      if (last.contains(document.activeElement)) {
        plot.svg.focus({ preventScroll: true });
      }
      last.remove();
    }
    while (layer.childElementCount < stations.length) {
      const g = make(layer, "g", { class: "station", role: "slider", tabindex: 0 });
      make(g, "rect", { class: "hit", width: HIT_WIDTH });
      make(g, "line", { class: "halo", "stroke-width": 9, "stroke-linecap": "round" });
      make(g, "line", { class: "stem", stroke: "#000", "stroke-width": 2 });
      make(g, "circle", { class: "dot", r: 3.5 });
    }
    if (!frame) {
      return;
    }
    const bottom = frame.area.bottom;
    const scene = plot.scene;
    stations.forEach((station, index) => {
      const g = layer.children[index];
      const [hit, halo, stem, dot] = g.children;
      const px = frame.x(station.x);
      const py = frame.y(station.value);
      g.dataset.index = String(index);
      update(g, "aria-label", `Station at ${station.x}`);
      update(g, "aria-valuenow", station.x);
      update(g, "aria-valuemin", station.least);
      update(g, "aria-valuemax", station.most);
      update(g, "aria-readonly", station.fixed ? "true" : null);
      update(hit, "x", px - HIT_WIDTH / 2);
      update(hit, "y", frame.area.top);
      update(hit, "height", frame.area.height);
      const selected = plot.selected === station.x;
      update(halo, "display", selected ? "inline" : "none");
      update(halo, "stroke", colour(scene.selectedColour, HALO_ALPHA));
      for (const line of [halo, stem]) {
        update(line, "x1", px);
        update(line, "x2", px);
        update(line, "y1", bottom);
        update(line, "y2", py);
      }
      update(dot, "cx", px);
      update(dot, "cy", py);
      update(dot, "fill", colour(scene.stationColour));
    });
  }

  // A station that stays where it is keeps its element as it was.
  const update = App.updateAttribute;

  function focusStation(index) {
    const g = plot.layers.stations.children[index];
    if (g) {
      g.focus({ preventScroll: true });
    }
  }

  // --- Pointer gestures.

  function local(event) {
    const box = plot.svg.getBoundingClientRect();
    return { x: event.clientX - box.left, y: event.clientY - box.top };
  }

  function kind(event) {
    return PICK[event.pointerType] ? event.pointerType : "mouse";
  }

  function inPlot(point, pick) {
    const area = plot.frame.area;
    return point.x >= area.left - pick && point.x <= area.right + pick &&
      point.y >= area.top && point.y <= area.bottom;
  }

  // The station nearest the point and not more than the pick distance away.
  function stationUnder(point, pick) {
    if (!inPlot(point, pick)) {
      return null;
    }
    const x = plot.frame.worldX(point.x);
    const tolerance = pick * plot.frame.worldPerPixel;
    let best = null;
    let distance = Infinity;
    plot.stations.forEach((station, index) => {
      const d = Math.abs(station.x - x);
      if (d <= tolerance && d < distance) {
        best = index;
        distance = d;
      }
    });
    return best;
  }

  function hover(x) {
    plot.hoverX = x;
    plot.host.readout(x);
  }

  function pointerDown(event) {
    if (!plot.frame || event.button !== 0 || plot.drag) {
      return;
    }
    const point = local(event);
    const pick = PICK[kind(event)];
    const index = stationUnder(point, pick);
    if (index !== null) {
      event.preventDefault();
      plot.svg.setPointerCapture(event.pointerId);
      plot.drag = { pointerId: event.pointerId, index, gesture: plot.host.newGesture(), pendingX: null, frame: 0 };
      plot.press = null;
      focusStation(index);
      plot.host.select(plot.stations[index].x);
    } else if (inPlot(point, pick)) {
      event.preventDefault();
      plot.svg.setPointerCapture(event.pointerId);
      plot.press = { pointerId: event.pointerId, x: point.x, y: point.y, slack: SLACK[kind(event)] };
      plot.svg.focus({ preventScroll: true });
    }
  }

  function pointerMove(event) {
    if (!plot.frame) {
      return;
    }
    const point = local(event);
    const pick = PICK[kind(event)];
    hover(inPlot(point, pick) ? plot.frame.worldX(point.x) : null);
    const drag = plot.drag;
    if (drag && event.pointerId === drag.pointerId) {
      // Moves are gathered: the session hears of the last one once a frame,
      // and not before the table of the one before is shown.
      drag.pendingX = plot.frame.worldX(point.x);
      scheduleDrag();
      return;
    }
    const press = plot.press;
    if (press && event.pointerId === press.pointerId &&
      Math.hypot(point.x - press.x, point.y - press.y) > press.slack) {
      plot.press = null;
    }
    const under = stationUnder(point, pick);
    const movable = under !== null && !plot.stations[under].fixed;
    plot.svg.style.cursor = movable ? "ew-resize" : inPlot(point, pick) ? "crosshair" : "";
  }

  function scheduleDrag() {
    const drag = plot.drag;
    if (drag && !drag.frame && drag.pendingX !== null && Explorer.tableReady()) {
      drag.frame = requestAnimationFrame(() => {
        drag.frame = 0;
        flushDrag();
      });
    }
  }

  // The table of the last edit is shown: a move that waited goes next.
  function tableShown() {
    scheduleDrag();
  }

  function flushDrag() {
    const drag = plot.drag;
    if (!drag || drag.pendingX === null) {
      return;
    }
    const x = drag.pendingX;
    drag.pendingX = null;
    // A frame of a drag: the session's edit, its table and the redraw.
    Explorer.frameStarted(performance.now());
    plot.host.drag(drag.index, x, drag.gesture);
  }

  function endDrag() {
    const drag = plot.drag;
    if (drag.frame) {
      cancelAnimationFrame(drag.frame);
      drag.frame = 0;
    }
    flushDrag();
    plot.drag = null;
    plot.host.gestureEnded();
  }

  function pointerUp(event) {
    if (plot.drag && event.pointerId === plot.drag.pointerId) {
      endDrag();
      return;
    }
    const press = plot.press;
    if (press && event.pointerId === press.pointerId) {
      plot.press = null;
      plot.host.add(plot.frame.worldX(press.x));
    }
  }

  function pointerCancel(event) {
    if (plot.drag && event.pointerId === plot.drag.pointerId) {
      endDrag();
    }
    plot.press = null;
  }

  // --- The keyboard: the slider's keys on a station, Delete, Escape.

  function keyDown(event) {
    const target = event.target.closest && event.target.closest(".station");
    const index = target ? Number(target.dataset.index) : plot.host.selectedIndex();
    if (event.key === "Escape") {
      plot.host.select(null);
      event.preventDefault();
      return;
    }
    if (index === null || index === undefined || event.ctrlKey || event.metaKey || event.altKey) {
      return;
    }
    const station = plot.stations[index];
    const step = event.shiftKey ? 10 : 1;
    let to = null;
    switch (event.key) {
      case "ArrowLeft":
      case "ArrowDown":
        to = station.x - step;
        break;
      case "ArrowRight":
      case "ArrowUp":
        to = station.x + step;
        break;
      case "PageDown":
        to = station.x - 10;
        break;
      case "PageUp":
        to = station.x + 10;
        break;
      case "Home":
        to = station.least;
        break;
      case "End":
        to = station.most;
        break;
      case "Delete":
      case "Backspace":
        event.preventDefault();
        plot.host.remove(index);
        return;
      default:
        return;
    }
    event.preventDefault();
    plot.host.move(index, to);
  }

  // --- The exported drawing.

  // The plot as a standalone SVG document: no selection, the notes drawn in.
  function exportSize() {
    const width = Math.floor(plot.box.clientWidth);
    return {
      width: Math.max(EXPORT_WIDTH, width),
      height: Math.max(EXPORT_HEIGHT, plotHeight(width)),
    };
  }

  function exportedSvg(scene, points) {
    const { width, height } = exportSize();
    const frame = frameOf(scene, width, height);
    const svg = make(null, "svg", {
      width, height, viewBox: `0 0 ${width} ${height}`,
      "font-family": FONT_FAMILY, "font-size": FONT_SIZE,
    });
    make(svg, "title").textContent = "Interpolation Explorer plot";
    make(svg, "rect", { x: 0, y: 0, width, height, fill: "#fff" });
    drawAxes(svg, scene, frame);
    const data = drawData(svg, scene, points, frame);
    scene.stations.forEach((mark) => stationMark(data, scene, frame, mark.x, mark.value, false));
    drawNotes(data, scene, frame);
    drawLegend(svg, scene, frame);
    return { svg, width, height };
  }

  // The SVG text; every text in it is character data, escaped as such.
  function svgText(scene, points) {
    const { svg } = exportedSvg(scene, Float64Array.from(points));
    return '<?xml version="1.0" encoding="UTF-8"?>\n' + new XMLSerializer().serializeToString(svg) + "\n";
  }

  // The same drawing as a PNG image at twice its size.
  function pngBlob(scene, points) {
    const { svg, width, height } = exportedSvg(scene, Float64Array.from(points));
    const text = new XMLSerializer().serializeToString(svg);
    return new Promise((resolve, reject) => {
      const image = new Image();
      image.onload = () => {
        const canvas = document.createElement("canvas");
        canvas.width = width * 2;
        canvas.height = height * 2;
        const ctx = canvas.getContext("2d");
        ctx.drawImage(image, 0, 0, canvas.width, canvas.height);
        canvas.toBlob((blob) => (blob ? resolve(blob) : reject(new Error("the image could not be written"))), "image/png");
      };
      image.onerror = () => reject(new Error("the image could not be written"));
      image.src = "data:image/svg+xml;charset=utf-8," + encodeURIComponent(text);
    });
  }

  return {
    init, showScene, showStations, draw, focusStation, svgText, pngBlob, tableShown,
    hoverX: () => plot.hoverX,
    dragging: () => plot.drag !== null,
  };
})();
