# Sourced by the Wine launchers. wine_prefix PREFIX: makes PREFIX, an absolute path, the Wine
# prefix of this shell, creating it on first use, and holds a lock on it until the shell ends so
# that programs sharing a prefix run one at a time. Only this shell holds the lock: `wine`,
# `wineboot` and `wineserver` run here without it, so no Wine process, however long it lives, can
# keep the next program of the prefix waiting. When the shell exits, every process of the prefix
# is ended.
source "$(dirname "${BASH_SOURCE[0]}")/processes.sh"

wine_prefix() {
    case "$1" in
    /*) ;;
    *) echo "wine prefix must be an absolute path: $1" >&2; return 2 ;;
    esac
    export WINEPREFIX="$1" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG="${WINEDEBUG:--all}"
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec {wine_prefix_lock}>"$WINEPREFIX.lock"
    if ! flock -w 300 "$wine_prefix_lock"; then
        echo "the Wine prefix $WINEPREFIX stayed locked for 300 s" >&2
        return 1
    fi
    trap wine_prefix_end EXIT
    trap 'exit 129' HUP
    trap 'exit 130' INT
    trap 'exit 143' TERM
    # Whatever a launcher that was killed left behind.
    wine_prefix_kill_leftovers
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1
        wineserver -k
    fi
    # Wine does not look for the fonts of Debian's fonts-wine by itself.
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ ! -f "$fonts/ms_sans_serif.ttf" ]; then
        mkdir -p "$fonts"
        cp /usr/share/wine/fonts/* "$fonts/"
    fi
    # Wine's session, its server and services, started apart from the program under test, so that
    # what they print (a service's crash report among it) stays out of that program's output.
    wineboot >/dev/null 2>&1
}

wine() { command wine "$@" {wine_prefix_lock}>&-; }
wineboot() { command wineboot "$@" {wine_prefix_lock}>&-; }
wineserver() { command wineserver "$@" {wine_prefix_lock}>&-; }

# Returns once Wine's desktop on $DISPLAY is up. A program that makes a window before fails to:
# Wine gives up waiting for the desktop after ten seconds, which a busy machine can take.
# desktop_ready.exe, built beside the prefixes, makes a window and says whether it could.
wine_wait_for_desktop() {
    local probe="$(dirname "$WINEPREFIX")/desktop_ready.exe"
    if [ ! -f "$probe" ]; then
        echo "no $probe to check that Wine's desktop is up; build the tests first" >&2
        return 1
    fi
    local attempt
    for attempt in 1 2 3 4 5 6; do
        wine "$probe" && return 0
        echo "Wine's desktop is not up yet (attempt $attempt)" >&2
    done
    echo "Wine's desktop did not come up" >&2
    return 1
}

wine_prefix_kill_leftovers() {
    local leftovers
    leftovers="$(processes_with "WINEPREFIX=$WINEPREFIX")"
    [ -z "$leftovers" ] || kill -KILL $leftovers 2>/dev/null
    return 0
}

# Ends every process of the prefix: wineserver asks them to end and waits until they have, and any
# that did not is killed.
wine_prefix_end() {
    wineserver -k 2>/dev/null
    timeout 30 wineserver -w 2>/dev/null {wine_prefix_lock}>&-
    wine_prefix_kill_leftovers
}
