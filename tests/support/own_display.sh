#!/usr/bin/env bash
# Runs a command on an X server of its own, so end-to-end tests running side by side never
# see each other's windows or keys. The server picks a free display itself (-displayfd).
# Usage: own_display.sh COMMAND [ARGS...]
set -u
numfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x1024x24 -nolisten tcp 3>"$numfile" 2>/dev/null &
server=$!
for _ in $(seq 1 200); do [ -s "$numfile" ] && break; sleep 0.05; done
if [ ! -s "$numfile" ]; then echo "own_display: no X server" >&2; kill "$server"; exit 125; fi
export DISPLAY=":$(cat "$numfile")"
rm -f "$numfile"
"$@"
status=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
exit "$status"
