// The Karsobel page end to end in Firefox ESR or WebKitGTK, what rests on the engine: the table of
// key sequences (all but an input method's, which only Chromium's test can drive), the same keys
// typed before the core is ready, the controls' places, fonts, colours and names, the live region,
// the tab order, a phone's width, and no script error on any of them. One browser for them all.
//
//     node engines_test.mjs firefox|webkit SITE_FOLDER SCREENSHOT.png
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { serve } from "./browser.mjs";
import { launchFirefox, launchWebKit } from "./engines.mjs";
import { CLIENT, CONTROLS, sequences } from "./page_table.mjs";

const [engine, site, screenshotPath] = process.argv.slice(2);

// Every error the page's scripts throw or print, kept in the page for the test to read.
const prelude = `window.karsobelErrors = [];
addEventListener("error", (event) => karsobelErrors.push(String(event.message)));
addEventListener("unhandledrejection", (event) => karsobelErrors.push(String(event.reason)));
const karsobelConsoleError = console.error;
console.error = (...parts) => {
  karsobelErrors.push(parts.join(" "));
  karsobelConsoleError(...parts);
};`;

let server;
let browser;
const watchdog = setTimeout(async () => {
  console.error(`the page test in ${engine} took too long`);
  await browser?.close().catch(() => {});
  await server?.close();
  process.exit(1);
}, 150000);

before(async () => {
  server = await serve(site, { prelude });
  browser = await (engine === "webkit" ? launchWebKit() : launchFirefox());
});

after(async () => {
  clearTimeout(watchdog);
  await browser?.close();
  await server?.close();
});

const state = () => browser.evaluate(() => ({
  input: document.getElementById("Text1").value,
  output: document.getElementById("Text2").value,
  focus: document.activeElement?.id,
  ready: window.Module?.form !== undefined,
  errors: window.karsobelErrors,
}));

async function until(condition, what) {
  const end = Date.now() + 10000;
  while (!condition(await state())) {
    assert.ok(Date.now() < end, `waited too long for ${what}`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

async function openPage({ ready = true } = {}) {
  await browser.open(server.url);
  await until((now) => now.focus === "Text1" && (now.ready || !ready), "the page");
}

// A test that ends, whatever it did, with no script error in the page and none printed.
function pageTest(name, run) {
  test(name, async () => {
    await run();
    assert.deepEqual((await state()).errors, [], "script errors in the page");
    assert.deepEqual(browser.errors.splice(0), [], "errors printed to the console");
  });
}

// Text on the clipboard as a user puts it there, copied from a text area with Ctrl+C, then Ctrl+V
// into the input box with its selection as it was.
async function paste(text) {
  const selection = await browser.evaluate((text) => {
    const input = document.getElementById("Text1");
    const area = document.createElement("textarea");
    area.id = "clipboard";
    area.value = text;
    document.body.append(area);
    area.select();
    return [input.selectionStart, input.selectionEnd];
  }, text);
  await browser.press("Control+C");
  await browser.evaluate((selection) => {
    document.getElementById("clipboard").remove();
    const input = document.getElementById("Text1");
    input.focus();
    input.setSelectionRange(...selection);
  }, selection);
  await browser.press("Control+V");
}

async function perform(step) {
  if (typeof step === "string") {
    await browser.type(step);
  } else if (step.press) {
    await browser.press(step.press);
  } else if (step.paste) {
    await paste(step.paste);
  } else if (step.click) {
    await browser.click("Command1");
  }
}

// Keys only: neither driver has an input method. Nor do they type a character outside the basic
// plane as one key: Firefox's BiDi hands the page each of its two UTF-16 halves as a key alone.
// WebKitGTK binds no key to the browser's own undo, which only its menus reach.
const keyed = sequences.filter(([, steps]) => steps.every((step) =>
  (typeof step === "string" && !/[\u{10000}-\u{10FFFF}]/u.test(step)) || step.paste || step.click ||
  (step.press && !(engine === "webkit" && step.press === "Control+Z"))));

for (const [what, steps, output] of keyed) {
  pageTest(`keys: ${what}`, async () => {
    await openPage();
    for (const step of steps) {
      await perform(step);
    }
    assert.deepEqual(await state().then(({ input, output, focus }) => [input, output, focus]),
                     ["", output, "Text1"]);
  });
}

for (const [what, steps, output] of keyed) {
  pageTest(`keys before the core is ready: ${what}`, async () => {
    const release = server.hold();
    try {
      await openPage({ ready: false });
      for (const step of steps) {
        await perform(step);
      }
      assert.equal((await state()).ready, false, "the core is not ready");
    } finally {
      release();
    }
    await until((now) => now.ready, "the core");
    assert.deepEqual(await state().then(({ input, output, focus }) => [input, output, focus]),
                     ["", output, "Text1"]);
  });
}

pageTest("the controls' places, fonts, colours and names, and the live region", async () => {
  await openPage();
  await browser.type("hi");
  const seen = await browser.evaluate(() => {
    const controls = [...document.querySelectorAll("#Form1 > *")].map((element) => {
      const box = element.getBoundingClientRect();
      const style = getComputedStyle(element);
      return { id: element.id, rect: [box.left, box.top, box.width, box.height],
               font: style.fontSize, weight: style.fontWeight, colour: style.backgroundColor,
               text: style.color, name: element.getAttribute("aria-label") };
    });
    const form = document.getElementById("Form1").getBoundingClientRect();
    const live = document.getElementById("announcement");
    return { controls, form: [form.width, form.height],
             live: [live.getAttribute("role"), live.getAttribute("aria-live"), live.textContent] };
  });
  assert.deepEqual(seen.controls, CONTROLS.map((control) => ({
    id: control.id, rect: control.rect, font: control.font, weight: "700",
    colour: `rgb(${control.colour.join(", ")})`, text: "rgb(0, 0, 0)", name: control.name })));
  assert.deepEqual(seen.form, [CLIENT.width, CLIENT.height]);
  assert.deepEqual(seen.live, ["status", "polite", "Q"]);
});

pageTest("tab order: Input, Output, Clear, and back", async () => {
  await openPage();
  const order = [];
  for (const key of ["Tab", "Tab", "Shift+Tab", "Shift+Tab"]) {
    await browser.press(key);
    order.push((await state()).focus);
  }
  assert.deepEqual(order, ["Text2", "Command1", "Text2", "Text1"]);
});

// MiniBrowser's window is no narrower than 447 pixels.
pageTest("a screen narrower than the form: no sideways scroll, a narrower output box", async () => {
  try {
    await browser.setWidth(450);
    await openPage();
    const [scrollWidth, width, output] = await browser.evaluate(() => [
      document.documentElement.scrollWidth, innerWidth,
      document.getElementById("Text2").offsetWidth]);
    assert.ok(width < CLIENT.width, `${width} pixels wide`);
    assert.deepEqual([scrollWidth, output], [width, width - (CLIENT.width - CONTROLS[1].rect[2])]);
    await browser.screenshot(screenshotPath);
  } finally {
    await browser.setWidth(800);
  }
});
