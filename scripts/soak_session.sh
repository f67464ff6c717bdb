#!/usr/bin/env bash
# The inside of scripts/soak, run with DISPLAY set by xvfb-run. Args: SECONDS PROGRAM
set -uo pipefail
seconds=$1
program=$2
log=$(mktemp)
default_keys=(space comma period l semicolon o p 5 6 7 8 Q E W S A D C q e a d z c r
      Up Down Left Right Prior Next)
# SOAK_KEYS (space-separated) narrows the key set, to find which command a growth follows.
read -r -a keys <<< "${SOAK_KEYS:-${default_keys[*]}}"
"$program" >"$log" 2>&1 &
pid=$!
win=$(xdotool search --sync --name "^Quorvel$" | head -n 1)
rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null; }

# The GL driver and the heap settle over the first minutes (a 20-minute run here stepped up
# 2.5 MiB at minute 4, then stayed flat): readings in the warm-up are shown but not judged.
# The baseline is the lowest reading of the quarter after it.
warmup=$(( seconds / 4 < 300 ? seconds / 4 : 300 ))
baseline_end=$(( warmup + (seconds - warmup) / 4 ))
# Short runs sample more often, so each span's highest reading is a fair one.
sample_every=$(( seconds <= 120 ? 2 : 5 ))
start=$(date +%s)
next_sample=$start
sent=0
samples=()
readings=()   # seconds:KiB pairs for the verdict
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
    fi
    key=${keys[$(( RANDOM % ${#keys[@]} ))]}
    xdotool key --window "$win" "$key" 2>/dev/null && sent=$(( sent + 1 ))
    sleep 0.05
done
last=$(rss_kib)
samples+=("end:${last}KiB")
readings+=("$seconds:$last")
# The GL driver frees replaced textures a few frames late, so readings spike by several MiB
# on top of a steady floor; a leak raises the floor. Compare the lowest reading after the
# warm-up with the lowest of the last quarter of the run.
baseline=-1
final=-1
for r in "${readings[@]}"; do
    t=${r%%:*}
    v=${r##*:}
    if [ "$t" -ge "$warmup" ] && [ "$t" -le "$baseline_end" ] && \
       { [ "$baseline" -lt 0 ] || [ "$v" -lt "$baseline" ]; }; then
        baseline=$v
    fi
    if [ "$t" -ge $(( seconds * 3 / 4 )) ] && { [ "$final" -lt 0 ] || [ "$v" -lt "$final" ]; }; then
        final=$v
    fi
done
xdotool key --window "$win" Escape 2>/dev/null
status=0
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
    echo "soak: FAIL: no exit after Escape"; kill -9 "$pid"; exit 1
fi
wait "$pid" || status=$?
growth=$(( final - baseline ))
echo "soak: keys sent: $sent over ${seconds}s"
echo "soak: memory samples: ${samples[*]}"
echo "soak: warm-up ${warmup}s; lowest resident memory from ${warmup}s to ${baseline_end}s: $baseline KiB; in the last quarter: $final KiB; growth $growth KiB"
echo "soak: exit status $status"
if grep -q "ERROR: AddressSanitizer\|runtime error:\|Segmentation" "$log"; then
    echo "soak: FAIL: the program reported a fault"; tail -n 30 "$log"; exit 1
fi
if [ "$status" -ne 0 ]; then echo "soak: FAIL: exit status $status"; tail -n 20 "$log"; exit 1; fi
if [ "$growth" -ge 2048 ]; then echo "soak: FAIL: memory grew by $growth KiB"; exit 1; fi
echo "soak: PASS"
