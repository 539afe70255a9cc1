// SPDX-License-Identifier: MIT
#include "cli/info_report.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <optional>

#include "core/utf8.h"

namespace vornelik {
namespace {

constexpr std::size_t kRawBytesShown = 16;
constexpr auto kExpectedRate = static_cast<std::uint32_t>(kSoundRate);

// Numbers are written by hand rather than through printf's %f so that the C library's locale
// can never turn a decimal point into a comma.
std::string fixed(double value, int decimals) {
    std::array<char, 64> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::fixed, decimals);
    return {text.data(), result.ptr};
}

// "5.5", "2": one decimal, none when it is zero.
std::string factor(double value) {
    std::string text = fixed(value, 1);
    if (text.size() > 2 && text.ends_with(".0")) {
        text.resize(text.size() - 2);
    }
    return text;
}

std::string number(std::uint64_t value) {
    return std::to_string(value);
}
std::string number(std::int64_t value) {
    return std::to_string(value);
}

std::string plural(std::uint64_t count, std::string_view one, std::string_view many) {
    return number(count) + " " + std::string(count == 1 ? one : many);
}

std::string hexBytes(std::span<const std::uint8_t> bytes, std::string_view separator) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            text += separator;
        }
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0xF];
    }
    return text;
}

std::string quotedId(const std::array<std::uint8_t, 4>& id) {
    return '"' + chunkIdText(id) + '"';
}

const char* qualityName(Quality quality) {
    return quality == Quality::good ? "good" : "poor";
}

int microsecondsPerValue(Quality quality) {
    return (quality == Quality::good ? kGoodDelayMicroseconds : kPoorDelayMicroseconds) +
           kLoopMicroseconds;
}

const char* basisName(RangeBasis basis) {
    switch (basis) {
        case RangeBasis::sound:
            return "sound";
        case RangeBasis::allSilent:
            return "allSilent";
        case RangeBasis::wholeData:
            return "wholeData";
        case RangeBasis::wholeFile:
            return "wholeFile";
    }
    return "";
}

const char* nextStepName(NextStep next) {
    switch (next) {
        case NextStep::writeProgram:
            return "bas";
        case NextStep::convertFirst:
            return "convert";
        case NextStep::nothing:
            return "nothing";
    }
    return "";
}

const char* silenceRuleName(SilenceRule rule) {
    switch (rule) {
        case SilenceRule::unsignedByte:
            return "unsignedByte";
        case SilenceRule::signedTopByte:
            return "signedTopByte";
        case SilenceRule::none:
            return "none";
    }
    return "";
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
    std::string text = quotedId(chunk.id) + " at " + number(chunk.offset) + " (";
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

std::string budgetLine(const QualityBudget& budget) {
    const std::string fits = budget.fits ? "yes, " + number(budget.spareBytes) + " bytes spare"
                                         : "no, " + number(-budget.spareBytes) + " bytes over";
    const std::string played = "about " + fixed(budget.secondsPlayed, 2) + " s";
    return "  " + padded(qualityName(budget.quality), 8, false) + " " +
           padded(number(budget.tableBytes), 11, true) + "  " + padded(played, 15, false) + " " +
           fits;
}

// A small builder for one JSON object; values are passed already written as JSON.
class JsonObject {
  public:
    JsonObject& field(std::string_view key, const std::string& value) {
        text_ += first_ ? "" : ",";
        first_ = false;
        text_ += jsonString(key) + ":" + value;
        return *this;
    }
    std::string done() const { return text_ + "}"; }

  private:
    std::string text_ = "{";
    bool first_ = true;
};

std::string jsonArray(const std::vector<std::string>& values) {
    std::string text = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        text += (i > 0 ? "," : "") + values[i];
    }
    return text + "]";
}

std::string jsonStrings(const std::vector<std::string>& texts) {
    std::vector<std::string> values;
    for (const auto& text : texts) {
        values.push_back(jsonString(text));
    }
    return jsonArray(values);
}

