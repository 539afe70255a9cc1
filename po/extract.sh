#!/bin/sh
# SPDX-License-Identifier: MIT
# Extracts every marked text of the command line's sources into the template OUT.
# Usage: extract.sh XGETTEXT SOURCE_DIR OUT
set -eu
xgettext=$1
source=$2
out=$3
cd "$source"
# The sources in a fixed order, so that the template changes only where a text does.
find cli win32 -name '*.cpp' -o -name '*.h' | LC_ALL=C sort |
    "$xgettext" --files-from=- --output="$out" --from-code=UTF-8 --language=C++ \
        --keyword=_ --keyword=N_ --keyword=P_:1,2 --add-comments=TRANSLATORS: \
        --package-name=vornelik --msgid-bugs-address=https://github.com/vornelik/vornelik/issues \
        --no-wrap --sort-by-file --add-location=file
