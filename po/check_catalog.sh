#!/bin/sh
# SPDX-License-Identifier: MIT
# The catalog is complete: every text marked in the sources today (extracted afresh) is in
# tr.po translated and not fuzzy, tr.po passes msgfmt --check, and vornelik.pot is the template
# the sources give (apart from its date).
# Usage: check_catalog.sh XGETTEXT MSGFMT MSGCMP SOURCE_DIR
set -u
xgettext=$1 msgfmt=$2 msgcmp=$3 source=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

sh "$source/po/extract.sh" "$xgettext" "$source" "$work/fresh.pot" || exit 1
count=$(grep -c '^msgid ' "$work/fresh.pot")
[ "$count" -gt 1 ] || { echo "FAIL: no marked texts found"; exit 1; }

# msgcmp counts an untranslated or fuzzy entry as missing.
if ! "$msgcmp" "$source/po/tr.po" "$work/fresh.pot" 2>"$work/cmp"; then
    echo "FAIL: texts of the sources missing, untranslated or fuzzy in po/tr.po:"
    sed 's/^/  /' "$work/cmp"
    failures=$((failures + 1))
fi
if ! "$msgfmt" --check --statistics -o /dev/null "$source/po/tr.po" 2>"$work/stats" ||
    grep -q 'fuzzy\|untranslated' "$work/stats"; then
    echo "FAIL: msgfmt --check --statistics po/tr.po:"
    sed 's/^/  /' "$work/stats"
    failures=$((failures + 1))
fi
strip_date() { grep -v '^"POT-Creation-Date:' "$1"; }
strip_date "$source/po/vornelik.pot" >"$work/kept"
strip_date "$work/fresh.pot" >"$work/wanted"
if ! cmp -s "$work/kept" "$work/wanted"; then
    echo "FAIL: po/vornelik.pot is not what the sources give: build the target vornelik_update_po"
    diff "$work/kept" "$work/wanted" | head -20 | sed 's/^/  /'
    failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] || exit 1
cat "$work/stats"
