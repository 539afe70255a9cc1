// SPDX-License-Identifier: MIT
// The Windows program: Form1 on plain Win32 controls, on the system's locale and files.

#include <exception>

#include "ui/platform.h"
#include "win32/window_program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    try {
        return vornelik::runWindowProgram(instance, showCommand, vornelik::systemLocaleFacts());
    } catch (const std::exception&) {
        return 1;
    }
}
