#!/bin/bash
# SPDX-License-Identifier: MIT
# The bash completion offers vornelik-cli's commands and, for each, exactly the options its
# --help lists, and file names for the sound and the output.
# Usage: completion_test.sh VORNELIK_CLI COMPLETION_FILE
set -u
# The help is read with [a-z], which a Turkish collation reads without "i": the C locale's
# letters, and its English help.
export LC_ALL=C
cli=$1
completion=$2
library=/usr/share/bash-completion/bash_completion
if [ ! -f "$library" ]; then
    echo "SKIP: bash-completion is not installed"
    exit 0
fi
# shellcheck disable=SC1090
source "$library"
# shellcheck disable=SC1090
source "$completion"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# offered WORD...: what completing the last word of the command line offers, sorted.
offered() {
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMP_LINE="$*"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _vornelik_cli vornelik-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | sort
}
expect() {
    if [ "$2" != "$3" ]; then
        echo "FAIL: $1: offered [$(echo $2)], expected [$(echo $3)]"
        failures=$((failures + 1))
    fi
}

commands=$("$cli" --help | sed -n '/^Subcommands:/,$s/^  \([a-z]*\) .*/\1/p' | sort)
expect "commands" "$(offered vornelik-cli '' | grep -v '^-')" "$commands"
for command in $commands; do
    options=$("$cli" "$command" --help | sed -n '/^Options:/,$p' |
        grep -oE '^  -[-a-zA-Z,]*' | tr ',' '\n' | sed 's/^ *//' | grep -v '^-h$' | sort)
    expect "$command's options" "$(offered vornelik-cli "$command" -)" "$options"
done

cd "$work" || exit 1
touch kapı.wav kayıt.wav notes.txt
expect "sound names" "$(offered vornelik-cli info ka)" "$(printf 'kapı.wav\nkayıt.wav')"
expect "output names" "$(offered vornelik-cli bas kapı.wav -o no)" "notes.txt"
expect "qualities" "$(offered vornelik-cli inc kapı.wav --quality '')" "$(printf 'good\npoor')"

[ "$failures" -eq 0 ] || exit 1
echo "the completion offers what vornelik-cli takes"
