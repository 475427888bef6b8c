#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the release build's whole suite, the
# unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer, and the Windows build's
# suite under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/deps.sh "${build_packages[@]}" "${test_packages[@]}" "${bench_packages[@]}" \
    "${windows_packages[@]}"
for preset in default debug-asan windows; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