std::string jsonBool(bool value) {
    return value ? "true" : "false";
}

template <typename T>
std::string jsonOptional(const std::optional<T>& value) {
    return value ? number(static_cast<std::uint64_t>(*value)) : "null";
}

std::string jsonFormat(const WaveFormat& format) {
    return JsonObject()
        .field("fmtChunkSize", number(std::uint64_t{format.chunkSize}))
        .field("formatTag", number(std::uint64_t{format.formatTag}))
        .field("encodingTag", number(std::uint64_t{format.encoding()}))
        .field("encoding", jsonString(encodingName(format.encoding())))
        .field("channels", number(std::uint64_t{format.channels}))
        .field("sampleRate", number(std::uint64_t{format.sampleRate}))
        .field("byteRate", number(std::uint64_t{format.byteRate}))
        .field("blockAlign", number(std::uint64_t{format.blockAlign}))
        .field("bitsPerSample", number(std::uint64_t{format.bitsPerSample}))
        .field("validBitsPerSample", jsonOptional(format.validBitsPerSample))
        .field("channelMask", jsonOptional(format.channelMask))
        .field("standardSubFormat", jsonBool(format.standardSubFormat))
        .done();
}

std::string jsonChunk(const RiffChunk& chunk) {
    return JsonObject()
        .field("id", jsonString(chunkIdText(chunk.id)))
        .field("idHex", jsonString(hexBytes(chunk.id, "")))
        .field("offset", number(chunk.offset))
        .field("declaredSize", number(std::uint64_t{chunk.declaredSize}))
        .field("presentSize", number(chunk.presentSize))
        .done();
}

std::string jsonBudget(const QualityBudget& budget) {
    return JsonObject()
        .field("quality", jsonString(qualityName(budget.quality)))
        .field("tableLines", number(budget.tableLines))
        .field("tableBytes", number(budget.tableBytes))
        .field("playedValues", number(budget.playedValues))
        .field("microsecondsPerValue", number(std::int64_t{microsecondsPerValue(budget.quality)}))
        .field("secondsPlayed", fixed(budget.secondsPlayed, 6))
        .field("fits", jsonBool(budget.fits))
        .field("spareBytes", number(budget.spareBytes))
        .done();
}

}  // namespace

std::string jsonString(std::string_view text) {
    std::string json = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) {
            const std::size_t length = validUtf8Length(text, i);
            json += length > 0 ? text.substr(i, length) : "\\ufffd";
            i += length > 0 ? length : 1;
            continue;
        }
        switch (byte) {
            case '"':
                json += "\\\"";
                break;
            case '\\':
                json += "\\\\";
                break;
            case '\b':
                json += "\\b";
                break;
            case '\f':
                json += "\\f";
                break;
            case '\n':
                json += "\\n";
                break;
            case '\r':
                json += "\\r";
                break;
            case '\t':
                json += "\\t";
                break;
            default:
                if (byte < 0x20) {
                    json += "\\u00" + hexBytes(std::span(&byte, 1), "");
                } else {
                    json += static_cast<char>(byte);
                }
        }
        ++i;
    }
    return json + "\"";
}

std::string shellQuotePath(std::string_view path) {
    std::string word(path);
    if (word.starts_with('-')) {
        word = "./" + word;
    }
    const auto safe = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               std::string_view("_@%+=:,./-").find(c) != std::string_view::npos;
    };
    if (!word.empty() && std::all_of(word.begin(), word.end(), safe)) {
        return word;
    }
    std::string quoted = "'";
    for (const char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string nameBeside(std::string_view soundName, std::string_view ending) {
    const std::size_t slash = soundName.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = soundName.rfind('.');
    const bool hasExtension = dot != std::string_view::npos && dot > nameStart;
    std::string name(soundName.substr(0, hasExtension ? dot : soundName.size()));
    name += ending;
    // Compared without case, as Windows names are, so the sound is never written over.
    const auto sameLetter = [](char a, char b) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        };
        return lower(a) == lower(b);
    };
    const bool same =
        std::equal(name.begin(), name.end(), soundName.begin(), soundName.end(), sameLetter);
    return same ? std::string(soundName) + std::string(ending) : name;
}

