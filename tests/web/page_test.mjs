// The Karsobel page end to end in Debian's Chromium, headless, with real key presses: a table of
// key sequences, the form's places, fonts and colours, readable text in every colour scheme, the
// tab order, what the accessibility tree says, a screenshot, and the page installed and offline.
//
//     node page_test.mjs SITE_FOLDER SCREENSHOT.png
import assert from "node:assert/strict";
import fs from "node:fs/promises";
import os from "node:os";
import path from "node:path";
import { createRequire } from "node:module";
import { after, before, test as nodeTest } from "node:test";
import { launchChromium, serve } from "./browser.mjs";
import { BOX, BUTTON, CLIENT, CONTROLS, NAVY, sequences } from "./page_table.mjs";

const [site, screenshotPath] = process.argv.slice(2);
const axeScript = createRequire(import.meta.url).resolve("axe-core/axe.min.js");

let server;
let browser;
let page;
// What the page's scripts throw or print as errors, which no test may leave.
const errors = [];

function test(name, run) {
  nodeTest(name, async () => {
    await run();
    assert.deepEqual(errors.splice(0), [], "script errors");
  });
}
// Chromium's own interface, through which the tests compose as an input method does.
let devtools;
// Nothing waits without a bound, and nothing outlives the test: past this, the browser and the
// server are ended and the test fails.
const watchdog = setTimeout(async () => {
  console.error("the page test took too long");
  await browser?.close();
  await server?.close();
  process.exit(1);
}, 150000);

before(async () => {
  server = await serve(site);
  browser = await launchChromium();
  await browser.context.grantPermissions(["clipboard-read", "clipboard-write"],
                                         { origin: server.url });
  page = browser.context.pages()[0] ?? await browser.context.newPage();
  page.setDefaultTimeout(10000);
  // Chromium's note on a manifest whose fetch the next test's navigation cut short is no script
  // error; the manifest itself is checked where the page is installed.
  page.on("console", (message) => message.type() === "error" &&
    !message.text().startsWith("Manifest: ") && errors.push(message.text()));
  page.on("pageerror", (error) => errors.push(error.message));
  devtools = await browser.context.newCDPSession(page);
});

after(async () => {
  clearTimeout(watchdog);
  await browser?.close();
  await server?.close();
});

async function openPage() {
  await page.goto(server.url);
  await page.waitForFunction(() => document.activeElement?.id === "Text1");
}

const value = (id) => page.inputValue("#" + id);
const focused = () => page.evaluate(() => document.activeElement?.id);
const rgb = (colour) => `rgb(${colour.join(", ")})`;

// One step of a key sequence (page_table.mjs).
async function perform(step) {
  if (typeof step === "string") {
    await page.keyboard.type(step);
  } else if ("compose" in step) {
    const end = step.compose.length;
    await devtools.send("Input.imeSetComposition", { text: step.compose, selectionStart: end,
                                                     selectionEnd: end });
  } else if ("commit" in step) {
    await devtools.send("Input.insertText", { text: step.commit });
  } else if (step.shows) {
    assert.deepEqual([await value("Text1"), await value("Text2")], step.shows);
  } else if (step.press) {
    await page.keyboard.press(step.press);
  } else if (step.paste) {
    await page.evaluate((text) => navigator.clipboard.writeText(text), step.paste);
    await page.keyboard.press("Control+V");
  } else if (step.click) {
    await page.getByRole("button", { name: step.click }).click();
  }
}


for (const [what, steps, output] of sequences) {
  test(`keys: ${what}`, async () => {
    await openPage();
    for (const step of steps) {
      await perform(step);
    }
    assert.equal(await value("Text2"), output);
    assert.equal(await value("Text1"), "");
    assert.equal(await focused(), "Text1");
  });
}

// The same keys typed while the core is held back, so before it is ready: once it is,
// the boxes hold what they would have held had it been ready all along.
const unwatched = sequences.filter(([, steps]) => !steps.some((step) => step.shows));
for (const [what, steps, output] of unwatched) {
  test(`keys before the core is ready: ${what}`, async () => {
    const release = server.hold();
    try {
      await page.goto(server.url);
      await page.waitForFunction(() => document.activeElement?.id === "Text1");
      for (const step of steps) {
        await perform(step);
      }
      assert.equal(await page.evaluate(() => window.Module?.form), undefined, "no core yet");
    } finally {
      release();
    }
    await page.waitForFunction(() => window.Module?.form !== undefined);
    assert.equal(await value("Text2"), output);
    assert.equal(await value("Text1"), "");
    assert.equal(await focused(), "Text1");
  });
}

const status = () => page.$eval("#status", (line) => (line.hidden ? "" : line.textContent));

