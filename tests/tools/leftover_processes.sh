#!/usr/bin/env bash
# Runs last in every test run: fails, naming them, if processes that the tests started are still
# running (an X server, Wine's, D-Bus's, ...), and ends them. The tests' processes are those that
# carry the run's mark, KARSOBEL_TEST_RUN, in their environment.
set -uo pipefail
source "$(dirname "$0")/processes.sh"
[ -n "${KARSOBEL_TEST_RUN:-}" ] || { echo "KARSOBEL_TEST_RUN is not set" >&2; exit 2; }
mapfile -t leftovers < <(processes_with "KARSOBEL_TEST_RUN=$KARSOBEL_TEST_RUN")
[ ${#leftovers[@]} -eq 0 ] && { echo "no process of the tests is left"; exit 0; }
for pid in "${leftovers[@]}"; do
    echo "left running: $pid $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"
done
kill -TERM "${leftovers[@]}" 2>/dev/null
for _ in $(seq 50); do
    running=0
    for pid in "${leftovers[@]}"; do
        [ -r "/proc/$pid/environ" ] && [ -s "/proc/$pid/environ" ] && running=1
    done
    [ $running -eq 1 ] || exit 1
    sleep 0.1
done
kill -KILL "${leftovers[@]}" 2>/dev/null
exit 1
