// SPDX-License-Identifier: MIT
#pragma once

// The Linux window program from its arguments to its end: help and version before any display
// is needed, a refusal that says what is missing when no display can be found, Qt's abort while
// it opens one turned into a sentence and status 1, and the sound named on the command line.

#include <optional>
#include <string>
#include <string_view>

namespace vornelik {

extern const std::string_view kWindowUsage;

// Asked for before any display is needed.
enum class EarlyRequest { none, help, version };
EarlyRequest earlyRequest(int argc, const char* const* argv);

// Why the window cannot even look for a display, or "" when it can: a platform or a display
// named by Qt's own options (-platform, -display, also spelt with two dashes) or by
// QT_QPA_PLATFORM, DISPLAY or WAYLAND_DISPLAY.
std::string displayRefusal(int argc, const char* const* argv);

// The sound named once Qt took its own options out of the arguments, or nothing; a usage error
// says why.
struct SoundArgument {
    std::optional<std::string> path;
    std::string error;
};
SoundArgument soundArgument(int argc, const char* const* argv);

// Until displayOpened(), a fatal message of Qt's (it cannot open the display) ends the program
// with status 1 and a sentence naming the display tried; every other message goes on to the
// handler installed before.
void catchDisplayFailure(int argc, const char* const* argv);
void displayOpened();

// Form1 on its Qt window until it is closed: what main() does with its arguments.
int runWindowProgram(int argc, char** argv);

}  // namespace vornelik
