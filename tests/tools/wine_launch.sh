#!/usr/bin/env bash
# Runs a Windows program under Wine at the screen resolution in $E2E_DPI (96 when unset) and
# returns its exit status:
#     wine_launch.sh PROGRAM [ARGUMENTS...]
# The Wine prefix, one per resolution, lives in $WINE_LAUNCH_PREFIXES, by default in the Wine
# folder of the program's build tree (build/windows/wine for build/windows/app/karsobel.exe).
set -uo pipefail
program="$(realpath "$1")"
shift
dpi="${E2E_DPI:-96}"
source "$(dirname "$(realpath "$0")")/wine_prefix.sh"
wine_prefix "${WINE_LAUNCH_PREFIXES:-$(dirname "$(dirname "$program")")/wine}/dpi-$dpi" || exit
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
[ -z "${DISPLAY:-}" ] || wine_wait_for_desktop || exit
wine "$program" "$@"
