// SPDX-License-Identifier: MIT
#pragma once

// The `info` command's output: what a sound file holds, what the chip will make of it, which
// range to trim it to, what that costs in program memory, and the `bas` command that writes it.
// Plain text for people, JSON for scripts; both in English, file names left as given.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// Sentences on what the chip will do with samples that are not 8-bit 8 kHz mono PCM; empty
// for such samples.
std::vector<std::string> playbackWarnings(const RiffWave& wave, const SoundSurvey& survey);

// What to run next, quoted for a POSIX shell: "vornelik-cli bas SOUND -o OUT.bas --start S
// --end E" for the suggested range, "vornelik-cli convert SOUND -o SOUND-8k.wav" for samples the
// chip cannot play as they are, nothing when there is nothing to play.
std::optional<std::string> suggestedCommand(std::string_view fileName, const SoundSurvey& survey);

// The sound's name with its extension replaced by ".bas" (kept beside it, never the sound itself).
std::string programNameFor(std::string_view soundName);

// A path as one word for a POSIX shell: left bare when it is safe, else in single quotes; a word
// starting with '-' gets "./" so that it is not taken for an option.
std::string shellQuotePath(std::string_view path);

// A JSON string literal: quotes, backslashes and control characters escaped, valid UTF-8 kept
// as it is, each byte of an invalid UTF-8 sequence replaced by U+FFFD.
std::string jsonString(std::string_view text);

}  // namespace vornelik
