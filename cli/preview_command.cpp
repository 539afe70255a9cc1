// SPDX-License-Identifier: MIT
// preview: the generated table as a WAV file, at the rate the generated program plays it.

#include <CLI/CLI.hpp>
#include <cmath>
#include <iostream>

#include "cli/command_files.h"
#include "cli/commands.h"
#include "cli/window_options.h"
#include "cli/window_run.h"
#include "core/pcm_wave_header.h"
#include "core/sound_survey.h"
#include "core/table_values.h"
#include "core/utf8.h"
#include "ui/platform.h"

namespace vornelik {
namespace {

// The loop's own instruction cycles per value, one microsecond each at 4 MHz (Fosc / 4), counted
// on what the PIC18 needs for each statement of the loop:
//   For/Next over the Word sayi: 16-bit increment (2), 16-bit compare with the constant limit
//     (4), the branch back to the loop's top (2)                                          8
//   CRead (ses+sayi): the 16-bit address sum into TBLPTRL/H and clearing TBLPTRU (7),
//     TBLRD* (2)                                                                          9
//   PORTB=: TABLAT to PORTB (2)                                                           2
//   DelayUS: loading its 16-bit count (2), CALL and RETURN (4)                            6
// That is 25, the figure the flash budget uses (kLoopMicroseconds).
constexpr int kLoopCycles = kLoopMicroseconds;

struct PreviewOptions {
    OutputRequest request;
    int loopCycles = kLoopCycles;
};

// The files the handlers use, where the include file they write is read back value by value.
class TableCapture : public ForwardingFileSystem {
  public:
    using ForwardingFileSystem::ForwardingFileSystem;

    std::unique_ptr<OutputFile> createOutput(const std::string&) override {
        class Capture : public OutputFile {
          public:
            explicit Capture(TableValues& table) : table_(table) {}
            void write(std::string_view text) override { table_.write(text); }
            void writeBytes(std::string_view bytes) override { table_.write(bytes); }
            void commit() override {}

          private:
            TableValues& table_;
        };
        return std::make_unique<Capture>(table);
    }

    TableValues table;
};

int preview(const PreviewOptions& options) {
    OutputRequest request = options.request;
    request.include = true;  // the table alone; the program file holds the same
    const std::string output = request.output;
    request.output = "table";

    // The table is captured, the WAV goes out as bytes: the code page is never used.
    TableCapture files(makeCommandLineFileSystem(1252));
    if (refusesOutputOverInput(files, request.sound, output)) {
        return kUsage;
    }
    const OutputOutcome outcome = runWindow(request, files, systemLocaleFacts());
    if (outcome.status != OutputOutcome::Status::written) {
        return reportOutcome(outcome);
    }

    const int delay =
        request.quality == Quality::good ? kGoodDelayMicroseconds : kPoorDelayMicroseconds;
    const auto rate = static_cast<int>(std::lround(1e6 / (delay + options.loopCycles)));
    if (!writeWholeFile(files.inner(), output,
                        pcm8MonoWave(files.table.values(), static_cast<std::uint32_t>(rate)))) {
        return kInputOutput;
    }
    std::cerr << "wrote " << readableName(output) << ": " << files.table.values().size()
              << " values at " << rate << " Hz (DelayUS " << delay << " plus " << options.loopCycles
              << " us of the loop)\n";
    return kOk;
}

}  // namespace

void addPreviewCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<PreviewOptions>();
    CLI::App* command = app.add_subcommand(
        "preview",
        "Write the table the bas or inc command would write as an 8-bit WAV file, at the rate "
        "the generated program plays it, to hear the trim, the speed and the quality");
    command->add_option("SOUND", options->request.sound, "The sound file")->required();
    command->add_option("-o,--output", options->request.output, "The WAV file to write")
        ->required()
        ->check([](const std::string& name) {
            return name == "-" ? std::string("preview writes a file, not standard output")
                               : std::string();
        });
    addWindowOptions(*command, options->request, ", as for bas");
    command
        ->add_option(
            "--loop-cycles", options->loopCycles,
            "The loop's own time per value in instruction cycles, 1 us each at 4 MHz, added to "
            "DelayUS 100 (good) or 225 (poor). 25 is counted from the loop's PIC18 code: "
            "For/Next over a Word 8, CRead's address sum and table read 9, the PORTB write 2, "
            "the DelayUS call 6. The WAV's rate is 1000000 / (delay + cycles) Hz: 8000 good, "
            "4000 poor")
        ->check(CLI::Range(0, 100000))
        ->capture_default_str();
    command->callback([options, &status] { status = preview(*options); });
}

}  // namespace vornelik
