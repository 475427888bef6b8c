#!/usr/bin/env bash
# Installs what is missing, builds the program and starts its window.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/deps.sh "${build_packages[@]}"
cmake --preset default
cmake --build --preset default --target karsobel
exec build/default/app/karsobel
