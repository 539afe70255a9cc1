// SPDX-License-Identifier: MIT
// vornelik-cli: the window's handlers without a window, and a look inside the recording.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>

#include "cli/commands.h"
#include "ui/platform.h"
#ifdef _WIN32
#include "win32/windows_cli.h"
#endif

#ifndef VORNELIK_CONVERT
constexpr const char* kNoConvert = "convert is not in this build: it needs libsndfile and libsoxr.";
#endif

int main(int argc, char** argv) {
    CLI::App app(
        "Turns a short 8-bit 8 kHz recording into Proton BASIC source for a PIC18F4620, "
        "as the Vornelik window does.",
        "vornelik-cli");
    app.set_version_flag("--version", "vornelik-cli " VORNELIK_VERSION);
    app.require_subcommand(1);

    int status = vornelik::kOk;
    vornelik::addOutputCommands(app, status);
    vornelik::addInfoCommand(app, status);
#ifdef VORNELIK_CONVERT
    vornelik::addConvertCommand(app, status);
#else
    // Listed all the same, so that both the command list and a call say why it is missing.
    CLI::App* convert = app.add_subcommand("convert", kNoConvert)->allow_extras();
    convert->callback([&status] {
        std::cerr << kNoConvert << '\n';
        status = vornelik::kUsage;
    });
#endif
    vornelik::addPlotCommand(app, status);
    vornelik::addPreviewCommand(app, status);
#ifndef VORNELIK_CONVERT
    app.footer(kNoConvert);  // set after the commands, which would inherit it
#endif
#ifdef _WIN32
    vornelik::prepareWindowsCommandLine(app);
#endif

    std::vector<std::string> arguments = vornelik::commandLineArguments(argc, argv);
    arguments.erase(arguments.begin());
    std::reverse(arguments.begin(), arguments.end());  // CLI11 takes them last first
    try {
        app.parse(arguments);
    } catch (const CLI::ParseError& error) {
        const int shown = app.exit(error);
        return shown == 0 ? vornelik::kOk : vornelik::kUsage;
    }
    return status;
}
