#!/usr/bin/env bash
# The ten slowest tests of the last test runs, from CTest's own records of them, slowest first:
#     bench/tests/slowest.sh [BUILD_DIR...]
# BUILD_DIR: a preset's build tree (build/default when run from the source tree); by default every
# one under build/ that has run its tests. Prints each test's seconds, its build and its name.
set -euo pipefail
cd "$(dirname "$0")/../.."
[ $# -gt 0 ] || set -- build/*/
logs=()
for build in "$@"; do
    [ -f "${build%/}/Testing/Temporary/LastTest.log" ] && logs+=("${build%/}")
done
[ ${#logs[@]} -gt 0 ] || { echo "no test run recorded under $*" >&2; exit 1; }
for build in "${logs[@]}"; do
    awk -v build="$(basename "$build")" '
        /^[0-9]+\/[0-9]+ Test: / { sub(/^[0-9]+\/[0-9]+ Test: /, ""); name = $0 }
        /^Test time = / { printf "%8.2f  %-12s %s\n", $4, build, name }' \
        "$build/Testing/Temporary/LastTest.log"
done | sort -rn | sed -n 1,10p
