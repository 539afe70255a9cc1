#!/bin/sh
# SPDX-License-Identifier: MIT
# vornelik-cli convert beside SoX making the same 8-bit 8 kHz mono file, on 30 s, 5 min and 30 min
# of 44.1 kHz stereo 16-bit noise made by SoX. Each is timed best of five, the two taking turns;
# the ratio is SoX's time over vornelik-cli's (goal: at least 1). Peak memory is shown for both
# (goal: under 64 MiB), and the largest difference from `sox -D` (no dither) in 8-bit steps
# (goal: 1).
# Usage: convert_bench.sh VORNELIK_CLI
set -eu
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

. "$(dirname "$0")/best_of.sh"

least() {
    echo "${1:-1e9} $2" | awk '{ print ($2 < $1 ? $2 : $1) }'
}

peak_mib() {
    /usr/bin/time -f %M sh -c "exec $1" 2>&1 >/dev/null | tail -1 | awk '{ printf "%.1f", $1 / 1024 }'
}

# The largest difference between the samples of two 8-bit WAV files with 44-byte headers.
steps_apart() {
    cmp -l "$1" "$2" 2>/dev/null |
        awk 'function octal(s,   n, i) { n = 0; for (i = 1; i <= length(s); i++) n = n * 8 + substr(s, i, 1); return n }
             BEGIN { m = 0 } $1 > 44 { a = octal($2); b = octal($3);
             d = a > b ? a - b : b - a; if (d > m) m = d } END { print m }'
}

printf '%-8s %12s %12s %7s %14s %14s %6s\n' length vornelik-cli sox ratio "peak (ours)" "peak (sox)" steps
for seconds in 30 300 1800; do
    in="$work/in-$seconds.wav"
    sox -n -r 44100 -c 2 -b 16 "$in" synth "$seconds" pinknoise vol 0.5
    ours="'$cli' convert '$in' -o '$work/ours.wav'"
    theirs="sox '$in' -r 8000 -c 1 -b 8 -e unsigned-integer '$work/sox.wav'"
    # Run in turn, so that neither side always comes first after the input was written.
    ours_time=""
    sox_time=""
    for _ in 1 2 3 4 5; do
        ours_time=$(least "$ours_time" "$(best_of 1 "" "$ours")")
        sox_time=$(least "$sox_time" "$(best_of 1 "" "$theirs")")
    done
    ours_peak=$(peak_mib "$ours")
    sox_peak=$(peak_mib "$theirs")
    sox -D "$in" -r 8000 -c 1 -b 8 -e unsigned-integer "$work/sox-d.wav"
    steps=$(steps_apart "$work/ours.wav" "$work/sox-d.wav")
    awk -v s="$seconds" -v o="$ours_time" -v x="$sox_time" -v op="$ours_peak" -v xp="$sox_peak" \
        -v st="$steps" 'BEGIN {
        printf "%-8s %10.3f s %10.3f s %6.2fx %10s MiB %10s MiB %6s\n", s " s", o, x, x / o, op, xp, st
    }'
    rm -f "$in"
done
echo "ratio: SoX's time over vornelik-cli's (goal: at least 1); steps: largest difference from sox -D"
