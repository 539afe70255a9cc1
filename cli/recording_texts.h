// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vornelik {

// What core says of a recording in English (a RIFF problem or note, a playback warning), in the
// chosen language where the catalog has its pattern, its numbers written as that language's
// prose writes them; as given otherwise.
std::string translatedRecordingText(const std::string& text);

}  // namespace vornelik
