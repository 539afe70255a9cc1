// SPDX-License-Identifier: MIT
#pragma once

// What the chip will do with samples that are not 8-bit 8 kHz mono PCM: it plays every byte of
// the table as one 8-bit unsigned sample, about 8000 of them a second.

#include <string>
#include <vector>

#include "core/riff.h"
#include "core/sound_survey.h"

namespace vornelik {

// Sentences on how the samples will sound on the chip; empty for 8-bit 8 kHz mono PCM.
std::vector<std::string> playbackWarnings(const RiffWave& wave, const SoundSurvey& survey);

}  // namespace vornelik
