# Waiting in the end-to-end tests' shell snippets: never a fixed time, always for something
# one can see, up to a deadline far beyond what a slow, loaded machine needs. A wait that runs
# out says what it waited for on standard error and fails.
# shellcheck shell=sh

QORVEL_WAIT_SECONDS=${QORVEL_WAIT_SECONDS:-60}

# wait_for COMMAND [ARGS...]: runs the command every 50 ms until it succeeds.
wait_for() {
    _deadline=$(($(date +%s) + QORVEL_WAIT_SECONDS))
    until "$@"; do
        if [ "$(date +%s)" -ge "$_deadline" ]; then
            echo "wait_for: gave up after ${QORVEL_WAIT_SECONDS} s: $*" >&2
            return 1
        fi
        sleep 0.05
    done
}

# has_line FILE LINE: the file holds the line, whole.
has_line() { grep -qxF -- "$2" "$1" 2>/dev/null; }

# wait_for_line FILE LINE: waits until the file holds the line (a capture, the program's output).
wait_for_line() { wait_for has_line "$1" "$2"; }

# frame_lines FILE: how many frames a capture has written so far.
frame_lines() { grep -c '^frame ' "$1" 2>/dev/null || true; }

# geometry_is WINDOW WxH: the window's size on the screen, as X reports it.
geometry_is() { xdotool getwindowgeometry "$1" 2>/dev/null | grep -qF "Geometry: $2"; }
