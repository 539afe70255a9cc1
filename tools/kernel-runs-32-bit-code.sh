#!/bin/sh
# SPDX-License-Identifier: MIT
# Succeeds when the kernel runs 32-bit x86 programs, asked before anything 32-bit is installed:
# a 91-byte ELF of its own (one program header, then xor ebx,ebx; xor eax,eax; inc eax; int 0x80,
# which is exit(0)) is started. Some virtual machines' kernels refuse it: "Exec format error".
set -u
program=$(mktemp) || exit 1
trap 'rm -f "$program"' EXIT
printf '\177\105\114\106\001\001\001\000\000\000\000\000\000\000\000\000' >"$program"
printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000' >>"$program"
printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000' >>"$program"
printf '\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010' >>"$program"
printf '\000\200\004\010\133\000\000\000\133\000\000\000\005\000\000\000' >>"$program"
printf '\000\020\000\000\061\333\061\300\100\315\200' >>"$program"
chmod +x "$program" && "$program" 2>/dev/null
