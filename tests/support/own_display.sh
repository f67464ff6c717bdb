#!/usr/bin/env bash
# Runs a command on an X server of its own, so end-to-end tests running side by side never
# see each other's windows or keys. The server picks a free display itself (-displayfd).
# Starting and stopping servers take turns under a lock: a server that is shutting down
# removes its socket late and could otherwise take the socket of a new one on the same number.
# Usage: own_display.sh COMMAND [ARGS...]
set -u
exec 9>"${TMPDIR:-/tmp}/quorvel-own-display.lock"
numfile=$(mktemp)

flock 9
env -u LD_PRELOAD Xvfb -displayfd 3 -screen 0 1024x1024x24 -nolisten tcp 3>"$numfile" 2>/dev/null &
server=$!
for _ in $(seq 1 200); do [ -s "$numfile" ] && break; sleep 0.05; done
flock -u 9
if [ ! -s "$numfile" ]; then echo "own_display: no X server" >&2; kill "$server"; exit 125; fi
export DISPLAY=":$(cat "$numfile")"
rm -f "$numfile"

"$@"
status=$?

flock 9
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
flock -u 9
exit "$status"
