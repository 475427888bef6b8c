#!/usr/bin/env bash
# Runs a command in one Wine session of the given prefix, and returns its exit status:
#     wine_session.sh PREFIX COMMAND [ARGUMENTS...]
# Wine's server and services start once, before the command, and end with it; the Windows programs
# the command runs in PREFIX through the Wine launchers all run in that session.
set -uo pipefail
source "$(dirname "$0")/wine_prefix.sh"
wine_session "$1" || exit
shift
"$@" {wine_prefix_lock}>&-
