#!/bin/sh
# SPDX-License-Identifier: MIT
# The window's start under Wine on a virtual display, against a bare Win32 window with the same
# controls, in paired runs:
#   sh bench/window_start_bench.sh WINDOWS_BUILD_DIR [PAIRS]
# The window is the build's own vornelik.exe.
set -eu
build=$(cd "$1" && pwd)
pairs=${2:-20}
program=$build/win32/vornelik.exe
wine=$(grep '^VORNELIK_WINE:' "$build/CMakeCache.txt" | cut -d= -f2)
export WINEPREFIX="$build/wine-bench" WINELOADER="$wine" WINEDEBUG=-all \
    WINEDLLOVERRIDES="mscoree,mshtml="
case $wine in
*64) export WINEARCH=win64 ;;
*) export WINEARCH=win32 ;;
esac

windows() { echo "Z:$1" | tr / '\\'; }

xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    "$1" wineboot -i >/dev/null 2>&1
    "$1" reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
    "$1" "$2" "$3" "$4" "$5"
    wineserver -k' sh "$wine" "$build/bench/window_start_bench.exe" "$(windows "$program")" \
    "$(windows "$build/bench/bare_window.exe")" "$pairs"
