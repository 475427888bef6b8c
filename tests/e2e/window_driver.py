#!/usr/bin/python3
"""Drives the Karsobel window as a user would, in an X server of its own.

Starts Xvfb, launches the program, types with real keystrokes (xdotool), reads the output box
back through the clipboard (xclip), checks the colours of a screenshot at the controls' places
and the contrast of the letters and of the button's caption, and asks the window to close as a
window manager would.

    window_driver.py [--dpi N] [--dark] [--screenshot FILE.png] -- COMMAND [ARGS...]

COMMAND gets DISPLAY and E2E_DPI in its environment. --dark runs it under a dark colour scheme:
E2E_SCHEME=dark for the Wine launcher, and for Qt the qt6ct platform theme with its "darker"
colours.
"""

import argparse
import os
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib

from Xlib import X, display as xdisplay
from Xlib.error import XError
from Xlib.protocol import event

NAVY = (0, 0, 128)
BOX = (0, 192, 192)
BUTTON = (128, 128, 255)
# Client area and controls (left, top, width, height) in twips, with the colour each shows.
CLIENT_TWIPS = (8190, 615)
CONTROLS = {
    "Text1": ((240, 120, 615, 375), BOX),
    "Command1": ((960, 120, 615, 375), BUTTON),
    "Text2": ((1680, 120, 6255, 405), BOX),
}


# Text of the form's sizes reads well from this contrast on (WCAG 2, level AA).
READABLE = 4.5
# How far inside a control's place its text is looked for, clear of its border.
TEXT_INSET = 4
QT6CT_DARK = """[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true
"""


def pixels(twips, dpi):
    return (twips * dpi + 720) // 1440


def contrast(first, second):
    """The WCAG 2 contrast ratio of two (r, g, b) colours."""
    def luminance(colour):
        linear = [c / 255 / 12.92 if c <= 10 else ((c / 255 + 0.055) / 1.055) ** 2.4
                  for c in colour]
        return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]
    lighter, darker = sorted((luminance(first), luminance(second)), reverse=True)
    return (lighter + 0.05) / (darker + 0.05)


