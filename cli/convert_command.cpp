// SPDX-License-Identifier: MIT
// convert: any recording libsndfile reads, made into the 8-bit 8 kHz mono file the window expects.

#include <CLI/CLI.hpp>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "cli/command_files.h"
#include "cli/commands.h"
#include "cli/info_report.h"
#include "cli/sound_conversion.h"
#include "core/longest_sound.h"
#include "core/numeric_text.h"
#include "core/pcm_wave_header.h"
#include "core/riff.h"
#include "core/utf8.h"
#include "ui/platform.h"

namespace vornelik {
namespace {

// Below this peak normalizing raises the noise more than 16 times, which is worth a warning.
constexpr double kQuietPeak = 1.0 / 16;
// Results longer than this (20 minutes) are not read back for the info report.
constexpr std::int64_t kLongestReportedResult = 20 * 60 * kConvertedRate;

struct ConvertOptions {
    std::string in;
    std::string out;
    ConversionOptions conversion;
};

// A factor or a peak with its decimals, or for a huge one its power of ten, not forty digits.
std::string factorText(double value, int decimals = 3) {
    if (std::abs(value) < 1e6) {
        return fixedText(value, decimals);
    }
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value,
                                   std::chars_format::scientific, 2);
    return std::string(text.data(), end.ptr);
}

// What a run found worth a warning, for standard error, apart from the report.
std::string warnings(const ConvertOptions& options, const ConversionReport& report) {
    std::string text;
    if (report.missingFrames > 0) {
        text += "Warning: the input ends " +
                fixedText(static_cast<double>(report.missingFrames) / report.sourceRate, 3) +
                " s (" + std::to_string(report.missingFrames) +
                " frames) before its header says; what is there was converted.\n";
    }
    if (options.conversion.normalize && report.peak > 0 && report.peak < kQuietPeak) {
        text += "Warning: the sound is quiet (peak " + fixedText(report.peak, 4) +
                "): normalizing raises its noise by the same factor, " +
                factorText(report.gain, 1) + " times\n";
    }
    if (report.limited > 0) {
        text +=
            "Warning: " + std::to_string(report.limited) + " input samples lay beyond " +
            std::to_string(static_cast<std::int64_t>(kLargestResampled)) +
            " times full range and were held there before resampling, which cannot take them.\n";
    }
    if (report.clipped > 0 && !options.conversion.normalize) {
        text += "Warning: " + std::to_string(report.clipped) +
                " samples lay beyond full range and were cut off; --normalize scales the peak "
                "to full range instead.\n";
    }
    if (options.conversion.trimSilence && report.samples == 0) {
        text += "Warning: the recording is silent throughout: nothing is left of it.\n";
    }
    return text;
}

std::string summary(const ConvertOptions& options, const ConversionReport& report,
                    const RiffWave& result) {
    const double sourceSeconds = static_cast<double>(report.sourceFrames) / report.sourceRate;
    std::string text = "Converted " + options.in + " (" + report.sourceFormat + ", " +
                       std::to_string(report.sourceChannels) +
                       (report.sourceChannels == 1 ? " channel, " : " channels averaged, ") +
                       std::to_string(report.sourceRate) + " Hz, " + fixedText(sourceSeconds, 3) +
                       " s)\n";
    text += "Peak: " + factorText(report.peak) + " of full range";
    if (options.conversion.normalize) {
        text += ", scaled by " + factorText(report.gain) + " to full range";
    }
    text += "\nClipped samples: " + std::to_string(report.clipped) + "\n";
    if (options.conversion.trimSilence) {
        text += "Silence dropped: " + std::to_string(report.trimmedStart) +
                " samples at the start, " + std::to_string(report.trimmedEnd) + " at the end\n";
    }
    text += "Wrote " + readableName(options.out) + ": " + std::to_string(report.samples) +
            " samples, " + fixedText(report.seconds(), 3) + " s, 8000 Hz mono 8-bit unsigned PCM";
    if (result.data) {
        text += "; data offset " + std::to_string(result.data->offset);
    }
    return text + "\n\n";
}

bool standardErrorIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

// "Converting: 42%" on one line of a terminal once the work has taken a second; the line ends
// when the work does.
class ProgressLine {
  public:
    void show(double share) {
        const int percent = static_cast<int>(share * 100);
        if (percent == shown_ ||
            std::chrono::steady_clock::now() - start_ < std::chrono::seconds(1)) {
            return;
        }
        shown_ = percent;
        std::cerr << "\rConverting: " << percent << '%' << std::flush;
    }
    // The line, if shown, ends at 100% on success and where it stood on failure.
    void finish() {
        if (shown_ >= 0 && shown_ < 100) {
            shown_ = 100;
            std::cerr << "\rConverting: 100%";
        }
    }
    ~ProgressLine() {
        if (shown_ >= 0) {
            std::cerr << '\n' << std::flush;
        }
    }

