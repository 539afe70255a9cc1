#!/bin/sh
# SPDX-License-Identifier: MIT
# Succeeds when this machine runs 32-bit Windows programs: Wine's 32-bit loader, itself a 32-bit
# program, starts (the kernel must run 32-bit code, and wine32 be installed).
exec /usr/lib/wine/wine --version >/dev/null 2>&1