def find_window(display, program, title, timeout):
    """The viewable top-level window named `title`, once `program` has shown it."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for window in display.screen().root.query_tree().children:
            try:
                if (window.get_attributes().map_state == X.IsViewable
                        and window.get_wm_name() == title):
                    return window
            except XError:
                continue  # a window that went away while being looked at
        if program.poll() is not None:
            raise RuntimeError(f"program ended with status {program.returncode}")
        time.sleep(0.2)
    raise RuntimeError(f"no window named {title!r} within {timeout} s")


def request_close(display, window, program):
    """Asks `window` to close as a window manager would; `program`'s exit status, or None."""
    protocols = display.intern_atom("WM_PROTOCOLS")
    delete = display.intern_atom("WM_DELETE_WINDOW")
    message = event.ClientMessage(window=window, client_type=protocols,
                                  data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(message, event_mask=X.NoEventMask)
    display.flush()
    try:
        return program.wait(timeout=30)
    except subprocess.TimeoutExpired:
        return None


def signal_group(program, number):
    try:
        os.killpg(program.pid, number)
    except ProcessLookupError:
        pass


class Session:
    """An X server of its own, and the program in it once launched."""

    def __init__(self, dpi):
        self.dpi = dpi
        self.program = None
        self.display = None
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x400x24",
             "-dpi", str(dpi), "-nolisten", "tcp"],
            pass_fds=[write_end], stderr=subprocess.DEVNULL)
        os.close(write_end)
        try:
            with os.fdopen(read_end) as displayfd:
                number = displayfd.readline().strip()
            if not number:
                raise RuntimeError("Xvfb did not start")
            self.env = dict(os.environ, DISPLAY=":" + number, E2E_DPI=str(dpi))
            self.display = xdisplay.Display(self.env["DISPLAY"])
        except BaseException:
            self.close()
            raise

    def launch(self, command):
        """Starts the program, in a process group of its own, and gives its window the focus."""
        self.program = subprocess.Popen(command, env=self.env, stdin=subprocess.DEVNULL,
                                        start_new_session=True)
        self.window = find_window(self.display, self.program, "Karsobel", timeout=90)
        self.tool("xdotool", "windowfocus", "--sync", str(self.window.id))

    def close(self):
        # The whole group goes, so that no helper of the program (Wine's among them) outlives it:
        # asked to end first, so that a launcher can end what it started, then killed.
        if self.program is not None:
            if self.program.poll() is None:
                signal_group(self.program, signal.SIGTERM)
                try:
                    self.program.wait(timeout=60)
                except subprocess.TimeoutExpired:
                    pass
            signal_group(self.program, signal.SIGKILL)
            self.program.wait()
        if self.display is not None:
            self.display.close()
        self.xvfb.terminate()
        self.xvfb.wait()

    def tool(self, *args, stdin=None):
        return subprocess.run(args, env=self.env, input=stdin, capture_output=True, text=True,
                              check=True, timeout=30).stdout

    # Keys, text and clicks reach the program in the order sent; what they do is read back by
    # polling the clipboard, so nothing here waits after sending.
    def keys(self, *names):
        self.tool("xdotool", "key", "--delay", "60", *names)

    def type(self, text):
        self.tool("xdotool", "type", "--delay", "80", text)

    def screenshot(self):
        """The window's pixels as rows of (r, g, b), and its place on the screen."""
        geometry = self.window.get_geometry()
        origin = self.window.translate_coords(self.display.screen().root, 0, 0)
        x, y = -origin.x, -origin.y
        image = self.display.screen().root.get_image(
            x, y, geometry.width, geometry.height, X.ZPixmap, 0xFFFFFFFF)
        data = image.data
        rows = [[(data[i + 2], data[i + 1], data[i])
                 for i in range(row * geometry.width * 4, (row + 1) * geometry.width * 4, 4)]
                for row in range(geometry.height)]
        return rows, (x, y)

    def output_text(self):
        """Tab from the input box to the output box, select all, copy, and read the clipboard."""
        sentinel = "<nothing copied>"
        # xclip stays behind to serve the selection, so its output is not waited for.
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], env=self.env, input=sentinel,
                       text=True, stdout=subprocess.DEVNULL, check=True, timeout=30)
        self.keys("Tab", "ctrl+a", "ctrl+c")
        for _ in range(25):
            text = self.tool("xclip", "-selection", "clipboard", "-o")
            if text != sentinel:
                return text
            time.sleep(0.2)
        return sentinel

    def click(self, point):
        self.tool("xdotool", "mousemove", "--sync", str(point[0]), str(point[1]), "click", "1")

    def click_again(self):
        """A click where the pointer already is, at once: moving it there would wait for it."""
        self.tool("xdotool", "click", "1")

    def request_close(self):
        return request_close(self.display, self.window, self.program)


def navy_area(rows):
    """The bounding box (left, top, right, bottom) of the navy pixels: the client area."""
    hits = [(x, y) for y, row in enumerate(rows) for x, pixel in enumerate(row) if pixel == NAVY]
    if not hits:
        return None
    xs, ys = [x for x, _ in hits], [y for _, y in hits]
    return min(xs), min(ys), max(xs) + 1, max(ys) + 1


def share_of(rows, rect, colour):
    left, top, width, height = rect
    region = [pixel for row in rows[top:top + height] for pixel in row[left:left + width]]
    return sum(pixel == colour for pixel in region) / max(len(region), 1)


