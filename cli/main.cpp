// SPDX-License-Identifier: MIT
// vornelik-cli: the platform's arguments handed to the commands.

#include <string>
#include <vector>

#include "cli/run_cli.h"
#include "cli/translation.h"
#ifdef _WIN32
#include "win32/windows_cli.h"
#include "win32/windows_command_line.h"
#else
#include "posix/posix_command_line.h"
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    vornelik::prepareWindowsConsole();
#endif
    vornelik::chooseLanguage();
    std::vector<std::string> arguments = vornelik::commandLineArguments(argc, argv);
    if (!arguments.empty()) {
        arguments.erase(arguments.begin());  // the program's name
    }
    return vornelik::runCli(std::move(arguments));
}
