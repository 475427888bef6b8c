#!/usr/bin/env bash
# Builds the Debian package and checks what it ships: the program, its desktop entry, AppStream
# metadata and icon, each valid, under the version 1.00 and with Qt among its dependencies.
set -euo pipefail
build_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work" >/dev/null
package=$(echo "$work"/karsobel_*.deb)
failures=0
check() {
    if "$@" >/dev/null 2>&1; then echo "ok:   $*"; else echo "FAIL: $*"; failures=$((failures + 1)); fi
}
check test "$(dpkg-deb -f "$package" Version)" = 1.00
check grep -q libqt6widgets6 <<<"$(dpkg-deb -f "$package" Depends)"
dpkg-deb -x "$package" "$work/root"
check test -x "$work/root/usr/bin/karsobel"
check desktop-file-validate "$work/root/usr/share/applications/org.karsobel.Karsobel.desktop"
check appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.karsobel.Karsobel.metainfo.xml"
check grep -q 'release version="1.00"' "$work/root/usr/share/metainfo/org.karsobel.Karsobel.metainfo.xml"
check test -s "$work/root/usr/share/icons/hicolor/scalable/apps/org.karsobel.Karsobel.svg"
exit $((failures > 0))
