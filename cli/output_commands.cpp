// SPDX-License-Identifier: MIT
// bas and inc: the window's handlers write the program or include file for a range.

#include <CLI/CLI.hpp>
#include <iostream>
#include <map>

#include "cli/command_files.h"
#include "cli/commands.h"
#include "cli/window_options.h"
#include "cli/window_run.h"
#include "core/code_page.h"
#include "core/sound_survey.h"
#include "core/utf8.h"
#include "ui/platform.h"

#include "cli/file_reasons.h"
#include "cli/filled_text.h"
#include "cli/translation.h"  // last: its _ is a macro

namespace vornelik {
namespace {

struct OutputOptions {
    OutputRequest request;
    std::optional<std::string> codePage;  // checked as text, so that "" and "1254.0" are refused
    std::optional<std::string> decimalSeparator;
};

int writeOutput(const OutputOptions& options) {
    // Both given, the locale is not read at all.
    LocaleFacts locale;
    if (!options.codePage || !options.decimalSeparator) {
        locale = systemLocaleFacts();
    }
    if (options.codePage) {
        locale.codePage = static_cast<unsigned>(std::stoul(*options.codePage));
    }
    locale.decimalSeparator = options.decimalSeparator.value_or(locale.decimalSeparator);

    const OutputRequest& request = options.request;
    const std::unique_ptr<FileSystem> files = makeCommandLineFileSystem(locale.codePage);
    if (refusesOutputOverInput(*files, request.sound, request.output)) {
        return kUsage;
    }
    const OutputOutcome outcome = runWindow(request, *files, locale);

    if (outcome.status == OutputOutcome::Status::written && request.output != "-") {
        std::cerr << filled(_("wrote {1}"), {readableName(request.output)}) << '\n';
    }
    // Written all the same, as the window writes it; the chip will not take it.
    if (outcome.status == OutputOutcome::Status::written && outcome.tableBytes > kTableRoomBytes) {
        std::cerr << filled(_("warning: the table needs {1} bytes of program memory, but the "
                              "PIC18F4620 has {2} beside the program ({3} less {4})"),
                            {std::to_string(outcome.tableBytes), std::to_string(kTableRoomBytes),
                             std::to_string(kFlashBytes), std::to_string(kProgramBytes)})
                  << '\n';
    }
    return reportOutcome(outcome);
}

// A code page as digits alone, one of the ANSI code pages; otherwise what was expected.
std::string oneOfTheCodePages(const std::string& text) {
    for (const unsigned page : kAnsiCodePages) {
        if (text == std::to_string(page)) {
            return "";
        }
    }
    return filled(_("\"{1}\" is not an ANSI code page: give 874 or 1250 to 1258"),
                  {readableName(text)});
}

void addOutputCommand(CLI::App& app, int& status, bool include) {
    auto options = std::make_shared<OutputOptions>();
    options->request.include = include;
    CLI::App* command = app.add_subcommand(
        include ? "inc" : "bas",
        include ? _("Write the include file: the sample table with its comment line")
                : _("Write the program file: a complete Proton BASIC program"));
    command->add_option("SOUND", options->request.sound, _("The sound file, read byte for byte"))
        ->required();
    command
        ->add_option("-o,--output", options->request.output,
                     _("The file to write; - for standard output"))
        ->required();
    addWindowOptions(*command, options->request, false);
    command
        ->add_option("--code-page", options->codePage,
                     _("The ANSI code page of the output: 874 or 1250 to 1258 (default the "
                       "system's, as 1254)"))
        ->check(oneOfTheCodePages);
    command
        ->add_option("--decimal-separator", options->decimalSeparator,
                     _("The decimal separator numbers are written with: . or , (default the "
                       "locale's)"))
        ->check([](const std::string& text) {
            return text == "." || text == ","
                       ? std::string()
                       : filled(_("\"{1}\" is not a decimal separator: give . or ,"),
                                {readableName(text)});
        });
    command->callback([options, &status] { status = writeOutput(*options); });
}

}  // namespace

int reportOutcome(const OutputOutcome& outcome) {
    switch (outcome.status) {
        case OutputOutcome::Status::written:
            return kOk;
        case OutputOutcome::Status::checkFailed:
            for (const std::string& message : outcome.messages) {
                std::cerr << message << '\n';  // the window's own words
            }
            if (!outcome.reason.empty()) {
                std::cerr << translatedReason(outcome.reason) << '\n';
            }
            return kCheckFailed;
        case OutputOutcome::Status::unreadableSound:
        case OutputOutcome::Status::unwritableOutput:
            std::cerr << translatedReason(outcome.reason) << '\n';
            return kInputOutput;
    }
    return kInputOutput;
}

void addOutputCommands(CLI::App& app, int& status) {
    addOutputCommand(app, status, false);
    addOutputCommand(app, status, true);
}

}  // namespace vornelik
