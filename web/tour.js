// The tour's view: it shows the tour's state as the desktop window does and
// forwards the two buttons. Every rule, text and number comes from the tour
// itself (the module's Tour); nothing here decides what a press does.
"use strict";

const Tour = (() => {
  // The window's size in pixels at 96 dpi, and the plot's.
  const FORM_WIDTH = 933;
  const FORM_HEIGHT = 605;
  const PLOT_WIDTH = 593;
  const PLOT_HEIGHT = 417;

  const element = App.element;

  const page = {
    tour: null,
    started: false,
    ended: false, // the end screen shows instead of the window
    stopped: false, // after a run-time error the tour takes no further presses
    messages: [], // texts of the message boxes waiting to be shown
  };

  function showPointer(code) {
    document.documentElement.classList.toggle("busy", code === Module.pointerHourglass);
    document.documentElement.style.cursor = code === Module.pointerArrow ? "default" : "";
  }

  function newTour() {
    if (page.tour) {
      page.tour.delete();
    }
    page.tour = new Module.Tour(App.decimalSeparator(), showPointer);
    page.stopped = false;
  }

  function startTour() {
    newTour();
    element("Command1").addEventListener("click", () => press("pressContinue"));
    element("Command2").addEventListener("click", () => press("pressBack"));
    element("again").addEventListener("click", startAgain);
    element("message").addEventListener("close", showNextMessage);
    window.addEventListener("resize", fitForm);
    watchPixelRatio();
    page.started = true;
  }

  // The tour's window (or its end screen) in place of the explorer.
  function show() {
    const first = !page.started;
    if (first) {
      startTour();
    }
    window.scrollTo(0, 0); // the explorer may have been scrolled
    element("ended").hidden = !page.ended;
    element("Form1").hidden = page.ended;
    element("tour-bar").hidden = page.ended;
    if (page.ended) {
      element("again").focus();
      return;
    }
    fitForm();
    showState();
    element("Picture1").focus({ focusVisible: false });
    if (first) {
      // Marks the moment after the frame with the first screen (for the benchmark).
      requestAnimationFrame(() => setTimeout(() => performance.mark("first-screen"), 0));
    }
  }

  function hide() {
    element("Form1").hidden = true;
    element("ended").hidden = true;
    element("tour-bar").hidden = true;
  }

  function startAgain() {
    newTour();
    page.ended = false;
    element("ended").hidden = true;
    element("Form1").hidden = false;
    element("tour-bar").hidden = false;
    fitForm();
    showState();
    element("Picture1").focus({ focusVisible: false });
  }

  function press(click) {
    if (page.stopped || element("message").open) {
      return;
    }
    const fault = page.tour[click]();
    queueMessages(page.tour.takeMessages());
    if (fault) {
      page.stopped = true;
      page.messages.push(fault);
    } else if (page.tour.ended) {
      endTour("The tour has ended.");
      return;
    } else {
      showState();
    }
    showNextMessage();
  }

  function queueMessages(list) {
    for (let i = 0; i < list.size(); ++i) {
      page.messages.push(list.get(i));
    }
    list.delete();
  }

  // Message boxes one after another, modal, OK only. After a run-time error's
  // box the tour has stopped.
  function showNextMessage() {
    const dialog = element("message");
    if (dialog.open) {
      return;
    }
    const next = page.messages.shift();
    if (next === undefined) {
      if (page.stopped && !element("Form1").hidden) {
        endTour("The tour has stopped after a run-time error.");
      }
      return;
    }
    element("message-text").textContent = next;
    dialog.showModal();
    element("message-ok").focus();
  }

  function endTour(text) {
    page.ended = true;
    element("ended-text").textContent = text;
    element("Form1").hidden = true;
    element("tour-bar").hidden = true;
    element("ended").hidden = false;
    element("again").focus();
  }

  // Mirrors the tour's labels, columns, visibility and picture.
  function showState() {
    const tour = page.tour;
    element("Label1").textContent = tour.label1;
    element("Label5").textContent = tour.methods;
    element("Label6").textContent = tour.rmsErrors;
    element("Label7").textContent = tour.maxErrors;
    for (const id of ["Label2", "Label3", "Label4"]) {
      element(id).hidden = !tour.headersVisible;
    }
    for (const id of ["Label0", "Label1000"]) {
      element(id).hidden = !tour.axisLabelsVisible;
    }
    drawPicture();
  }

  // The window scaled uniformly to the largest size that fits above the bar
  // with the way to the explorer, centred.
  function fitForm() {
    const form = element("Form1");
    if (form.hidden) {
      return;
    }
    const room = window.innerHeight - element("tour-bar").offsetHeight;
    const scale = Math.min(window.innerWidth / FORM_WIDTH, room / FORM_HEIGHT);
    const left = (window.innerWidth - FORM_WIDTH * scale) / 2;
    const top = (room - FORM_HEIGHT * scale) / 2;
    form.style.transform = `translate(${left}px, ${top}px) scale(${scale})`;
    form.dataset.scale = String(scale);
    drawPicture();
  }

  // Moving the window to a screen of another pixel density redraws the plot
  // for it (zooming also resizes, which fitForm handles).
  function watchPixelRatio() {
    const query = matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`);
    query.addEventListener("change", () => {
      drawPicture();
      watchPixelRatio();
    }, { once: true });
  }

  // The recorded picture, replayed on a canvas with one backing pixel per
  // device pixel: segments with round caps, dots one pen width across.
  function drawPicture() {
    const tour = page.tour;
    const canvas = element("Picture1");
    if (!tour) {
      return;
    }
    const scale = Number(element("Form1").dataset.scale || 1) * (window.devicePixelRatio || 1);
    const width = Math.max(1, Math.round(PLOT_WIDTH * scale));
    const height = Math.max(1, Math.round(PLOT_HEIGHT * scale));
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
    }
    const ctx = canvas.getContext("2d");
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.fillStyle = "#fff";
    ctx.fillRect(0, 0, width, height);
    ctx.setTransform(width / PLOT_WIDTH, 0, 0, height / PLOT_HEIGHT, 0, 0);
    ctx.lineCap = "round";
    ctx.lineJoin = "round";

    const left = tour.scaleLeft;
    const top = tour.scaleTop;
    const toX = (x) => ((x - left) / (tour.scaleRight - left)) * PLOT_WIDTH;
    const toY = (y) => ((y - top) / (tour.scaleBottom - top)) * PLOT_HEIGHT;
    const items = tour.primitives();
    const n = Module.primitiveFloats;
    // Runs of segments of one colour and width are stroked as one path.
    let style = "";
    let open = false;
    const flush = () => {
      if (open) {
        ctx.stroke();
        open = false;
      }
    };
    for (let i = 0; i < items.length; i += n) {
      const colour = `rgb(${items[i + 5]}, ${items[i + 6]}, ${items[i + 7]})`;
      const pen = items[i + 8];
      const x1 = toX(items[i + 1]);
      const y1 = toY(items[i + 2]);
      if (items[i] === 1) {
        flush();
        ctx.fillStyle = colour;
        ctx.beginPath();
        ctx.arc(x1, y1, pen / 2, 0, 2 * Math.PI);
        ctx.fill();
        continue;
      }
      const key = colour + "/" + pen;
      if (key !== style || !open) {
        flush();
        style = key;
        ctx.strokeStyle = colour;
        ctx.lineWidth = pen;
        ctx.beginPath();
        open = true;
      }
      ctx.moveTo(x1, y1);
      ctx.lineTo(toX(items[i + 3]), toY(items[i + 4]));
    }
    flush();
  }

  return { show, hide };
})();
