#!/usr/bin/env bash
# Makes the Debian packages from this work tree, committed or not, without what git ignores (or,
# outside a git work tree, without build/), in a copy of it, so that the tree itself is left as
# it was:
#     debian_build.sh --binary OUT     the binary packages, by dpkg-buildpackage, into OUT
#     debian_build.sh --source OUT     the source package (.dsc, the upstream tarball without
#                                      debian/, and debian/ packed) into OUT
# Both are dated by debian/changelog, and so are the same bytes from every build of a tree.
set -euo pipefail
mode="$1" out="$(realpath -m "$2")"
cd "$(dirname "$0")/../.."
version="$(dpkg-parsechangelog -S Version)"
upstream="${version%-*}"
SOURCE_DATE_EPOCH="$(dpkg-parsechangelog -S Timestamp)"
export SOURCE_DATE_EPOCH
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
tree="$work/karsobel-$upstream"
mkdir "$tree"
if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
    git ls-files -z --cached --others --exclude-standard |
        while IFS= read -r -d '' file; do [ ! -e "$file" ] || printf '%s\0' "$file"; done |
        tar --null -T - -cf - | tar -C "$tree" -xf -
else
    tar --exclude=./build -cf - . | tar -C "$tree" -xf -
fi
mkdir -p "$out"
case "$mode" in
--binary)
    (cd "$tree" && dpkg-buildpackage -b -uc -us -j"$(nproc)" >"$work/build.log" 2>&1) ||
        { tail -n 40 "$work/build.log" >&2; echo "dpkg-buildpackage failed" >&2; exit 1; }
    mv "$work"/*.deb "$work"/*.changes "$work"/*.buildinfo "$out/"
    ;;
--source)
    tar -C "$work" --exclude="karsobel-$upstream/debian" --sort=name --owner=0 --group=0 \
        --numeric-owner --mtime="@$SOURCE_DATE_EPOCH" --clamp-mtime -cf - "karsobel-$upstream" |
        xz -6 -T1 >"$work/karsobel_$upstream.orig.tar.xz"
    (cd "$work" && dpkg-source -b "karsobel-$upstream" >"$work/build.log" 2>&1) ||
        { cat "$work/build.log" >&2; echo "dpkg-source failed" >&2; exit 1; }
    mv "$work/karsobel_$upstream.orig.tar.xz" "$work/karsobel_$version".* "$out/"
    ;;
*)
    echo "usage: debian_build.sh --binary|--source OUT" >&2
    exit 2
    ;;
esac
