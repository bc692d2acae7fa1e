// The score table's rows for the page: the session's score jobs go to Web
// Workers, each with its own instance of the module, the rows shared out
// between them, and a small share kept for the page, by what they cost;
// the rows come back to the session, which stays the one owner of the
// table. Until the workers are ready, or if they cannot start, the session
// scores its rows itself.
"use strict";

const Scoring = (() => {
  // One core stays the page's, which scores the rows the plot draws, draws
  // them and scores its share: on two cores one worker, otherwise two. (On
  // two cores a second worker only takes turns with the page and the
  // painting.)
  const WORKERS = Math.min(2, Math.max(1, (navigator.hardwareConcurrency || 2) - 1));

  // What a method costs to score, roughly, in milliseconds of WebAssembly
  // under Node, 21 stations.
  function cost(method) {
    switch (method.name) {
      case "kriging":
        return method.model === "bestfit" ? 2.3 : 1;
      case "orvelmethod":
        return method.shadow === 1 ? 0.7 : 1.25;
      case "shepard":
        return 0.6;
      case "polyfit":
        return 0.3;
      case "localinvdist":
        return 0.26;
      case "gaussave":
        return 0.16;
      case "cressman":
        return 0.15;
      case "bezier":
        return 0.11;
      case "cubicspline":
      case "nearneighb":
      case "linint":
        return 0.06;
      default:
        return 0.13;
    }
  }

  // The page scores this much of a job itself, after it has drawn what it
  // draws: the workers' rows come last in a frame, and the page would wait
  // for them anyway.
  const PAGE_SHARE = 1.2;

  const sc = {
    session: null,
    arrived: null, // called after rows were handed to the session
    workers: [],
    ready: 0,
    id: 0,
    here: null, // the part of the newest job the page scores, as text
  };

  function start(session, arrived) {
    sc.session = session;
    sc.arrived = arrived;
    sc.workers = Workers.start("score-worker", WORKERS, receive, stop);
  }

  // Shares out the job the session waits for, if any: the page's share,
  // then the rest to the workers by what it costs. The session may call
  // this while it takes an edit, so the page's part is scored once the
  // code that made the edit is done.
  function pump() {
    if (!sc.session || sc.ready < WORKERS) {
      return;
    }
    const text = sc.session.takeScoreJob();
    if (!text) {
      return;
    }
    const job = JSON.parse(text);
    const here = { methods: [], drawn: [], cost: 0 };
    const parts = sc.workers.map(() => ({ methods: [], drawn: [], cost: 0 }));
    const order = job.methods.map((method, index) => index)
      .sort((a, b) => cost(job.methods[b]) - cost(job.methods[a]));
    for (const index of order) {
      const c = cost(job.methods[index]) * (job.drawn[index] ? 1.5 : 1);
      const part = here.cost + c <= PAGE_SHARE ? here
        : parts.reduce((least, p) => (p.cost < least.cost ? p : least));
      part.methods.push(job.methods[index]);
      part.drawn.push(job.drawn[index]);
      part.cost += c;
    }
    const partText = (part) => (part.methods.length === job.methods.length ? text  // the session knows it as it is
      : JSON.stringify({ field: job.field, stations: job.stations, methods: part.methods, drawn: part.drawn }));
    sc.id += 1;
    sc.workers.forEach((worker, i) => {
      if (parts[i].methods.length > 0) {
        worker.postMessage({ id: sc.id, job: partText(parts[i]) });
      }
    });
    sc.here = here.methods.length > 0 ? partText(here) : null;
    if (sc.here) {
      queueMicrotask(scoreHere);
    }
  }

  // The page's part of the newest job, if it has not been scored yet.
  function scoreHere() {
    const part = sc.here;
    sc.here = null;
    // With rows still to come from the workers, their arrival draws these.
    if (part && sc.session.takeRows(part, Module.scoreRows(part)) && sc.session.tableReady) {
      sc.arrived();
    }
  }

  function receive(message) {
    if (message.ready) {
      sc.ready += 1;
      if (sc.ready === WORKERS && sc.session) {
        sc.session.onScoreJob(pump);
        sc.session.scoreElsewhere(true);
      }
      return;
    }
    if (message.error) {
      stop();
      return;
    }
    if (message.rows && sc.session.takeRows(message.job, message.rows)) {
      sc.arrived();
    }
  }

  // The workers are gone: the session scores its rows itself again.
  function stop() {
    sc.workers.forEach((worker) => worker.terminate());
    sc.workers = [];
    sc.ready = 0;
    if (sc.session) {
      sc.session.scoreElsewhere(false);
      sc.arrived();
    }
  }

  return { start, pump };
})();
