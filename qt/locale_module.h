// SPDX-License-Identifier: MIT
#pragma once

// The locale facts as a loadable module: vornelik-cli loads it only for the commands that write
// numbers or text in the user's conventions (bas, inc, preview), so that the others start
// without Qt Core and its ICU, in a third of the time.

#include <cstddef>

// The module's file name, found beside the program in the build tree and in the installed
// program's private library folder.
#define VORNELIK_LOCALE_MODULE "vornelik-locale.so"
#define VORNELIK_LOCALE_MODULE_FOLDER "../lib/vornelik/modules"

// Writes the system's decimal separator (UTF-8, NUL-terminated) into `separator` and its ANSI
// code page into `codePage`; returns 0 when the separator does not fit in `room` bytes.
extern "C" int vornelikLocaleFacts(char* separator, std::size_t room, unsigned* codePage);
