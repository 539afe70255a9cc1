// SPDX-License-Identifier: MIT
// hex and asm: the table the window writes, with Vornelik's own player, as a HEX file ready for
// a device programmer or as its gpasm source.

#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/command_files.h"
#include "cli/commands.h"
#include "cli/table_capture.h"
#include "cli/window_options.h"
#include "cli/window_run.h"
#include "core/failure.h"
#include "core/player_files.h"
#include "core/player_program.h"
#include "core/utf8.h"
#include "ui/platform.h"

#include "cli/file_reasons.h"
#include "cli/filled_text.h"
#include "cli/translation.h"  // last: its _ is a macro

namespace vornelik {
namespace {

// The values, as many as the player could hold and one more; beyond that only counted, so
// that a table far too large costs no memory.
class HeldValues : public TableValues {
  public:
    void take(std::span<const std::uint8_t> values) override {
        count += static_cast<std::int64_t>(values.size());
        const std::size_t room = static_cast<std::size_t>(playerTableRoom()) + 1 - held.size();
        held.insert(held.end(), values.begin(), values.begin() + std::min(room, values.size()));
    }
    void complete() override {}

    std::vector<std::uint8_t> held;
    std::int64_t count = 0;
};

int writePlayer(const OutputRequest& options, bool assembly) {
    OutputRequest request = options;
    request.include = true;  // the table alone: its values are the player's
    request.output = "table";

    std::unique_ptr<FileSystem> platform = makeCommandLineFileSystem(1252);  // ASCII only
    FileSystem& files = *platform;
    HeldValues values;
    TableCapture capture(std::move(platform), assembly ? "asm" : "hex", values);
    if (refusesOutputOverInput(capture, request.sound, options.output)) {
        return kUsage;
    }
    const OutputOutcome outcome = runWindow(request, capture, systemLocaleFacts());
    if (outcome.status != OutputOutcome::Status::written) {
        return reportOutcome(outcome);
    }
    std::string file;
    try {
        file = assembly ? playerAssemblyFile(request.quality, values.held)
                        : playerHexFile(request.quality, values.held);
    } catch (const Failure&) {
        std::cerr << translatedReason(tooLargeForThePlayer(values.count)) << '\n';
        return kCheckFailed;
    }
    if (!writeWholeFile(files, options.output, file)) {
        return kInputOutput;
    }
    if (options.output != "-") {
        std::cerr << filled(_("wrote {1}"), {readableName(options.output)}) << '\n';
    }
    return kOk;
}

void addPlayerCommand(CLI::App& app, int& status, bool assembly) {
    auto options = std::make_shared<OutputRequest>();
    CLI::App* command = app.add_subcommand(
        assembly ? "asm" : "hex",
        assembly
            ? std::string(_("Write the HEX file's program as gpasm source, to read, change "
                            "and assemble"))
            : filled(_("Write an Intel HEX file for a device programmer: the table with a player "
                       "that plays it at exactly {1} (good) or {2} (poor) values a second"),
                     {std::to_string(hexValuesPerSecond(Quality::good)),
                      std::to_string(hexValuesPerSecond(Quality::poor))}));
    command->add_option("SOUND", options->sound, _("The sound file, read byte for byte"))
        ->required();
    command
        ->add_option("-o,--output", options->output, _("The file to write; - for standard output"))
        ->required();
    addWindowOptions(*command, *options, true);
    command->callback([options, &status, assembly] { status = writePlayer(*options, assembly); });
}

}  // namespace

void addPlayerCommands(CLI::App& app, int& status) {
    addPlayerCommand(app, status, false);
    addPlayerCommand(app, status, true);
}

}  // namespace vornelik
