// Web Workers with an instance of the module each, for work off the page's
// thread. A worker starts from a Blob of its script (an inline script of the
// page) followed by the module's inline script, so the file holds the module
// once.
"use strict";

const Workers = (() => {
  // count workers of the script with the given element id; receive gets
  // their messages, failed is called if one cannot run. None if they cannot
  // be made.
  function start(scriptId, count, receive, failed) {
    const workers = [];
    try {
      const text = document.getElementById(scriptId).textContent + "\n" +
        document.getElementById("module-script").textContent;
      const url = URL.createObjectURL(new Blob([text], { type: "text/javascript" }));
      for (let i = 0; i < count; ++i) {
        const worker = new Worker(url);
        worker.onmessage = (event) => receive(event.data);
        worker.onerror = (event) => {
          event.preventDefault();
          failed();
        };
        workers.push(worker);
      }
    } catch (error) {
      workers.forEach((worker) => worker.terminate());
      return [];
    }
    return workers;
  }

  return { start };
})();
