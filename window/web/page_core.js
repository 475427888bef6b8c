// Starts the core from the page itself, which holds its WebAssembly in Base64, so that the first
// letter waits on no other file. Where the browser cannot run it, the boxes stay usable as text
// boxes and one line in the page says so. Once the core is ready and the page has loaded, the
// service worker keeps the site for use offline, taking what the browser already has.
(() => {
  const cannotStart = () =>
    karsobelCannotPair("Pairing cannot start: this browser could not run the page's WebAssembly.");
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
          const bytes = new Uint8Array(text.length);
          for (let at = 0; at < text.length; ++at) {
            bytes[at] = text.charCodeAt(at);
          }
          return WebAssembly.instantiate(bytes, imports);
        })
        .then(({ instance }) => receive(instance), cannotStart);
      return {};
    },
  };
  // Started once the form is drawn, so that drawing it waits on nothing; keys typed meanwhile
  // are kept (page_input.js).
  requestAnimationFrame(() => setTimeout(() => karsobelCore(window.Module).then(() => {
    if (document.readyState === "complete") {
      whenIdle();
    } else {
      window.addEventListener("load", whenIdle, { once: true });
    }
  }, cannotStart)));
})();
