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

# The edges where a name becomes a file, the same for every command that writes one.
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }
printf 'RIFF\076\000\000\000WAVEfmt \020\000\000\000\001\000\001\000\100\037\000\000\100\037\000\000\001\000\010\000data\032\000\000\000' >"$work/rec.wav"
cat "$work/sound.wav" >>"$work/rec.wav"
cp "$work/rec.wav" "$work/rec.copy"
writers="bas inc plot preview"
"$cli" convert --help >/dev/null 2>&1 && writers="$writers convert"
root=no
[ "$(id -u)" -eq 0 ] && root=yes || echo "SKIP: device nodes and read-only files as root need root / a user"
for command in $writers; do
    # The output is the input, under its own name, a symlink or a hard link.
    ln -sf rec.wav "$work/rec.link"
    ln -f "$work/rec.wav" "$work/rec.hard"
    for same in "$work/rec.wav" "$work/rec.link" "$work/rec.hard" "$work/./rec.wav"; do
        expect 1 "$command over its input $same" -- "$cli" "$command" "$work/rec.wav" -o "$same"
        contains "$work/err" "rec.wav" "$command names the input"
        cmp -s "$work/rec.wav" "$work/rec.copy" || { fail "$command wrote over its input"; cp "$work/rec.copy" "$work/rec.wav"; }
    done
    rm -f "$work/rec.hard"
    # The same by identity when a name is "-": standard input is the output, or standard output
    # is the input.
    expect 1 "$command from standard input over it" -- sh -c 'exec "$0" "$1" - -o "$2" <"$2"' "$cli" "$command" "$work/rec.wav"
    contains "$work/err" "the same file" "$command says why"
    cmp -s "$work/rec.wav" "$work/rec.copy" || { fail "$command wrote over its standard input"; cp "$work/rec.copy" "$work/rec.wav"; }
    # /dev/stdout on a pipe is the pipe, as "-" is.
    "$cli" "$command" "$work/rec.wav" -o /dev/stdout 2>"$work/err" | cat >"$work/piped" ||
        fail "$command to /dev/stdout on a pipe: $(cat "$work/err")"
    [ -s "$work/piped" ] || fail "$command wrote nothing through /dev/stdout"

    if [ -c /dev/full ]; then
        expect 3 "$command to /dev/full" -- "$cli" "$command" "$work/rec.wav" -o /dev/full
        contains "$work/err" "No space left on device" "$command names the reason"
    else
        echo "SKIP: /dev/full is not a device here"
    fi
    expect 3 "$command to a folder" -- "$cli" "$command" "$work/rec.wav" -o "$work/full"
    contains "$work/err" "Is a directory" "$command calls a folder a folder"

    rm -f "$work/fifo" && mkfifo "$work/fifo"
    timeout 20 cat "$work/fifo" >"$work/heard" &
    reader=$!
    expect 0 "$command to a FIFO" -- "$cli" "$command" "$work/rec.wav" -o "$work/fifo"
    wait $reader
    [ -p "$work/fifo" ] && [ -s "$work/heard" ] || fail "$command did not write its FIFO"

    # A symlink's target is written, a private file stays private, a long name is no trouble.
    printf 'old' >"$work/target.out" && chmod 600 "$work/target.out" && ln -sf target.out "$work/link.out"
    expect 0 "$command through a symlink" -- "$cli" "$command" "$work/rec.wav" -o "$work/link.out"
    [ -L "$work/link.out" ] && [ "$(stat -c %a "$work/target.out")" = 600 ] && [ "$(cat "$work/target.out")" != old ] ||
        fail "$command did not write through the link keeping the mode"
    long=$(printf '%0250d' 0)
    expect 0 "$command to a long name" -- "$cli" "$command" "$work/rec.wav" -o "$work/$long"
    [ "$(ls -A "$work/full")" = "out.bas" ] || fail "$command left $(ls -A "$work/full")"

    if [ $root = yes ]; then
        rm -f "$work/node" && mknod "$work/node" c 1 7
        expect 3 "$command to a full device node" -- "$cli" "$command" "$work/rec.wav" -o "$work/node"
        [ -c "$work/node" ] || fail "$command replaced a device node"
    else
        printf 'old' >"$work/locked.out" && chmod 444 "$work/locked.out"
        expect 3 "$command to a read-only file" -- "$cli" "$command" "$work/rec.wav" -o "$work/locked.out"
        [ "$(cat "$work/locked.out")" = old ] || fail "$command replaced a read-only file"
    fi

    # Over 2 GiB, refused before a byte is read.
    [ -e "$work/huge.wav" ] || truncate -s 3G "$work/huge.wav"
    expect 3 "$command on a sound over 2 GiB" -- "$cli" "$command" "$work/huge.wav" -o "$work/x.out"
    [ "$command" = convert ] || contains "$work/err" "is too long for a sound" "$command names the limit"
