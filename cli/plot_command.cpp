// SPDX-License-Identifier: MIT
// plot: a picture of the sound, as SVG, to choose the start and end offsets from.

#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>

#include "cli/command_files.h"
#include "cli/commands.h"
#include "core/failure.h"
#include "core/longest_sound.h"
#include "core/numeric_text.h"
#include "core/sound_survey.h"
#include "core/utf8.h"
#include "core/waveform_svg.h"
#include "ui/platform.h"

#include "cli/file_reasons.h"
#include "cli/filled_text.h"
#include "cli/translation.h"  // last: its _ is a macro

namespace vornelik {
namespace {

struct PlotOptions {
    std::string sound;
    std::string output;
    std::optional<std::string> start;
    std::optional<std::string> end;
};

// An offset as the table writer takes it from the range box's text.
std::int64_t offsetOf(const std::optional<std::string>& text, std::int64_t otherwise) {
    return text ? realToInteger(Val(*text)) : otherwise;
}

// One pass over the sound, which must hold `size` bytes: the picture's outline needs the length
// first, which a regular file's size gives and a short stream, held, shows.
SoundSurvey surveyWithOutline(ByteSource& sound, std::uint64_t size, const std::string& name,
                              std::optional<WaveformOutline>& outline) {
    outline.emplace(size);
    const SoundSurvey survey = surveySound(sound, &*outline).survey;
    if (survey.fileSize != size) {
        throw Failure(filled(_("{1} changed while it was read"), {readableName(name)}));
    }
    return survey;
}

int plot(const PlotOptions& options) {
    // The picture goes out as bytes: the code page is never used.
    const std::unique_ptr<FileSystem> files = makeCommandLineFileSystem(1252);
    if (refusesOutputOverInput(*files, options.sound, options.output)) {
        return kUsage;
    }
    std::optional<WaveformOutline> outline;
    SoundSurvey survey;
    try {
        const std::unique_ptr<InputFile> file =
            openBoundedInput(*files, options.sound, kLongestSound);
        if (file->knownSize() >= 0) {
            survey = surveyWithOutline(*file, static_cast<std::uint64_t>(file->knownSize()),
                                       options.sound, outline);
        } else {
            const std::vector<std::uint8_t> held = readShortStream(*file, options.sound, "plot");
            SpanSource source(held);
            survey = surveyWithOutline(source, held.size(), options.sound, outline);
        }
    } catch (const std::exception& failure) {
        std::cerr << translatedReason(failure.what()) << '\n';
        return kInputOutput;
    }

    const std::string shownName = readableName(options.sound);  // the picture only points to it
    WaveformPicture picture;
    picture.fileName = shownName;
    picture.samplesOffset = survey.samplesOffset.value_or(survey.fileSize);
    picture.samplesLength = survey.samplesLength;
    picture.suggested = !options.start && !options.end;
    try {
        picture.start = offsetOf(options.start, survey.range.start);
        picture.end = offsetOf(options.end, survey.range.end);
    } catch (const Failure&) {
        std::cerr << _("the start or end offset is too large a number") << '\n';
        return kUsage;
    }

    if (!writeWholeFile(*files, options.output, waveformSvg(picture, *outline))) {
        return kInputOutput;
    }
    if (options.output != "-") {
        std::cerr << filled(_("wrote {1}"), {readableName(options.output)}) << '\n';
    }
    return kOk;
}

}  // namespace

void addPlotCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<PlotOptions>();
    CLI::App* command = app.add_subcommand(
        "plot",
        _("Draw the sound as an SVG picture over the byte offsets: header shaded, silence shown, "
          "the range marked"));
    command->add_option("SOUND", options->sound, _("The sound file"))->required();
    command
        ->add_option("-o,--output", options->output,
                     _("The SVG file to write; - for standard output"))
        ->required();
    command->add_option("--start", options->start,
                        _("The start offset to mark, read as the window reads it (default: the "
                          "suggested start, as info gives it)"));
    command->add_option("--end", options->end,
                        _("The end offset to mark (default: the suggested end)"));
    command->callback([options, &status] { status = plot(*options); });
}

}  // namespace vornelik