test("the core cut off with the connection: text boxes, one line, and a reload pairs", async () => {
  server.cutAt('<script type="application/octet-stream"');
  await page.goto(server.url);
  await page.keyboard.type("hi");
  assert.deepEqual([await value("Text1"), await value("Text2"), await focused()], ["hi", "", "Text1"]);
  assert.match(await status(), /^Pairing is not ready: .*Reload/);
  await openPage();
  await page.keyboard.type("hi");
  assert.deepEqual([await value("Text1"), await value("Text2"), await status()], ["", "Q", ""]);
});

// A browser without WebAssembly, and a page whose core is corrupted: each served apart.
const withoutWasm = ["a browser without WebAssembly", (folder) => serve(folder, {
  prelude: "delete window.WebAssembly" })];
const corrupted = ["a corrupted core", async (folder) => {
  const copy = await fs.mkdtemp(path.join(os.tmpdir(), "karsobel-corrupted-"));
  await fs.cp(folder, copy, { recursive: true });
  const html = await fs.readFile(path.join(folder, "index.html"), "utf8");
  // The WebAssembly's first bytes, its magic number, in Base64.
  await fs.writeFile(path.join(copy, "index.html"), html.replace(">AGFzbQ", ">AAAAAA"));
  const served = await serve(copy);
  return { ...served, close: () => served.close().then(() => fs.rm(copy, { recursive: true })) };
}];
for (const [what, start] of [withoutWasm, corrupted]) {
  test(`the core cannot start, ${what}: text boxes and one line`, async () => {
    const apart = await start(site);
    try {
      await page.goto(apart.url);
      await page.waitForFunction(() => !document.getElementById("status").hidden);
      await page.keyboard.type("hito");
      assert.deepEqual([await value("Text1"), await value("Text2"), await focused()],
                       ["hito", "", "Text1"]);
      assert.match(await status(), /^Pairing cannot start: /);
    } finally {
      await apart.close();
    }
  });
}

