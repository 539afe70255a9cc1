// SPDX-License-Identifier: MIT
#pragma once

namespace vornelik {

// The command line's console, set up before the arguments are parsed: messages and help
// reach a console as UTF-16 through WriteConsoleW (redirected, they stay UTF-8).
void prepareWindowsConsole();

}  // namespace vornelik
