// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/sound_survey.h"

namespace vornelik {

// What to run next, quoted for a POSIX shell: "vornelik-cli bas SOUND -o OUT.bas --start S
// --end E" for the suggested range, "vornelik-cli convert SOUND -o SOUND-8k.wav" for samples the
// chip cannot play as they are, nothing when there is nothing to play.
std::optional<std::string> suggestedCommand(std::string_view fileName, const SoundSurvey& survey);

// "vornelik-cli hex SOUND -o OUT.hex --start S --end E" where the suggestion is `bas`.
std::optional<std::string> hexCommand(std::string_view fileName, const SoundSurvey& survey);

// The commands a person is shown: the suggested one, and the hex command beside a bas one.
std::vector<std::string> suggestedCommands(std::string_view fileName, const SoundSurvey& survey);

// The sound's name with its extension replaced by ".bas" (kept beside it, never the sound itself).
std::string programNameFor(std::string_view soundName);

}  // namespace vornelik
