#!/bin/sh
# SPDX-License-Identifier: MIT
# The commands that read a sound hold a bounded part of it: on a sound larger than that part,
# each grows by less than the sound beyond what it takes for a sound of a few bytes (a sanitizer
# build starts large). Usage: memory_test.sh VORNELIK-CLI
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

printf '\200\377\000' >"$work/small.raw"
/usr/bin/time -f %M -o "$work/rss" "$cli" info "$work/small.raw" >/dev/null
limit=$(($(tail -n 1 "$work/rss") + 16384))  # KiB
# 32 MiB of noise, taken as a headerless 8-bit sound: loud throughout, so that the survey looks
# for the loudest stretch over all of it.
head -c 33554432 /dev/urandom >"$work/big.raw"
while read -r name arguments; do
    # shellcheck disable=SC2086  # the arguments are words
    if ! /usr/bin/time -f %M -o "$work/rss" "$cli" $arguments >"$work/out" 2>"$work/err"; then
        echo "FAIL: $name: $(cat "$work/err")"
        failures=$((failures + 1))
        continue
    fi
    rss=$(tail -n 1 "$work/rss")
    echo "$name: $rss KiB at most"
    if [ "$rss" -gt $limit ]; then
        echo "FAIL: $name held $rss KiB, more than $limit"
        failures=$((failures + 1))
    fi
done <<END
info info $work/big.raw
info_json info --json $work/big.raw
plot plot $work/big.raw -o $work/big.svg
preview preview $work/big.raw -o $work/big.wav --start 30000000 --end 30100000
END
exit $((failures > 0))
