#!/usr/bin/env bash
# Runs a Windows program under Wine at the screen resolution in $E2E_DPI (96 when unset), in
# Wine's own colours or, where $E2E_SCHEME is "dark", in white text on black windows and buttons as
# High Contrast schemes have them, and returns its exit status:
#     wine_launch.sh PROGRAM [ARGUMENTS...]
# The Wine prefix, one per resolution and scheme, lives in $WINE_LAUNCH_PREFIXES, by default in the
# Wine folder of the program's build tree (build/windows/wine for build/windows/app/karsobel.exe).
set -uo pipefail
program="$(realpath "$1")"
shift
dpi="${E2E_DPI:-96}"
scheme="${E2E_SCHEME:-}"
source "$(dirname "$(realpath "$0")")/wine_prefix.sh"
prefixes="${WINE_LAUNCH_PREFIXES:-$(dirname "$(dirname "$program")")/wine}"
wine_prefix "$prefixes/dpi-$dpi${scheme:+-$scheme}" || exit

# The resolution and the colours are the prefix's settings, made once, in a Wine session that then
# ends, so that the program's session has them from its start. Wine reads the resolution as a
# session starts: Wine 10 gives the screen the DPI read then, and a per-monitor DPI-aware program,
# karsobel.exe among them, is laid out at its screen's DPI; a resolution set in a session already
# started reaches the system DPI of the programs started after it, but not the screen's. Windows
# too takes a new resolution at the next sign-in.
settings="LogPixels=$dpi${scheme:+ scheme=$scheme}"
settings_file="$WINEPREFIX/karsobel_launch_settings"
if [ "$(cat "$settings_file" 2>/dev/null)" != "$settings" ]; then
    if [ "${KARSOBEL_WINE_SESSION:-}" = "$WINEPREFIX" ]; then
        echo "the Wine prefix $WINEPREFIX is not set to $settings, which its running session" \
             "cannot take: launch the program there once outside a session" >&2
        exit 1
    fi
    wine_launch_set() {
        wine reg add "$@" /f >/dev/null 2>&1 ||
            { echo "could not set $* in the Wine prefix $WINEPREFIX" >&2; exit 1; }
    }
    wine_launch_set 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
    if [ "$scheme" = dark ]; then
        for colour in "Window=0 0 0" "WindowText=255 255 255" \
                      "ButtonFace=0 0 0" "ButtonText=255 255 255"; do
            wine_launch_set 'HKCU\Control Panel\Colors' /v "${colour%%=*}" /d "${colour#*=}"
        done
    fi
    # The session ends, its registry saved, and the program's starts.
    wineserver -k
    timeout 30 wineserver -w
    wine_prefix_kill_leftovers
    echo "$settings" >"$settings_file"
    wineboot >/dev/null 2>&1
fi
[ -z "${DISPLAY:-}" ] || wine_wait_for_desktop || exit
wine "$program" "$@"
