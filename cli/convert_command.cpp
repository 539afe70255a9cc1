// SPDX-License-Identifier: MIT
// convert: any recording libsndfile reads, made into the 8-bit 8 kHz mono file the window expects.

#include <CLI/CLI.hpp>
#include <array>
#include <charconv>
#include <iostream>

#include "cli/command_files.h"
#include "cli/commands.h"
#include "cli/info_report.h"
#include "cli/sound_conversion.h"
#include "core/riff.h"
#include "core/utf8.h"
#include "ui/platform.h"

namespace vornelik {
namespace {

struct ConvertOptions {
    std::string in;
    std::string out;
    ConversionOptions conversion;
};

std::string decimals(double value, int places) {
    std::array<char, 64> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::fixed, places);
    return {text.data(), result.ptr};
}

std::string summary(const ConvertOptions& options, const ConversionReport& report,
                    const RiffWave& result) {
    const double sourceSeconds =
        static_cast<double>(report.sourceFrames) / std::max(report.sourceRate, 1);
    std::string text = "Converted " + options.in + " (" + report.sourceFormat + ", " +
                       std::to_string(report.sourceChannels) +
                       (report.sourceChannels == 1 ? " channel, " : " channels averaged, ") +
                       std::to_string(report.sourceRate) + " Hz, " + decimals(sourceSeconds, 3) +
                       " s)\n";
    text += "Peak: " + decimals(report.peak, 3) + " of full range";
    if (options.conversion.normalize) {
        text += ", scaled by " + decimals(report.gain, 3) + " to full range";
    }
    text += "\nClipped samples: " + std::to_string(report.clipped) + "\n";
    if (report.clipped > 0 && !options.conversion.normalize) {
        text += "Warning: " + std::to_string(report.clipped) +
                " samples lay beyond full range and were cut off; --normalize scales the peak "
                "to full range instead.\n";
    }
    if (options.conversion.trimSilence) {
        text += "Silence dropped: " + std::to_string(report.trimmedStart) +
                " samples at the start, " + std::to_string(report.trimmedEnd) + " at the end\n";
        if (report.samples == 0) {
            text += "Warning: the recording is silent throughout: nothing is left of it.\n";
        }
    }
    text += "Wrote " + readableName(options.out) + ": " + std::to_string(report.samples) +
            " samples, " + decimals(report.seconds(), 3) + " s, 8000 Hz mono 8-bit unsigned PCM";
    if (result.data) {
        text += "; data offset " + std::to_string(result.data->offset);
    }
    return text + "\n\n";
}

int convert(const ConvertOptions& options) {
    // The WAV goes out as bytes: the code page is never used.
    const std::unique_ptr<FileSystem> files = makeCommandLineFileSystem(1252);
    if (refusesOutputOverInput(*files, options.in, options.out)) {
        return kUsage;
    }
    ConversionReport report;
    std::string wave;
    try {
        wave = convertSound(std::filesystem::path(options.in), options.conversion, report);
    } catch (const ConversionError& failure) {
        std::cerr << failure.what() << '\n';
        return kInputOutput;
    }
    if (!writeWholeFile(*files, options.out, wave)) {
        return kInputOutput;
    }
    const std::vector<std::uint8_t> bytes(wave.begin(), wave.end());
    // With the WAV on standard output, what was done is told on standard error.
    std::ostream& told = options.out == "-" ? std::cerr : std::cout;
    told << summary(options, report, readRiffWave(bytes)) << infoReport(options.out, bytes, false)
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
