// The score table's rows for the page: the session's score jobs go to Web
// Workers, each with its own instance of the module, the rows shared out
// between them by what they cost; the rows come back to the session,
// which stays the one owner of the table. Until the workers are ready, or
// if they cannot start, the session scores its rows itself.
"use strict";

const Scoring = (() => {
  // One core stays the page's, which scores the rows the plot draws and
  // draws them: on two cores one worker, otherwise two. (On two cores a
  // second worker only takes turns with the page and the painting.)
  const WORKERS = Math.min(2, Math.max(1, (navigator.hardwareConcurrency || 2) - 1));

  // What a method costs to score, roughly, in milliseconds of WebAssembly.
  function cost(method) {
    switch (method.name) {
      case "kriging":
        return method.model === "bestfit" ? 6.5 : 2;
      case "shepard":
        return 3;
      case "orvelmethod":
        return 2.5;
      case "polyfit":
      case "bezier":
        return 1.7;
      case "localinvdist":
        return 0.9;
      case "cubicspline":
      case "nearneighb":
      case "linint":
        return 0.3;
      default:
        return 0.5;
    }
  }

  const sc = {
    session: null,
    arrived: null, // called after rows were handed to the session
    workers: [],
    ready: 0,
    id: 0,
  };

  function start(session, arrived) {
    sc.session = session;
    sc.arrived = arrived;
    sc.workers = Workers.start("score-worker", WORKERS, receive, stop);
  }

  // Shares out the job the session waits for, if any.
  function pump() {
    if (!sc.session || sc.ready < WORKERS) {
      return;
    }
    const text = sc.session.takeScoreJob();
    if (!text) {
      return;
    }
    sc.id += 1;
    if (sc.workers.length === 1) {
      sc.workers[0].postMessage({ id: sc.id, job: text });  // the session knows it as it is
      return;
    }
    const job = JSON.parse(text);
    const parts = sc.workers.map(() => ({ methods: [], drawn: [], cost: 0 }));
    const order = job.methods.map((method, index) => index)
      .sort((a, b) => cost(job.methods[b]) - cost(job.methods[a]));
    for (const index of order) {
      const part = parts.reduce((least, p) => (p.cost < least.cost ? p : least));
      part.methods.push(job.methods[index]);
      part.drawn.push(job.drawn[index]);
      part.cost += cost(job.methods[index]) * (job.drawn[index] ? 1.5 : 1);
    }
    sc.workers.forEach((worker, i) => {
      if (parts[i].methods.length === job.methods.length) {
        worker.postMessage({ id: sc.id, job: text });  // the session knows it as it is
      } else if (parts[i].methods.length > 0) {
        const part = { field: job.field, stations: job.stations, methods: parts[i].methods, drawn: parts[i].drawn };
        worker.postMessage({ id: sc.id, job: JSON.stringify(part) });
      }
    });
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
