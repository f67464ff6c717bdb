#!/usr/bin/env bash
# The inside of scripts/soak, run with DISPLAY set by xvfb-run. Args: SECONDS PROGRAM
set -uo pipefail
seconds=$1
program=$2
log=$(mktemp)
# Beside the keys, three mouse inputs: "drag" (a left-button drag across the window) and the
# wheel's two steps.
default_keys=(space comma period l semicolon o p 5 6 7 8 Q E W S A D C q e a d z c r
      Up Down Left Right Prior Next F1 F11 F12 drag wheel_away wheel_towards)
# SOAK_KEYS (space-separated) narrows the key set, to find which command a growth follows.
read -r -a keys <<< "${SOAK_KEYS:-${default_keys[*]}}"
# F12 saves into the current folder: a folder of the soak's own, emptied as it goes.
shots=$(mktemp -d)
trap 'rm -rf "$shots" "$log"' EXIT
# No frame limit: a soak draws as many frames as it can, as a stress run should.
(cd "$shots" && exec "$program" --max-fps 0) >"$log" 2>&1 &
pid=$!
source "$(dirname "$0")/lib.sh"
if ! win=$(wait_for_window "$pid"); then
    echo "soak: FAIL: no window to send keys to"; tail -n 20 "$log"; exit 1
fi
rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null; }
send() {
    case $1 in
    drag) xdotool mousemove --window "$win" $(( RANDOM % 600 + 100 )) 400 mousedown 1 \
              mousemove --window "$win" $(( RANDOM % 600 + 100 )) 420 mouseup 1 ;;
    wheel_away) xdotool mousemove --window "$win" 400 400 click 4 ;;
    wheel_towards) xdotool mousemove --window "$win" 400 400 click 5 ;;
    *) xdotool key --window "$win" "$1" ;;
    esac
}

# The GL driver and the heap settle over the first minutes: readings in the warm-up are shown
# but not judged (see soak_verdict.sh). What the driver keeps follows the drawing states it has
# met (code it compiles for each, the working memory of the busiest frame), so the warm-up
# starts with every key once; random keys follow.
sample_every=$(( seconds <= 120 ? 2 : 5 ))  # short runs sample more often
start=$(date +%s)
next_sample=$start
sent=0
saved=0
samples=()
readings=()   # seconds:KiB pairs for the verdict
for key in "${keys[@]}"; do
    send "$key" 2>/dev/null && sent=$(( sent + 1 ))
    sleep 0.05
done
RANDOM=12345
while :; do
    now=$(date +%s)
    elapsed=$(( now - start ))
    [ "$elapsed" -ge "$seconds" ] && break
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "soak: FAIL: the program ended early"; cat "$log" | tail -n 20; exit 1
    fi
    if [ "$now" -ge "$next_sample" ]; then
        rss=$(rss_kib)
        samples+=("${elapsed}s:${rss}KiB")
        readings+=("$elapsed:$rss")
        next_sample=$(( now + sample_every ))
        saved=$(( saved + $(find "$shots" -name '*.png' | wc -l) ))
        find "$shots" -name '*.png' -delete
    fi
    key=${keys[$(( RANDOM % ${#keys[@]} ))]}
    send "$key" 2>/dev/null && sent=$(( sent + 1 ))
    sleep 0.05
done
last=$(rss_kib)
samples+=("end:${last}KiB")
readings+=("$seconds:$last")
xdotool key --window "$win" Escape 2>/dev/null
status=0
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
    echo "soak: FAIL: no exit after Escape"; kill -9 "$pid"; exit 1
fi
wait "$pid" || status=$?
saved=$(( saved + $(find "$shots" -name '*.png' | wc -l) ))
echo "soak: keys and mouse inputs sent: $sent over ${seconds}s; pictures saved by F12: $saved"
echo "soak: memory samples: ${samples[*]}"
memory=0
printf '%s\n' "${readings[@]}" | bash "$(dirname "$0")/soak_verdict.sh" "$seconds" || memory=1
echo "soak: exit status $status"
if grep -q "ERROR: AddressSanitizer\|runtime error:\|Segmentation" "$log"; then
    echo "soak: FAIL: the program reported a fault"; tail -n 30 "$log"; exit 1
fi
if [ "$status" -ne 0 ]; then echo "soak: FAIL: exit status $status"; tail -n 20 "$log"; exit 1; fi
if [ "$memory" -ne 0 ]; then exit 1; fi
echo "soak: PASS"
