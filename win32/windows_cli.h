// SPDX-License-Identifier: MIT
#pragma once

namespace CLI {
class App;
}

namespace vornelik {

// The command line's Windows side, set up before the arguments are parsed: messages and help
// reach a console as UTF-16 through WriteConsoleW (redirected, they stay UTF-8), and every
// command with a SOUND and an --output refuses an output that is the sound file itself, under
// whatever name, as a usage error naming both.
void prepareWindowsCommandLine(CLI::App& app);

}  // namespace vornelik
