// SPDX-License-Identifier: MIT
#include "cli/suggested_command.h"

#include <algorithm>

#include "cli/report_values.h"
#include "cli/shell_quote.h"

namespace vornelik {
namespace {

// The sound's name with its extension replaced by the ending; where that would name the sound
// itself, the ending is added to the whole name.
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

}  // namespace

std::string programNameFor(std::string_view soundName) {
    return nameBeside(soundName, ".bas");
}

namespace {

std::string writeCommand(std::string_view command, std::string_view fileName,
                         std::string_view ending, const SoundSurvey& survey) {
    return "vornelik-cli " + std::string(command) + " " + shellQuotePath(fileName) + " -o " +
           shellQuotePath(nameBeside(fileName, ending)) + " --start " + number(survey.range.start) +
           " --end " + number(survey.range.end);
}

}  // namespace

std::optional<std::string> hexCommand(std::string_view fileName, const SoundSurvey& survey) {
    if (survey.next != NextStep::writeProgram) {
        return std::nullopt;
    }
    return writeCommand("hex", fileName, ".hex", survey);
}

std::vector<std::string> suggestedCommands(std::string_view fileName, const SoundSurvey& survey) {
    std::vector<std::string> commands;
    for (const auto& command : {suggestedCommand(fileName, survey), hexCommand(fileName, survey)}) {
        if (command) {
            commands.push_back(*command);
        }
    }
    return commands;
}

std::optional<std::string> suggestedCommand(std::string_view fileName, const SoundSurvey& survey) {
    switch (survey.next) {
        case NextStep::writeProgram:
            return writeCommand("bas", fileName, ".bas", survey);
        case NextStep::convertFirst:
            return "vornelik-cli convert " + shellQuotePath(fileName) + " -o " +
                   shellQuotePath(nameBeside(fileName, "-8k.wav"));
        case NextStep::nothing:
            break;
    }
    return std::nullopt;
}

}  // namespace vornelik
