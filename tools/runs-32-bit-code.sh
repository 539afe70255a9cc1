#!/bin/sh
# SPDX-License-Identifier: MIT
# Succeeds when this machine runs 32-bit x86 programs: Wine's 32-bit loader, itself one, starts.
exec /usr/lib/wine/wine --version >/dev/null 2>&1
