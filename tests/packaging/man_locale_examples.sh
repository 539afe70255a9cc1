#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs the locale examples of the manual pages' ENVIRONMENT sections: each line's variables,
# alone in the environment, must give the code page and decimal separator the line states.
# Usage: man_locale_examples.sh LOCALE_FACTS_TEST PAGE...
set -u
facts=$1
shift
failures=0
for page in "$@"; do
    examples=$(sed -n '/^\.SH ENVIRONMENT/,/^\.SH /{/^\.EX/,/^\.EE/p}' "$page" |
        grep -v '^\.' | sed 's/\\-/-/g')
    count=$(printf '%s\n' "$examples" | grep -c =)
    if [ "$count" -lt 5 ]; then
        echo "FAIL: $page: $count locale examples, expected at least 5"
        failures=$((failures + 1))
        continue
    fi
    printf '%s\n' "$examples" | {
        failed=0
        while read -r line; do
            # shellcheck disable=SC2086
            set -- $line
            eval "separator=\${$#}"
            eval "code_page=\${$(($# - 1))}"
            variables=$(printf '%s\n' "$line" | awk '{ $NF = ""; $(NF - 1) = ""; print }')
            # shellcheck disable=SC2086
            if ! output=$(env -i PATH="$PATH" QT_QPA_PLATFORM=offscreen $variables \
                EXPECTED_SEPARATOR="$separator" EXPECTED_CODE_PAGE="windows-$code_page" \
                ASAN_OPTIONS="${ASAN_OPTIONS:-}" LSAN_OPTIONS="${LSAN_OPTIONS:-}" \
                UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" "$facts" 2>&1); then
                echo "FAIL: $page: $line"
                printf '%s\n' "$output" | grep -E 'Actual|Expected' | sed 's/^/  /'
                failed=$((failed + 1))
            fi
        done
        exit "$failed"
    } || failures=$((failures + 1))
done
[ "$failures" -eq 0 ] || exit 1
echo "the manual pages' locale examples hold"
