# Shared helpers of the scripts: package checks and the build.
# shellcheck shell=bash

QORVEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Where the build folders go: beside the sources, or, when those cannot be written (a read-only
# checkout), in the user's cache, one folder per checkout. QORVEL_BUILD_ROOT chooses another.
if [ -n "${QORVEL_BUILD_ROOT:-}" ]; then
    QORVEL_BUILDS=$QORVEL_BUILD_ROOT
elif [ -w "$QORVEL_ROOT" ]; then
    QORVEL_BUILDS=$QORVEL_ROOT
else
    QORVEL_BUILDS=${XDG_CACHE_HOME:-$HOME/.cache}/quorvel/$(printf '%s' "$QORVEL_ROOT" | md5sum | cut -c1-12)
fi
QORVEL_PACKAGES=(cmake g++ freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri libpng-dev libegl-dev libegl-mesa0 libgtest-dev libx11-dev xvfb xauth xdotool help2man man-db dpkg-dev)
# Every virtual display the scripts start. -noreset: a server that resets when its last client
# leaves drops any client that connects meanwhile (scripts/stress_displays shows it).
QORVEL_XVFB_ARGS=(-noreset -screen 0 1024x1024x24)
# The fuzzer's compiler and the package that brings it with its libFuzzer runtime.
QORVEL_FUZZ_CXX=clang++-14
QORVEL_FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)

# Installs the Debian packages that are missing; exits non-zero naming them when it cannot.
ensure_packages() {
    local missing=() p
    for p in "${QORVEL_PACKAGES[@]}" "$@"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "Cannot install (not root and no sudo). Missing packages: ${missing[*]}" >&2
            exit 1
        fi
    fi
    if ! { "${sudo[@]}" apt-get update -qq && \
           DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"; }; then
        echo "Installing failed. Missing packages: ${missing[*]}" >&2
        exit 1
    fi
}

# configure_and_build BUILD_DIR BUILD_TYPE [extra cmake args...]: BUILD_DIR under $QORVEL_BUILDS.
configure_and_build() {
    local dir=$1 type=$2
    shift 2
    [ "$QORVEL_BUILDS" = "$QORVEL_ROOT" ] || echo "Building in $QORVEL_BUILDS/$dir"
    mkdir -p "$QORVEL_BUILDS"
    cmake -S "$QORVEL_ROOT" -B "$QORVEL_BUILDS/$dir" -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
    cmake --build "$QORVEL_BUILDS/$dir" -j "$(nproc)"
}

# on_virtual_display COMMAND [ARGS...]: runs the command on a fresh Xvfb of its own.
on_virtual_display() {
    xvfb-run -a -s "${QORVEL_XVFB_ARGS[*]}" "$@"
}

# wait_for_window PID [SECONDS]: prints the id of the program's visible window once it shows.
# Fails, saying why, when the program ends first or the window does not show in time (30 s).
wait_for_window() {
    local pid=$1 deadline=$(( $(date +%s) + ${2:-30} )) win
    while :; do
        win=$(xdotool search --onlyvisible --name '^Quorvel$' 2>/dev/null | head -n 1)
        [ -n "$win" ] && { echo "$win"; return 0; }
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "the program ended before its window showed (see its messages above)" >&2
            return 1
        fi
        if [ "$(date +%s)" -ge "$deadline" ]; then
            echo "the program's window did not show within ${2:-30} s" >&2
            return 1
        fi
        sleep 0.1
    done
}
