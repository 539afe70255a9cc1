#!/bin/sh
# SPDX-License-Identifier: MIT
# vornelik-cli.exe with a Turkish LANG on a console: Wine gives a program started on a terminal
# its console there, so a pseudo-terminal (script) shows what the console shows. What it shows
# must be the expected file of cli_language_test (without its exit status line). The terminal's
# own locale is made with localedef, so that Wine writes the letters to it in UTF-8.
# Usage: console_language_test.sh WINE VORNELIK_CLI_EXE TEST_DATA_DIR
set -u
wine=$1 cli=$2 data=$3/cli_language
for tool in script localedef perl; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: no $tool"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
localedef -i tr_TR -f UTF-8 "$work/tr_TR.UTF-8" 2>/dev/null || { echo "SKIP: no tr_TR"; exit 77; }

failures=0
while IFS='|' read -r expected arguments; do
    # The console's drawing: "ESC[nC" moves over n blanks, the other sequences draw nothing.
    LOCPATH="$work" LANG=tr_TR.UTF-8 script -qec "$wine $cli $arguments" /dev/null </dev/null |
        perl -pe 's/\e\[(\d*)C/" " x ($1 || 1)/ge; s/\e\[[0-9;?]*[A-Za-z]//g; s/\r//g' \
            >"$work/shown"
    sed '$d' "$data/$expected" >"$work/wanted"
    if ! cmp -s "$work/wanted" "$work/shown"; then
        echo "FAIL: LANG=tr_TR.UTF-8 vornelik-cli.exe $arguments on the console:"
        diff "$work/wanted" "$work/shown" | sed 's/^/  /'
        failures=$((failures + 1))
    fi
done <<'ROWS'
unknown.tr|frob
required.tr|bas
extra.tr|info a b
ROWS
[ "$failures" -eq 0 ] || exit 1
echo "vornelik-cli.exe speaks Turkish on the console"