  private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    int shown_ = -1;
};

int convert(const ConvertOptions& options) {
    // The WAV goes out as bytes: the code page is never used.
    const std::unique_ptr<FileSystem> files = makeCommandLineFileSystem(1252);
    // Opened once and read at any position: a stream (standard input, a pipe, a FIFO, a
    // device), which cannot be opened or read again, is copied as it comes, so that
    // --normalize and an output that cannot go back can read it more than once.
    std::unique_ptr<RandomAccessInput> input;
    try {
        input = files->openRandomAccess(options.in, kLongestSound);
    } catch (const std::exception& failure) {
        std::cerr << failure.what() << '\n';
        return kInputOutput;
    }
    if (refusesOutputOverInput(*files, *input, options.in, options.out)) {
        return kUsage;
    }
    ConversionReport report;
    try {
        ConversionOptions conversion = options.conversion;
        std::optional<ProgressLine> progress;
        if (standardErrorIsTerminal()) {
            progress.emplace();
            conversion.progress = [&progress](double share) { progress->show(share); };
        }
        const std::unique_ptr<OutputFile> out = files->createOutput(options.out);
        report = convertSound(*input, options.in, *out, conversion);
        if (progress) {
            progress->finish();
        }
    } catch (const std::exception& failure) {  // the conversion's or the output file's
        std::cerr << failure.what() << '\n';
        return kInputOutput;
    }
    std::cerr << warnings(options, report) << std::flush;
    // With the WAV on standard output, what was done is told on standard error.
    const bool streamed = files->isStandardOutput(options.out);
    std::ostream& told = streamed ? std::cerr : std::cout;
    // The result's info report reads it back whole, which is done only while that stays small
    // and the result is a file that can be read again.
    if (report.samples > kLongestReportedResult || streamed ||
        files->fileLength(options.out) == 0) {
        const RiffWave header = readRiffWave(
            pcm8MonoWaveHeader(static_cast<std::uint32_t>(report.samples), kConvertedRate));
        told << summary(options, report, header);
        if (!streamed) {
            told << "vornelik-cli info " << readableName(options.out) << " reports on it.\n";
        }
        told << std::flush;
        return told ? kOk : kInputOutput;
    }
    const std::optional<std::vector<std::uint8_t>> bytes = readWholeFile(*files, options.out);
    if (!bytes) {
        return kInputOutput;
    }
    told << summary(options, report, readRiffWave(*bytes)) << infoReport(options.out, *bytes, false)
         << std::flush;
    return told ? kOk : kInputOutput;
}

}  // namespace

void addConvertCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<ConvertOptions>();
    CLI::App* command = app.add_subcommand(
        "convert",
        "Make any recording libsndfile reads (WAV, AIFF, FLAC, Ogg Vorbis, Opus, MP3) into the "
        "file the window expects: mono, 8000 Hz, 8-bit unsigned PCM, samples from byte 44");
    command->add_option("IN", options->in, "The recording")->required();
    command->add_option("-o,--output", options->out, "The WAV file to write; - for standard output")
        ->required();
    command->add_flag("--normalize", options->conversion.normalize,
                      "Scale the peak to full range before rounding to 8 bits");
    command->add_flag("--trim-silence", options->conversion.trimSilence,
                      "Drop leading and trailing silence (within 2 of 128, as info finds it)");
    command->callback([options, &status] { status = convert(*options); });
}

}  // namespace vornelik
