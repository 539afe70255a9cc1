#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs the build tree into a scratch root and checks that every file lands where a desktop
# and a packager look for it. Validators that are not installed are skipped, not failed.
# Usage: check_installed_files.sh CMAKE BUILD_DIR WITH_CLI(0|1)
set -eu

cmake=$1
build=$2
with_cli=$3
app_id=io.github.vornelik.Vornelik

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

DESTDIR="$root" "$cmake" --install "$build" --prefix /usr >/dev/null
usr="$root/usr"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
expect_file() {
    [ -f "$usr/$1" ] || fail "missing /usr/$1"
}
expect_executable() {
    [ -x "$usr/$1" ] || fail "missing or not executable /usr/$1"
}
expect_gzip() {
    expect_file "$1"
    if [ -f "$usr/$1" ]; then
        gzip -t "$usr/$1" || fail "/usr/$1 is not a valid gzip file"
    fi
}

expect_executable bin/vornelik
expect_file share/applications/$app_id.desktop
expect_file share/metainfo/$app_id.metainfo.xml
expect_file share/icons/hicolor/scalable/apps/vornelik.svg
expect_gzip share/man/man1/vornelik.1.gz
expect_gzip share/man/tr/man1/vornelik.1.gz
expect_file share/locale/tr/LC_MESSAGES/vornelik.mo
expect_file share/doc/vornelik/copyright
expect_gzip share/doc/vornelik/changelog.gz
if [ "$with_cli" = 1 ]; then
    expect_executable bin/vornelik-cli
    expect_gzip share/man/man1/vornelik-cli.1.gz
    expect_gzip share/man/tr/man1/vornelik-cli.1.gz
    expect_file share/bash-completion/completions/vornelik-cli
    # The installed program reads the locale (Qt Core is linked into it).
    if [ -x "$usr/bin/vornelik-cli" ]; then
        sound="$root/sound.raw"
        printf '0123456789abcdefghij' >"$sound"
        LC_ALL=tr_TR.UTF-8 "$usr/bin/vornelik-cli" inc "$sound" -o - >"$root/table.inc" 2>&1 ||
            fail "the installed vornelik-cli inc: $(cat "$root/table.inc")"
        grep -q CDATA "$root/table.inc" || fail "the installed vornelik-cli wrote no table"
        # ... and its catalog from there too (C.UTF-8 is built into glibc; LANGUAGE picks Turkish).
        LANG=C.UTF-8 LANGUAGE=tr "$usr/bin/vornelik-cli" frob >"$root/unknown" 2>&1 || true
        grep -q "bilinmeyen komut" "$root/unknown" ||
            fail "the installed vornelik-cli speaks no Turkish: $(cat "$root/unknown")"
    fi
fi

# The desktop entry must start the installed program and show the installed icon.
desktop="$usr/share/applications/$app_id.desktop"
if [ -f "$desktop" ]; then
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    icon_name=$(sed -n 's/^Icon=//p' "$desktop")
    [ -x "$usr/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
    [ -f "$usr/share/icons/hicolor/scalable/apps/$icon_name.svg" ] ||
        fail "Icon=$icon_name has no installed icon"
    # The window's WM_CLASS class is the application id (the window test checks the window).
    [ "$(sed -n 's/^StartupWMClass=//p' "$desktop")" = "$app_id" ] ||
        fail "StartupWMClass is not $app_id"
    grep -qx 'Exec=vornelik %f' "$desktop" || fail "Exec does not pass the file"
fi

if command -v desktop-file-validate >/dev/null 2>&1; then
    # Hints count too: a clean entry prints nothing.
    output=$(desktop-file-validate "$desktop" 2>&1) || true
    [ -z "$output" ] || fail "desktop-file-validate: $output"
else
    echo "SKIP: desktop-file-validate is not installed"
fi

if command -v appstreamcli >/dev/null 2>&1; then
    # Errors and warnings fail; the pedantic notes (an upper-case letter in the id) do not.
    metainfo="$usr/share/metainfo/$app_id.metainfo.xml"
    if ! output=$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1) ||
        printf '%s\n' "$output" | grep -q '^[EWI]:'; then
        fail "appstreamcli validate: $output"
    fi
else
    echo "SKIP: appstreamcli is not installed"
fi

# Manual pages must format without a single warning, as lintian checks them.
if command -v man >/dev/null 2>&1; then
    for page in "$usr"/share/man/man1/*.1.gz "$usr"/share/man/tr/man1/*.1.gz; do
        if ! output=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null) ||
            [ -n "$output" ]; then
            fail "man $page: $output"
        fi
    done
    # man -L tr finds the Turkish pages where the package puts them.
    for name in vornelik vornelik-cli; do
        [ "$name" = vornelik-cli ] && [ "$with_cli" != 1 ] && continue
        found=$(MANPATH="$usr/share/man" man -L tr -w "$name" 2>&1)
        [ "$found" = "$usr/share/man/tr/man1/$name.1.gz" ] ||
            fail "man -L tr -w $name: $found"
    done
else
    echo "SKIP: man is not installed"
fi

[ "$failures" -eq 0 ] || exit 1
echo "installed files in place"
