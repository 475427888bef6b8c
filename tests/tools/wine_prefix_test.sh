#!/usr/bin/env bash
# The lock of a Wine prefix stays with the launcher that took it. While a program runs through
# wine_run.sh, no process of the prefix but the launcher has the lock file open, Wine's services
# included; and a process of the prefix left behind, as a Wine service that outlived its server
# once was, neither keeps the next program from starting nor outlives that program's launcher.
#     with_xvfb.sh wine_prefix_test.sh PREFIX PROGRAM
# PROGRAM: a Windows console program that pairs its standard input (karsobel-pairs.exe).
set -uo pipefail
tools="$(dirname "$(realpath "$0")")"
source "$tools/processes.sh"
prefix="$1" program="$2"
work="$(mktemp -d)"
leftover=""
trap 'exec {feed}>&- 2>/dev/null; [ -z "$leftover" ] || kill -KILL "$leftover" 2>/dev/null;
      wait; rm -rf "$work"' EXIT
failures=()
fail() {
    echo "FAIL: $1"
    failures+=("$1")
}

# Ids of the processes of the prefix whose command line holds $1.
prefix_processes_named() {
    local pid
    for pid in $(processes_with "WINEPREFIX=$prefix"); do
        tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline" | grep -q -- "$1" && echo "$pid"
    done
}

# Returns once a process of the prefix named $1 runs, or fails after 120 s.
await() {
    local _
    for _ in $(seq 600); do
        [ -n "$(prefix_processes_named "$1")" ] && return 0
        sleep 0.2
    done
    fail "no $1 of the prefix within 120 s"
    return 1
}

# A program through the launcher, held running by its standard input.
mkfifo "$work/input"
timeout 180 "$tools/wine_run.sh" "$prefix" "$program" <"$work/input" >/dev/null 2>&1 &
launcher=$!
exec {feed}>"$work/input"
if await "$(basename "$program")" && await winedevice.exe; then
    lock="$(realpath "$prefix.lock")"
    holders=()
    examined=0
    for pid in $(processes_with "WINEPREFIX=$prefix"); do
        [ "$pid" = "$launcher" ] && continue
        examined=$((examined + 1))
        for fd in /proc/"$pid"/fd/*; do
            [ "$(readlink "$fd" 2>/dev/null)" = "$lock" ] &&
                holders+=("$pid $(cat "/proc/$pid/comm" 2>/dev/null)")
        done
    done
    echo "processes of the prefix beside the launcher: $examined"
    [ ${#holders[@]} -eq 0 ] || fail "processes of the prefix hold its lock: ${holders[*]}"
fi
exec {feed}>&-
wait "$launcher" || fail "the first program ended with status $?"

# A process of the prefix that outlived its Wine server.
WINEPREFIX="$prefix" bash -c 'exec -a winedevice.exe sleep 600' 2>/dev/null &
leftover=$!
output="$(echo hi | timeout 180 "$tools/wine_run.sh" "$prefix" "$program" 2>/dev/null | tr -d '\r')"
status=$?
[ "$status" -eq 0 ] && [ "$output" = Q ] ||
    fail "with a process of the prefix left behind, the next program gave '$output', status $status"
sleep 0.2
if kill -0 "$leftover" 2>/dev/null && [ "$(cut -d' ' -f3 "/proc/$leftover/stat")" != Z ]; then
    fail "the process left behind outlived the next program's launcher"
fi

echo "${#failures[@]} failed"
[ ${#failures[@]} -eq 0 ]
