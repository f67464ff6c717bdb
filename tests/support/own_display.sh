#!/usr/bin/env bash
# Runs a command on an X server of its own, so end-to-end tests running side by side never
# see each other's windows or keys. The server picks a free display itself (-displayfd) and
# writes its number once it accepts connections. -noreset: a server that resets when its last
# client leaves drops a client that connects meanwhile (see scripts/stress_displays).
# Starting and stopping servers take turns under a lock, so a number is never handed on while
# its old server is still going away. Neither the server nor the command holds the lock's
# descriptor: a script killed while holding the lock leaves nothing that keeps it. The lock is
# each user's own: one left by another user (root's, say) could not be opened.
# Usage: own_display.sh COMMAND [ARGS...]
set -u
exec 9>"${TMPDIR:-/tmp}/quorvel-own-display-$(id -u).lock"
numfile=$(mktemp)
serverlog=$(mktemp)

flock 9
env -u LD_PRELOAD Xvfb -displayfd 3 -noreset -screen 0 1024x1024x24 -nolisten tcp \
    3>"$numfile" 2>"$serverlog" 9>&- &
server=$!
for _ in $(seq 1 200); do
    [ -s "$numfile" ] && break
    kill -0 "$server" 2>/dev/null || break  # died: no use waiting
    sleep 0.05
done
flock -u 9
if [ ! -s "$numfile" ]; then
    if kill -0 "$server" 2>/dev/null; then
        echo "own_display: the X server gave no display number within 10 s:" >&2
    else
        echo "own_display: the X server exited before it took a display:" >&2
    fi
    cat "$serverlog" >&2
    kill "$server" 2>/dev/null
    rm -f "$numfile" "$serverlog"
    exit 125
fi
export DISPLAY=":$(cat "$numfile")"
rm -f "$numfile" "$serverlog"

"$@" 9>&-
status=$?

flock 9
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
flock -u 9
exit "$status"
