// SPDX-License-Identifier: MIT
// The program's arguments on Windows, where main()'s argv is in the ANSI code page and would
// lose every letter of a name that the code page lacks: the wide command line is read instead.
// Kept in a file of its own so that the window program, which takes no arguments, does not
// need shell32.

#include "win32/windows_command_line.h"

#include <windows.h>

#include <shellapi.h>

#include <memory>

#include "win32/wide_text.h"

namespace vornelik {

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> wide(
        CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    std::vector<std::string> arguments;
    if (wide == nullptr) {
        for (int i = 0; i < argc; ++i) {
            arguments.emplace_back(argv[i]);
        }
        return arguments;
    }
    for (int i = 0; i < count; ++i) {
        arguments.push_back(narrow(wide.get()[i]));
    }
    return arguments;
}

}  // namespace vornelik