std::string programNameFor(std::string_view soundName) {
    return nameBeside(soundName, ".bas");
}

std::optional<std::string> suggestedCommand(std::string_view fileName, const SoundSurvey& survey) {
    switch (survey.next) {
        case NextStep::writeProgram:
            return "vornelik-cli bas " + shellQuotePath(fileName) + " -o " +
                   shellQuotePath(programNameFor(fileName)) + " --start " +
                   number(survey.range.start) + " --end " + number(survey.range.end);
        case NextStep::convertFirst:
            return "vornelik-cli convert " + shellQuotePath(fileName) + " -o " +
                   shellQuotePath(nameBeside(fileName, "-8k.wav"));
        case NextStep::nothing:
            break;
    }
    return std::nullopt;
}

std::vector<std::string> playbackWarnings(const RiffWave& wave, const SoundSurvey& survey) {
    std::vector<std::string> warnings;
    if (survey.headerless) {
        warnings.push_back(
            "The file is not RIFF WAVE: every byte is taken as an 8-bit sample, header or not.");
        return warnings;
    }
    if (!wave.format) {
        if (wave.data) {
            warnings.push_back(
                "The format is unknown: the samples are taken as 8-bit 8 kHz mono "
                "PCM.");
        }
        return warnings;
    }
    const WaveFormat& format = *wave.format;
    if (format.encoding() != wave_tag::pcm) {
        warnings.push_back("The samples are coded as " + encodingName(format.encoding()) +
                           ": the chip plays the bytes as they are, so they will sound as noise.");
    } else if (format.bitsPerSample > 8) {
        warnings.push_back(std::to_string(format.bitsPerSample) +
                           "-bit samples: the chip plays every byte as an 8-bit sample, so the "
                           "low bytes will sound as loud noise.");
    }
    if (format.channels > 1) {
        warnings.push_back(std::to_string(format.channels) +
                           " channels: the chip plays their samples one after another as a "
                           "single sound.");
    }
    const double bytesPerSecond = static_cast<double>(format.sampleRate) * format.blockAlign;
    if (bytesPerSecond > 0 && bytesPerSecond != kExpectedRate) {
        const bool slow = bytesPerSecond > kExpectedRate;
        const double ratio = slow ? bytesPerSecond / kExpectedRate : kExpectedRate / bytesPerSecond;
        warnings.push_back("The file holds " + fixed(bytesPerSecond, 0) +
                           " bytes a second and the chip plays about " +
                           std::to_string(kPlayedBytesPerSecond) + ", so it will play " +
                           factor(ratio) + " times too " + (slow ? "slow" : "fast") + ".");
    } else if (bytesPerSecond == 0) {
        warnings.push_back("The format gives no sample rate or block size: the speed is unknown.");
    }
    return warnings;
}

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
        line("Duration: " + fixed(*survey.durationSeconds, 3) + " s" +
             (assumed ? " at 8000 bytes a second" : ""));
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
    line("  quality  table bytes  played          fits");
    for (const auto& budget : survey.budgets) {
        line(budgetLine(budget));
    }
    line("  One byte of program memory per value; about " +
         std::to_string(microsecondsPerValue(Quality::good)) + " us per value in good quality, " +
         std::to_string(microsecondsPerValue(Quality::poor)) + " us in poor (DelayUS " +
         std::to_string(kGoodDelayMicroseconds) + " or " + std::to_string(kPoorDelayMicroseconds) +
         " plus the loop).");
    switch (survey.next) {
        case NextStep::writeProgram:
            break;
        case NextStep::convertFirst:
            line(
                "The chip plays 8-bit 8000 Hz mono PCM: convert the file first; the report of "
                "the result suggests its range.");
            break;
        case NextStep::nothing:
            line("Nothing to write: the file holds nothing to play.");
            break;
    }
    if (const auto command = suggestedCommand(subject.fileName, survey)) {
        // Masked as the File: line is, so that a name cannot drive the terminal.
        line(readableName(*command));
    }
    return out;
}

