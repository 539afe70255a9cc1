// SPDX-License-Identifier: MIT
// vornelik-cli: the window's handlers without a window, and a look inside the recording.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>

#include "cli/commands.h"
#include "core/utf8.h"
#ifdef _WIN32
#include "win32/windows_cli.h"
#include "win32/windows_command_line.h"
#else
#include "qt/posix_command_line.h"
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
    // "/name" is a path, on Windows too, never an option.
    app.allow_windows_style_options(false);

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
    vornelik::prepareWindowsConsole();
#endif

    std::vector<std::string> arguments;
    for (std::string& argument : vornelik::commandLineArguments(argc, argv)) {
        // "--end=" is the empty text, as an empty box is; CLI11 would take the next argument.
        if (argument.size() > 3 && argument.starts_with("--") && argument.ends_with('=') &&
            argument.find('=') == argument.size() - 1) {
            argument.pop_back();
            arguments.push_back(std::move(argument));
            arguments.emplace_back();
        } else {
            arguments.push_back(std::move(argument));
        }
    }
    arguments.erase(arguments.begin());
    std::reverse(arguments.begin(), arguments.end());  // CLI11 takes them last first
    try {
        app.parse(arguments);
    } catch (const CLI::ParseError& error) {
        // CLI11 would only say that a command is required.
        if (app.get_subcommands().empty() && !app.remaining().empty()) {
            std::cerr << "unknown command or option: " << vornelik::readableName(app.remaining()[0])
                      << "\nRun with --help for the commands.\n";
            return vornelik::kUsage;
        }
        const int shown = app.exit(error);
        return shown == 0 ? vornelik::kOk : vornelik::kUsage;
    }
    return status;
}
