#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs a command on a virtual X display of its own, large enough for the window at 144 DPI.
# A Wine session keeps the display it started with, so a session left by the console tests,
# which run without one, is let end first.
set -eu
wineserver -w
exec xvfb-run -a -s "-screen 0 1600x1200x24" "$@"
