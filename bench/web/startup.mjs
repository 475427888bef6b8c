// Start-up of the Karsobel page beside a page with a bare text box, each on a first visit (a new
// browser context: no cache, no service worker), timed in the page from the start of navigation
// to the moment its input box takes the focus, ready for typing; then a 10 MB paste and a key after
// it, each until the page has drawn it, and the same text set as the bare box's value.
// Reports numbers; it is no test.
//
//     node bench/web/startup.mjs build/web/app/web/site [RUNS]
import fs from "node:fs/promises";
import os from "node:os";
import path from "node:path";
import { chromium, chromiumOptions, serve } from "../../tests/web/browser.mjs";

const [site, runs = "15"] = process.argv.slice(2);
const bare = await fs.mkdtemp(path.join(os.tmpdir(), "karsobel-bare-"));
await fs.writeFile(path.join(bare, "index.html"),
                   '<!DOCTYPE html><title>Bare</title><input aria-label="Input" autofocus>\n');

const servers = [];
const browser = await chromium.launch(chromiumOptions);
try {
  const pages = { karsobel: await serve(site), "bare text box": await serve(bare) };
  servers.push(...Object.values(pages));
  for (const [name, server] of Object.entries(pages)) {
    const times = [];
    for (let run = 0; run < Number(runs); ++run) {
      const context = await browser.newContext({ serviceWorkers: "block" });
      const page = await context.newPage();
      await page.addInitScript(() => document.addEventListener("focusin", () => {
        window.focusedAt ??= performance.now();
      }, true));
      await page.goto(server.url);
      times.push(await page.waitForFunction(() => window.focusedAt, null, { timeout: 10000 })
        .then((handle) => handle.jsonValue()));
      await context.close();
    }
    times.sort((a, b) => a - b);
    console.log(`${name}: median ${times[times.length >> 1].toFixed(1)} ms, ` +
                `fastest ${times[0].toFixed(1)} ms, slowest ${times.at(-1).toFixed(1)} ms ` +
                `over ${times.length} first visits`);
  }

  const context = await browser.newContext({ serviceWorkers: "block" });
  await context.grantPermissions(["clipboard-read", "clipboard-write"], { origin: pages.karsobel.url });
  const page = await context.newPage();
  // Past the frame that shows what the page holds: the next one begins only once it is drawn.
  const painted = () => page.evaluate(() => new Promise((resolve) =>
    requestAnimationFrame(() => requestAnimationFrame(resolve))));
  await page.goto(pages.karsobel.url);
  await page.waitForFunction(() => document.activeElement?.id === "Text1");
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

  // The browser's own floor: the same text given to the bare page's box as its value, in one step.
  await page.goto(pages["bare text box"].url);
  start = performance.now();
  await page.evaluate(() => {
    document.querySelector("input").value = "ab".repeat(5000000);
  });
  await painted();
  const elapsed = (performance.now() - start).toFixed(0);
  console.log(`the same text set as a bare text box's value: ${elapsed} ms until the box shows it`);
  await context.close();
} finally {
  await browser.close();
  await Promise.all(servers.map((server) => server.close()));
  await fs.rm(bare, { recursive: true, force: true });
}
