// SPDX-License-Identifier: MIT
// vornelik-cli: the window's handlers without a window, and a look inside the recording.

#include "cli/run_cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <exception>
#include <iostream>

#include "cli/commands.h"
#include "cli/help_formatter.h"
#include "core/utf8.h"

#include "cli/file_reasons.h"
#include "cli/filled_text.h"

#include "cli/translation.h"  // last: its _ is a macro

namespace vornelik {
namespace {

#ifndef VORNELIK_CONVERT
constexpr const char* kNoConvert =
    N_("convert is not in this build: it needs libsndfile and libsoxr.");
#endif

// "--end=" is the empty text, as an empty box is; CLI11 would take the next argument.
std::vector<std::string> withEmptyValuesSplit(std::vector<std::string> given) {
    std::vector<std::string> arguments;
    for (std::string& argument : given) {
        if (argument.size() > 3 && argument.starts_with("--") && argument.ends_with('=') &&
            argument.find('=') == argument.size() - 1) {
            argument.pop_back();
            arguments.push_back(std::move(argument));
            arguments.emplace_back();
        } else {
            arguments.push_back(std::move(argument));
        }
    }
    return arguments;
}

// An output named by the empty text, which no file can be, refused before anything is read.
bool namesAnEmptyOutput(const std::vector<std::string>& arguments) {
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if ((arguments[i] == "-o" || arguments[i] == "--output") && arguments[i + 1].empty()) {
            std::cerr << filled(_("{1}: the output's name is empty: give a file name, or - for "
                                  "standard output"),
                                {arguments[i]})
                      << '\n';
            return true;
        }
    }
    return false;
}

}  // namespace

int runCli(std::vector<std::string> given) {
    CLI::App app(_("Turns a short 8-bit 8 kHz recording into Proton BASIC source for a PIC18F4620, "
                   "as the Vornelik window does."),
                 "vornelik-cli");
    useTranslatedHelp(app);
    app.set_version_flag("--version", "vornelik-cli " VORNELIK_VERSION);
    app.require_subcommand(1);
    // "/name" is a path, on Windows too, never an option.
    app.allow_windows_style_options(false);

    int status = kOk;
    addOutputCommands(app, status);
    addPlayerCommands(app, status);
    addInfoCommand(app, status);
#ifdef VORNELIK_CONVERT
    addConvertCommand(app, status);
#else
    // Listed all the same, so that both the command list and a call say why it is missing.
    CLI::App* convert = app.add_subcommand("convert", _(kNoConvert))->allow_extras();
    convert->callback([&status] {
        std::cerr << _(kNoConvert) << '\n';
        status = kUsage;
    });
#endif
    addPlotCommand(app, status);
    addPreviewCommand(app, status);
#ifndef VORNELIK_CONVERT
    app.footer(_(kNoConvert));  // set after the commands, which would inherit it
#endif

    std::vector<std::string> arguments = withEmptyValuesSplit(std::move(given));
    if (namesAnEmptyOutput(arguments)) {
        return kUsage;
    }
    std::reverse(arguments.begin(), arguments.end());  // CLI11 takes them last first
    try {
        app.parse(arguments);
    } catch (const CLI::ParseError& error) {
        // A command's extra arguments are shown in the order given, which CLI11's own message
        // reverses.
        if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr &&
            !app.get_subcommands().empty()) {
            std::string extras;
            for (const CLI::App* command : app.get_subcommands()) {
                for (const std::string& extra : command->remaining()) {
                    extras += ' ' + readableName(extra);
                }
            }
            std::cerr << filled(_("not expected:{1}"), {extras}) << '\n'
                      << _("each command takes one input and the options --help lists for it.")
                      << '\n';
            return kUsage;
        }
        // CLI11 would only say that a command is required.
        if (app.get_subcommands().empty() && !app.remaining().empty()) {
            std::cerr << _("unknown command or option:") << ' ' << readableName(app.remaining()[0])
                      << '\n'
                      << _("Run with --help for the commands.") << '\n';
            return kUsage;
        }
        const int shown = app.exit(error);
        return shown == 0 ? kOk : kUsage;
    } catch (const std::exception& error) {
        // What the commands do not report themselves, such as a locale that cannot be read.
        std::cerr << translatedReason(error.what()) << '\n';
        return kInputOutput;
    }
    return status;
}

}  // namespace vornelik