done

# Standard output is written directly, with no temporary file anywhere.
mkdir "$work/tmp"
for command in bas inc plot; do
    expect 0 "$command to standard output" -- env TMPDIR=/nonexistent "$cli" "$command" "$work/rec.wav" -o -
    [ -s "$work/out" ] || fail "$command wrote nothing to standard output"
done
TMPDIR="$work/tmp" "$cli" inc "$work/rec.wav" -o - | head -c 10 >/dev/null
[ -z "$(ls -A "$work/tmp")" ] || fail "a broken pipe left $(ls -A "$work/tmp")"

# Standard input, a FIFO that waits for its writer, a name that is not UTF-8.
expect 0 "info from standard input" -- sh -c 'exec "$0" info - <"$1"' "$cli" "$work/rec.wav"
contains "$work/out" "Size: 70 bytes" "standard input read whole"
# convert reads a stream once, whatever names it: standard input, /dev/stdin, a FIFO. It copies
# it, so that --normalize and an output that cannot go back read the copy again; an MP3 through
# a pipe is decoded from the copy, which libsndfile's MP3 reader needs.
if "$cli" convert --help >/dev/null 2>&1; then
    chord="$data/convert/chord"
    "$cli" convert "$chord.wav" -o "$work/direct.wav" --normalize >/dev/null
    "$cli" convert "$chord.wav" -o - >"$work/direct.out" 2>/dev/null
    for how in stdin dev-stdin fifo; do
        for second in "--normalize" "-o -"; do
            rm -f "$work/fifo" "$work/streamed.wav" && mkfifo "$work/fifo"
            case $second in -o*) out=; wanted="$work/direct.out" ;; *) out="-o $work/streamed.wav"; wanted="$work/direct.wav" ;; esac
            case $how in
                stdin) expect 0 "convert $how $second" -- sh -c 'cat "$1" | exec "$0" convert - $2 $3 >"$4"' "$cli" "$chord.wav" "$second" "$out" "$work/stream.out" ;;
                dev-stdin) expect 0 "convert $how $second" -- sh -c 'cat "$1" | exec "$0" convert /dev/stdin $2 $3 >"$4"' "$cli" "$chord.wav" "$second" "$out" "$work/stream.out" ;;
                fifo) (cat "$chord.wav" >"$work/fifo") &
                      expect 0 "convert $how $second" -- timeout 20 sh -c 'exec "$0" convert "$1" $2 $3 >"$4"' "$cli" "$work/fifo" "$second" "$out" "$work/stream.out" ;;
            esac
            [ -n "$out" ] && same "$work/streamed.wav" "$wanted" "convert $how $second" || same "$work/stream.out" "$wanted" "convert $how $second"
        done
    done
    expect 0 "an MP3 through a pipe" -- sh -c 'cat "$1" | exec "$0" convert - -o "$2"' "$cli" "$chord.mp3" "$work/mp3.wav"
    same "$work/mp3.wav" "$chord-mp3.expected.wav" "an MP3 through a pipe"
    [ ! -s "$work/err" ] || fail "the MP3 decoder spoke on standard error: $(cat "$work/err")"
    expect 3 "convert of a folder" -- "$cli" convert "$work" -o "$work/x.wav"
    contains "$work/err" "Is a directory" "convert calls a folder a folder"
