#!/usr/bin/env bash
# Runs a command on an X server of its own, so end-to-end tests running side by side never
# see each other's windows or keys. The server picks a free display itself (-displayfd).
# Starting and stopping servers take turns under a lock: a server that is shutting down
# removes its socket late and could otherwise take the socket of a new one on the same number.
# A server that does not answer a first client is replaced, up to three times.
# Usage: own_display.sh COMMAND [ARGS...]
set -u
exec 9>"${TMPDIR:-/tmp}/quorvel-own-display.lock"
numfile=$(mktemp)
serverlog=$(mktemp)

start_server() {
    : >"$numfile"
    env -u LD_PRELOAD Xvfb -displayfd 3 -screen 0 1024x1024x24 -nolisten tcp \
        3>"$numfile" 2>"$serverlog" &
    server=$!
    for _ in $(seq 1 200); do [ -s "$numfile" ] && break; sleep 0.05; done
    [ -s "$numfile" ] || return 1
    export DISPLAY=":$(cat "$numfile")"
    for _ in $(seq 1 40); do
        xdotool getmouselocation >/dev/null 2>&1 && return 0
        kill -0 "$server" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}

stop_server() {
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
}

flock 9
ready=0
for _ in 1 2 3; do
    if start_server; then ready=1; break; fi
    stop_server
done
flock -u 9
rm -f "$numfile"
if [ "$ready" != 1 ]; then
    echo "own_display: no X server would start:" >&2
    cat "$serverlog" >&2
    rm -f "$serverlog"
    exit 125
fi
rm -f "$serverlog"

"$@"
status=$?

flock 9
stop_server
flock -u 9
exit "$status"
