// SPDX-License-Identifier: MIT
// The Windows program: Form1 on plain Win32 controls, on the system's locale and files, with
// the sound named on its command line opened.

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "ui/platform.h"
#include "win32/window_program.h"
#include "win32/windows_command_line.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    try {
        // A sound named on the command line, or dropped on the program, is opened at once.
        const std::vector<std::string> arguments = vornelik::commandLineArguments(0, nullptr);
        std::optional<std::string> sound;
        if (arguments.size() > 1) {
            sound = arguments[1];
        }
        return vornelik::runWindowProgram(instance, showCommand, vornelik::systemLocaleFacts(),
                                          nullptr, nullptr, std::move(sound));
    } catch (const std::exception&) {
        return 1;
    }
}
