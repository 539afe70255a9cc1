// SPDX-License-Identifier: MIT
// info: what the recording holds, the suggested range and the flash budget.

#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/commands.h"
#include "cli/info_report.h"
#include "core/longest_sound.h"
#include "ui/platform.h"

#include "cli/file_reasons.h"
#include "cli/translation.h"  // last: its _ is a macro

namespace vornelik {
namespace {

struct InfoOptions {
    std::string sound;
    bool json = false;
};

int showInfo(const InfoOptions& options) {
    // The sound is read once, a piece at a time. Nothing is written: the code page is never used.
    SurveyedSound sound;
    try {
        const std::unique_ptr<InputFile> file =
            openBoundedInput(*makeCommandLineFileSystem(1252), options.sound, kLongestSound);
        sound = surveySound(*file);
    } catch (const std::exception& failure) {
        std::cerr << translatedReason(failure.what()) << '\n';
        return kInputOutput;
    }
    const InfoSubject subject{options.sound, sound.firstBytes, sound.wave, sound.survey};
    std::cout << (options.json ? infoReportJson(subject) : infoReportText(subject)) << std::flush;
    return std::cout ? kOk : kInputOutput;
}

}  // namespace

void addInfoCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<InfoOptions>();
    CLI::App* command = app.add_subcommand(
        "info", _("Show the sound's format, the suggested start and end, and the flash budget"));
    command->add_option("SOUND", options->sound, _("The sound file"))->required();
    command->add_flag("--json", options->json, _("The same facts as JSON, for scripts"));
    command->callback([options, &status] { status = showInfo(*options); });
}

}  // namespace vornelik
