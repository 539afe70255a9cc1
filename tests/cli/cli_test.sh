#!/bin/sh
# SPDX-License-Identifier: MIT
# vornelik-cli as a script uses it: exit statuses, standard output and error, the files.
# Usage: cli_test.sh VORNELIK_CLI TEST_DATA_DIR
set -u
cli=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# expect STATUS DESCRIPTION -- COMMAND...: runs the command, checks its exit status.
expect() {
    want=$1
    what=$2
    shift 3
    "$@" >"$work/out" 2>"$work/err"
    got=$?
    if [ "$got" -ne "$want" ]; then
        echo "FAIL: $what: exit $got, expected $want"
        sed 's/^/  stderr: /' "$work/err"
        failures=$((failures + 1))
    fi
}

same() {
    if ! cmp -s "$1" "$2"; then
        echo "FAIL: $3: $1 differs from $2"
        failures=$((failures + 1))
    fi
}

contains() {
    if ! grep -qF -- "$2" "$1"; then
        echo "FAIL: $3: no \"$2\" in $1"
        sed 's/^/  /' "$1"
        failures=$((failures + 1))
    fi
}

# The 26-byte sound behind the expected files.
printf '\200\202\207\215\226\242\257\276\315\334\351\363\372\377\374\365\352\334\314\273\252\230\207\170\151\134' >"$work/sound.wav"

expect 0 "program file" -- "$cli" bas "$work/sound.wav" -o "$work/out.bas" --end 25 --code-page 1254 --decimal-separator ,
same "$work/out.bas" "$data/program_good_0_25.bas" "program file"

expect 0 "include file to standard output" -- "$cli" inc "$work/sound.wav" -o - --end 25 --quality poor --code-page 1254 --decimal-separator ,
same "$work/out" "$data/include_poor_0_25.1254.inc" "include file to standard output"

expect 0 "best-fit letters in 1252" -- "$cli" inc "$work/sound.wav" -o "$work/out.inc" --end 25 --code-page 1252 --decimal-separator .
same "$work/out.inc" "$data/include_good_0_25.1252.inc" "include file in 1252"

expect 0 "offsets read as the window reads them" -- "$cli" bas "$work/sound.wav" -o "$work/hex.bas" --start '&H0' --end '2 5' --code-page 1254 --decimal-separator ,
same "$work/hex.bas" "$data/program_good_0_25.bas" "offsets read as the window reads them"

expect 0 "the end defaults to the size" -- "$cli" bas "$work/sound.wav" -o "$work/whole.bas"
contains "$work/whole.bas" "For sayi=0 To 26 Step 1 " "the end defaults to the size"

expect 2 "a broken rule" -- "$cli" bas "$work/sound.wav" -o "$work/never.bas" --start 20 --end 10
contains "$work/err" "başlangıc byte boyutu  bitiş byte boyutundan büyük olamaz" "rule 1's message"
contains "$work/err" "pic hafıza boyutu sıfır dan küçük olamaz" "rule 4's message"
[ ! -e "$work/never.bas" ] || { echo "FAIL: a broken rule wrote a file"; failures=$((failures + 1)); }

expect 2 "an offset no real can hold" -- "$cli" inc "$work/sound.wav" -o "$work/never.inc" --end 9E999
[ ! -e "$work/never.inc" ] || { echo "FAIL: an overflow wrote a file"; failures=$((failures + 1)); }

expect 3 "a missing sound" -- "$cli" bas "$work/missing.wav" -o "$work/x.bas"
contains "$work/err" "missing.wav" "the missing sound is named"

printf 'keep' >"$work/plain"
expect 3 "an output that cannot be created" -- "$cli" bas "$work/sound.wav" -o "$work/plain/x.bas"
contains "$work/err" "plain/x.bas" "the output is named"

# A full disk, as a file size limit gives it: the old file stays whole and nothing is left beside it.
head -c 5000 /dev/zero | tr '\0' '\200' >"$work/long.wav"
mkdir "$work/full"
printf 'old program' >"$work/full/out.bas"
expect 3 "a full disk" -- sh -c "trap '' XFSZ; ulimit -f 8; exec \"\$0\" bas \"\$1\" -o \"\$2\"" \
    "$cli" "$work/long.wav" "$work/full/out.bas"
[ "$(cat "$work/full/out.bas")" = "old program" ] || { echo "FAIL: a full disk replaced the old file"; failures=$((failures + 1)); }
[ "$(ls -A "$work/full")" = "out.bas" ] || { echo "FAIL: a full disk left $(ls -A "$work/full")"; failures=$((failures + 1)); }

expect 1 "no output given" -- "$cli" bas "$work/sound.wav"
expect 1 "an unknown quality" -- "$cli" bas "$work/sound.wav" -o "$work/x.bas" --quality best
expect 1 "no command" -- "$cli"
expect 0 "help" -- "$cli" --help
contains "$work/out" "bas" "help lists the commands"
expect 0 "version" -- "$cli" --version
contains "$work/out" "vornelik-cli " "version"

expect 0 "info" -- "$cli" info "$work/sound.wav"
contains "$work/out" "vornelik-cli bas" "info ends with the command"
expect 0 "info as JSON" -- "$cli" info --json "$work/sound.wav"
contains "$work/out" "{" "info as JSON"
expect 3 "info on a missing file" -- "$cli" info "$work/missing.wav"

# A table larger than the chip's program memory beside the program: written all the same, with
# a warning; one that fits draws none.
head -c 65100 /dev/zero | tr '\0' '\377' >"$work/long.raw"
expect 0 "a table too large for the chip" -- "$cli" bas "$work/long.raw" -o "$work/long.bas"
contains "$work/err" "warning: the table needs 65100 bytes of program memory, but the PIC18F4620 has 65024 beside the program" "the fit warning"
contains "$work/long.bas" "For sayi=0 To 65100 Step 1 " "written all the same"
expect 0 "a table that fits" -- "$cli" inc "$work/long.raw" -o - --quality poor
if grep -q warning "$work/err"; then
    echo "FAIL: a warning for a table that fits"
    failures=$((failures + 1))
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "all command-line checks passed"
