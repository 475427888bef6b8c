#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix and returns its exit status:
#     wine_run.sh PREFIX PROGRAM [ARGUMENTS...]
set -uo pipefail
source "$(dirname "$0")/wine_prefix.sh"
wine_prefix "$1" || exit
shift
wine "$@"
status=$?
wineserver -k
exit $status
