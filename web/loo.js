// Leave-one-out for the page: the session's jobs go to a Web Worker that runs
// its own instance of the module (built from the module's inline script, so
// that the file holds it once); the cells come back to the session as they
// arrive. Without a worker the jobs run here, one method per task.
"use strict";

const Loo = (() => {
  const loo = {
    session: null,
    arrived: null, // called after cells were handed to the session
    worker: null,
    id: 0,
    current: null, // the job text last posted
    local: null, // {id, field, stations, methods, done} when run here
  };

  function start(session, arrived) {
    loo.session = session;
    loo.arrived = arrived;
    try {
      const text = document.getElementById("loo-worker").textContent + "\n" +
        document.getElementById("module-script").textContent;
      const url = URL.createObjectURL(new Blob([text], { type: "text/javascript" }));
      loo.worker = new Worker(url);
      loo.worker.onmessage = (event) => receive(event.data);
      loo.worker.onerror = (event) => {
        event.preventDefault();
        runHere("The leave-one-out worker could not start: it runs on the page instead.");
      };
    } catch (error) {
      loo.worker = null;
    }
  }

  // Posts the job the session waits for, if any; it replaces the one before.
  function pump() {
    const job = loo.session.takeLooJob();
    if (!job) {
      return;
    }
    loo.id += 1;
    loo.current = job;
    if (loo.worker) {
      loo.worker.postMessage({ id: loo.id, job });
    } else {
      runLocally(loo.id, job);
    }
  }

  function receive(message) {
    if (message.error) {
      runHere(message.error);
      return;
    }
    if (message.cells && loo.session.takeLooCells(message.job, message.cells)) {
      loo.arrived();
    }
  }

  function runHere(why) {
    if (loo.worker) {
      loo.worker.terminate();
      loo.worker = null;
      Explorer.say(why);
      if (loo.current) {
        runLocally(loo.id, loo.current);
      }
    }
  }

  function runLocally(id, text) {
    const job = JSON.parse(text);
    loo.local = { id, field: job.field, stations: job.stations, methods: job.methods, done: 0 };
    setTimeout(localStep, 0);
  }

  function localStep() {
    const job = loo.local;
    if (!job || job.id !== loo.id || job.done >= job.methods.length) {
      return;
    }
    const one = JSON.stringify({ field: job.field, stations: job.stations, methods: [job.methods[job.done]] });
    job.done += 1;
    receive({ job: one, cells: Module.runLooJob(one) });
    setTimeout(localStep, 0);
  }

  return { start, pump };
})();
