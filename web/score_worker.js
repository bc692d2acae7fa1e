// A score worker, started from a Blob of this script followed by the
// module's script: its own instance of the module scores the rows of the
// table that the page posts. Only the newest job counts: one posted while
// another is scored replaces any that waits.
"use strict";

var Module = {
  onRuntimeInitialized: function () {
    scoreWorker.ready = true;
    self.postMessage({ ready: true });
    scoreWorker.schedule();
  },
  onAbort: function (what) {
    self.postMessage({ error: "A score worker stopped: " + what });
  },
};

const scoreWorker = {
  ready: false,
  waiting: null, // {id, job}
  scheduled: false,
  channel: new MessageChannel(),

  take(message) {
    this.waiting = message;
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
    const message = this.waiting;
    if (!this.ready || !message) {
      return;
    }
    this.waiting = null;
    self.postMessage({ id: message.id, job: message.job, rows: Module.scoreRows(message.job) });
  },
};

scoreWorker.channel.port1.onmessage = () => scoreWorker.next();
self.onmessage = (event) => scoreWorker.take(event.data);
