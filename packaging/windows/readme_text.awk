# SPDX-License-Identifier: MIT
# Markdown as a Windows text file, for Notepad: the text before the first "## " section and the
# sections named in `sections` (separated by "|"; empty keeps them all), headings underlined,
# code blocks indented, backticks and bold marks dropped, "<version>" filled in, every line
# ended by CR LF, and a UTF-8 byte order mark first when `bom` is 1. Writes to the file `out`.
#   awk -v out=README.txt -v bom=1 -v version=1.0.0 -v sections="A|B" -f readme_text.awk README.md

function emit(line) {
    printf "%s\r\n", line > out
}

function underline(title, mark,    rule) {
    rule = title
    gsub(/[\200-\277]/, "", rule)  # one mark a letter: UTF-8's continuation bytes dropped
    gsub(/./, mark, rule)
    return rule
}

function heading(title, mark) {
    gsub(/`/, "", title)
    emit(title)
    emit(underline(title, mark))
}

BEGIN {
    keep = 1
    count = split(sections, names, "|")
    for (i = 1; i <= count; i++) {
        wanted[names[i]] = 1
    }
    if (bom == 1) {
        printf "\357\273\277" > out
    }
}

/^```/ {
    inCode = !inCode
    next
}

inCode {
    if (keep) {
        emit($0 == "" ? "" : "    " $0)
    }
    next
}

/^## / {
    title = substr($0, 4)
    keep = sections == "" || title in wanted
    if (keep) {
        heading(title, "-")
    }
    next
}

/^#+ / {
    if (keep) {
        title = $0
        sub(/^#+ /, "", title)
        heading(title, /^# / ? "=" : "~")
    }
    next
}

keep {
    line = $0
    gsub(/`/, "", line)
    gsub(/\*\*/, "", line)
    gsub(/<version>/, version, line)
    emit(line)
}
