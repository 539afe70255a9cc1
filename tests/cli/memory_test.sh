#!/bin/sh
# SPDX-License-Identifier: MIT
# The commands that read a sound hold a bounded part of it: on a sound larger than the bound each
# stays below it. Usage: memory_test.sh VORNELIK-CLI
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
limit=65536  # KiB
failures=0

# 80 MiB of noise, taken as a headerless 8-bit sound: loud throughout, so that the survey looks
# for the loudest stretch over all of it.
head -c 83886080 /dev/urandom >"$work/big.raw"
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
preview preview $work/big.raw -o $work/big.wav --start 60000000 --end 60100000
END
exit $((failures > 0))
