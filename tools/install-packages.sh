#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs the Debian packages the build needs, when any is missing: as root with apt-get,
# otherwise through sudo.
set -eu

packages="cmake make g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
libbenchmark-dev libsndfile1-dev libsoxr-dev sox fonts-liberation2 clang-format dpkg-dev file \
desktop-file-utils appstream libcli11-dev qt6-translations-l10n xxd time clang libclang-rt-14-dev \
googletest g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 \
g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
wine wine32 wine64 xvfb xauth lintian libqt6svg6 bash-completion x11-utils python3 nsis"

missing=""
for package in $packages; do
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
# wine32 runs the 32-bit Windows programs; it comes from the i386 architecture.
case " $missing " in
*" wine32 "*)
    if [ "$(dpkg --print-architecture)" != i386 ] &&
        ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    ;;
esac
$sudo apt-get update
# shellcheck disable=SC2086
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y $missing
