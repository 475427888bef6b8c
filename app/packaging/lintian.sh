#!/usr/bin/env bash
# Lintian on Debian packages, pedantic and informational tags shown; fails on any error or warning:
#     lintian.sh FILE.changes|FILE.deb...
# One warning is known to be wrong where lintian predates Debian Policy 4.7.0 (bookworm's 2.116):
# it does not know the Static-Built-Using field, which karsobel-pairs and its debug symbols carry
# for the code compiled in from Highway. That warning alone is let through there.
set -uo pipefail
output="$(lintian --pedantic --display-info --fail-on none "$@" 2>&1)"
echo "$output"
faults="$(grep -E '^[EW]: ' <<<"$output")"
if dpkg --compare-versions "$(lintian --print-version)" lt 2.117; then
    faults="$(grep -Ev '^W: karsobel-pairs(-dbgsym)?: unknown-field Static-Built-Using$' <<<"$faults")"
fi
if [ -n "$faults" ]; then
    echo "lintian: errors or warnings:" >&2
    echo "$faults" >&2
    exit 1
fi
echo "lintian: no error, no warning"
