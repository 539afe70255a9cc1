// info: what the recording holds, the suggested range and the flash budget.

#include <CLI/CLI.hpp>
#include <iostream>
#include <limits>

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
    std::vector<std::uint8_t> bytes;
    try {
        // Only the code page of output files depends on it; info writes none.
        bytes = makeSystemFileSystem(1252)->readAll(options.sound,
                                                    std::numeric_limits<std::int32_t>::max());
    } catch (const std::exception& failure) {
        std::cerr << failure.what() << '\n';
        return kInputOutput;
    }
    std::cout << infoReport(options.sound, bytes, options.json) << std::flush;
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
