#!/usr/bin/python3
"""Runs the program with each command line of a table where no display can be reached, and checks
its exit status, its output and that it ended by itself, neither hanging nor aborting.

    command_line_test.py PROGRAM VERSION
"""

import os
import subprocess
import sys

program, version = sys.argv[1], sys.argv[2]
VERSION_LINE = f"Karsobel {version}\n"


def is_help(out):
    return out.startswith("Usage: karsobel [OPTION]...\n") and "--version" in out


def naming(text):
    return lambda err: text in err and err.count("\n") == 2


def one_line(err):
    return err.count("\n") == 1 and "display" in err


# name, arguments, exit status, check of standard output, check of standard error
CASES = [
    ("help", ["--help"], 0, is_help, lambda err: err == ""),
    ("help, short", ["-h"], 0, is_help, lambda err: err == ""),
    ("version", ["--version"], 0, lambda out: out == VERSION_LINE, lambda err: err == ""),
    ("version, short", ["-v"], 0, lambda out: out == VERSION_LINE, lambda err: err == ""),
    ("version after Qt's options", ["-platform", "xcb", "-style=Fusion", "--qwindowtitle", "T",
                                    "-reverse", "--version"],
     0, lambda out: out == VERSION_LINE, lambda err: err == ""),
    ("unknown option", ["--frobnicate"], 2, lambda out: out == "",
     naming("unknown option '--frobnicate'")),
    ("unknown option beside --help", ["--help", "-x"], 2, lambda out: out == "",
     naming("unknown option '-x'")),
    ("Qt's option with the value attached where it takes none", ["-platform=xcb"], 2,
     lambda out: out == "", naming("unknown option '-platform=xcb'")),
    ("Qt's option without its value", ["-platform"], 2, lambda out: out == "",
     naming("option '-platform' needs a value")),
    ("an argument", ["notes.txt"], 2, lambda out: out == "",
     naming("unexpected argument 'notes.txt'")),
    ("no option, no display", [], 1, lambda out: out == "", one_line),
    ("Qt's option, no display", ["-qwindowtitle", "T"], 1, lambda out: out == "", one_line),
]

environment = {key: value for key, value in os.environ.items()
               if key not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
failures = 0
for name, arguments, status, out_ok, err_ok in CASES:
    try:
        run = subprocess.run([program, *arguments], env=environment, stdin=subprocess.DEVNULL,
                             capture_output=True, text=True, timeout=30)
    except subprocess.TimeoutExpired:
        print(f"FAIL: {name}: still running after 30 s, killed")
        failures += 1
        continue
    problems = []
    if run.returncode < 0:
        problems.append(f"ended by signal {-run.returncode}")
    elif run.returncode != status:
        problems.append(f"exit status {run.returncode}, not {status}")
    if not out_ok(run.stdout):
        problems.append(f"standard output {run.stdout!r}")
    if not err_ok(run.stderr):
        problems.append(f"standard error {run.stderr!r}")
    verdict = f"FAIL: {name} {arguments}: " + "; ".join(problems) if problems else f"ok:   {name}"
    print(verdict)
    failures += bool(problems)
sys.exit(1 if failures else 0)
