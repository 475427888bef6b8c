#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the release build's whole suite, the
# unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer, the clang build's unit
# tests and fuzz targets, the Windows build's suite under Wine, and the web page's in Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/deps.sh "${build_packages[@]}" "${test_packages[@]}" "${bench_packages[@]}" \
    "${fuzz_packages[@]}" "${windows_packages[@]}" "${web_packages[@]}" "${release_packages[@]}"
command -v npm >/dev/null || scripts/deps.sh nodejs npm
npm ci --prefix tests/web --no-audit --no-fund
for preset in default debug-asan fuzz windows web; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
