#!/usr/bin/env python3
"""The third-party components of the programs, from what their build read, and what ships about
them: the notices, and the release's software bill of materials.

    third_party.py components --build DIR --source DIR --program NAME=LINK_RECORD ...
                              --output COMPONENTS.json [--notices FILE --product TEXT --licence FILE]
    third_party.py sbom --release DIR --version VERSION --components COMPONENTS.json ...
                        --output SBOM.json
    third_party.py validate SBOM.json --schemas DIR

LINK_RECORD is the linker's map (GNU ld -Map) or trace (wasm-ld --trace) of the program."""
import argparse
import json
import os
import sys

import build_inputs
import components
import debian_files
import notices
import sbom
from copyright_file import CopyrightError

TABLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "components.toml")


def write(path, text):
    with open(path + ".part", "w", encoding="utf-8") as file:
        file.write(text)
    os.replace(path + ".part", path)


def components_command(args):
    build = os.path.abspath(args.build)
    table = components.load_table(TABLE)
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as file:
        commands = json.load(file)
    inputs = {}
    for program in args.program:
        name, _, record = program.partition("=")
        inputs[name] = build_inputs.program_inputs(build, os.path.join(build, record), commands)
    roots = [build, os.path.abspath(args.source)]
    paths = {path for files in inputs.values() for path, _ in files if not components.is_own(path, roots)}
    owners = debian_files.owners(paths)
    versions = debian_files.versions(set(owners.values()))
    found = {name: components.resolve(files, roots, owners, versions, table, TABLE)
             for name, files in inputs.items()}
    programs = {name: sorted((components.summary(entry) for entry in entries.values()),
                             key=lambda c: c["name"])
                for name, entries in found.items()}
    write(args.output, json.dumps({"programs": programs}, indent=2, sort_keys=True) + "\n")
    if args.notices:
        shipped = {name: entry for entries in found.values() for name, entry in entries.items()
                   if set(entry["relations"]) - {build_inputs.DYNAMIC}}
        with open(args.licence, encoding="utf-8") as file:
            own = file.read()
        write(args.notices, notices.notices_file(args.product, own, programs, shipped))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    commands = parser.add_subparsers(dest="command", required=True)
    listing = commands.add_parser("components")
    listing.add_argument("--build", required=True)
    listing.add_argument("--source", required=True)
    listing.add_argument("--program", action="append", required=True)
    listing.add_argument("--output", required=True)
    listing.add_argument("--notices")
    listing.add_argument("--product")
    listing.add_argument("--licence")
    bill = commands.add_parser("sbom")
    bill.add_argument("--release", required=True)
    bill.add_argument("--version", required=True)
    bill.add_argument("--components", action="append", required=True)
    bill.add_argument("--output", required=True)
    check = commands.add_parser("validate")
    check.add_argument("sbom")
    check.add_argument("--schemas", required=True)
    args = parser.parse_args()
    try:
        if args.command == "components":
            components_command(args)
        elif args.command == "sbom":
            write(args.output, sbom.write(args.release, args.version, args.components))
        else:
            sbom.validate(args.sbom, args.schemas)
    except (components.ComponentError, CopyrightError, sbom.SbomError, RuntimeError) as error:
        print(f"third_party.py: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
