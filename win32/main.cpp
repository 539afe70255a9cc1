// SPDX-License-Identifier: MIT
// The Windows program: Form1 on plain Win32 controls, on the system's locale and files, with
// the sound named on its command line opened.

#include <exception>

#include "ui/platform.h"
#include "win32/window_program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    try {
        // A sound named on the command line, or dropped on the program, is opened at once.
        return vornelik::runWindowProgram(instance, showCommand, vornelik::systemLocaleFacts(),
                                          nullptr, nullptr, vornelik::soundOnCommandLine());
    } catch (const std::exception&) {
        return 1;
    }
}
