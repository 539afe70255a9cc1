// SPDX-License-Identifier: MIT
// The `info` report for people.

#include <algorithm>

#include "cli/info_report.h"
#include "cli/report_values.h"
#include "cli/suggested_command.h"
#include "core/numeric_text.h"
#include "core/playback_warnings.h"
#include "core/player_program.h"
#include "core/utf8.h"

namespace vornelik {
namespace {

std::string plural(std::uint64_t count, std::string_view one, std::string_view many) {
    return number(count) + " " + std::string(count == 1 ? one : many);
}

std::string formatLine(const WaveFormat& format) {
    std::string encoding = encodingName(format.formatTag);
    if (format.formatTag == wave_tag::extensible) {
        if (format.subFormatTag && format.standardSubFormat) {
            encoding += " (" + encodingName(*format.subFormatTag);
            if (format.validBitsPerSample) {
                encoding +=
                    ", " + number(std::uint64_t{*format.validBitsPerSample}) + " valid bits";
            }
            encoding += ")";
        } else if (format.subFormatTag) {
            encoding += " (unknown sub-format)";
        }
    }
    return encoding + ", " + plural(format.channels, "channel", "channels") + ", " +
           number(std::uint64_t{format.sampleRate}) + " Hz, " +
           number(std::uint64_t{format.bitsPerSample}) + " bits (block align " +
           number(std::uint64_t{format.blockAlign}) + "; \"fmt \" chunk of " +
           number(std::uint64_t{format.chunkSize}) + " bytes)";
}

std::string chunkText(const RiffChunk& chunk) {
    std::string text = quotedChunkId(chunk.id) + " at " + number(chunk.offset) + " (";
    if (chunk.presentSize < chunk.declaredSize) {
        text += "declares " + number(std::uint64_t{chunk.declaredSize}) + " bytes, " +
                number(chunk.presentSize) + " present)";
    } else {
        text += plural(chunk.declaredSize, "byte", "bytes") + ")";
    }
    return text;
}

std::string silenceText(SilenceRule rule) {
    const std::string distance = "within " + std::to_string(kSilenceThreshold) + " of ";
    return rule == SilenceRule::signedTopByte ? "silent: each sample's top byte " + distance + "0"
                                              : "silent: " + distance + "128";
}

// Sentences on the suggested range: what it covers, and what the table will leave out.
std::vector<std::string> rangeExplanation(const SoundSurvey& survey) {
    const SuggestedRange& range = survey.range;
    std::vector<std::string> lines;
    switch (range.basis) {
        case RangeBasis::sound: {
            lines.push_back("The sound runs from byte " + number(*range.firstSoundByte) +
                            " to byte " + number(*range.lastSoundByte) + " (" +
                            silenceText(survey.silenceRule) + ").");
            if (range.firstByteOutOfReach) {
                lines.push_back(
                    "The sound begins at the file's first byte, which the table cannot hold: it "
                    "starts one byte after the start offset.");
            }
            const std::int64_t lastWritten =
                range.start + survey.budgets[0].tableBytes;  // good quality: one byte per value
            const auto last = static_cast<std::int64_t>(*range.lastSoundByte);
            if (range.shortened) {
                const auto first = static_cast<std::int64_t>(*range.firstSoundByte);
                lines.push_back("That is " + number(last - first + 1) +
                                " bytes, more than the chip holds: its table has room for " +
                                number(kTableRoomBytes) +
                                " bytes beside the program, so this range is the stretch of " +
                                number(kLongestRange) + " bytes, from byte " +
                                number(range.start + 1) + " to byte " + number(range.end) +
                                ", that holds the most of the sound.");
            } else if (lastWritten == last - 1) {
                lines.push_back(
                    "The last byte of sound does not fill a table line and is left out.");
            } else if (lastWritten < last) {
                lines.push_back("The last " + number(last - lastWritten) +
                                " bytes of sound do not fill a table line and are left out.");
            }
            break;
        }
        case RangeBasis::allSilent:
            lines.push_back(survey.samplesLength == 0
                                ? "The samples hold no bytes: there is nothing to play."
                                : "The samples are silent throughout (" +
                                      silenceText(survey.silenceRule) + "): this is all of them.");
            break;
        case RangeBasis::wholeData:
            lines.push_back(
                "Silence is not looked for in samples of this format: this is all of "
                "them.");
            break;
        case RangeBasis::wholeFile:
            lines.push_back(
                "No samples were found: this is the whole file, header included, as "
                "the window proposes it.");
            break;
    }
    if (range.shortened && range.basis != RangeBasis::sound) {
        lines.push_back("That is more than the chip holds: this range is their first " +
                        number(kLongestRange) +
                        " bytes, as many whole lines as its table has room for.");
    }
    return lines;
}

// Pads a column to its width, on the left for numbers.
std::string padded(const std::string& text, std::size_t width, bool right) {
    const std::string fill(text.size() < width ? width - text.size() : 0, ' ');
    return right ? fill + text : text + fill;
}

std::string budgetLine(const QualityBudget& budget, bool exact) {
    const std::string fits = budget.fits ? "yes, " + number(budget.spareBytes) + " bytes spare"
                                         : "no, " + number(-budget.spareBytes) + " bytes over";
    const std::string played = exact ? fixedText(budget.secondsPlayed, 3) + " s"
                                     : "about " + fixedText(budget.secondsPlayed, 2) + " s";
    return "  " + padded(qualityName(budget.quality), 8, false) + " " +
           padded(number(budget.tableBytes), 11, true) + "  " + padded(played, 15, false) + " " +
           fits;
}

}  // namespace

std::string infoReportText(const InfoSubject& subject) {
    const RiffWave& wave = subject.wave;
    const SoundSurvey& survey = subject.survey;
    std::string out;
    const auto line = [&out](const std::string& text) { out += text + "\n"; };

    line("File: " + readableName(subject.fileName));
    line("Size: " + plural(survey.fileSize, "byte", "bytes"));
    if (!wave.isRiffWave) {
        line("RIFF WAVE: no." + (wave.problems.empty() ? "" : " " + wave.problems.front()));
    } else if (wave.format) {
        line("Format: " + formatLine(*wave.format));
    } else {
        line("Format: unknown (no readable \"fmt \" chunk)");
    }
    if (!wave.chunks.empty()) {
        std::string chunks;
        for (const auto& chunk : wave.chunks) {
            chunks += (chunks.empty() ? "" : ", ") + chunkText(chunk);
        }
        line("Chunks: " + chunks);
    }
    if (survey.samplesOffset) {
        std::string samples = plural(survey.samplesLength, "byte", "bytes") + " at offset " +
                              number(*survey.samplesOffset);
        if (survey.headerless) {
            samples += " (the whole file)";
        } else if (wave.data && wave.data->presentSize < wave.data->declaredSize) {
            samples += " (" + number(std::uint64_t{wave.data->declaredSize}) +
                       " declared; the file ends early)";
        }
        line("Data: " + samples);
    }
    if (survey.durationSeconds) {
        const bool assumed = survey.headerless || !wave.format;
        line("Duration: " + fixedText(*survey.durationSeconds, 3) + " s" +
             (assumed ? " at " + std::to_string(kSoundRate) + " bytes a second" : ""));
    }
    // A file that is not RIFF WAVE at all has its one problem on the "RIFF WAVE: no" line.
    for (std::size_t i = wave.isRiffWave ? 0 : 1; i < wave.problems.size(); ++i) {
        line("Problem: " + wave.problems[i]);
    }
    for (const auto& note : wave.notes) {
        line("Note: " + note);
    }
    if (!wave.problems.empty()) {
        const auto shown = subject.file.first(std::min(subject.file.size(), kRawBytesShown));
        line("First bytes: " + (shown.empty() ? std::string("(none)") : hexBytes(shown, " ")));
    }
    for (const auto& warning : playbackWarnings(wave, survey)) {
        line("Warning: " + warning);
    }

    line("Suggested range: start " + number(survey.range.start) + ", end " +
         number(survey.range.end));
    for (const auto& explanation : rangeExplanation(survey)) {
        line("  " + explanation);
    }
    line("Flash budget (PIC18F4620: " + number(kFlashBytes) + " bytes of program memory, " +
         number(kProgramBytes) + " kept for the program):");
    const std::string columns = "  quality  table bytes  played          fits";
    line(columns);
    for (const auto& budget : survey.budgets) {
        line(budgetLine(budget, false));
    }
    line("  One byte of program memory per value; about " +
         std::to_string(basCyclesPerValue(Quality::good)) + " us per value in good quality, " +
         std::to_string(basCyclesPerValue(Quality::poor)) + " us in poor (DelayUS " +
         std::to_string(delayMicrosecondsOf(Quality::good)) + " or " +
         std::to_string(delayMicrosecondsOf(Quality::poor)) + " plus the loop).");
    line("HEX player (" + number(playerProgramBytes()) +
         " bytes of program memory, the table up to " + number(playerTableRoom()) + " bytes):");
    line(columns);
    for (const auto& budget : survey.hexBudgets) {
        line(budgetLine(budget, true));
    }
    line("  Exactly " + std::to_string(hexCyclesPerValue(Quality::good)) +
         " us per value in good quality, " + std::to_string(hexCyclesPerValue(Quality::poor)) +
         " in poor: " + std::to_string(hexValuesPerSecond(Quality::good)) + " and " +
         std::to_string(hexValuesPerSecond(Quality::poor)) + " values a second.");
    switch (survey.next) {
        case NextStep::writeProgram:
            break;
        case NextStep::convertFirst:
            line("The chip plays 8-bit " + std::to_string(kSoundRate) +
                 " Hz mono PCM: convert the file first; the report of the result suggests its "
                 "range.");
            break;
        case NextStep::nothing:
            line("Nothing to write: the file holds nothing to play.");
            break;
    }
    // Masked as the File: line is, so that a name cannot drive the terminal.
    for (const std::string& command : suggestedCommands(subject.fileName, survey)) {
        line(readableName(command));
    }
    return out;
}

}  // namespace vornelik
