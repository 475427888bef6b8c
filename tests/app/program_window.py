#!/usr/bin/python3
"""Starts the Karsobel program on $DISPLAY, waits for its window, checks that the icons the X
window carries (_NET_WM_ICON) are the program's own, asks the window to close as a window manager
would, and checks that the program ends with status 0.

    program_window.py ICON_SIZE... -- COMMAND [ARGS...]

ICON_SIZE: the side, in pixels, of each image the window's icon must hold.
"""

import os
import signal
import subprocess
import sys

from Xlib import X, display as xdisplay

sys.path.insert(0, os.path.join(os.path.dirname(os.path.realpath(__file__)), "..", "e2e"))
from window_driver import find_window, request_close  # noqa: E402

NAVY = (0, 0, 128)
TEAL = (0, 192, 192)
# Points of the icon, as shares of its side, and the colour each shows: the navy square above and
# below the two teal boxes, and each box's left part.
POINTS = [((0.50, 0.15), NAVY), ((0.50, 0.85), NAVY), ((0.16, 0.40), TEAL), ((0.47, 0.40), TEAL)]
TOLERANCE = 48


def icon_images(display, window):
    """The images of _NET_WM_ICON: {side: rows of (r, g, b, alpha)}."""
    prop = window.get_full_property(display.intern_atom("_NET_WM_ICON"), X.AnyPropertyType)
    values = list(prop.value) if prop else []
    images = {}
    while len(values) >= 2:
        width, height = values[0], values[1]
        pixels = values[2:2 + width * height]
        values = values[2 + width * height:]
        if width == height:
            images[width] = [[((p >> 16) & 255, (p >> 8) & 255, p & 255, (p >> 24) & 255)
                              for p in pixels[row * width:(row + 1) * width]]
                             for row in range(height)]
    return images


def main():
    separator = sys.argv.index("--")
    sizes = sorted(int(size) for size in sys.argv[1:separator])
    command = sys.argv[separator + 1:]
    failures = []
    display = xdisplay.Display()
    program = subprocess.Popen(command, stdin=subprocess.DEVNULL, start_new_session=True)
    try:
        window = find_window(display, program, "Karsobel", timeout=90)
        print("ok:   the window appears")
        images = icon_images(display, window)
        if sorted(images) != sizes:
            failures.append(f"icon images of {sorted(images)} pixels, not {sizes}")
        for side, rows in images.items():
            for (x, y), colour in POINTS:
                pixel = rows[int(y * side)][int(x * side)]
                if pixel[3] < 255 or max(abs(a - b) for a, b in zip(pixel, colour)) > TOLERANCE:
                    failures.append(f"{side}-pixel icon at {x:.2f}, {y:.2f}: {pixel}, not {colour}")
        status = request_close(display, window, program)
        if status != 0:
            failures.append(f"a close request ends the program with status {status}")
    finally:
        # The whole group goes, so that no helper of the program (Wine's among them) outlives it.
        if program.poll() is None:
            os.killpg(program.pid, signal.SIGKILL)
            program.wait()
        display.close()
    for failure in failures:
        print("FAIL: " + failure)
    if not failures:
        print(f"ok:   the icon holds {sizes} pixels in the program's colours; it closes with 0")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