test("the form is painted, with the focus in the input box, before any script runs", async () => {
  await devtools.send("Emulation.setScriptExecutionDisabled", { value: true });
  try {
    await page.goto(server.url);
    // The box's autofocus is given at a rendering update, which on a loaded machine may come
    // after the load event: asked again until it has, within the page's timeout.
    for (const end = Date.now() + 10000; Date.now() < end;) {
      if (await page.evaluate(() => document.activeElement?.id === "Text1")) {
        break;
      }
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
    const seen = await page.evaluate(() => [...document.querySelectorAll("#Form1 > *")]
      .map((element) => {
        const box = element.getBoundingClientRect();
        return [element.id, [box.left, box.top, box.width, box.height]];
      }).concat([["focus", document.activeElement.id], ["core", typeof Module]]));
    assert.deepEqual(seen, CONTROLS.map((control) => [control.id, control.rect])
      .concat([["focus", "Text1"], ["core", "undefined"]]));
  } finally {
    await devtools.send("Emulation.setScriptExecutionDisabled", { value: false });
  }
});

test("a big paste, its end in view, undone and redone, and the key after it", async () => {
  await openPage();
  await perform({ paste: "ab".repeat(500000) });
  assert.equal((await value("Text1")).length, 1000000);
  const shown = await page.$eval("#Text1", (box) =>
    box.scrollLeft > 0 && box.scrollLeft + box.clientWidth >= box.scrollWidth - 1);
  assert.ok(shown, "the pasted text's end, with the caret, is scrolled into view");
  // Each a change: the undo the second, which pairs the emptied box to nothing; the redo the first.
  await perform({ press: "Control+Z" });
  assert.equal(await value("Text1"), "");
  await perform({ press: "Control+Shift+Z" });
  assert.equal((await value("Text1")).length, 1000000);
  await perform("c");
  assert.equal(await value("Text2"), "C");
  assert.equal(await value("Text1"), "");
});

test("the output box is read-only and its end stays in view", async () => {
  await openPage();
  await page.keyboard.type("ab".repeat(60));
  await page.keyboard.press("Tab");
  await page.keyboard.type("zz");
  assert.equal(await value("Text2"), "C".repeat(60));
  const shown = await page.$eval("#Text2", (box) =>
    box.scrollWidth > box.clientWidth && box.scrollLeft + box.clientWidth >= box.scrollWidth - 1);
  assert.ok(shown, "the output's end is scrolled into view");
});

test("the controls' places, fonts and colours", async () => {
  await openPage();
  const form = await page.$eval("#Form1", (element) => {
    const box = element.getBoundingClientRect();
    return [box.width, box.height, getComputedStyle(element).backgroundColor];
  });
  assert.deepEqual(form, [CLIENT.width, CLIENT.height, rgb(NAVY)]);
  for (const control of CONTROLS) {
    const seen = await page.$eval("#" + control.id, (element) => {
      const box = element.getBoundingClientRect();
      const style = getComputedStyle(element);
      return { rect: [box.left, box.top, box.width, box.height], font: style.fontSize,
               weight: style.fontWeight, family: style.fontFamily, colour: style.backgroundColor };
    });
    assert.deepEqual(seen, { rect: control.rect, font: control.font, weight: "700",
                             family: '"MS Sans Serif", sans-serif', colour: rgb(control.colour) },
                     control.id);
  }
});

test("tab order: Input, Output, Clear, and back", async () => {
  await openPage();
  const order = [await focused()];
  for (const key of ["Tab", "Tab", "Shift+Tab", "Shift+Tab"]) {
    await page.keyboard.press(key);
    order.push(await focused());
  }
  assert.deepEqual(order, ["Text1", "Text2", "Command1", "Text2", "Text1"]);
});

// Text colours in each scheme, by the system colours of the same scheme: the platform's own
// where it reads at 4.5:1 against the control (black in the light scheme), black or white
// otherwise (the dark scheme's light text on cyan and lavender does not); under forced colours,
// the system's colours for fields and buttons.
const schemes = [
  ["light", "none", { TextBox: ["rgb(0, 0, 0)", rgb(BOX)], PushButton: ["rgb(0, 0, 0)", rgb(BUTTON)] }],
  ["dark", "none", { TextBox: ["rgb(0, 0, 0)", rgb(BOX)], PushButton: ["rgb(0, 0, 0)", rgb(BUTTON)] }],
  ["dark", "active", { TextBox: ["FieldText", "Field"], PushButton: ["ButtonText", "ButtonFace"] }],
];

for (const [colorScheme, forcedColors, expected] of schemes) {
  test(`readable text: ${colorScheme} scheme, forced colours ${forcedColors}`, async () => {
    await page.emulateMedia({ colorScheme, forcedColors });
    try {
      await openPage();
      const seen = await page.evaluate((expected) => {
        const resolve = (colour) => {
          const probe = document.createElement("span");
          probe.style.color = colour;
          document.body.appendChild(probe);
          const value = getComputedStyle(probe).color;
          probe.remove();
          return value;
        };
        return [...document.querySelectorAll("#Form1 > *")].map((element) => {
          const style = getComputedStyle(element);
          return [element.id, [style.color, style.backgroundColor],
                  expected[element.className].map(resolve)];
        });
      }, expected);
      for (const [id, colours, wanted] of seen) {
        assert.deepEqual(colours, wanted, id);
      }
    } finally {
      await page.emulateMedia({ colorScheme: "light", forcedColors: "none" });
    }
  });
}

// The page's accessibility tree as Chromium gives it to screen readers.
async function accessibilityTree() {
  const session = await page.context().newCDPSession(page);
  try {
    const { nodes } = await session.send("Accessibility.getFullAXTree");
    return nodes.filter((node) => !node.ignored).map((node) => {
      const properties = Object.fromEntries((node.properties ?? [])
        .map((property) => [property.name, property.value.value]));
      return { role: node.role?.value, name: node.name?.value, ...properties };
    });
  } finally {
    await session.detach();
  }
}

test("accessibility: names, roles, focus and the new letter announced", async () => {
  await openPage();
  await page.keyboard.type("hi");
  await page.waitForFunction(() => document.getElementById("announcement").textContent === "Q");
  const tree = await accessibilityTree();
  for (const control of CONTROLS) {
    const node = tree.find((each) => each.role === control.role && each.name === control.name);
    assert.ok(node, `${control.role} named ${control.name}`);
    assert.equal(node.readonly ?? false, control.id === "Text2", `${control.name} read-only`);
    assert.equal(node.focused ?? false, control.id === "Text1", `${control.name} focused`);
  }
  const status = tree.find((each) => each.role === "status");
  assert.equal(status?.live, "polite");
  assert.equal(await focused(), "Text1");
});

// What axe-core finds against WCAG 2.2 A and AA and its own best practice, as "rule: elements".
async function axeViolations() {
  if (!await page.evaluate(() => "axe" in window)) {
    await page.addScriptTag({ path: axeScript });
  }
  return page.evaluate(async () => {
    const tags = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22aa", "best-practice"];
    const { violations } = await window.axe.run(document,
                                                { runOnly: { type: "tag", values: tags } });
    return violations.map((each) => `${each.id}: ${each.nodes.map((node) => node.target).join(" ")}`);
  });
}

test("accessibility: axe-core finds nothing, on load and after a pair", async () => {
  await openPage();
  assert.deepEqual(await axeViolations(), [], "on load");
  await page.keyboard.type("hi");
  assert.equal(await value("Text2"), "Q");
  assert.deepEqual(await axeViolations(), [], "after a pair");
});

// The share of the pixels in `rect` of a PNG screenshot that are `colour`, decoded by the page.
function shareOf(png, rect, colour) {
  return page.evaluate(async ({ data, rect, colour }) => {
    const image = await createImageBitmap(await (await fetch("data:image/png;base64," + data)).blob());
    const canvas = new OffscreenCanvas(image.width, image.height);
    const context = canvas.getContext("2d");
    context.drawImage(image, 0, 0);
    const pixels = context.getImageData(...rect).data;
    let hits = 0;
    for (let at = 0; at < pixels.length; at += 4) {
      hits += pixels[at] === colour[0] && pixels[at + 1] === colour[1] && pixels[at + 2] === colour[2];
    }
    return hits / (pixels.length / 4);
  }, { data: png.toString("base64"), rect, colour });
}

test("screenshot: the form's places and colours", async () => {
  await openPage();
  await page.keyboard.type("hitoa");
  const png = await page.screenshot({ clip: { x: 0, y: 0, width: 600, height: 60 } });
  await fs.writeFile(screenshotPath, png);
  assert.ok(await shareOf(png, [0, 0, CLIENT.width, 8], NAVY) > 0.99, "navy above the controls");
  // Left of the input, short of its focus ring.
  assert.ok(await shareOf(png, [0, 0, 12, CLIENT.height], NAVY) > 0.99, "navy left of the input");
  for (const control of CONTROLS) {
    const share = await shareOf(png, control.rect, control.colour);
    assert.ok(share >= 0.6, `${control.id} shows ${control.colour} over ${share}`);
  }
  assert.ok(await shareOf(png, [CLIENT.width, 0, 600 - CLIENT.width, CLIENT.height], NAVY) < 0.01,
            "the form ends at its width");
});

// On a phone's or a tablet's width: no sideways scrolling, only the output box narrower, every
// control within a finger's reach (24 by 24 at least), pinch-zoom allowed; a screenshot of each.
test("fits a phone's and a tablet's screen", async () => {
  const viewport = page.viewportSize();
  try {
    for (const width of [320, 390, 768]) {
      await page.setViewportSize({ width, height: 200 });
      await openPage();
      await page.keyboard.type("ab".repeat(80));
      const seen = await page.evaluate(() => {
        const rect = (element) => {
          const box = element.getBoundingClientRect();
          return [box.left, box.top, box.width, box.height];
        };
        const output = document.getElementById("Text2");
        return {
          scrollWidth: document.documentElement.scrollWidth,
          controls: Object.fromEntries([...document.querySelectorAll("#Form1 > *")]
            .map((element) => [element.id, rect(element)])),
          outputEnd: output.scrollLeft + output.clientWidth >= output.scrollWidth - 1,
          viewport: document.querySelector('meta[name="viewport"]').content,
        };
      });
      const formWidth = Math.min(CLIENT.width, width);
      assert.equal(seen.scrollWidth, width, `no sideways scrolling at ${width}`);
      for (const control of CONTROLS) {
        const [left, top, controlWidth, height] = control.rect;
        // The output box keeps its margins: the form's width less its own.
        const narrowed = control.id === "Text2"
          ? Math.min(controlWidth, formWidth - (CLIENT.width - controlWidth)) : controlWidth;
        assert.deepEqual(seen.controls[control.id], [left, top, narrowed, height],
                         `${control.id} at ${width}`);
        assert.ok(narrowed >= 24 && height >= 24, `${control.id} in reach at ${width}`);
      }
      assert.ok(seen.outputEnd, `the output's end in view at ${width}`);
      assert.doesNotMatch(seen.viewport, /user-scalable\s*=\s*(no|0)|maximum-scale/);
      await page.screenshot({ path: screenshotPath.replace(/\.png$/, `_${width}.png`) });
    }
  } finally {
    await page.setViewportSize(viewport);
  }
});

// Last, since it ends the server.
test("installable, and starts without a network", async () => {
  await openPage();
  const session = await page.context().newCDPSession(page);
  try {
    await page.evaluate(() => navigator.serviceWorker.ready);
    const { installabilityErrors } = await session.send("Page.getInstallabilityErrors");
    assert.deepEqual(installabilityErrors, []);
    const { data } = await session.send("Page.getAppManifest");
    const manifest = JSON.parse(data);
    assert.equal(manifest.name, "Karsobel");
    assert.equal(manifest.display, "standalone");
  } finally {
    await session.detach();
  }
  await server.close();
  await openPage();
  await page.keyboard.type("hi");
  assert.equal(await value("Text2"), "Q");
  assert.equal(await page.evaluate(() => navigator.serviceWorker.controller !== null), true);
});
