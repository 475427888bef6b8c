#!/usr/bin/env bash
# Installs what is missing, builds the web page and serves its folder on localhost for a browser:
# http://localhost:8020/ (another port as the first argument).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/deps.sh "${web_packages[@]}"
cmake --preset web
cmake --build --preset web
echo "Karsobel at http://localhost:${1:-8020}/ (Ctrl+C to stop)"
exec python3 -m http.server --bind 127.0.0.1 --directory build/web/app/web/site "${1:-8020}"
