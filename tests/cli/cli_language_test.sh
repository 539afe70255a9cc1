#!/bin/sh
# SPDX-License-Identifier: MIT
# vornelik-cli speaks its user's language: each row's command, run with only the row's
# variables, must print (standard output, then standard error, then the exit status) exactly
# the expected file of tests/data/cli_language/. A Turkish locale is made for the test with
# localedef, so that no locale needs installing.
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
ROWS
[ "$failures" -eq 0 ] || exit 1
echo "vornelik-cli speaks Turkish and English as the locale asks"
