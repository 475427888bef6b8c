#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix and returns its exit status:
#     wine_run.sh PREFIX PROGRAM [ARGUMENTS...]
set -uo pipefail
source "$(dirname "$0")/wine_prefix.sh"
wine_prefix "$1" || exit
shift
# No window manager runs here; Wine would wait for one whenever a window it expects one to manage
# is hidden or destroyed.
grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" ||
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
[ -z "${DISPLAY:-}" ] || wine_wait_for_desktop || exit
wine "$@"
