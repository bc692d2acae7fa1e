// A leave-one-out worker, started from a Blob of this script followed by the
// module's script: its own instance of the module computes the jobs the page
// posts, one method at a time. Between two methods it lets the page's
// messages in, so that a newer job (or none) stops the rest of an older one.
// Each method's cells go back with the one-method job they belong to.
"use strict";

var Module = {
  onRuntimeInitialized: function () {
    looWorker.ready = true;
    looWorker.schedule();
  },
  onAbort: function (what) {
    self.postMessage({ error: "The leave-one-out worker stopped: " + what });
  },
};

const looWorker = {
  ready: false,
  job: null, // {id, field, stations, methods, done}
  scheduled: false,
  channel: new MessageChannel(),

  take(message) {
    if (message.job === null) {
      this.job = null;
      return;
    }
    const job = JSON.parse(message.job);
    this.job = { id: message.id, field: job.field, stations: job.stations, methods: job.methods, done: 0 };
    this.schedule();
  },

  schedule() {
    if (!this.scheduled) {
      this.scheduled = true;
      this.channel.port2.postMessage(null);
    }
  },

  next() {
    this.scheduled = false;
    const job = this.job;
    if (!this.ready || !job) {
      return;
    }
    if (job.done >= job.methods.length) {
      this.job = null;
      return;
    }
    const one = JSON.stringify({
      field: job.field,
      stations: job.stations,
      methods: [job.methods[job.done]],
    });
    job.done += 1;
    const cells = Module.runLooJob(one);
    self.postMessage({ id: job.id, job: one, cells });
    this.schedule();
  },
};

looWorker.channel.port1.onmessage = () => looWorker.next();
self.onmessage = (event) => looWorker.take(event.data);
