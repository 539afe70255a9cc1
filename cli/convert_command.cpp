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

#include "cli/file_reasons.h"
#include "cli/filled_text.h"
#include "cli/translation.h"  // last: its _ is a macro

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

// A factor or a peak with its decimals, or for a huge one its power of ten, not forty digits;
// written as the report's language writes numbers.
std::string factorText(double value, int decimals = 3) {
    if (std::abs(value) < 1e6) {
        return inProse(fixedText(value, decimals));
    }
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value,
                                   std::chars_format::scientific, 2);
    return inProse(std::string(text.data(), end.ptr));
}

// What a run found worth a warning, for standard error, apart from the report.
std::string warnings(const ConvertOptions& options, const ConversionReport& report) {
    std::string text;
    if (report.missingFrames > 0) {
        text += filled(_("Warning: the input ends {1} s ({2} frames) before its header says; what "
                         "is there was converted."),
                       {inProse(fixedText(
                            static_cast<double>(report.missingFrames) / report.sourceRate, 3)),
                        std::to_string(report.missingFrames)}) +
                "\n";
    }
    if (options.conversion.normalize && report.peak > 0 && report.peak < kQuietPeak) {
        text += filled(_("Warning: the sound is quiet (peak {1}): normalizing raises its noise by "
                         "the same factor, {2} times"),
                       {inProse(fixedText(report.peak, 4)), factorText(report.gain, 1)}) +
                "\n";
    }
    if (report.limited > 0) {
        text += filled(_("Warning: {1} input samples lay beyond {2} times full range and were "
                         "held there before resampling, which cannot take them."),
                       {std::to_string(report.limited),
                        std::to_string(static_cast<std::int64_t>(kLargestResampled))}) +
                "\n";
    }
    if (report.clipped > 0 && !options.conversion.normalize) {
        text += filled(_("Warning: {1} samples lay beyond full range and were cut off; "
                         "--normalize scales the peak to full range instead."),
                       {std::to_string(report.clipped)}) +
                "\n";
    }
    if (options.conversion.trimSilence && report.samples == 0) {
        text += std::string(_("Warning: the recording is silent throughout: nothing is left of "
                              "it.")) +
                "\n";
    }
    return text;
}

std::string summary(const ConvertOptions& options, const ConversionReport& report,
                    const RiffWave& result) {
    const double sourceSeconds = static_cast<double>(report.sourceFrames) / report.sourceRate;
    const std::vector<std::string> source{
        options.in, report.sourceFormat, std::to_string(report.sourceChannels),
        std::to_string(report.sourceRate), inProse(fixedText(sourceSeconds, 3))};
    std::string text =
        filled(report.sourceChannels == 1 ? _("Converted {1} ({2}, {3} channel, {4} Hz, {5} s)")
                                          : _("Converted {1} ({2}, {3} channels averaged, {4} Hz, "
                                              "{5} s)"),
               source) +
        "\n";
    text += options.conversion.normalize
                ? filled(_("Peak: {1} of full range, scaled by {2} to full range"),
                         {factorText(report.peak), factorText(report.gain)})
                : filled(_("Peak: {1} of full range"), {factorText(report.peak)});
    text += "\n" + filled(_("Clipped samples: {1}"), {std::to_string(report.clipped)}) + "\n";
    if (options.conversion.trimSilence) {
        text += filled(_("Silence dropped: {1} samples at the start, {2} at the end"),
                       {std::to_string(report.trimmedStart), std::to_string(report.trimmedEnd)}) +
                "\n";
    }
    const std::vector<std::string> written{readableName(options.out),
                                           std::to_string(report.samples),
                                           inProse(fixedText(report.seconds(), 3))};
    text +=
        result.data
            ? filled(_("Wrote {1}: {2} samples, {3} s, 8000 Hz mono 8-bit unsigned PCM; data "
                       "offset {4}"),
                     {written[0], written[1], written[2], std::to_string(result.data->offset)})
            : filled(_("Wrote {1}: {2} samples, {3} s, 8000 Hz mono 8-bit unsigned PCM"), written);
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
        std::cerr << '\r' << filled(_("Converting: {1}%"), {std::to_string(percent)}) << std::flush;
    }
    // The line, if shown, ends at 100% on success and where it stood on failure.
    void finish() {
        if (shown_ >= 0 && shown_ < 100) {
            shown_ = 100;
            std::cerr << '\r' << filled(_("Converting: {1}%"), {"100"});
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
        std::cerr << translatedReason(failure.what()) << '\n';
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
        std::cerr << translatedReason(failure.what()) << '\n';
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
            // The command is copied as it is; only the words around it are translated.
            told << filled(_("{1} reports on it."),
                           {"vornelik-cli info " + readableName(options.out)})
                 << '\n';
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
        _("Make any recording libsndfile reads (WAV, AIFF, FLAC, Ogg Vorbis, Opus, MP3) into the "
          "file the window expects: mono, 8000 Hz, 8-bit unsigned PCM, samples from byte 44"));
    command->add_option("IN", options->in, _("The recording"))->required();
    command
        ->add_option("-o,--output", options->out, _("The WAV file to write; - for standard output"))
        ->required();
    command->add_flag("--normalize", options->conversion.normalize,
                      _("Scale the peak to full range before rounding to 8 bits"));
    command->add_flag("--trim-silence", options->conversion.trimSilence,
                      _("Drop leading and trailing silence (within 2 of 128, as info finds it)"));
    command->callback([options, &status] { status = convert(*options); });
}

}  // namespace vornelik
