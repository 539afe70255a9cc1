// SPDX-License-Identifier: MIT
#pragma once

// The `info` command's output: what a sound file holds, what the chip will make of it, which
// range to trim it to, what that costs in program memory, and the `bas` command that writes it.
// Plain text for people (info_report_text.cpp), JSON for scripts (info_report_json.cpp); both
// in English, file names left as given.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/riff.h"
#include "core/sound_survey.h"

namespace vornelik {

// A file as `info` looks at it: its name as the user gave it, its bytes (its first
// kFirstBytesKept at least), and what was read from them.
struct InfoSubject {
    std::string_view fileName;
    std::span<const std::uint8_t> file;
    const RiffWave& wave;
    const SoundSurvey& survey;
};

// The human-readable report, lines ended by "\n". Its last line is the suggested command, when
// there is one.
std::string infoReportText(const InfoSubject& subject);

// The same facts as one JSON object, ended by "\n".
std::string infoReportJson(const InfoSubject& subject);

// Reads and surveys `file`, then reports it as text or as JSON.
std::string infoReport(std::string_view fileName, std::span<const std::uint8_t> file, bool json);

}  // namespace vornelik
