#!/usr/bin/python3
"""Writes the winget manifests for the MSI and the installer, as release.sh does, and checks them
against the rules of winget's manifest schema 1.6.0 (the fields each manifest type requires,
their patterns, lengths and values) and against the files they describe: each installer's
SHA-256 and URL, the MSI's product code, the scopes.
    winget_test.py WINGET_MANIFESTS_SH VERSION MSI INSTALLER"""
import hashlib
import os
import re
import subprocess
import sys
import tempfile

import yaml

IDENTIFIER = r"^[^\.\s\\/:\*\?\"<>\|\x01-\x1f]{1,32}(\.[^\.\s\\/:\*\?\"<>\|\x01-\x1f]{1,32}){1,7}$"
VERSION = r"^[^\\/:\*\?\"<>\|\x01-\x1f]+$"
LOCALE = r"^([a-zA-Z]{2,3}|[iI]-[a-zA-Z]+|[xX]-[a-zA-Z]{1,8})(-[a-zA-Z]{1,8})*$"
PART = r"(0|[1-9][0-9]{0,3}|[1-5][0-9]{4}|6[0-4][0-9]{3}|65[0-4][0-9]{2}|655[0-2][0-9]|6553[0-5])"
MANIFEST_VERSION = rf"^{PART}(\.{PART}){{2}}$"
OS_VERSION = rf"^{PART}(\.{PART}){{0,3}}$"
URL = r"^([Hh][Tt][Tt][Pp][Ss]?)://.+$"
SHA256 = r"^[A-Fa-f0-9]{64}$"


def pattern(expression, longest=None):
    return lambda value: isinstance(value, str) and re.match(expression, value) is not None and (
        longest is None or len(value) <= longest)


def length(shortest, longest):
    return lambda value: isinstance(value, str) and shortest <= len(value) <= longest


def one_of(*values):
    return lambda value: value in values


COMMON = {
    "PackageIdentifier": pattern(IDENTIFIER, 128),
    "PackageVersion": pattern(VERSION, 128),
    "ManifestVersion": pattern(MANIFEST_VERSION),
}
# Each manifest type: its required fields, then the rule of every field it may have here.
SCHEMA = {
    "version": (
        ["PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType", "ManifestVersion"],
        {**COMMON, "DefaultLocale": pattern(LOCALE, 20), "ManifestType": one_of("version")}),
    "installer": (
        ["PackageIdentifier", "PackageVersion", "Installers", "ManifestType", "ManifestVersion"],
        {**COMMON, "MinimumOSVersion": pattern(OS_VERSION),
         "UpgradeBehavior": one_of("install", "uninstallPrevious"),
         "Installers": lambda value: isinstance(value, list) and 1 <= len(value) <= 1024,
         "ManifestType": one_of("installer")}),
    "defaultLocale": (
        ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName",
         "License", "ShortDescription", "ManifestType", "ManifestVersion"],
        {**COMMON, "PackageLocale": pattern(LOCALE, 20), "Publisher": length(2, 256),
         "PackageName": length(2, 256), "License": length(3, 512),
         "ShortDescription": length(3, 256), "Description": length(3, 10000),
         "Moniker": length(1, 40),
         "Tags": lambda tags: isinstance(tags, list) and len(tags) <= 16 and all(
             length(1, 40)(tag) for tag in tags),
         "ManifestType": one_of("defaultLocale")}),
}
INSTALLER_REQUIRED = ["Architecture", "InstallerUrl", "InstallerSha256", "InstallerType"]
INSTALLER_RULES = {
    "Architecture": one_of("x86", "x64", "arm", "arm64", "neutral"),
    "InstallerType": one_of("msix", "msi", "appx", "exe", "zip", "inno", "nullsoft", "wix",
                            "burn", "pwa", "portable"),
    "Scope": one_of("user", "machine"),
    "InstallerUrl": pattern(URL, 2048),
    "InstallerSha256": pattern(SHA256),
    "ProductCode": length(1, 255),
    "InstallerSwitches": lambda switches: isinstance(switches, dict) and all(
        length(1, 2048)(value) for value in switches.values()),
    "ElevationRequirement": one_of("elevationRequired", "elevationProhibited", "elevatesSelf"),
}

