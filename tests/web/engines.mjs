// Firefox ESR and WebKitGTK, as Debian ships them, behind one small interface for the page's
// test in those engines: Firefox headless through WebDriver BiDi (puppeteer-core), WebKit's
// MiniBrowser through WebKitWebDriver (selenium-webdriver) in the X server of DISPLAY. Each
// launch gives { open(url), evaluate(function, argument), type(text), press(keys), click(id),
// setWidth(width), screenshot(file), close() }; close ends the browser and its driver.
import { spawn } from "node:child_process";
import fs from "node:fs/promises";
import net from "node:net";
import puppeteer from "puppeteer-core";
import { Builder, Key } from "selenium-webdriver";

const HEIGHT = 300;

// "Control+Shift+Z" as its modifiers and its key.
function keys(combination) {
  const parts = combination.split("+");
  return { modifiers: parts.slice(0, -1), key: parts.at(-1) };
}

export async function launchFirefox() {
  const browser = await puppeteer.launch({
    browser: "firefox", executablePath: "/usr/bin/firefox-esr", headless: true, timeout: 30000,
    protocolTimeout: 30000,
  });
  try {
    const page = (await browser.pages())[0] ?? await browser.newPage();
    const errors = [];
    page.on("console", (message) => message.type() === "error" && errors.push(message.text()));
    page.on("pageerror", (error) => errors.push(error.message));
    await page.setViewport({ width: 800, height: HEIGHT });
    return {
      errors,
      open: (url) => page.goto(url),
      evaluate: (run, argument) => page.evaluate(run, argument),
      type: (text) => page.keyboard.type(text),
      async press(combination) {
        const { modifiers, key } = keys(combination);
        for (const modifier of modifiers) {
          await page.keyboard.down(modifier);
        }
        await page.keyboard.press(key.length === 1 ? key.toLowerCase() : key);
        for (const modifier of modifiers.reverse()) {
          await page.keyboard.up(modifier);
        }
      },
      click: (id) => page.click("#" + id),
      setWidth: (width) => page.setViewport({ width, height: HEIGHT }),
      screenshot: (file) => page.screenshot({ path: file }),
      close: () => browser.close(),
    };
  } catch (error) {
    await browser.close();
    throw error;
  }
}

const seleniumKeys = { Backspace: Key.BACK_SPACE, Home: Key.HOME, Shift: Key.SHIFT,
                       Control: Key.CONTROL, Tab: Key.TAB, Escape: Key.ESCAPE };

function freePort() {
  return new Promise((resolve, reject) => {
    const probe = net.createServer().listen(0, "127.0.0.1", () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    }).on("error", reject);
  });
}

// Polls until `ready` answers true, or fails past `timeout` ms.
async function until(ready, timeout, what) {
  const end = Date.now() + timeout;
  while (!await ready().catch(() => false)) {
    if (Date.now() > end) {
      throw new Error(`${what} took longer than ${timeout} ms`);
    }
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
}

export async function launchWebKit() {
  const port = await freePort();
  // In a process group of its own, ended whole: the driver, its browser and the browser's helpers.
  const driverProcess = spawn("WebKitWebDriver", [`--port=${port}`],
                              { stdio: "ignore", detached: true });
  const endDriver = () => {
    try {
      process.kill(-driverProcess.pid, "SIGKILL");
    } catch {
      // Already ended.
    }
  };
  // Ended even where the test ends without closing it.
  process.once("exit", endDriver);
  let driver;
  try {
    await until(() => new Promise((resolve) => {
      const socket = net.connect(port, "127.0.0.1", () => resolve(socket.end() && true))
        .on("error", () => resolve(false));
    }), 10000, "WebKitWebDriver's start");
    driver = await new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities({
      browserName: "MiniBrowser",
      "webkitgtk:browserOptions": {
        binary: "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser", args: ["--automation"],
      },
    }).build();
    await driver.manage().setTimeouts({ script: 10000, pageLoad: 10000 });
    const keyOf = (name) => seleniumKeys[name] ?? name.toLowerCase();
    return {
      errors: [],
      open: (url) => driver.get(url),
      evaluate: (run, argument) =>
        driver.executeScript(`return (${run})(arguments[0]);`, argument ?? null),
      type: (text) => driver.actions().sendKeys(text).perform(),
      press(combination) {
        const { modifiers, key } = keys(combination);
        let actions = driver.actions();
        for (const modifier of modifiers) {
          actions = actions.keyDown(keyOf(modifier));
        }
        actions = actions.sendKeys(keyOf(key));
        for (const modifier of modifiers.reverse()) {
          actions = actions.keyUp(keyOf(modifier));
        }
        return actions.perform();
      },
      click: (id) => driver.findElement({ id }).click(),
      // The window as much wider than the page as its frame is.
      async setWidth(width) {
        const window = driver.manage().window();
        await window.setRect({ width, height: HEIGHT });
        const inner = await driver.executeScript("return innerWidth;");
        if (inner !== width) {
          await window.setRect({ width: 2 * width - inner, height: HEIGHT });
        }
      },
      screenshot: async (file) => fs.writeFile(file, await driver.takeScreenshot(), "base64"),
      async close() {
        try {
          await driver.quit();
        } finally {
          endDriver();
        }
      },
    };
  } catch (error) {
    await driver?.quit().catch(() => {});
    endDriver();
    throw error;
  }
}
