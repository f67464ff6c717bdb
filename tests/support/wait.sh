# Waiting in the end-to-end tests' shell snippets: never a fixed time, always for something
# one can see, up to a deadline far beyond what a slow, loaded machine needs. A wait that runs
# out says what it waited for on standard error and fails.
# shellcheck shell=sh

QORVEL_WAIT_SECONDS=${QORVEL_WAIT_SECONDS:-40}

# wait_for COMMAND [ARGS...]: runs the command every 50 ms until it succeeds. Once one wait
# has run out the program is not doing what the test expects: later waits look once only, so
# a failing test ends in one deadline rather than one for each step.
wait_for() {
    _deadline=$(($(date +%s) + QORVEL_WAIT_SECONDS))
    [ -n "${_gave_up:-}" ] && _deadline=0
    until "$@"; do
        if [ "$(date +%s)" -ge "$_deadline" ]; then
            echo "wait_for: gave up waiting for: $*" >&2
            _gave_up=1
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

# frames_reach FILE N: the capture has written at least N frames.
frames_reach() { [ "$(frame_lines "$1")" -ge "$2" ]; }
