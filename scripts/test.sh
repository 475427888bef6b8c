#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the release build's whole suite, the
# unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer, the clang build's unit
# tests and fuzz targets, the Windows build's suite under Wine, and the web page's in Chromium,
# Firefox ESR and WebKitGTK. Each stage prints its time as it ends. A preset's tests run side by
# side, as many at once as the machine has processors; the Windows build's, the longest, run while
# the other presets are built and tested, and their output follows the others'. A failed stage
# fails the command once the others have run.
#     scripts/test.sh [--in SUITE]
# --in SUITE runs the same command in a clean root of that Debian release (bookworm, trixie), made
# afresh by mmdebstrap with a clone of this work tree, and removes the root afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --in ]; then
    source scripts/roots.sh
    run_in_clean_root "${2:-}" scripts/test.sh
    exit
fi
source scripts/packages.sh
jobs="$(nproc)"
failed=()

# stage NAME COMMAND [ARGUMENTS...]: runs the command and says, as it ends, how long it took.
stage() {
    local name="$1" start=$SECONDS status=0
    shift
    "$@" || status=$?
    if [ $status -eq 0 ]; then
        echo "== $name: $((SECONDS - start)) s"
    else
        echo "== $name: FAILED (status $status) after $((SECONDS - start)) s"
        failed+=("$name")
    fi
    return $status
}

install() {
    scripts/deps.sh "${build_packages[@]}" "${packaging_packages[@]}" "${test_packages[@]}" \
        "${bench_packages[@]}" "${fuzz_packages[@]}" "${windows_packages[@]}" \
        "${web_packages[@]}" "${release_packages[@]}" &&
        { command -v npm >/dev/null || scripts/deps.sh nodejs npm; } &&
        npm ci --prefix tests/web --no-audit --no-fund &&
        npm ci --prefix app/packaging/third_party/schema --no-audit --no-fund
}
# While the Windows tests run, the other presets' compilers yield the processors to them: Wine's
# programs wait on each other against time limits, and a compiler loses nothing but time.
build() {
    local priority=()
    [ -z "$windows_tests" ] || ! kill -0 "$windows_tests" 2>/dev/null || priority=(nice -n 10)
    cmake --preset "$1" && "${priority[@]}" cmake --build --preset "$1"
}
run_tests() { ctest --preset "$1" -j "$jobs"; }
run_windows_tests() { run_tests windows >"$windows_log" 2>&1; }

stage install install || exit 1

windows_tests="" windows_log=build/windows-tests.log
# Should this shell end early, the Windows tests are stopped as Ctrl+C would stop them.
trap '[ -z "$windows_tests" ] || pkill -INT -P "$windows_tests"' EXIT
if stage "windows build" build windows; then
    stage "windows tests" run_windows_tests &
    windows_tests=$!
fi
for preset in default debug-asan fuzz web; do
    stage "$preset build" build "$preset" && stage "$preset tests" run_tests "$preset" || true
done
if [ -n "$windows_tests" ]; then
    wait "$windows_tests" || failed+=("windows tests")
    windows_tests=""
    echo "== the windows preset's tests, run beside the stages above:"
    cat "$windows_log"
fi

[ ${#failed[@]} -eq 0 ] || { echo "== failed: ${failed[*]}"; exit 1; }
echo "== all passed in $SECONDS s"