std::string infoReportJson(const InfoSubject& subject) {
    const RiffWave& wave = subject.wave;
    const SoundSurvey& survey = subject.survey;
    const SuggestedRange& range = survey.range;

    std::vector<std::string> chunks;
    for (const auto& chunk : wave.chunks) {
        chunks.push_back(jsonChunk(chunk));
    }
    std::vector<std::string> budgets;
    for (const auto& budget : survey.budgets) {
        budgets.push_back(jsonBudget(budget));
    }
    const auto shown = subject.file.first(std::min(subject.file.size(), kRawBytesShown));
    const std::optional<std::string> command = suggestedCommand(subject.fileName, survey);

    const std::string data =
        wave.data ? JsonObject()
                        .field("offset", number(wave.data->offset))
                        .field("declaredSize", number(std::uint64_t{wave.data->declaredSize}))
                        .field("presentSize", number(wave.data->presentSize))
                        .done()
                  : "null";
    const std::string samples =
        survey.samplesOffset
            ? JsonObject()
                  .field("offset", number(*survey.samplesOffset))
                  .field("length", number(survey.samplesLength))
                  .field("headerless", jsonBool(survey.headerless))
                  .field("silenceRule", jsonString(silenceRuleName(survey.silenceRule)))
                  .done()
            : "null";
    const std::string suggestion =
        JsonObject()
            .field("start", number(range.start))
            .field("end", number(range.end))
            .field("basis", jsonString(basisName(range.basis)))
            .field("firstSoundByte", jsonOptional(range.firstSoundByte))
            .field("lastSoundByte", jsonOptional(range.lastSoundByte))
            .field("firstByteOutOfReach", jsonBool(range.firstByteOutOfReach))
            .field("shortened", jsonBool(range.shortened))
            .field("silenceThreshold", std::to_string(kSilenceThreshold))
            .done();
    const std::string budget = JsonObject()
                                   .field("flashBytes", number(kFlashBytes))
                                   .field("programBytes", number(kProgramBytes))
                                   .field("qualities", jsonArray(budgets))
                                   .done();

    return JsonObject()
               .field("file", jsonString(subject.fileName))
               .field("size", number(survey.fileSize))
               .field("firstBytesHex", jsonString(hexBytes(shown, "")))
               .field("riffWave", jsonBool(wave.isRiffWave))
               .field("riffDeclaredSize",
                      wave.isRiffWave ? number(std::uint64_t{wave.riffDeclaredSize}) : "null")
               .field("format", wave.format ? jsonFormat(*wave.format) : "null")
               .field("chunks", jsonArray(chunks))
               .field("data", data)
               .field("samples", samples)
               .field("durationSeconds",
                      survey.durationSeconds ? fixed(*survey.durationSeconds, 6) : "null")
               .field("problems", jsonStrings(wave.problems))
               .field("notes", jsonStrings(wave.notes))
               .field("warnings", jsonStrings(playbackWarnings(wave, survey)))
               .field("suggestion", suggestion)
               .field("budget", budget)
               .field("next", jsonString(nextStepName(survey.next)))
               .field("command", command ? jsonString(*command) : "null")
               .done() +
           "\n";
}

std::string infoReport(std::string_view fileName, std::span<const std::uint8_t> file, bool json) {
    const RiffWave wave = readRiffWave(file);
    const SoundSurvey survey = surveySound(file, wave);
    const InfoSubject subject{fileName, file, wave, survey};
    return json ? infoReportJson(subject) : infoReportText(subject);
}

}  // namespace vornelik
