#!/usr/bin/env bash
# Writes the winget manifests of a release, in the multi-file form of manifest schema 1.6.0 and in
# the folders the winget community repository keeps them in: the version file, the installer file
# (the MSI, per machine, with its product code; the NSIS installer, per user, and for every user
# with /AllUsers) and the default locale's, en-US:
#     winget_manifests.sh FOLDER VERSION URL MSI INSTALLER
# URL: the web folder the MSI and the installer are published in, under their own names.
set -euo pipefail
folder="$1" version="$2" url="${3%/}" msi="$4" installer="$5"
identifier=Karsobel.Karsobel
manifests="$folder/manifests/k/Karsobel/Karsobel/$version"
mkdir -p "$manifests"
digest() { sha256sum "$1" | cut -d' ' -f1 | tr a-f A-F; }
product_code="$(msiinfo export "$msi" Property | tr -d '\r' | awk '$1 == "ProductCode" { print $2 }')"
[ -n "$product_code" ] || { echo "winget: no product code in $msi" >&2; exit 1; }
# header TYPE: the first lines of a manifest of that type, naming its schema.
header() {
    echo "# yaml-language-server: \$schema=https://aka.ms/winget-manifest.$1.1.6.0.schema.json"
    echo "PackageIdentifier: $identifier"
    echo "PackageVersion: \"$version\""
}
footer="ManifestVersion: 1.6.0"

cat >"$manifests/$identifier.yaml" <<VERSION
$(header version)
DefaultLocale: en-US
ManifestType: version
$footer
VERSION

cat >"$manifests/$identifier.installer.yaml" <<INSTALLER
$(header installer)
MinimumOSVersion: 6.1.7601
UpgradeBehavior: install
Installers:
  - Architecture: x64
    InstallerType: msi
    Scope: machine
    InstallerUrl: $url/$(basename "$msi")
    InstallerSha256: $(digest "$msi")
    ProductCode: "$product_code"
    ElevationRequirement: elevationRequired
  - Architecture: x64
    InstallerType: nullsoft
    Scope: user
    InstallerUrl: $url/$(basename "$installer")
    InstallerSha256: $(digest "$installer")
  - Architecture: x64
    InstallerType: nullsoft
    Scope: machine
    InstallerUrl: $url/$(basename "$installer")
    InstallerSha256: $(digest "$installer")
    InstallerSwitches:
      Custom: /AllUsers
    ElevationRequirement: elevationRequired
ManifestType: installer
$footer
INSTALLER

cat >"$manifests/$identifier.locale.en-US.yaml" <<LOCALE
$(header defaultLocale)
PackageLocale: en-US
Publisher: Karsobel developers
PackageName: Karsobel
License: MIT
ShortDescription: Adds letters in pairs.
Description: >-
  A small desktop tool with one window: every second change of its input box adds up the places
  in the alphabet of the box's first two characters and appends that capital letter to the
  output box.
Moniker: karsobel
Tags:
  - letters
  - alphabet
ManifestType: defaultLocale
$footer
LOCALE