failures = []
passed = 0


def check(what, holds):
    global passed
    print(("ok:   " if holds else "FAIL: ") + what)
    if holds:
        passed += 1
    else:
        failures.append(what)


def follows_rules(name, manifest, required, rules):
    for field in required:
        check(f"{name} has {field}", field in manifest)
    for field, value in manifest.items():
        check(f"{name}: {field} {value!r} follows the schema",
              field in rules and rules[field](value))


def sha256(path):
    with open(path, "rb") as file:
        return hashlib.sha256(file.read()).hexdigest().upper()


if __name__ == "__main__":
    generator, version, msi, installer = sys.argv[1:5]
    url = f"https://downloads.karsobel.test/releases/{version}"
    temporary = tempfile.TemporaryDirectory()
    folder = temporary.name
    subprocess.run([generator, folder, version, url, msi, installer], check=True)
    product_code = next(
        line.split("\t")[1].strip() for line in subprocess.run(
            ["msiinfo", "export", msi, "Property"], capture_output=True, text=True,
            check=True).stdout.splitlines() if line.startswith("ProductCode\t"))
    identifier = "Karsobel.Karsobel"
    versions = os.listdir(os.path.join(folder, "manifests", "k", "Karsobel", "Karsobel"))
    check("one version's manifests, under manifests/k/Karsobel/Karsobel/", len(versions) == 1)
    directory = os.path.join(folder, "manifests", "k", "Karsobel", "Karsobel", versions[0])
    manifests = {}
    for kind, file_name in [("version", f"{identifier}.yaml"),
                            ("installer", f"{identifier}.installer.yaml"),
                            ("defaultLocale", f"{identifier}.locale.en-US.yaml")]:
        with open(os.path.join(directory, file_name), encoding="utf-8") as file:
            text = file.read()
        manifests[kind] = yaml.safe_load(text)
        check(f"{file_name} names its schema",
              f"$schema=https://aka.ms/winget-manifest.{kind}.1.6.0.schema.json" in text)
        follows_rules(file_name, manifests[kind], *SCHEMA[kind])
        check(f"{file_name} is for {identifier} {versions[0]}",
              manifests[kind]["PackageIdentifier"] == identifier
              and manifests[kind]["PackageVersion"] == versions[0])
    check("the default locale has its manifest",
          manifests["version"]["DefaultLocale"] == manifests["defaultLocale"]["PackageLocale"])

    installers = manifests["installer"]["Installers"]
    for number, entry in enumerate(installers, 1):
        follows_rules(f"installer {number}", entry, INSTALLER_REQUIRED, INSTALLER_RULES)
    expected = [("msi", "machine", msi), ("nullsoft", "user", installer),
                ("nullsoft", "machine", installer)]
    check("the MSI per machine, the installer per user and per machine",
          [(entry["InstallerType"], entry["Scope"]) for entry in installers]
          == [(kind, scope) for kind, scope, _ in expected])
    for entry, (kind, scope, path) in zip(installers, expected):
        name = f"the {kind} installer per {scope}"
        check(f"{name}: its SHA-256 is the file's", entry["InstallerSha256"] == sha256(path))
        check(f"{name}: its URL is the release's",
              entry["InstallerUrl"] == f"{url.rstrip('/')}/{os.path.basename(path)}")
    check("the MSI's product code is the package's", installers[0].get("ProductCode") == product_code)
    check("the installer per machine asks for /AllUsers",
          installers[2].get("InstallerSwitches", {}).get("Custom") == "/AllUsers")
    print(f"{passed} passed, {len(failures)} failed")
    sys.exit(1 if failures else 0)
