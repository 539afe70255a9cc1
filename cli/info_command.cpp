// SPDX-License-Identifier: MIT
// info: what the recording holds, the suggested range and the flash budget.

#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/command_files.h"
#include "cli/commands.h"
#include "cli/info_report.h"
#include "ui/platform.h"

namespace vornelik {
namespace {

struct InfoOptions {
    std::string sound;
    bool json = false;
};

int showInfo(const InfoOptions& options) {
    // Nothing is written: the code page is never used.
    const std::optional<std::vector<std::uint8_t>> bytes =
        readWholeFile(*makeCommandLineFileSystem(1252), options.sound);
    if (!bytes) {
        return kInputOutput;
    }
    std::cout << infoReport(options.sound, *bytes, options.json) << std::flush;
    return std::cout ? kOk : kInputOutput;
}

}  // namespace

void addInfoCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<InfoOptions>();
    CLI::App* command = app.add_subcommand(
        "info", "Show the sound's format, the suggested start and end, and the flash budget");
    command->add_option("SOUND", options->sound, "The sound file")->required();
    command->add_flag("--json", options->json, "The same facts as JSON, for scripts");
    command->callback([options, &status] { status = showInfo(*options); });
}

}  // namespace vornelik
