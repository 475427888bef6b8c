// What the page's test and benchmark start, and end: a static web server for a folder, on the
// loopback address, and Debian's Chromium, headless, driven through playwright-core.
import fs from "node:fs/promises";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import { chromium } from "playwright-core";

const types = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript",
  ".wasm": "application/wasm",
  ".css": "text/css",
  ".svg": "image/svg+xml",
  ".webmanifest": "application/manifest+json",
};

// Serves `folder` on 127.0.0.1 at a free port: { url, hold(name), close() }, where hold keeps
// the answers to requests for the file `name` ("/karsobel.wasm") back until the function it
// returns is called.
// With `prelude`, a script written at the start of every HTML page's head.
export async function serve(folder, { prelude } = {}) {
  const root = path.resolve(folder);
  const held = new Map();
  const server = http.createServer(async (request, response) => {
    const name = decodeURIComponent(new URL(request.url, "http://localhost").pathname);
    await held.get(name)?.promise;
    const file = path.join(root, name.endsWith("/") ? name + "index.html" : name);
    try {
      if (!file.startsWith(root + path.sep)) {
        throw new Error("outside the folder");
      }
      let body = await fs.readFile(file);
      if (prelude && file.endsWith(".html")) {
        body = body.toString().replace("<head>", `<head><script>${prelude}</script>`);
      }
      response.writeHead(200, { "Content-Type": types[path.extname(file)] ?? "application/octet-stream" });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    hold(name) {
      let release;
      const promise = new Promise((resolve) => {
        release = resolve;
      });
      held.set(name, { promise });
      return () => {
        held.delete(name);
        release();
      };
    },
    close: () => new Promise((resolve) => {
      server.closeAllConnections();
      server.close(resolve);
    }),
  };
}

export { chromium };

// Debian's Chromium, headless. No background connections: this machine's network is closed to
// all but the loopback.
export const chromiumOptions = {
  executablePath: "/usr/bin/chromium",
  timeout: 30000,
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync"],
};

// Chromium in a profile of its own, a real one rather than an incognito window, so that the page
// can be installed: { context, close() }, where close ends the browser and removes the profile.
export async function launchChromium() {
  const profile = await fs.mkdtemp(path.join(os.tmpdir(), "karsobel-chromium-"));
  try {
    const context = await chromium.launchPersistentContext(profile, chromiumOptions);
    return {
      context,
      close: async () => {
        await context.close();
        await fs.rm(profile, { recursive: true, force: true });
      },
    };
  } catch (error) {
    await fs.rm(profile, { recursive: true, force: true });
    throw error;
  }
}
