#!/usr/bin/env bash
# The lock of a Wine prefix stays with the launcher that took it. While a program runs through
# wine_run.sh, no process of the prefix but the launcher has the lock file open, Wine's services
# included; and a process of the prefix left behind, as a Wine service that outlived its server
# once was, neither keeps the next program from starting nor outlives that program's launcher.
# Programs run in one Wine session (wine_session.sh) share its server, with the lock in the
# session's launcher alone, and nothing of it outlives the session, even one killed outright; nor
# does anything of a launcher killed while it makes the template of new prefixes.
#     with_xvfb.sh wine_prefix_test.sh PREFIX PROGRAM
# PROGRAM: a Windows console program that pairs its standard input (karsobel-pairs.exe).
set -uo pipefail
tools="$(dirname "$(realpath "$0")")"
source "$tools/processes.sh"
prefix="$1" program="$2"
work="$(mktemp -d)"
leftover=""
trap 'exec {feed}>&- {hold}>&- 2>/dev/null
      [ -z "$leftover" ] || kill -KILL "$leftover" 2>/dev/null
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

# Ids of the prefix's Wine servers.
prefix_servers() {
    local pid
    for pid in $(processes_with "WINEPREFIX=$prefix"); do
        [[ "$(cat "/proc/$pid/comm" 2>/dev/null)" == wineserver* ]] && echo "$pid"
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

# Fails unless no process of the prefix but the launcher $1 has the lock file open.
check_lock_holders() {
    local lock pid fd holders=() examined=0
    lock="$(realpath "$prefix.lock")"
    for pid in $(processes_with "WINEPREFIX=$prefix"); do
        [ "$pid" = "$1" ] && continue
        examined=$((examined + 1))
        for fd in /proc/"$pid"/fd/*; do
            [ "$(readlink "$fd" 2>/dev/null)" = "$lock" ] &&
                holders+=("$pid $(cat "/proc/$pid/comm" 2>/dev/null)")
        done
    done
    echo "processes of the prefix beside the launcher: $examined"
    [ ${#holders[@]} -eq 0 ] || fail "processes of the prefix hold its lock: ${holders[*]}"
}

# Fails unless every process of the prefix has ended within 10 s.
check_prefix_ended() {
    local _
    for _ in $(seq 50); do
        [ -z "$(processes_with "WINEPREFIX=$prefix")" ] && return 0
        sleep 0.2
    done
    local left
    left="$(processes_with "WINEPREFIX=$prefix" | xargs)"
    fail "$1: processes of the prefix still run: $left"
    [ -z "$left" ] || ps -o pid=,ppid=,stat=,args= -p "${left// /,}"
}

# Ends the process $1 and every process under it, children first, as a test's time limit does.
kill_tree() {
    local child
    for child in $(ps -o pid= --ppid "$1"); do
        kill_tree "$child"
    done
    kill -KILL "$1" 2>/dev/null
}

# A program through the launcher, held running by its standard input.
mkfifo "$work/input"
timeout 180 "$tools/wine_run.sh" "$prefix" "$program" <"$work/input" >/dev/null 2>&1 &
launcher=$!
exec {feed}>"$work/input"
if await "$(basename "$program")" && await winedevice.exe; then
    check_lock_holders "$launcher"
fi
exec {feed}>&-
wait "$launcher" || fail "the first program ended with status $?"

# Two programs in one session, which then waits on its standard input: the Wine server each ran
# with, and whether it paired.
export prefix
export -f processes_with prefix_servers
mkfifo "$work/hold"
timeout 180 "$tools/wine_session.sh" "$prefix" bash -c '
    for _ in 1 2; do
        answer="$(echo hi | "$1" "$prefix" "$2" 2>/dev/null | tr -d "\r")"
        echo "$answer server $(prefix_servers | xargs)"
    done >"$3"
    read -r _ || true' session "$tools/wine_run.sh" "$program" "$work/servers" <"$work/hold" &
session=$!
exec {hold}>"$work/hold"
for _ in $(seq 600); do
    [ "$(grep -c . "$work/servers" 2>/dev/null)" = 2 ] && break
    sleep 0.2
done
mapfile -t runs <"$work/servers"
if [ ${#runs[@]} -eq 2 ] && [ "${runs[0]}" = "${runs[1]}" ] &&
    [[ "${runs[0]}" =~ ^Q\ server\ [0-9]+$ ]]; then
    check_lock_holders "$session"
else
    fail "two programs in a session did not pair on one Wine server: ${runs[*]}"
fi
exec {hold}>&-
wait "$session" || fail "the session ended with status $?"
check_prefix_ended "after the session"

# A session killed outright, with the processes under its launcher.
"$tools/wine_session.sh" "$prefix" sleep 600 >/dev/null 2>&1 &
killed=$!
for _ in $(seq 600); do
    [ -n "$(prefix_servers)" ] && break
    sleep 0.2
done
kill_tree "$killed"
check_prefix_ended "after the session was killed"

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

# A launcher killed while it makes the template that new prefixes are copied from: nothing of it
# outlives it, and the next launcher makes the template whole.
fresh="$work/fresh"
mkdir "$fresh" && cp "$(dirname "$prefix")/desktop_ready.exe" "$fresh/"
"$tools/wine_run.sh" "$fresh/first" "$program" </dev/null >/dev/null 2>&1 &
killed=$!
for _ in $(seq 600); do
    [ -n "$(processes_with "WINEPREFIX=$fresh/template.new")" ] && break
    sleep 0.2
done
kill_tree "$killed"
prefix="$fresh/template.new" check_prefix_ended "after the launcher making the template was killed"
output="$(echo hi | timeout 180 "$tools/wine_run.sh" "$fresh/second" "$program" 2>/dev/null)"
[ "${output%$'\r'}" = Q ] && [ -f "$fresh/template/system.reg" ] ||
    fail "after the launcher making the template was killed, the next program gave '$output'"

echo "${#failures[@]} failed"
[ ${#failures[@]} -eq 0 ]
