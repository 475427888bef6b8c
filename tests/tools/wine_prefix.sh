# Sourced by the Wine launchers. wine_prefix PREFIX: makes PREFIX, an absolute path, the Wine
# prefix of this shell, creating it on first use, and holds a lock on it until the shell ends so
# that programs sharing a prefix run one at a time. Only this shell holds the lock: `wine`,
# `wineboot` and `wineserver` run here without it, so no Wine process, however long it lives, can
# keep the next program of the prefix waiting. When the shell exits, every process of the prefix
# is ended; when it is killed outright, with no chance to, a watcher does it.
#
# wine_session PREFIX does the same and keeps the prefix's Wine server and services running until
# the shell ends, so that the programs run in between pay Wine's start once. What it runs joins
# the session: wine_prefix PREFIX in a process started from that shell takes no lock and ends
# nothing, as the session's shell holds and ends them.
wine_tools="$(dirname "$(realpath "${BASH_SOURCE[0]}")")"
source "$wine_tools/processes.sh"

wine_prefix() {
    case "$1" in
    /*) ;;
    *) echo "wine prefix must be an absolute path: $1" >&2; return 2 ;;
    esac
    export WINEPREFIX="$1" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG="${WINEDEBUG:--all}"
    if [ "${KARSOBEL_WINE_SESSION:-}" = "$WINEPREFIX" ]; then
        # The session's shell holds the lock; the commands below close this stand-in instead.
        exec {wine_prefix_lock}</dev/null
        return 0
    fi
    wine_prefix_take || return
    [ -f "$WINEPREFIX/system.reg" ] || wine_prefix_copy_template || return
    # Wine's session, its server and services, started apart from the program under test, so that
    # what they print (a service's crash report among it) stays out of that program's output.
    # A session's server stays until it is told to end, and so do its services.
    [ -z "${wine_prefix_persistent:-}" ] || timeout 30 wineserver -p {wine_prefix_lock}>&-
    wineboot >/dev/null 2>&1
}

# Takes the lock of $WINEPREFIX, waiting for it at most 300 s, starts its watcher and ends what a
# launcher that was killed left behind; every process of the prefix is ended when the shell exits.
wine_prefix_take() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec {wine_prefix_lock}>"$WINEPREFIX.lock"
    # Waiting, it is no process of the prefix: the launcher before it, ending what its own
    # launcher left, must not end it. WINEPREFIX is left out before the program is started, so
    # that not even the moment before it starts is seen as one.
    if ! (unset WINEPREFIX && exec flock -w 300 "$wine_prefix_lock"); then
        echo "the Wine prefix $WINEPREFIX stayed locked for 300 s" >&2
        return 1
    fi
    wine_prefix_watch
    trap wine_prefix_end EXIT
    trap 'exit 129' HUP
    trap 'exit 130' INT
    trap 'exit 143' TERM
    wine_prefix_kill_leftovers
}

# Makes $WINEPREFIX a copy of the template beside it, which the first launcher to need it makes:
# Wine takes ten seconds or more to make a prefix, cp about one. The template is made as a prefix
# of its own, locked and watched as any other; it and each copy are put in place once complete.
wine_prefix_copy_template() {
    local template
    template="$(dirname "$WINEPREFIX")/template"
    [ -d "$template" ] || (
        # Wine's processes started here are not to hold the lock of the prefix being made.
        exec {wine_prefix_lock}>&-
        export WINEPREFIX="$template.new"
        wine_prefix_take || exit
        [ -d "$template" ] && exit
        rm -rf "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wine_prefix_end
        trap - EXIT
        # Wine does not look for the fonts of Debian's fonts-wine by itself.
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts" &&
            cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" &&
            mv "$WINEPREFIX" "$template"
    ) || return
    # A copy cut short is never taken for a prefix.
    rm -rf "$WINEPREFIX" "$WINEPREFIX.new" && cp -a "$template" "$WINEPREFIX.new" &&
        mv "$WINEPREFIX.new" "$WINEPREFIX"
}

wine_session() {
    wine_prefix_persistent=1
    wine_prefix "$1" || return
    [ -z "${DISPLAY:-}" ] || wine_wait_for_desktop || return
    export KARSOBEL_WINE_SESSION="$WINEPREFIX"
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

# Kills every process of the prefix, until none is left, for a while: one may be starting as the
# others are ended.
wine_prefix_kill_leftovers() {
    local leftovers _
    for _ in $(seq 50); do
        leftovers="$(processes_with "WINEPREFIX=$WINEPREFIX")"
        [ -n "$leftovers" ] || return 0
        kill -KILL $leftovers 2>/dev/null
        sleep 0.1
    done
    return 0
}

# A test's time limit kills its launcher and what it started, but not Wine's server and services,
# which left it. A watcher apart from the launcher, in a session of its own so that no killing of
# the launcher's processes reaches it, waits for the launcher's lock: it gets it once the launcher
# is gone without ending the watcher, and then ends the prefix's processes. WINEPREFIX is out of
# its environment from its start, not being one of them: the launcher, ending leftovers as soon
# as the watcher is started, would otherwise end it too.
wine_prefix_watch() {
    wine_prefix_watcher="$( (
        prefix="$WINEPREFIX"
        unset WINEPREFIX
        setsid flock -w 3600 "$prefix.lock" bash -c \
            'source "$1"; WINEPREFIX="$2"; wine_prefix_kill_leftovers' \
            wine_prefix_watcher "$wine_tools/wine_prefix.sh" "$prefix" \
            {wine_prefix_lock}>&- </dev/null >/dev/null 2>&1 &
        echo $!
    ) )"
}

# Ends every process of the prefix: wineserver asks them to end and waits until they have, and any
# that did not is killed. The watcher is ended last: a launcher killed while it ends them, as when
# a test's time limit kills it with what it started, leaves the rest to the watcher.
wine_prefix_end() {
    wineserver -k 2>/dev/null
    timeout 30 wineserver -w 2>/dev/null {wine_prefix_lock}>&-
    wine_prefix_kill_leftovers
    kill "$wine_prefix_watcher" 2>/dev/null
}
