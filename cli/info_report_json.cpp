// SPDX-License-Identifier: MIT
// The `info` report for scripts.

#include <algorithm>

#include "cli/info_report.h"
#include "cli/json_writer.h"
#include "cli/report_values.h"
#include "cli/suggested_command.h"
#include "core/numeric_text.h"
#include "core/playback_warnings.h"
#include "core/player_program.h"

namespace vornelik {
namespace {

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

std::string jsonBudget(const QualityBudget& budget, int microsecondsPerValue) {
    return JsonObject()
        .field("quality", jsonString(qualityName(budget.quality)))
        .field("tableLines", number(budget.tableLines))
        .field("tableBytes", number(budget.tableBytes))
        .field("playedValues", number(budget.playedValues))
        .field("microsecondsPerValue", number(std::int64_t{microsecondsPerValue}))
        .field("secondsPlayed", fixedText(budget.secondsPlayed, 6))
        .field("fits", jsonBool(budget.fits))
        .field("spareBytes", number(budget.spareBytes))
        .done();
}

}  // namespace

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
        budgets.push_back(jsonBudget(budget, basCyclesPerValue(budget.quality)));
    }
    std::vector<std::string> hexBudgets;
    for (const auto& budget : survey.hexBudgets) {
        hexBudgets.push_back(jsonBudget(budget, hexCyclesPerValue(budget.quality)));
    }
    const std::optional<std::string> hex = hexCommand(subject.fileName, survey);
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
    const std::string hexBudget = JsonObject()
                                      .field("programBytes", number(playerProgramBytes()))
                                      .field("tableRoomBytes", number(playerTableRoom()))
                                      .field("qualities", jsonArray(hexBudgets))
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
                      survey.durationSeconds ? fixedText(*survey.durationSeconds, 6) : "null")
               .field("problems", jsonStrings(wave.problems))
               .field("notes", jsonStrings(wave.notes))
               .field("warnings", jsonStrings(playbackWarnings(wave, survey)))
               .field("suggestion", suggestion)
               .field("budget", budget)
               .field("hexBudget", hexBudget)
               .field("next", jsonString(nextStepName(survey.next)))
               .field("command", command ? jsonString(*command) : "null")
               .field("hexCommand", hex ? jsonString(*hex) : "null")
               .done() +
           "\n";
}

}  // namespace vornelik
