#!/usr/bin/python3
"""Reads the Karsobel window as a screen reader does, through AT-SPI.

Starts an X server, a session D-Bus and, through it, the accessibility bus and registry, all of
its own; launches the program with its accessibility on; then checks the names, roles and states
that AT-SPI reports, types a pair with xdotool, reads the output's text and hears the new letter
announced, and presses Clear through its action. Every process it started is ended before it
returns.

    qt_accessibility.py -- COMMAND [ARGS...]
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402  (after the version is chosen)

from window_driver import Checks, Session  # noqa: E402

# Role, name, and the states each control must and must not have, as a screen reader reads them.
# The role is compared as AT-SPI's value: newer AT-SPI names a push button "button".
CONTROLS = [
    (Atspi.Role.TEXT, "Input", {"editable", "enabled", "focusable", "focused", "showing"},
     {"read-only"}),
    (Atspi.Role.PUSH_BUTTON, "Clear", {"enabled", "focusable", "showing"}, {"focused"}),
    (Atspi.Role.TEXT, "Output", {"enabled", "focusable", "read-only", "showing"}, {"focused"}),
]


class SessionBus:
    """A session D-Bus of its own, leading a process group and session of its own, so that what it
    activates (the accessibility bus launcher, its bus and the registry) stays in them and ends
    with it."""

    def __init__(self):
        # The accessibility bus's socket goes in the runtime folder, by default one shared by all.
        self.runtime_dir = tempfile.mkdtemp(prefix="karsobel-a11y-")
        self.daemon = subprocess.Popen(
            ["dbus-daemon", "--session", "--print-address", "--nofork"],
            env=dict(os.environ, XDG_RUNTIME_DIR=self.runtime_dir), stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL, text=True, start_new_session=True)
        self.address = self.daemon.stdout.readline().strip()
        if not self.address:
            self.close()
            raise RuntimeError("dbus-daemon did not start")

    def close(self):
        """Ends the whole group, and says whether any process of it outlived that."""
        for signal_number in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(self.daemon.pid, signal_number)
            except ProcessLookupError:
                break
            self.daemon.wait()
            for _ in range(50):
                if not self.survivors():
                    break
                time.sleep(0.1)
        shutil.rmtree(self.runtime_dir, ignore_errors=True)
        return self.survivors()

    def survivors(self):
        listing = subprocess.run(["ps", "-o", "pid=,stat=,args=", "-s", str(self.daemon.pid)],
                                 capture_output=True, text=True).stdout
        return [line for line in listing.splitlines() if line.split()[1][0] != "Z"]


def states(accessible):
    return {Atspi.StateType(state).value_nick for state in accessible.get_state_set().get_states()}


def text(accessible):
    # Through the Text interface itself: newer AT-SPI has Accessible.get_text() give the interface.
    return Atspi.Text.get_text(accessible, 0, Atspi.Text.get_character_count(accessible))


def press_action(accessible):
    # get_action_name's replacement, get_name, is hidden here by Accessible.get_name.
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", DeprecationWarning)
        names = [accessible.get_action_name(i) for i in range(accessible.get_n_actions())]
    return names.index("Press") if "Press" in names else None


def find_application(name, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        desktop = Atspi.get_desktop(0)
        for index in range(desktop.get_child_count()):
            application = desktop.get_child_at_index(index)
            if application is not None and application.get_name() == name:
                return application
        time.sleep(0.2)
    return None


def wait_for(condition, timeout=5):
    """Waits for `condition`, meanwhile taking in the events that AT-SPI delivers."""
    deadline = time.monotonic() + timeout
    while not condition() and time.monotonic() < deadline:
        while GLib.MainContext.default().iteration(False):
            pass
        time.sleep(0.05)
    return condition()


def describe(accessible):
    return (f"{accessible.get_role_name()} {accessible.get_name()!r} "
            f"[{', '.join(sorted(states(accessible)))}]")


class Announcements:
    """Notifications as they are shown, which is when a screen reader speaks them."""

    def __init__(self):
        self.heard = []
        self.listener = Atspi.EventListener.new(self.on_showing)
        self.listener.register("object:state-changed:showing")

    def on_showing(self, event):
        if event.detail1 == 1 and event.source.get_role_name() == "notification":
            self.heard.append(event.source.get_name())


def read(session, checks, announcements):
    application = find_application("Karsobel", timeout=30)
    if not checks.expect(application is not None, "the registry lists the application Karsobel"):
        return
    # Asked anew each time, so that states reflect the moment rather than a cache.
    application.set_cache_mask(Atspi.Cache.NONE)
    checks.expect(application.get_role_name() == "application",
                  f"application: {describe(application)}")
    windows = [application.get_child_at_index(i) for i in range(application.get_child_count())]
    if not checks.expect(len(windows) == 1, f"one top-level window, found {len(windows)}"):
        return
    window = windows[0]
    checks.expect((window.get_role_name(), window.get_name()) == ("frame", "Karsobel"),
                  f"window: {describe(window)}")

    children = [window.get_child_at_index(i) for i in range(window.get_child_count())]
    controls = [child for child in children if child.get_role_name() != "notification"]
    by_name = {control.get_name(): control for control in controls}
    checks.expect(len(controls) == len(CONTROLS), f"{len(controls)} controls")
    for role, name, present, absent in CONTROLS:
        control = by_name.get(name)
        if not checks.expect(control is not None, f"a control named {name!r}"):
            continue
        have = states(control)
        checks.expect(control.get_role() == role and present <= have and not absent & have,
                      f"control: {describe(control)}")
    if not {"Input", "Clear", "Output"} <= by_name.keys():
        return
    input_box, clear, output = by_name["Input"], by_name["Clear"], by_name["Output"]

    session.type("hihi")
    checks.expect(wait_for(lambda: text(output) == "QQ"),
                  f"typing 'hihi' puts 'QQ' in the output's text: {text(output)!r}")
    checks.expect(wait_for(lambda: announcements.heard == ["Q", "Q"]),
                  f"each letter is announced as a notification: {announcements.heard}")
    checks.expect(text(input_box) == "" and "focused" in states(input_box),
                  "the input is empty again and keeps the focus")

    action = press_action(clear)
    if checks.expect(action is not None, "Clear offers a Press action"):
        clear.do_action(action)
        checks.expect(wait_for(lambda: text(output) == ""),
                      f"Clear's Press action empties the output: {text(output)!r}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("command", nargs="+")
    arguments = parser.parse_args()

    checks = Checks()
    session = Session(96)
    bus = None
    try:
        bus = SessionBus()
        session.env.pop("AT_SPI_BUS_ADDRESS", None)
        session.env.update(DBUS_SESSION_BUS_ADDRESS=bus.address, XDG_RUNTIME_DIR=bus.runtime_dir,
                           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        # libatspi finds the accessibility bus through this process's session bus and display.
        os.environ.update(DBUS_SESSION_BUS_ADDRESS=bus.address, DISPLAY=session.env["DISPLAY"])
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        # Listening before the program starts, so that it knows from the start to send the events.
        announcements = Announcements()
        session.launch(arguments.command)
        read(session, checks, announcements)
    finally:
        session.close()
        if bus is not None:
            survivors = bus.close()
            checks.expect(not survivors, "every process on the session bus has ended"
                          + "".join("\n      " + line for line in survivors))
    print(f"{checks.passed} passed, {checks.failed} failed")
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
