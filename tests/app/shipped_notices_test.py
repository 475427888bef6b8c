#!/usr/bin/env python3
"""What ships about the programs' third-party components covers each one they hold:
    shipped_notices_test.py COMPONENTS.json [--notices FILE] [--expect NAME=TEXT]...
                            [--page INDEX.html] [--copyright debian/copyright]
--notices: a section for each component, naming its version and licence, with its texts
(--expect: TEXT in NAME's section); --page: the page names the notices file; --copyright: the
Debian copyright file names each component."""
import argparse
import json
import re
import sys

RULE = "=" * 78


def sections(text):
    """{heading: body} of the notices, each heading the line after a rule."""
    parts = text.split(RULE + "\n")
    return {parts[i].split("\n", 1)[0]: parts[i] + parts[i + 1] for i in range(1, len(parts) - 1, 2)}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("components")
    parser.add_argument("--notices")
    parser.add_argument("--expect", action="append", default=[])
    parser.add_argument("--page")
    parser.add_argument("--copyright")
    args = parser.parse_args()
    with open(args.components, encoding="utf-8") as file:
        programs = json.load(file)["programs"]
    held = {c["name"]: c for listed in programs.values() for c in listed if c["relation"] != "dynamically linked"}
    failures = []
    if not held:
        failures.append(f"{args.components} lists no component")
    if args.notices:
        with open(args.notices, encoding="utf-8") as file:
            found = sections(file.read())
        for name, component in sorted(held.items()):
            heading = f"{name} {component['version']}"
            if heading not in found:
                failures.append(f"no section {heading!r} in {args.notices}")
            elif f"Licence: {component['licence']}\n" not in found[heading] or "\n--- " not in found[heading]:
                failures.append(f"{heading}: its licence or its texts are missing")
        for expectation in args.expect:
            name, _, text = expectation.partition("=")
            section = next((body for heading, body in found.items() if heading.startswith(name + " ")), "")
            if text not in section:
                failures.append(f"{name}'s section lacks {text!r}")
    if args.page:
        with open(args.page, encoding="utf-8") as file:
            if '<link rel="license" href="THIRD-PARTY-NOTICES.txt">' not in file.read():
                failures.append(f"{args.page} does not name THIRD-PARTY-NOTICES.txt")
    if args.copyright:
        with open(args.copyright, encoding="utf-8") as file:
            words = re.sub(r"\s+", " ", file.read())
        failures += [f"{args.copyright} does not name {name}" for name in sorted(held) if name not in words]
    for failure in failures:
        print(f"FAIL: {failure}")
    print(f"{len(held)} components; {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
