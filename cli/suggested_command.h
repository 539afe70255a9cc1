// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/sound_survey.h"

namespace vornelik {

// What to run next, quoted for a POSIX shell: "vornelik-cli bas SOUND -o OUT.bas --start S
// --end E" for the suggested range, "vornelik-cli convert SOUND -o SOUND-8k.wav" for samples the
// chip cannot play as they are, nothing when there is nothing to play.
std::optional<std::string> suggestedCommand(std::string_view fileName, const SoundSurvey& survey);

// The sound's name with its extension replaced by ".bas" (kept beside it, never the sound itself).
std::string programNameFor(std::string_view soundName);

}  // namespace vornelik
