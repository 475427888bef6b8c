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
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
if [ "$scheme" = dark ]; then
    for colour in "Window=0 0 0" "WindowText=255 255 255" \
                  "ButtonFace=0 0 0" "ButtonText=255 255 255"; do
        wine reg add 'HKCU\Control Panel\Colors' /v "${colour%%=*}" /d "${colour#*=}" /f >/dev/null 2>&1
    done
fi
[ -z "${DISPLAY:-}" ] || wine_wait_for_desktop || exit
wine "$program" "$@"
