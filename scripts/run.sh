#!/usr/bin/env bash
# Installs what is missing, builds the program and starts its window; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/deps.sh "${build_packages[@]}"
cmake --preset run
cmake --build --preset run --target karsobel
exec build/run/app/karsobel "$@"
