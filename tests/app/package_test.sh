#!/usr/bin/env bash
# Builds the Debian package and checks it: lintian finds no error and no warning, and it ships the
# program, its manual page, the licence, its desktop entry, AppStream metadata and icon, each
# valid, under the project's version, with Qt among its dependencies and Qt's Wayland platform
# recommended.
#     package_test.sh BUILD_DIR VERSION
set -euo pipefail
build_dir=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work" >/dev/null
package=$(echo "$work"/karsobel_*.deb)
failures=0
check() {
    if "$@" >/dev/null 2>&1; then echo "ok:   $*"; else echo "FAIL: $*"; failures=$((failures + 1)); fi
}
echo "lintian, pedantic and informational tags shown:"
if lintian --pedantic --display-info --fail-on error,warning "$package"; then
    echo "ok:   lintian: no error, no warning"
else
    echo "FAIL: lintian: an error or a warning"
    failures=$((failures + 1))
fi
check test "$(dpkg-deb -f "$package" Version)" = "$version"
check grep -q libqt6widgets6 <<<"$(dpkg-deb -f "$package" Depends)"
check grep -qx qt6-wayland <<<"$(dpkg-deb -f "$package" Recommends)"
dpkg-deb -x "$package" "$work/root"
share=$work/root/usr/share
check test -x "$work/root/usr/bin/karsobel"
check grep -q 'Closing the window ends the program' <(zcat "$share/man/man1/karsobel.1.gz")
check test -x "$work/root/usr/bin/karsobel-pairs"
check test -s "$share/man/man1/karsobel-pairs.1.gz"
check grep -q 'Permission is hereby granted' "$share/doc/karsobel/copyright"
check desktop-file-validate "$share/applications/org.karsobel.Karsobel.desktop"
check appstreamcli validate --no-net "$share/metainfo/org.karsobel.Karsobel.metainfo.xml"
check grep -q "release version=\"$version\"" "$share/metainfo/org.karsobel.Karsobel.metainfo.xml"
check grep -q '<project_license>MIT</project_license>' "$share/metainfo/org.karsobel.Karsobel.metainfo.xml"
check test -s "$share/icons/hicolor/scalable/apps/org.karsobel.Karsobel.svg"
exit $((failures > 0))
