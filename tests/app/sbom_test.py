#!/usr/bin/env python3
"""The bill of materials of a folder of the build's files: valid against CycloneDX's schema, the
same bytes when made again, each file's SHA-256 its own, each program with its components; and
bills that break the schema refused:
    sbom_test.py SCHEMAS COMPONENTS.json FILE..."""
import hashlib
import json
import os
import shutil
import subprocess
import sys
import tempfile

TOOL = os.path.join(os.path.dirname(__file__), "..", "..", "app", "packaging", "third_party", "third_party.py")


def run(*arguments):
    return subprocess.run([sys.executable, TOOL, *arguments], capture_output=True, text=True)


def main():
    schemas, listing, files = sys.argv[1], sys.argv[2], sys.argv[3:]
    failures = []
    with tempfile.TemporaryDirectory() as release:
        for path in files:
            shutil.copy(path, release)
        bills = []
        for attempt in ("first", "second"):
            bill = os.path.join(release, f"{attempt}.cdx.json")
            made = run("sbom", "--release", release, "--version", "1.00", "--components", f"={listing}",
                       "--output", bill)
            if made.returncode != 0:
                print(made.stderr)
                return 1
            with open(bill, "rb") as file:
                bills.append(file.read())
        if bills[0] != bills[1]:
            failures.append("two bills of the same files differ")
        checked = run("validate", os.path.join(release, "first.cdx.json"), "--schemas", schemas)
        if checked.returncode != 0:
            failures.append(f"the bill is not valid: {checked.stderr}")
        document = json.loads(bills[0])
        by_name = {c["name"]: c for c in document["components"]}
        for path in files:
            name = os.path.basename(path)
            with open(path, "rb") as file:
                digest = hashlib.sha256(file.read()).hexdigest()
            if name not in by_name or by_name[name]["hashes"] != [{"alg": "SHA-256", "content": digest}]:
                failures.append(f"{name}: not in the bill with its SHA-256")
        with open(listing, encoding="utf-8") as file:
            for program, components in json.load(file)["programs"].items():
                held = [c["name"] for c in by_name.get(program, {}).get("components", [])]
                if held != [c["name"] for c in components]:
                    failures.append(f"{program}: the bill gives {held}")
        broken = os.path.join(release, "broken.cdx.json")
        # The second is checked by the SPDX schema that CycloneDX's refers to.
        for what, field, change in [("bomFormat", document, {"bomFormat": "SPDX"}),
                                    ("id", document["metadata"]["component"]["licenses"][0]["license"],
                                     {"id": "Not-A-Licence"})]:
            kept = dict(field)
            field.update(change)
            with open(broken, "w", encoding="utf-8") as file:
                json.dump(document, file)
            field.clear()
            field.update(kept)
            refused = run("validate", broken, "--schemas", schemas)
            if refused.returncode == 0 or what not in refused.stderr:
                failures.append(f"a bill with a wrong {what} passed: {refused.stderr}")
        gone = run("sbom", "--release", os.path.join(release, "nothing"), "--version", "1.00",
                   "--components", f"={listing}", "--output", broken)
        if gone.returncode == 0 or "not in" not in gone.stderr:
            failures.append("programs missing from the release were not refused")
    for failure in failures:
        print(f"FAIL: {failure}")
    print(f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
