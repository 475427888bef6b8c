// Start-up of the Karsobel page beside a page with a bare text box, as a new user meets them: a
// first visit (a new browser context: no cache, no service worker), "h" then "i" typed as soon as
// the input box has the focus, and the time from the start of navigation until the page shows
// the letter "Q" (the bare box: "hi"), on three connections, the two pages' visits alternating:
// local; a phone's, 150 ms round trip at 1.6 Mbit/s down and 750 kbit/s up (Lighthouse's mobile
// network, through Chromium's network emulation), served uncompressed; and the same served
// gzipped. Then the bytes the page took before its first letter, a 10 MB paste and the key after
// it, and, where `npm ci --prefix bench/web` has installed it, Lighthouse's four scores.
// Reports numbers; it is no test.
//
//     node bench/web/startup.mjs build/web/app/web/site [VISITS]
import fs from "node:fs/promises";
import os from "node:os";
import path from "node:path";
import { chromium, chromiumOptions, serve } from "../../tests/web/browser.mjs";

const [site, visits = "11"] = process.argv.slice(2);
const bare = await fs.mkdtemp(path.join(os.tmpdir(), "karsobel-bare-"));
await fs.writeFile(path.join(bare, "index.html"),
                   '<!DOCTYPE html><title>Bare</title><input aria-label="Input" autofocus>\n');

const phone = { offline: false, latency: 150, downloadThroughput: 1.6e6 / 8,
                uploadThroughput: 750e3 / 8 };
const connections = [
  ["local", null, false],
  ["150 ms, 1.6 Mbit/s, uncompressed", phone, false],
  ["150 ms, 1.6 Mbit/s, gzip", phone, true],
];
// What each page shows once the two keys are in: the Karsobel page's letter, the bare box's text.
const shown = {
  karsobel: () => document.getElementById("Text2")?.value === "Q",
  bare: () => document.querySelector("input")?.value === "hi",
};

// In the page from its start: when the focus first comes, and the first animation frame at which
// `done` holds, both from the start of navigation; with the bytes of what the page fetched before.
function watch(done) {
  document.addEventListener("focusin", () => {
    window.focusedAt ??= performance.now();
  }, true);
  const check = (now) => {
    if (!done()) {
      requestAnimationFrame(check);
      return;
    }
    const fetched = performance.getEntriesByType("navigation")
      .concat(performance.getEntriesByType("resource").filter((each) => each.startTime < now));
    window.doneAt = { at: now, bytes: fetched.reduce((sum, each) => sum + each.encodedBodySize, 0),
                      files: fetched.length };
  };
  requestAnimationFrame(check);
}

async function firstVisit(browser, url, network, done) {
  const context = await browser.newContext();
  try {
    const page = await context.newPage();
    if (network) {
      const session = await context.newCDPSession(page);
      await session.send("Network.enable");
      await session.send("Network.emulateNetworkConditions", network);
    }
    await page.addInitScript(`(${watch})(${done})`);
    await page.goto(url, { waitUntil: "commit" });
    await page.waitForFunction(() => window.focusedAt, null, { polling: "raf", timeout: 20000 });
    await page.keyboard.type("hi");
    const result = await page.waitForFunction(() => window.doneAt && [window.focusedAt, window.doneAt],
                                              null, { polling: "raf", timeout: 20000 });
    return await result.jsonValue();
  } finally {
    await context.close();
  }
}

const median = (values) => [...values].sort((a, b) => a - b)[values.length >> 1];
const milliseconds = (value) => `${value.toFixed(0)} ms`;

async function lighthouse(url) {
  const lighthouseRun = await import("lighthouse").then((module) => module.default, () => null);
  if (lighthouseRun === null) {
    console.log("Lighthouse: not installed (npm ci --prefix bench/web)");
    return;
  }
  const port = 9000 + Math.floor(Math.random() * 1000);
  const browser = await chromium.launch({ ...chromiumOptions,
                                          args: [...chromiumOptions.args, `--remote-debugging-port=${port}`] });
  try {
    const { lhr } = await lighthouseRun(url, { port, output: "json", logLevel: "error" });
    const scores = Object.values(lhr.categories)
      .map((category) => `${category.title} ${Math.round(category.score * 100)}`);
    console.log(`Lighthouse ${lhr.lighthouseVersion}, mobile: ${scores.join(", ")}`);
  } finally {
    await browser.close();
  }
}

const servers = [];
const browser = await chromium.launch(chromiumOptions);
try {
  for (const [name, network, compress] of connections) {
    const pages = { karsobel: await serve(site, { compress }), bare: await serve(bare, { compress }) };
    servers.push(...Object.values(pages));
    const seen = { karsobel: [], bare: [] };
    for (let visit = 0; visit < Number(visits); ++visit) {
      for (const which of visit % 2 ? ["bare", "karsobel"] : ["karsobel", "bare"]) {
        seen[which].push(await firstVisit(browser, pages[which].url, network, shown[which]));
      }
    }
    const focus = Object.fromEntries(Object.entries(seen)
      .map(([which, runs]) => [which, median(runs.map(([focused]) => focused))]));
    const letter = Object.fromEntries(Object.entries(seen)
      .map(([which, runs]) => [which, median(runs.map(([, done]) => done.at))]));
    const bytes = median(seen.karsobel.map(([, done]) => done.bytes));
    const files = median(seen.karsobel.map(([, done]) => done.files));
    console.log(`${name}, medians of ${visits} first visits each: input box ` +
                `${milliseconds(focus.karsobel)} / bare ${milliseconds(focus.bare)} ` +
                `(${(focus.karsobel / focus.bare).toFixed(2)}x); first letter ` +
                `${milliseconds(letter.karsobel)} / bare "hi" ${milliseconds(letter.bare)} ` +
                `(${(letter.karsobel / letter.bare).toFixed(2)}x); ` +
                `${bytes} bytes in ${files} files before the letter`);
  }

  const pasteServer = await serve(site);
  servers.push(pasteServer);
  const context = await browser.newContext({ serviceWorkers: "block" });
  await context.grantPermissions(["clipboard-read", "clipboard-write"], { origin: pasteServer.url });
  const page = await context.newPage();
  // Past the frame that shows what the page holds: the next one begins only once it is drawn.
  const painted = () => page.evaluate(() => new Promise((resolve) =>
    requestAnimationFrame(() => requestAnimationFrame(resolve))));
  await page.goto(pasteServer.url);
  await page.waitForFunction(() => window.Module?.form !== undefined);
  await page.evaluate(() => navigator.clipboard.writeText("ab".repeat(5000000)));
  let start = performance.now();
  await page.keyboard.press("Control+V");
  await page.waitForFunction(() => document.getElementById("Text1").value.length === 10000000);
  await painted();
  console.log(`a 10 MB paste: ${(performance.now() - start).toFixed(0)} ms until the box shows it`);
  start = performance.now();
  await page.keyboard.press("c");
  await page.waitForFunction(() => document.getElementById("Text2").value === "C");
  await painted();
  console.log(`the key after it: ${(performance.now() - start).toFixed(0)} ms until its letter shows`);
  await context.close();

  await lighthouse(pasteServer.url);
} finally {
  await browser.close();
  await Promise.all(servers.map((server) => server.close()));
  await fs.rm(bare, { recursive: true, force: true });
}
