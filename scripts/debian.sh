#!/usr/bin/env bash
# Builds the Debian source package of this work tree for one Debian release and checks it there,
# each step in a clean root of that release, and puts what it made into OUT:
#     scripts/debian.sh SUITE OUT          SUITE: bookworm or trixie
# 1. the source package (.dsc, the upstream tarball, debian/ packed), made here;
# 2. the binary packages, built from it by sbuild in a clean build root of SUITE (a tarball made
#    by mmdebstrap, entered in sbuild's unshare mode); for bookworm their version ends in ~deb12,
#    so that trixie's build of the same source is an upgrade;
# 3. in a clean root of SUITE (scripts/debian_testbed.sh): both packages installed from an apt
#    repository of them as a user installs them, karsobel-pairs without Qt, then removed; the
#    autopkgtests against them (OUT/autopkgtest); and SUITE's lintian on them, no error and no
#    warning, pedantic tags shown (OUT/lintian.log).
# Needs root; installs what it needs that is missing (sbuild, mmdebstrap, ...), and gives root
# a range of subordinate ids in /etc/subuid and /etc/subgid where it has none, as sbuild's unshare
# mode needs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/roots.sh
[ $# -eq 2 ] || { echo "usage: scripts/debian.sh SUITE OUT" >&2; exit 2; }
suite="$1" out="$(realpath -m "$2")"
root_check "$suite" || exit 2
scripts/deps.sh sbuild mmdebstrap uidmap apt-utils dpkg-dev >/dev/null ||
    { echo "sbuild, mmdebstrap, uidmap, apt-utils or dpkg-dev is missing and could not be installed" >&2; exit 2; }
for ids in /etc/subuid /etc/subgid; do
    grep -q '^root:' "$ids" 2>/dev/null || echo "root:1000000:65536" >>"$ids"
done
declare -A version_suffix=([bookworm]="~deb12" [trixie]="")

work="$(root_folder "debian-$suite")"
mkdir "$work"
testbed="$work/testbed" testbed_run=""
trap '[ -z "$testbed_run" ] || kill -KILL "$testbed_run" 2>/dev/null; remove_root "$work"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP
mkdir -p "$out"

start=$SECONDS
app/packaging/debian_build.sh --source "$out"
dsc="$(echo "$out"/karsobel_*.dsc)"
make_root "$suite" "$work/build-root.tar" --variant=buildd
echo "== $suite: source package and build root: $((SECONDS - start)) s"

start=$SECONDS
suffix="${version_suffix[$suite]}" maintainer="$(dpkg-parsechangelog -S Maintainer)"
if ! (cd "$work" && sbuild --chroot-mode=unshare --chroot="$work/build-root.tar" \
    --dist="$suite" --arch=amd64 --no-run-lintian --no-run-autopkgtest --no-apt-upgrade \
    --no-apt-distupgrade --build-dir="$out" ${suffix:+--append-to-version="$suffix"} \
    ${suffix:+--maintainer="$maintainer"} \
    "$dsc" >"$work/sbuild.log" 2>&1); then
    tail -n 40 "$work/sbuild.log" >&2
    echo "sbuild could not build the packages for $suite (the whole log: $out/sbuild.log)" >&2
    cp "$work/sbuild.log" "$out/"
    exit 1
fi
cp "$work/sbuild.log" "$out/"
echo "== $suite: sbuild: $((SECONDS - start)) s"

# The tests and lintian in a root of the suite with the packages and the source, no more.
start=$SECONDS
make_root "$suite" "$testbed" --include=autopkgtest
packages="$testbed/root/packages"
mkdir "$packages"
cp "$out"/*.deb "$out"/*.changes "$out"/*.buildinfo "$out"/karsobel_*.dsc "$out"/karsobel_*.tar.* \
    app/packaging/lintian.sh scripts/debian_testbed.sh "$packages/"
app/packaging/apt_repository.sh "$packages/repository" "$suite" \
    $(ls "$out"/*.deb | grep -v dbgsym)
status=0
in_root "$testbed" "cd packages && ./debian_testbed.sh $suite" &
testbed_run=$!
wait "$testbed_run" || status=$?
testbed_run=""
rm -rf "$out/autopkgtest"
cp -r "$testbed/root/autopkgtest" "$out/" 2>/dev/null || true
cp "$testbed/root/lintian.log" "$out/" 2>/dev/null || true
[ ! -f "$out/lintian.log" ] || cat "$out/lintian.log"
if [ $status -ne 0 ]; then
    echo "== $suite: autopkgtest and lintian: FAILED (status $status) after $((SECONDS - start)) s"
    exit 1
fi
echo "== $suite: autopkgtest and lintian: $((SECONDS - start)) s"
echo "debian: the packages for $suite, their logs and test results are in $out"
