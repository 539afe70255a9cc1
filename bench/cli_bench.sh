#!/bin/sh
# SPDX-License-Identifier: MIT
# vornelik-cli inc over a 16 MiB sound, end to end, beside `xxd -i` of the same sound and `cat`
# of an output of the same size, in one run. Each is timed best of five, writing a new file.
# vornelik-cli syncs its file to the disk before it takes its name, so the other two are
# followed by a sync of the file they wrote, and all three are compared like with like. The
# ratios compare time per input byte (xxd) and per output byte (cat); they are measurements, not
# goals. Peak memory is the sound plus a constant.
# Usage: cli_bench.sh VORNELIK_CLI
set -eu
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

size=$((16 * 1024 * 1024))
head -c "$size" /dev/urandom >"$work/sound.wav"

. "$(dirname "$0")/best_of.sh"

cli_time=$(best_of 5 "$work/out.inc" "'$cli' inc '$work/sound.wav' -o '$work/out.inc' --code-page 1252")
xxd_time=$(best_of 5 "$work/xxd.txt" "xxd -i '$work/sound.wav' >'$work/xxd.txt' && sync '$work/xxd.txt'")
cat_time=$(best_of 5 "$work/copy.inc" "cat '$work/out.inc' >'$work/copy.inc' && sync '$work/copy.inc'")
peak_kib=$(/usr/bin/time -f %M "$cli" inc "$work/sound.wav" -o "$work/peak.inc" 2>&1 >/dev/null | tail -1)

out_bytes=$(wc -c <"$work/out.inc")
awk -v cli="$cli_time" -v xxd="$xxd_time" -v cat="$cat_time" -v in_bytes="$size" \
    -v out_bytes="$out_bytes" -v peak="$peak_kib" 'BEGIN {
    printf "vornelik-cli inc  %.3f s  (%d bytes in, %d bytes out)\n", cli, in_bytes, out_bytes
    printf "xxd -i, then sync %.3f s\n", xxd
    printf "cat of the output, then sync %.3f s\n", cat
    printf "xxd -i takes %.2f times as long as vornelik-cli per input byte\n", xxd / cli
    printf "vornelik-cli takes %.2f times as long as cat of its output\n", cli / cat
    printf "peak memory %.1f MiB for a %.1f MiB sound\n", peak / 1024, in_bytes / 1048576
}'
