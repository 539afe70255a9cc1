// SPDX-License-Identifier: MIT
// The `info` report for people.

#include <algorithm>

#include "cli/info_report.h"
#include "cli/recording_texts.h"
#include "cli/report_values.h"
#include "cli/suggested_command.h"
#include "core/numeric_text.h"
#include "core/playback_warnings.h"
#include "core/player_program.h"
#include "core/utf8.h"

#include "cli/filled_text.h"
#include "cli/translation.h"  // last: its _ is a macro

namespace vornelik {
namespace {

std::string bytes(std::uint64_t count) {
    return filled(P_("{1} byte", "{1} bytes", count), {number(count)});
}

std::string formatLine(const WaveFormat& format) {
    std::string encoding = encodingName(format.formatTag);
    if (format.formatTag == wave_tag::extensible) {
        if (format.subFormatTag && format.standardSubFormat) {
            encoding += " (" + encodingName(*format.subFormatTag);
            if (format.validBitsPerSample) {
                encoding += ", " + filled(_("{1} valid bits"),
                                          {number(std::uint64_t{*format.validBitsPerSample})});
            }
            encoding += ")";
        } else if (format.subFormatTag) {
            encoding += std::string(" (") + _("unknown sub-format") + ")";
        }
    }
    return filled(
        P_("{1}, {2} channel, {3} Hz, {4} bits (block align {5}; \"fmt \" chunk of {6} "
           "bytes)",
           "{1}, {2} channels, {3} Hz, {4} bits (block align {5}; \"fmt \" chunk of {6} "
           "bytes)",
           format.channels),
        {encoding, number(std::uint64_t{format.channels}), number(std::uint64_t{format.sampleRate}),
         number(std::uint64_t{format.bitsPerSample}), number(std::uint64_t{format.blockAlign}),
         number(std::uint64_t{format.chunkSize})});
}

std::string chunkText(const RiffChunk& chunk) {
    if (chunk.presentSize < chunk.declaredSize) {
        return filled(_("{1} at {2} (declares {3} bytes, {4} present)"),
                      {quotedChunkId(chunk.id), number(chunk.offset),
                       number(std::uint64_t{chunk.declaredSize}), number(chunk.presentSize)});
    }
    return filled(_("{1} at {2} ({3})"),
                  {quotedChunkId(chunk.id), number(chunk.offset), bytes(chunk.declaredSize)});
}

std::string silenceText(SilenceRule rule) {
    const std::string distance = std::to_string(kSilenceThreshold);
    return rule == SilenceRule::signedTopByte
               ? filled(_("silent: each sample's top byte within {1} of 0"), {distance})
               : filled(_("silent: within {1} of 128"), {distance});
}

// Sentences on the suggested range: what it covers, and what the table will leave out.
std::vector<std::string> rangeExplanation(const SoundSurvey& survey) {
    const SuggestedRange& range = survey.range;
    std::vector<std::string> lines;
    switch (range.basis) {
        case RangeBasis::sound: {
            lines.push_back(filled(_("The sound runs from byte {1} to byte {2} ({3})."),
                                   {number(*range.firstSoundByte), number(*range.lastSoundByte),
                                    silenceText(survey.silenceRule)}));
            if (range.firstByteOutOfReach) {
                lines.emplace_back(
                    _("The sound begins at the file's first byte, which the table cannot hold: it "
                      "starts one byte after the start offset."));
            }
            const std::int64_t lastWritten =
                range.start + survey.budgets[0].tableBytes;  // good quality: one byte per value
            const auto last = static_cast<std::int64_t>(*range.lastSoundByte);
            if (range.shortened) {
                const auto first = static_cast<std::int64_t>(*range.firstSoundByte);
                lines.push_back(filled(
                    _("That is {1} bytes, more than the chip holds: its table has room for {2} "
                      "bytes beside the program, so this range is the stretch of {3} bytes, from "
                      "byte {4} to byte {5}, that holds the most of the sound."),
                    {number(last - first + 1), number(kTableRoomBytes), number(kLongestRange),
                     number(range.start + 1), number(range.end)}));
            } else if (lastWritten == last - 1) {
                lines.emplace_back(
                    _("The last byte of sound does not fill a table line and is left out."));
            } else if (lastWritten < last) {
                lines.push_back(
                    filled(_("The last {1} bytes of sound do not fill a table line and are left "
                             "out."),
                           {number(last - lastWritten)}));
            }
            break;
        }
        case RangeBasis::allSilent:
            lines.push_back(survey.samplesLength == 0
                                ? std::string(_("The samples hold no bytes: there is nothing to "
                                                "play."))
                                : filled(_("The samples are silent throughout ({1}): this is all "
                                           "of them."),
                                         {silenceText(survey.silenceRule)}));
            break;
        case RangeBasis::wholeData:
            lines.emplace_back(
                _("Silence is not looked for in samples of this format: this is all of them."));
            break;
        case RangeBasis::wholeFile:
            lines.emplace_back(
                _("No samples were found: this is the whole file, header included, as the window "
                  "proposes it."));
            break;
    }
    if (range.shortened && range.basis != RangeBasis::sound) {
        lines.push_back(filled(_("That is more than the chip holds: this range is their first {1} "
                                 "bytes, as many whole lines as its table has room for."),
                               {number(kLongestRange)}));
    }
    return lines;
}

// Pads a column to its width in letters ("kötü" is four wide), on the left for numbers.
std::string padded(const std::string& text, std::size_t width, bool right) {
    const std::size_t letters = characterCount(text);
    const std::string fill(letters < width ? width - letters : 0, ' ');
    return right ? fill + text : text + fill;
}

std::string budgetLine(const QualityBudget& budget, bool exact) {
    const std::string fits = budget.fits
                                 ? filled(_("yes, {1} bytes spare"), {number(budget.spareBytes)})
                                 : filled(_("no, {1} bytes over"), {number(-budget.spareBytes)});
    const std::string played =
        exact ? filled(_("{1} s"), {inProse(fixedText(budget.secondsPlayed, 3))})
              : filled(_("about {1} s"), {inProse(fixedText(budget.secondsPlayed, 2))});
    // TRANSLATORS: the qualities as the flash-budget table names them.
    const char* quality = budget.quality == Quality::good ? _("good") : _("poor");
    return "  " + padded(quality, 8, false) + " " + padded(number(budget.tableBytes), 11, true) +
           "  " + padded(played, 15, false) + " " + fits;
}

// The flash-budget table's heading, in the columns of its lines.
std::string budgetColumns() {
    return "  " + padded(_("quality"), 8, false) + " " + padded(_("table bytes"), 11, false) +
           "  " + padded(_("played"), 15, false) + " " + _("fits");
}

}  // namespace

std::string infoReportText(const InfoSubject& subject) {
    const RiffWave& wave = subject.wave;
    const SoundSurvey& survey = subject.survey;
    std::string out;
    const auto line = [&out](const std::string& text) { out += text + "\n"; };

    line(filled(_("File: {1}"), {readableName(subject.fileName)}));
    line(filled(_("Size: {1}"), {bytes(survey.fileSize)}));
    if (!wave.isRiffWave) {
        std::string notRiffWave = _("RIFF WAVE: no.");
        if (!wave.problems.empty()) {
            notRiffWave += ' ';
            notRiffWave += translatedRecordingText(wave.problems.front());
        }
        line(notRiffWave);
    } else if (wave.format) {
        line(filled(_("Format: {1}"), {formatLine(*wave.format)}));
    } else {
        line(_("Format: unknown (no readable \"fmt \" chunk)"));
    }
    if (!wave.chunks.empty()) {
        std::string chunks;
        for (const auto& chunk : wave.chunks) {
            chunks += (chunks.empty() ? "" : ", ") + chunkText(chunk);
        }
        line(filled(_("Chunks: {1}"), {chunks}));
    }
    if (survey.samplesOffset) {
        const std::vector<std::string> parts{bytes(survey.samplesLength),
                                             number(*survey.samplesOffset)};
        if (survey.headerless) {
            line(filled(_("Data: {1} at offset {2} (the whole file)"), parts));
        } else if (wave.data && wave.data->presentSize < wave.data->declaredSize) {
            line(filled(_("Data: {1} at offset {2} ({3} declared; the file ends early)"),
                        {parts[0], parts[1], number(std::uint64_t{wave.data->declaredSize})}));
        } else {
            line(filled(_("Data: {1} at offset {2}"), parts));
        }
    }
    if (survey.durationSeconds) {
        const bool assumed = survey.headerless || !wave.format;
        const std::string seconds = inProse(fixedText(*survey.durationSeconds, 3));
        line(assumed ? filled(_("Duration: {1} s at {2} bytes a second"),
                              {seconds, std::to_string(kSoundRate)})
                     : filled(_("Duration: {1} s"), {seconds}));
    }
    // A file that is not RIFF WAVE at all has its one problem on the "RIFF WAVE: no" line.
    for (std::size_t i = wave.isRiffWave ? 0 : 1; i < wave.problems.size(); ++i) {
        line(filled(_("Problem: {1}"), {translatedRecordingText(wave.problems[i])}));
    }
    for (const auto& note : wave.notes) {
        line(filled(_("Note: {1}"), {translatedRecordingText(note)}));
    }
    if (!wave.problems.empty()) {
        const auto shown = subject.file.first(std::min(subject.file.size(), kRawBytesShown));
        line(filled(_("First bytes: {1}"),
                    {shown.empty() ? std::string(_("(none)")) : hexBytes(shown, " ")}));
    }
    for (const auto& warning : playbackWarnings(wave, survey)) {
        line(filled(_("Warning: {1}"), {translatedRecordingText(warning)}));
    }

    line(filled(_("Suggested range: start {1}, end {2}"),
                {number(survey.range.start), number(survey.range.end)}));
    for (const auto& explanation : rangeExplanation(survey)) {
        line("  " + explanation);
    }
    line(filled(_("Flash budget (PIC18F4620: {1} bytes of program memory, {2} kept for the "
                  "program):"),
                {number(kFlashBytes), number(kProgramBytes)}));
    const std::string columns = budgetColumns();
    line(columns);
    for (const auto& budget : survey.budgets) {
        line(budgetLine(budget, false));
    }
    line("  " + filled(_("One byte of program memory per value; about {1} us per value in good "
                         "quality, {2} us in poor (DelayUS {3} or {4} plus the loop)."),
                       {std::to_string(basCyclesPerValue(Quality::good)),
                        std::to_string(basCyclesPerValue(Quality::poor)),
                        std::to_string(delayMicrosecondsOf(Quality::good)),
                        std::to_string(delayMicrosecondsOf(Quality::poor))}));
    line(filled(_("HEX player ({1} bytes of program memory, the table up to {2} bytes):"),
                {number(playerProgramBytes()), number(playerTableRoom())}));
    line(columns);
    for (const auto& budget : survey.hexBudgets) {
        line(budgetLine(budget, true));
    }
    line("  " + filled(_("Exactly {1} us per value in good quality, {2} in poor: {3} and {4} "
                         "values a second."),
                       {std::to_string(hexCyclesPerValue(Quality::good)),
                        std::to_string(hexCyclesPerValue(Quality::poor)),
                        std::to_string(hexValuesPerSecond(Quality::good)),
                        std::to_string(hexValuesPerSecond(Quality::poor))}));
    switch (survey.next) {
        case NextStep::writeProgram:
            break;
        case NextStep::convertFirst:
            line(
                filled(_("The chip plays 8-bit {1} Hz mono PCM: convert the file first; the report "
                         "of the result suggests its range."),
                       {std::to_string(kSoundRate)}));
            break;
        case NextStep::nothing:
            line(_("Nothing to write: the file holds nothing to play."));
            break;
    }
    // Masked as the File: line is, so that a name cannot drive the terminal.
    for (const std::string& command : suggestedCommands(subject.fileName, survey)) {
        line(readableName(command));
    }
    return out;
}

}  // namespace vornelik
