#!/usr/bin/env bash
# Runs a command with an X server of its own, a virtual one on a free display, and returns the
# command's exit status:
#     with_xvfb.sh COMMAND [ARGUMENTS...]
set -uo pipefail
display_file="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -f "$display_file"' EXIT
for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done
[ -s "$display_file" ] || { echo "Xvfb did not start in time" >&2; exit 1; }
DISPLAY=":$(head -n1 "$display_file")" "$@"
