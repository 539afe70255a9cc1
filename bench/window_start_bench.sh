#!/bin/sh
# SPDX-License-Identifier: MIT
# The window's start under Wine on a virtual display, against a bare Win32 window with the same
# controls, in paired runs:
#   sh bench/window_start_bench.sh WINDOWS_BUILD_DIR [PAIRS]
# The window is the build's own dist/vornelik.exe when it has one (a test build for another
# processor), else the shipped dist/vornelik.exe.
set -eu
build=$(cd "$1" && pwd)
pairs=${2:-20}
program=$build/dist/vornelik.exe
[ -f "$program" ] || program=$(pwd)/dist/vornelik.exe
wine=$(grep '^VORNELIK_WINE:' "$build/CMakeCache.txt" | cut -d= -f2)
arch=$(grep '^VORNELIK_WINDOWS_PROCESSOR:' "$build/CMakeCache.txt" | cut -d= -f2)
export WINEPREFIX="$build/wine-bench" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ "$arch" = x86_64 ] && export WINEARCH=win64 || export WINEARCH=win32

windows() { echo "Z:$1" | tr / '\\'; }

xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    "$1" wineboot -i >/dev/null 2>&1
    "$1" reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
    "$1" "$2" "$3" "$4" "$5"
    wineserver -k' sh "$wine" "$build/bench/window_start_bench.exe" "$(windows "$program")" \
    "$(windows "$build/bench/bare_window.exe")" "$pairs"
