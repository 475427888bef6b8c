#!/usr/bin/env bash
# Checks the Debian packages that debian_build.sh made: lintian finds no error and no warning;
# karsobel holds the window, its manual page, desktop entry, AppStream metadata and icon, each
# valid, with Qt among its dependencies and karsobel-pairs recommended; karsobel-pairs holds the
# command line and its manual page, needs no Qt, and names the Highway it holds code from; both
# carry the project's version and a copyright file with both licences:
#     package_test.sh PACKAGES_DIR VERSION
set -uo pipefail
here="$(dirname "$(realpath "$0")")"
source "$here/../tools/checks.sh"
packages="$1" version="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
window="$packages/karsobel_${version}_amd64.deb"
pairs="$packages/karsobel-pairs_${version}_amd64.deb"
field() { dpkg-deb -f "$1" "$2"; }
for package in "$window" "$pairs"; do
    dpkg-deb -x "$package" "$work/root"
done
share=$work/root/usr/share
metainfo=$share/metainfo/org.karsobel.Karsobel.metainfo.xml
license_text() { sed -n '/^Permission/,$p' "$1"; }
expat_in_copyright() {
    diff <(license_text "$here/../../LICENSE") \
        <(sed -n '/^License: Expat$/,/^$/p' "$1" | sed '1d;$d;s/^ //;s/^\.$//' | license_text /dev/stdin)
}
highway="$(dpkg-query -f '${source:Package} (= ${source:Version})' -W libhwy-dev)"

check "lintian: no error, no warning" "$here/../../app/packaging/lintian.sh" "$packages"/*.changes
while IFS='|' read -r what command; do
    check "$what" eval "$command"
done <<'EOF_CHECKS'
both carry the version given|test "$(field "$window" Version) $(field "$pairs" Version)" = "$version $version"
the window depends on Qt's widgets|field "$window" Depends | grep libqt6widgets6 >/dev/null
the window recommends karsobel-pairs and Qt's Wayland platform|test "$(field "$window" Recommends)" = "karsobel-pairs, qt6-wayland"
karsobel-pairs needs no Qt|! field "$pairs" Depends | grep -i qt >/dev/null
karsobel-pairs names the Highway it was built with|test "$(field "$pairs" Static-Built-Using)" = "$highway"
karsobel-pairs takes its files over from the one package before|test "$(field "$pairs" Replaces)" = "karsobel (<< 1.00-1~)"
the window is in its package|dpkg-deb -c "$window" | grep ' ./usr/bin/karsobel$' >/dev/null
the command line is not in the window's package|! dpkg-deb -c "$window" | grep karsobel-pairs >/dev/null
the command line is in its package|dpkg-deb -c "$pairs" | grep ' ./usr/bin/karsobel-pairs$' >/dev/null
the window's manual page|zcat "$share/man/man1/karsobel.1.gz" | grep 'Closing the window ends the program' >/dev/null
the command line's manual page|zcat "$share/man/man1/karsobel-pairs.1.gz" | grep 'karsobel-pairs' >/dev/null
the copyright file holds LICENSE's text|expat_in_copyright "$share/doc/karsobel-pairs/copyright"
the copyright file names Highway under Apache-2.0|grep -q '^License: Apache-2.0' "$share/doc/karsobel-pairs/copyright"
both packages have the same copyright file|cmp "$share/doc/karsobel/copyright" "$share/doc/karsobel-pairs/copyright"
the desktop entry is valid|desktop-file-validate "$share/applications/org.karsobel.Karsobel.desktop"
the AppStream metadata is valid, pedantic notes too|appstreamcli validate --no-net --pedantic "$metainfo"
the AppStream metadata names this release|grep -q "release version=\"${version%-*}\"" "$metainfo"
the AppStream metadata names the licence|grep -q '<project_license>MIT</project_license>' "$metainfo"
the icon|test -s "$share/icons/hicolor/scalable/apps/org.karsobel.Karsobel.svg"
EOF_CHECKS
checks_passed
