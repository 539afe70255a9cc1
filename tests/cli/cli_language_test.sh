#!/bin/sh
# SPDX-License-Identifier: MIT
# vornelik-cli speaks its user's language: each row's command, run with only the row's
# variables, must print (standard output, then standard error, then the exit status) exactly
# the expected file of tests/data/cli_language/. A Turkish locale is made for the test with
# localedef, so that no locale needs installing. The commands run in a folder of their own, on
# sounds made here: a short one with silence around it, one longer than the chip holds.
# Usage: cli_language_test.sh VORNELIK_CLI TEST_DATA_DIR
set -u
cli=$1
data=$2/cli_language
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! localedef -i tr_TR -f UTF-8 "$work/tr_TR.UTF-8" 2>"$work/localedef"; then
    echo "SKIP: localedef cannot make tr_TR.UTF-8: $(cat "$work/localedef")"
    exit 77
fi

cd "$work" || exit 1
{ head -c 100 /dev/zero | tr '\0' '\200'; head -c 150 /dev/zero | tr '\0' '\377'
  head -c 50 /dev/zero | tr '\0' '\200'; } >short.raw
head -c 70000 /dev/zero >long.raw

failures=0
# expected file | variables | arguments
while IFS='|' read -r expected variables arguments; do
    [ -n "$expected" ] || continue
    # shellcheck disable=SC2086
    env -i PATH="$PATH" LOCPATH="$work" ASAN_OPTIONS="${ASAN_OPTIONS:-}" \
        LSAN_OPTIONS="${LSAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" $variables \
        "$cli" $arguments >"$work/out" 2>"$work/err"
    status=$?
    { cat "$work/out" "$work/err"; echo "exit $status"; } >"$work/got"
    if ! cmp -s "$data/$expected" "$work/got"; then
        echo "FAIL: $variables vornelik-cli $arguments: not as $expected"
        diff "$data/$expected" "$work/got" | sed 's/^/  /'
        failures=$((failures + 1))
    fi
done <<'ROWS'
help.en|LANG=C|--help
help.tr|LANG=tr_TR.UTF-8|--help
bas_help.tr|LC_ALL=tr_TR.UTF-8|bas --help
unknown.en|LANG=C|frob
unknown.tr|LANG=tr_TR.UTF-8|frob
unknown.tr|LANG=en_US.UTF-8 LC_MESSAGES=tr_TR.UTF-8|frob
unknown.tr|LANG=C.UTF-8 LANGUAGE=tr|frob
unknown.en|LANG=tr_TR.UTF-8 LANGUAGE=en|frob
unknown.en|LANG=C LANGUAGE=tr|frob
unknown.en|LC_ALL=C LANG=tr_TR.UTF-8|frob
extra.en|LANG=C|info a b
extra.tr|LANG=tr_TR.UTF-8|info a b
required.tr|LANG=tr_TR.UTF-8|bas
quality.tr|LANG=tr_TR.UTF-8|bas a -o b --quality best
range.tr|LANG=tr_TR.UTF-8|preview a -o b --loop-cycles 100001
missing.tr|LANG=tr_TR.UTF-8|bas a -o
wrote.en|LANG=C|bas short.raw -o out.bas
wrote.tr|LANG=tr_TR.UTF-8|bas short.raw -o out.bas
warning.en|LANG=C|bas long.raw -o out.bas
warning.tr|LANG=tr_TR.UTF-8|bas long.raw -o out.bas
unreadable.en|LANG=C|bas missing.wav -o out.bas
unreadable.tr|LANG=tr_TR.UTF-8|bas missing.wav -o out.bas
check.both|LANG=C|bas short.raw -o out.bas --end 400
check.both|LANG=tr_TR.UTF-8|bas short.raw -o out.bas --end 400
info.tr|LANG=tr_TR.UTF-8|info short.raw
ROWS
[ "$failures" -eq 0 ] || exit 1
echo "vornelik-cli speaks Turkish and English as the locale asks"
