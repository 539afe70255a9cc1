#!/bin/sh
# SPDX-License-Identifier: MIT
# The window program's command line: help and version without a display, a clear failure
# without one, and, on a virtual X display when Xvfb is installed, a window whose WM_CLASS is the
# desktop entry's StartupWMClass and which carries an icon.
# Usage: window_command_line.sh VORNELIK DESKTOP_FILE
set -u
vornelik=$1
desktop=$2
work=$(mktemp -d)
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# run STATUS DESCRIPTION COMMAND...: without any display, checks the exit status.
run() {
    want=$1
    what=$2
    shift 2
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" >"$work/out" 2>"$work/err"
    got=$?
    [ "$got" -eq "$want" ] || fail "$what: exit $got, expected $want: $(cat "$work/err")"
}
says() {
    grep -qF -- "$2" "$1" || fail "no \"$2\" in: $(cat "$1")"
}

run 0 "help without a display" "$vornelik" --help
says "$work/out" "Usage: vornelik [FILE]"
run 0 "version without a display" "$vornelik" --version
says "$work/out" "vornelik 1."
run 1 "no display at all" "$vornelik"
says "$work/err" "vornelik: no display"
run 1 "a display that cannot be reached" env DISPLAY=:97 "$vornelik"
says "$work/err" "vornelik: no display could be opened (DISPLAY=:97"
run 1 "a display named by Qt's option" "$vornelik" -display :97 "$work/kapı.wav"
says "$work/err" "vornelik: no display could be opened (DISPLAY=, WAYLAND_DISPLAY=, -display :97)"
run 1 "an unknown option" env QT_QPA_PLATFORM=offscreen "$vornelik" --frobnicate
says "$work/err" "unknown option --frobnicate"

cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null
    [ -n "${server:-}" ] && kill "$server" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

if command -v Xvfb >/dev/null 2>&1 && command -v xprop >/dev/null 2>&1 &&
    command -v xwininfo >/dev/null 2>&1; then
    display=:$((200 + $$ % 300))
    Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    server=$!
    head -c 400 /dev/zero >"$work/kapı.wav"
    sleep 1
    env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY="$display" "$vornelik" "$work/kapı.wav" \
        >/dev/null 2>&1 &
    app=$!
    window=""
    # A sanitizer build on a busy machine may take some seconds to show it.
    for _ in $(seq 60); do
        sleep 0.5
        window=$(DISPLAY=$display xwininfo -root -tree 2>/dev/null |
            sed -n 's/^ *\(0x[0-9a-f]*\) " *Vornelik".*/\1/p' | head -1)
        [ -n "$window" ] && break
    done
    if [ -z "$window" ]; then
        fail "no window appeared on the virtual display"
    else
        wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
        DISPLAY=$display xprop -id "$window" WM_CLASS >"$work/class"
        says "$work/class" "\"$wm_class\""
        DISPLAY=$display xprop -id "$window" _NET_WM_ICON >"$work/icon" 2>&1
        grep -q "_NET_WM_ICON(CARDINAL)" "$work/icon" || fail "the window has no icon"
    fi
else
    echo "SKIP: Xvfb, xprop or xwininfo is not installed"
fi

[ "$failures" -eq 0 ] || exit 1
echo "the window's command line works"
