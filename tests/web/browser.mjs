// What the page's test and benchmark start, and end: a static web server for a folder, on the
// loopback address, and Debian's Chromium, headless, driven through playwright-core.
import fs from "node:fs/promises";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import zlib from "node:zlib";
import { chromium } from "playwright-core";

const types = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript",
  ".wasm": "application/wasm",
  ".css": "text/css",
  ".svg": "image/svg+xml",
  ".webmanifest": "application/manifest+json",
};

// Served on /.held while a hold lasts, since the page carries its core.
const holdPath = "/.held";
// Written into the page while a hold lasts: the core's WebAssembly instantiated only once the
// server answers on /.held.
const holdPrelude = `{const instantiate=WebAssembly.instantiate;WebAssembly.instantiate=
(...args)=>fetch("${holdPath}").then(()=>instantiate.apply(WebAssembly,args));}`;

// Serves `folder` on 127.0.0.1 at a free port: { url, hold(), cutAt(mark), close() }, where hold
// keeps the core of the pages served from then on from starting until the function it returns is
// called, and cutAt(mark) ends the next HTML page served where it reaches `mark`, as a connection
// that drops there leaves it.
// With `prelude`, a script written at the start of every HTML page's head; with `compress`,
// answers gzipped for a browser that takes them.
export async function serve(folder, { prelude, compress = false } = {}) {
  const root = path.resolve(folder);
  let held = null;
  let cut = null;
  const server = http.createServer(async (request, response) => {
    const name = decodeURIComponent(new URL(request.url, "http://localhost").pathname);
    if (name === holdPath) {
      await held?.promise;
      response.writeHead(204).end();
      return;
    }
    const file = path.join(root, name.endsWith("/") ? name + "index.html" : name);
    try {
      if (!file.startsWith(root + path.sep)) {
        throw new Error("outside the folder");
      }
      let body = await fs.readFile(file);
      const headers = { "Content-Type": types[path.extname(file)] ?? "application/octet-stream" };
      if (file.endsWith(".html")) {
        const scripts = [prelude, held && holdPrelude].filter(Boolean);
        body = Buffer.from(body.toString()
          .replace("<head>", () => "<head>" + scripts.map((each) => `<script>${each}</script>`).join("")));
        if (cut !== null) {
          body = body.subarray(0, body.indexOf(cut));
          cut = null;
        }
      }
      if (compress && /\bgzip\b/.test(request.headers["accept-encoding"] ?? "")) {
        body = zlib.gzipSync(body, { level: 9 });
        Object.assign(headers, { "Content-Encoding": "gzip", Vary: "Accept-Encoding" });
      }
      response.writeHead(200, headers);
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    hold() {
      let release;
      const promise = new Promise((resolve) => {
        release = resolve;
      });
      held = { promise };
      return () => {
        held = null;
        release();
      };
    },
    cutAt(mark) {
      cut = mark;
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