def save_png(rows, path):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(channel for pixel in row for channel in pixel) for row in rows)

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    with open(path, "wb") as png:
        png.write(b"\x89PNG\r\n\x1a\n"
                  + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                  + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


class Checks:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def expect(self, condition, what):
        print(("ok:   " if condition else "FAIL: ") + what, flush=True)
        if condition:
            self.passed += 1
        else:
            self.failed += 1
        return condition


def control_rect(client, twips, dpi):
    """A control's place in pixels of the screenshot, from its place in twips on the client area."""
    left, top, width, height = (pixels(value, dpi) for value in twips)
    return client[0] + left, client[1] + top, width, height


def painted_screenshot(session, timeout=30):
    """A screenshot once the window has painted its client area and every control: Wine paints
    the controls one at a time."""
    deadline = time.monotonic() + timeout
    while True:
        rows, origin = session.screenshot()
        client = navy_area(rows)
        if client is not None and all(
                share_of(rows, control_rect(client, twips, session.dpi), colour) >= 0.6
                for twips, colour in CONTROLS.values()):
            return rows, origin
        if time.monotonic() > deadline:
            return rows, origin
        time.sleep(0.1)


def text_colour(rows, rect, background):
    """The colour of the text inside `rect` on `background`: the commonest other colour there, the
    colour of the glyphs' solid strokes; None where nothing is written."""
    left, top, width, height = rect
    counts = {}
    for row in rows[top + TEXT_INSET:top + height - TEXT_INSET]:
        for pixel in row[left + TEXT_INSET:left + width - TEXT_INSET]:
            if pixel != background:
                counts[pixel] = counts.get(pixel, 0) + 1
    return max(counts, key=counts.get) if sum(counts.values()) >= 20 else None


def check_contrast(session, checks, places, screenshot_path):
    """The output's letters and the Clear caption, once painted, read at READABLE or more."""
    deadline = time.monotonic() + 10
    while True:
        rows, (x, y) = session.screenshot()
        shifted = {name: (left - x, top - y, width, height)
                   for name, (left, top, width, height) in places.items()}
        letters = text_colour(rows, shifted["Text2"], BOX)
        if letters is not None or time.monotonic() > deadline:
            break
        time.sleep(0.1)
    if screenshot_path:
        save_png(rows, screenshot_path)
    caption = text_colour(rows, shifted["Command1"], BUTTON)
    for what, colour, background in (("the output's letters", letters, BOX),
                                     ("the Clear caption", caption, BUTTON)):
        ratio = contrast(colour, background) if colour else 0
        checks.expect(ratio >= READABLE,
                      f"{what} read at {ratio:.2f}:1 ({colour} on {background})")


def drive(session, checks, screenshot_path):
    dpi = session.dpi
    rows, (window_x, window_y) = painted_screenshot(session)
    client = navy_area(rows)
    if not checks.expect(client is not None, "the client area is navy"):
        return
    client_size = (client[2] - client[0], client[3] - client[1])
    expected_size = tuple(pixels(twips, dpi) for twips in CLIENT_TWIPS)
    checks.expect(client_size == expected_size,
                  f"client area {client_size[0]}x{client_size[1]} at {dpi} dpi, "
                  f"expected {expected_size[0]}x{expected_size[1]}")
    places = {}
    for name, (twips, colour) in CONTROLS.items():
        rect = control_rect(client, twips, dpi)
        places[name] = (window_x + rect[0], window_y + rect[1], rect[2], rect[3])
        share = share_of(rows, rect, colour)
        checks.expect(share >= 0.6, f"{name} shows {colour} over {share:.0%} of its place")
    checks.expect(share_of(rows, (client[0], client[1], client_size[0], pixels(120, dpi) - 1),
                           NAVY) > 0.99, "the strip above the controls is navy")

    session.type("hito")
    check_contrast(session, checks, places, screenshot_path)
    checks.expect(session.output_text() == "QI",
                  "focus starts in the input box; typing 'hito' gives 'QI'; Tab reaches the output")

    left, top, width, height = places["Command1"]
    clear = (left + width // 2, top + height // 2)
    session.click(clear)
    session.type("ab")
    checks.expect(session.output_text() == "C",
                  "a click on Clear empties the output and returns the focus to the input box")

    session.keys("Tab", "space")
    session.type("zz")
    checks.expect(session.output_text() == "Z",
                  "Tab from the output reaches Clear, and Space on it clears")

    # Two clicks on Clear close enough in time to make a double click, a Tab between them. The
    # pointer is still on Clear.
    session.click_again()
    session.keys("Tab")
    session.click_again()
    session.type("hi")
    checks.expect(session.output_text() == "Q",
                  "click Clear, Tab, click Clear at once: the focus is back in the input box")

    status = session.request_close()
    checks.expect(status == 0, f"a close request ends the program with status {status}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--dpi", type=int, default=96)
    parser.add_argument("--dark", action="store_true")
    parser.add_argument("--screenshot")
    parser.add_argument("command", nargs="+")
    arguments = parser.parse_args()

    checks = Checks()
    settings = tempfile.TemporaryDirectory()
    if arguments.dark:
        os.makedirs(os.path.join(settings.name, "qt6ct"))
        with open(os.path.join(settings.name, "qt6ct", "qt6ct.conf"), "w") as conf:
            conf.write(QT6CT_DARK)
        os.environ.update(E2E_SCHEME="dark", QT_QPA_PLATFORMTHEME="qt6ct",
                          XDG_CONFIG_HOME=settings.name)
    session = Session(arguments.dpi)
    try:
        session.launch(arguments.command)
        drive(session, checks, arguments.screenshot)
    finally:
        session.close()
        settings.cleanup()
    print(f"{checks.passed} passed, {checks.failed} failed")
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
