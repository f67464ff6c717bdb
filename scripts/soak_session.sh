#!/usr/bin/env bash
# The inside of scripts/soak, run with DISPLAY set by xvfb-run. Args: SECONDS PROGRAM
set -uo pipefail
seconds=$1
program=$2
log=$(mktemp)
keys=(space comma period l semicolon o p 5 6 7 8 Q E W S A D C q e a d z c r
      Up Down Left Right Prior Next)
"$program" >"$log" 2>&1 &
pid=$!
win=$(xdotool search --sync --name "^Quorvel$" | head -n 1)
rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null; }

baseline_at=$(( seconds < 120 ? seconds / 2 : 60 ))
start=$(date +%s)
next_sample=$start
sent=0
baseline=""
samples=()
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
        if [ -z "$baseline" ] && [ "$elapsed" -ge "$baseline_at" ]; then baseline=$rss; fi
        next_sample=$(( now + 5 ))
    fi
    key=${keys[$(( RANDOM % ${#keys[@]} ))]}
    xdotool key --window "$win" "$key" 2>/dev/null && sent=$(( sent + 1 ))
    sleep 0.05
done
final=$(rss_kib)
samples+=("end:${final}KiB")
xdotool key --window "$win" Escape
status=0
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
    echo "soak: FAIL: no exit after Escape"; kill -9 "$pid"; exit 1
fi
wait "$pid" || status=$?
growth=$(( final - ${baseline:-$final} ))
echo "soak: keys sent: $sent over ${seconds}s"
echo "soak: memory samples: ${samples[*]}"
echo "soak: resident memory at baseline ${baseline:-?} KiB, at end $final KiB, growth $growth KiB"
echo "soak: exit status $status"
if grep -q "ERROR: AddressSanitizer\|runtime error:\|Segmentation" "$log"; then
    echo "soak: FAIL: the program reported a fault"; tail -n 30 "$log"; exit 1
fi
if [ "$status" -ne 0 ]; then echo "soak: FAIL: exit status $status"; tail -n 20 "$log"; exit 1; fi
if [ "$growth" -ge 2048 ]; then echo "soak: FAIL: memory grew by $growth KiB"; exit 1; fi
echo "soak: PASS"
