#!/usr/bin/python3
"""A big paste into the real window, then one key: the time until the key's letter is on screen.

    key_after_paste.py [--length N] [--rounds R] [--key KEY] -- COMMAND [ARGS...]

In an X server of its own, as a user would: the text goes to the clipboard (xclip), Ctrl+V pastes
it into the input box, and once the program has stopped using the processor, one real key
(xdotool; "c" unless --key names another, such as BackSpace) completes the pair. The time runs from sending the key until the output box's pixels
change. The text is "hi" then "x"s, so each round's letter is "Q".
"""

import argparse
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tests/e2e"))
from window_driver import CONTROLS, Session, navy_area, painted_screenshot, pixels  # noqa: E402
from Xlib import X  # noqa: E402


def processor_ticks(group):
    """Processor time used so far by the processes of a process group, in clock ticks."""
    ticks = 0
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
        except OSError:
            continue  # a process that has ended
        if int(fields[2]) == group:
            ticks += int(fields[11]) + int(fields[12])
    return ticks


def wait_until_idle(group, quiet=1.0, timeout=30):
    """Until the group has used no processor time for `quiet` seconds; False if it never did."""
    deadline = time.monotonic() + timeout
    last, since = processor_ticks(group), time.monotonic()
    while time.monotonic() - since < quiet:
        if time.monotonic() > deadline:
            return False
        time.sleep(0.1)
        now = processor_ticks(group)
        if now != last:
            last, since = now, time.monotonic()
    return True


def output_pixels(session, client):
    left, top, width, height = (pixels(value, session.dpi) for value in CONTROLS["Text2"][0])
    origin = session.window.translate_coords(session.display.screen().root, 0, 0)
    return session.display.screen().root.get_image(
        client[0] + left - origin.x, client[1] + top - origin.y, width, height,
        X.ZPixmap, 0xFFFFFFFF).data


def key_after_paste(session, client, length, key):
    """Milliseconds from one key, after a paste of `length` characters, to its letter shown, and
    whether the program had gone idle after the paste."""
    clipboard = subprocess.Popen(["xclip", "-selection", "clipboard", "-i"], env=session.env,
                                 stdin=subprocess.PIPE, stdout=subprocess.DEVNULL)
    try:
        clipboard.stdin.write(b"hi" + b"x" * (length - 2))
        clipboard.stdin.close()
        session.keys("ctrl+v")
        idle = wait_until_idle(session.program.pid)
        before = output_pixels(session, client)
        start = time.monotonic()
        session.tool("xdotool", "key", key)
        while output_pixels(session, client) == before:
            if time.monotonic() - start > 60:
                raise RuntimeError("the letter did not appear within a minute")
            time.sleep(0.002)
        return (time.monotonic() - start) * 1000, idle
    finally:
        clipboard.kill()  # xclip stays to serve the selection until another owner takes it
        clipboard.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--length", type=int, default=10_000_000)
    parser.add_argument("--rounds", type=int, default=10)
    parser.add_argument("--key", default="c")
    parser.add_argument("command", nargs="+")
    arguments = parser.parse_args()

    session = Session(96)
    try:
        session.launch(arguments.command)
        client = navy_area(painted_screenshot(session)[0])
        times = []
        for _ in range(arguments.rounds):
            milliseconds, idle = key_after_paste(session, client, arguments.length,
                                               arguments.key)
            times.append(milliseconds)
            print(f"{arguments.key} after a paste of {arguments.length} characters: "
                  f"{milliseconds:.0f} ms"
                  + ("" if idle else " (the program was still busy 30 s after the paste)"),
                  flush=True)
        output = session.output_text()
    finally:
        session.close()
    times.sort()
    print(f"median {times[len(times) // 2]:.0f} ms, longest {times[-1]:.0f} ms, "
          f"output {'as expected' if output == 'Q' * arguments.rounds else repr(output[:40])}")


if __name__ == "__main__":
    main()
