#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs the Debian packages one kind of work needs, when any is missing: as root with
# apt-get, otherwise through sudo.
#   window  building the program and opening its window (make run)
#   test    every test, the Windows builds under Wine among them (make test)
#   all     the above, the benchmarks and the Debian package too (make deps)
set -eu

# Building and running the window: the compiler, CMake, Qt and the sound libraries of convert.
window="cmake make g++ pkg-config qt6-base-dev libgl-dev libcli11-dev libsndfile1-dev \
libsoxr-dev qt6-translations-l10n libqt6svg6 fonts-liberation2"
# The tests: GoogleTest, the fuzz targets' clang, the package checks, the Windows builds under
# Wine, the window under Xvfb, the chip under gputils and gpsim, the catalogs and Turkish man pages.
tests="libgtest-dev libgmock-dev googletest clang libclang-rt-14-dev clang-format dpkg-dev file \
desktop-file-utils appstream lintian bash-completion python3 time xvfb xauth x11-utils \
g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 \
g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
wine wine64 nsis gputils gpsim gettext po4a locales man-db"
# The benchmarks compare with SoX and xxd.
bench="libbenchmark-dev sox xxd"

here=$(dirname "$0")
case "${1:-all}" in
window) packages="$window" ;;
test) packages="$window $tests" ;;
all) packages="$window $tests $bench" ;;
*)
    echo "usage: $0 [window|test|all]" >&2
    exit 1
    ;;
esac
# wine32 runs the 32-bit Windows programs. Where the kernel runs no 32-bit code it could not
# start them, and where it cannot be installed the tests run on the 64-bit build instead.
wine32=""
if [ "$packages" != "$window" ] && sh "$here/kernel-runs-32-bit-code.sh"; then
    wine32="wine32"
fi

missing=""
for package in $packages $wine32; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
    sudo=""
else
    sudo="sudo"
fi
case " $missing " in
*" wine32 "*)
    missing=$(echo "$missing" | sed 's/ wine32//')
    if [ "$(dpkg --print-architecture)" != i386 ] &&
        ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    ;;
esac

# A mirror in mid-sync fails one index now and then while every list the install needs is
# there: try again once, then go on and let the install itself decide.
log=$(mktemp)
trap 'rm -f "$log" "$log.wine32"' EXIT
update() {
    $sudo apt-get update >"$log" 2>&1 && ! grep -q '^E: ' "$log"
}
if ! update; then
    echo "apt-get update failed; trying once more"
    sleep 5
    update || echo "apt-get update failed again; installing from the lists there are"
fi
failed_indexes() {
    grep -E '^(E|Err|W): .*(Failed to fetch|http)' "$log" || true
}
if [ -n "$missing" ]; then
    # shellcheck disable=SC2086
    if ! $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y $missing; then
        echo "The packages could not be installed. Archive indexes that failed to download:" >&2
        failed_indexes >&2
        exit 1
    fi
fi
if [ -n "$wine32" ] && ! dpkg-query -W -f='${Status}' wine32 2>/dev/null | grep -q "install ok installed"; then
    if ! $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y wine32 >"$log.wine32" 2>&1; then
        echo "wine32 could not be installed, so the Windows tests will run on the 64-bit build:" >&2
        grep '^E: ' "$log.wine32" >&2
        failed_indexes >&2
    fi
fi
