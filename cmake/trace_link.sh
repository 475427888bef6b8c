#!/bin/sh
# Runs a link command whose linker prints the files it takes (--trace), with that standard
# output written to a file instead:
#     trace_link.sh FILE COMMAND...
trace="$1"
shift
"$@" >"$trace.part" || { status=$?; cat "$trace.part"; rm -f "$trace.part"; exit $status; }
mv "$trace.part" "$trace"