fi
# plot and preview need the length first: a stream is held, up to 32 MiB.
for command in plot preview; do
    expect 0 "$command from standard input" -- sh -c 'exec "$0" "$1" - -o "$2" <"$3"' "$cli" "$command" "$work/from-stdin.out" "$work/rec.wav"
    expect 3 "$command of a stream longer than it holds" -- sh -c 'head -c 33554433 /dev/zero | exec "$0" "$1" - -o "$2"' "$cli" "$command" "$work/x.out"
    contains "$work/err" "save it to a file first" "$command says what to do"
done
rm -f "$work/fifo" && mkfifo "$work/fifo"
expect 124 "info on a FIFO with no writer waits" -- timeout -s INT 1 "$cli" info "$work/fifo"
(sleep 1; cat "$work/rec.wav" >"$work/fifo") &
expect 0 "info on a FIFO reads what comes" -- "$cli" info "$work/fifo"
old=$(printf 'eski\376')
cp "$work/rec.wav" "$work/$old.wav"
expect 0 "a name that is not UTF-8" -- "$cli" bas "$work/$old.wav" -o "$work/$old.bas"
[ -s "$work/$old.bas" ] || fail "the output's name was not kept byte for byte"
contains "$work/err" 'eski\xFE.bas' "the name is shown readably"
escape=$(printf 'a\033[31mb')
cp "$work/rec.wav" "$work/$escape.wav"
expect 0 "info on a name with a terminal escape" -- "$cli" info "$work/$escape.wav"
! grep -q "$(printf '\033')" "$work/out" || fail "info printed a terminal escape"

# Options take only what the window could meet, and say what they refused.
expect 1 "an empty decimal separator" -- "$cli" bas "$work/rec.wav" -o "$work/x.bas" --decimal-separator ''
contains "$work/err" "decimal-separator" "the separator is named"
for page in 0 1200 1201 65000; do
    expect 1 "code page $page" -- "$cli" bas "$work/rec.wav" -o "$work/x.bas" --code-page $page
    contains "$work/err" "$page" "code page $page is named"
done
# Each refusal says what was expected, and shows what it refused as it was given.
while IFS='|' read -r args said; do
    eval "set -- $args"
    expect 1 "options $args" -- "$cli" "$@"
    contains "$work/err" "$said" "options $args"
done <<'EOF_OPTIONS'
bas "$work/rec.wav" -o "$work/x.bas" --code-page ''|"" is not an ANSI code page: give 874 or 1250 to 1258
bas "$work/rec.wav" -o "$work/x.bas" --code-page 1254.0|"1254.0" is not an ANSI code page
bas "$work/rec.wav" -o "$work/x.bas" --decimal-separator ''|"" is not a decimal separator: give . or ,
bas "$work/rec.wav" -o "$work/x.bas" --quality poor first second|not expected: first second
bas "$work/rec.wav" -o ''|the output's name is empty
plot "$work/rec.wav" --output=|the output's name is empty
preview "$work/rec.wav" -o "$work/x.wav" --loop-cycles 1e3|"1e3" is not a whole number of cycles: give 0 to 100000
EOF_OPTIONS
expect 1 "an unknown command" -- "$cli" bass "$work/rec.wav"
contains "$work/err" "bass" "the unknown command is named"
expect 1 "an unknown option" -- "$cli" --bogus
contains "$work/err" "--bogus" "the unknown option is named"
expect 0 "an empty start" -- "$cli" inc "$work/sound.wav" -o "$work/empty.inc" --start= --end=25 --code-page 1254 --decimal-separator ,
same "$work/empty.inc" "$data/include_good_0_25.1254.inc" "an empty start is the empty text"

if [ "$failures" -ne 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "all command-line checks passed"
