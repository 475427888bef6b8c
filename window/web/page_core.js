// Starts the core from the page itself, which holds its WebAssembly in Base64, so that the first
// letter waits on no other file. Where the browser cannot run it, the boxes stay usable as text
// boxes and one line in the page says so. Once the core is ready and the page has loaded, the
// service worker keeps the site for use offline, taking what the browser already has.
(() => {
  const status = document.getElementById("status");
  const cannotStart = () => {
    status.textContent = "Pairing cannot start: this browser could not run the page's WebAssembly.";
    status.hidden = false;
  };
  if (typeof WebAssembly !== "object") {
    cannotStart();
    return;
  }
  const keepOffline = () => {
    if ("serviceWorker" in navigator) {
      navigator.serviceWorker.register("service-worker.js");
    }
  };
  const whenIdle = () => (window.requestIdleCallback
    ? requestIdleCallback(keepOffline) : setTimeout(keepOffline));
  window.Module = {
    instantiateWasm(imports, receive) {
      Promise.resolve()
        .then(() => {
          const text = atob(document.getElementById("karsobel-core").textContent);
          return WebAssembly.instantiate(Uint8Array.from(text, (unit) => unit.charCodeAt(0)),
                                         imports);
        })
        .then(({ instance }) => receive(instance), cannotStart);
      return {};
    },
  };
  karsobelCore(window.Module).then(() => {
    if (document.readyState === "complete") {
      whenIdle();
    } else {
      window.addEventListener("load", whenIdle, { once: true });
    }
  }, cannotStart);
})();
