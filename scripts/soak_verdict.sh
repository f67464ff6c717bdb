#!/usr/bin/env bash
# The soak's judgement of memory, apart so any run length can be checked on made-up readings.
# Reads "SECONDS:KIB" lines (resident size at a time into the run) on standard input; prints
# the figures and exits 1 when the resident size grew by 2 MiB or more.
# The GL driver frees replaced textures a few frames late, so readings spike by several MiB
# on top of a steady floor; a leak raises the floor. Compare the lowest reading after the
# warm-up (a quarter of the run, five minutes at most, and never less than the program's own
# start: loading the images and the rasteriser's first frames take several seconds) with the
# lowest of the last quarter. A run that ends before its start settles is not judged.
# The baseline spans the quarter after the warm-up and, in a run too short for that quarter
# to hold a reading, the first reading after the warm-up.
# Usage: soak_verdict.sh SECONDS < readings
set -uo pipefail
seconds=${1:?usage: soak_verdict.sh SECONDS < readings}
start_up=10
warmup=$(( seconds / 4 < 300 ? seconds / 4 : 300 ))
warmup=$(( warmup > start_up ? warmup : start_up ))
baseline_end=$(( warmup + (seconds - warmup) / 4 ))
last_quarter=$(( seconds * 3 / 4 ))
awk -F: -v warmup="$warmup" -v end="$baseline_end" -v last="$last_quarter" '
    $1 >= warmup && ($1 <= end || first == "") && (base == "" || $2 < base) { base = $2; base_t = $1 }
    $1 >= warmup && first == "" { first = $1 }
    { t[NR] = $1; kib[NR] = $2 }
    END {
        if (base == "") {
            printf "soak: memory not judged: a %ds run ends before the %ds the start takes\n", '"$seconds"', warmup
            exit 0
        }
        # The last quarter compared with the baseline never uses the baseline reading itself.
        for (i = 1; i <= NR; i++)
            if (t[i] >= last && t[i] != base_t && (final == "" || kib[i] < final)) final = kib[i]
        if (final == "") {
            printf "soak: memory not judged: one reading (%d KiB) is all a %ds run holds\n", base, '"$seconds"'
            exit 0
        }
        printf "soak: warm-up %ds; lowest resident memory from %ds to %ds: %d KiB; ", warmup, warmup, (end > first ? end : first), base
        printf "in the last quarter: %d KiB; growth %d KiB\n", final, final - base
        if (final - base >= 2048) { printf "soak: FAIL: memory grew by %d KiB\n", final - base; exit 1 }
    }'
