// SPDX-License-Identifier: MIT
// preview: the generated table as a WAV file, at the rate the chosen program plays it.

#include <CLI/CLI.hpp>
#include <charconv>
#include <cmath>
#include <iostream>

#include "cli/command_files.h"
#include "cli/commands.h"
#include "cli/pcm8_wave_file.h"
#include "cli/table_capture.h"
#include "cli/window_options.h"
#include "cli/window_run.h"
#include "core/pic18f4620.h"
#include "core/player_program.h"
#include "core/utf8.h"
#include "ui/platform.h"

#include "cli/file_reasons.h"
#include "cli/filled_text.h"
#include "cli/translation.h"  // last: its _ is a macro

namespace vornelik {
namespace {

struct PreviewOptions {
    OutputRequest request;
    std::string program = "bas";
    int loopCycles = kBasLoopCycles;
};

// The table's values into the WAV file as they come. An output that cannot go back (a device, a
// pipe) needs the count before the first sample: there they are held until the table is whole.
class WaveValues : public TableValues {
  public:
    WaveValues(FileSystem& files, std::string output, std::uint32_t rate)
        : files_(files), output_(std::move(output)), rate_(rate) {}

    void take(std::span<const std::uint8_t> values) override {
        open();
        if (wave_) {
            wave_->write(values);
        } else {
            held_.insert(held_.end(), values.begin(), values.end());
        }
    }
    void complete() override {
        open();
        if (!wave_) {
            wave_.emplace(*file_, rate_, held_.size());
            wave_->write(held_);
        }
        wave_->commit(wave_->written());
        written = wave_->written();
    }

    std::uint64_t written = 0;

  private:
    void open() {
        if (file_) {
            return;
        }
        file_ = files_.createOutput(output_);
        if (file_->canGoBack()) {
            wave_.emplace(*file_, rate_, std::nullopt);
        }
    }

    FileSystem& files_;
    std::string output_;
    std::uint32_t rate_;
    std::unique_ptr<OutputFile> file_;
    std::optional<Pcm8WaveFile> wave_;
    std::vector<std::uint8_t> held_;
};

int preview(const PreviewOptions& options) {
    OutputRequest request = options.request;
    request.include = true;  // the table alone; the program file holds the same
    const std::string output = request.output;
    request.output = "table";
    const bool hex = options.program == "hex";
    const int rate =
        hex ? hexValuesPerSecond(request.quality)
            : static_cast<int>(std::lround(1.0 * kCyclesPerSecond /
                                           basCyclesPerValue(request.quality, options.loopCycles)));

    // The WAV goes out as bytes: the code page is never used.
    std::unique_ptr<FileSystem> platform = makeCommandLineFileSystem(1252);
    FileSystem& files = *platform;
    WaveValues values(files, output, static_cast<std::uint32_t>(rate));
    TableCapture capture(std::move(platform), "preview", values);
    if (refusesOutputOverInput(capture, request.sound, output)) {
        return kUsage;
    }
    const OutputOutcome outcome = runWindow(request, capture, systemLocaleFacts());
    if (outcome.status != OutputOutcome::Status::written) {
        return reportOutcome(outcome);
    }
    const std::vector<std::string> parts{readableName(output), std::to_string(values.written),
                                         std::to_string(rate)};
    if (!hex) {
        std::cerr << filled(_("wrote {1}: {2} values at {3} Hz (DelayUS {4} plus {5} us of the "
                              "loop)"),
                            {parts[0], parts[1], parts[2],
                             std::to_string(delayMicrosecondsOf(request.quality)),
                             std::to_string(options.loopCycles)})
                  << '\n';
    } else if (static_cast<std::int64_t>(values.written) > playerTableRoom()) {
        std::cerr << filled(_("wrote {1}: {2} values at {3} Hz (the HEX player's exact rate; but "
                              "{4})"),
                            {parts[0], parts[1], parts[2],
                             translatedReason(
                                 tooLargeForThePlayer(static_cast<std::int64_t>(values.written)))})
                  << '\n';
    } else {
        std::cerr << filled(_("wrote {1}: {2} values at {3} Hz (the HEX player's exact rate)"),
                            parts)
                  << '\n';
    }
    return kOk;
}

// A count of cycles as digits alone, from 0 to kLongestLoop; otherwise what was expected.
std::string wholeCycles(const std::string& text) {
    constexpr int kLongestLoop = 100000;
    int cycles = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), cycles);
    if (error == std::errc() && end == text.data() + text.size() && cycles >= 0 &&
        cycles <= kLongestLoop) {
        return "";
    }
    return filled(_("\"{1}\" is not a whole number of cycles: give 0 to {2}"),
                  {readableName(text), std::to_string(kLongestLoop)});
}

}  // namespace

void addPreviewCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<PreviewOptions>();
    CLI::App* command = app.add_subcommand(
        "preview",
        _("Write the table the bas, inc or hex command would write as an 8-bit WAV file, at the "
          "rate the program plays it, to hear the trim, the speed and the quality"));
    command->add_option("SOUND", options->request.sound, _("The sound file"))->required();
    command->add_option("-o,--output", options->request.output, _("The WAV file to write"))
        ->required()
        ->check([](const std::string& name) {
            return name == "-" ? std::string(_("preview writes a file, not standard output"))
                               : std::string();
        });
    addWindowOptions(*command, options->request, true);
    command
        ->add_option("--program", options->program,
                     filled(_("The program whose rate the WAV has: bas, the Proton BASIC program "
                              "(about its rate), or hex, the HEX player (exactly {1} or {2} Hz)"),
                            {std::to_string(hexValuesPerSecond(Quality::good)),
                             std::to_string(hexValuesPerSecond(Quality::poor))}))
        ->check(CLI::IsMember({"bas", "hex"}))
        ->capture_default_str();
    CLI::Option* loop =
        command
            ->add_option(
                "--loop-cycles", options->loopCycles,
                filled(_("The bas loop's own time per value in instruction cycles, 1 us each at "
                         "4 MHz, added to DelayUS {1} (good) or {2} (poor). {3} is counted from "
                         "the loop's PIC18 code: For/Next over a Word 8, CRead's address sum and "
                         "table read 9, the PORTB write 2, the DelayUS call 6. The WAV's rate is "
                         "1000000 / (delay + cycles) Hz: {4} good, {5} poor"),
                       {std::to_string(delayMicrosecondsOf(Quality::good)),
                        std::to_string(delayMicrosecondsOf(Quality::poor)),
                        std::to_string(kBasLoopCycles),
                        std::to_string(kCyclesPerSecond / basCyclesPerValue(Quality::good)),
                        std::to_string(kCyclesPerSecond / basCyclesPerValue(Quality::poor))}))
            ->check(CLI::Validator(wholeCycles, _("CYCLES")))
            ->capture_default_str();
    command->callback([options, loop, &status] {
        if (options->program == "hex" && loop->count() > 0) {
            std::cerr << _("--loop-cycles is the bas program's: the HEX player's time per value "
                           "is exact")
                      << '\n';
            status = kUsage;
            return;
        }
        status = preview(*options);
    });
}

}  // namespace vornelik
