// SPDX-License-Identifier: MIT
#include "cli/recording_texts.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "cli/filled_text.h"
#include "cli/message_patterns.h"

#include "cli/translation.h"  // last: its _ is a macro

namespace vornelik {
namespace {

// The texts of core/riff.cpp and core/playback_warnings.cpp, the most particular first.
constexpr std::array<MessagePattern, 22> kRecordingTexts{{
    {"The file is a big-endian RIFX file, which is not read.",
     N_("The file is a big-endian RIFX file, which is not read.")},
    {"The file is an RF64 file, which is not read.",
     N_("The file is an RF64 file, which is not read.")},
    {"The file starts with \"RIFF\" but ends after {1} bytes, inside its 12-byte header.",
     N_("The file starts with \"RIFF\" but ends after {1} bytes, inside its 12-byte header.")},
    {"The file is a RIFF file of form {1}, not a WAVE file.",
     N_("The file is a RIFF file of form {1}, not a WAVE file.")},
    {"The file does not start with \"RIFF\": it is not a RIFF WAVE file.",
     N_("The file does not start with \"RIFF\": it is not a RIFF WAVE file.")},
    {"The \"fmt \" chunk at offset {1} holds {2} bytes; at least 16 are needed.",
     N_("The \"fmt \" chunk at offset {1} holds {2} bytes; at least 16 are needed.")},
    {"The \"fmt \" chunk at offset {1} names the extensible format but lacks its 22-byte "
     "extension.",
     N_("The \"fmt \" chunk at offset {1} names the extensible format but lacks its 22-byte "
        "extension.")},
    {"The {1} chunk at offset {2} declares {3} bytes but only {4} are present: the file ends "
     "early.",
     N_("The {1} chunk at offset {2} declares {3} bytes but only {4} are present: the file ends "
        "early.")},
    {"The {1} chunk at offset {2} declares {3} bytes but only {4} are present.",
     N_("The {1} chunk at offset {2} declares {3} bytes but only {4} are present.")},
    {"The file ends inside a chunk header at offset {1}: {2} of its 8 bytes are present.",
     N_("The file ends inside a chunk header at offset {1}: {2} of its 8 bytes are present.")},
    {"The RIFF header declares {1} bytes after its first 8; the file holds {2}.",
     N_("The RIFF header declares {1} bytes after its first 8; the file holds {2}.")},
    {"The file has no \"fmt \" chunk.", N_("The file has no \"fmt \" chunk.")},
    {"The file has no \"data\" chunk.", N_("The file has no \"data\" chunk.")},
    {"{1} bytes after the end of the RIFF chunk, at offset {2}, were not read.",
     N_("{1} bytes after the end of the RIFF chunk, at offset {2}, were not read.")},
    {"The file is not RIFF WAVE: every byte is taken as an 8-bit sample, header or not.",
     N_("The file is not RIFF WAVE: every byte is taken as an 8-bit sample, header or not.")},
    {"The format is unknown: the samples are taken as 8-bit 8 kHz mono PCM.",
     N_("The format is unknown: the samples are taken as 8-bit 8 kHz mono PCM.")},
    {"The samples are coded as {1}: the chip plays the bytes as they are, so they will sound as "
     "noise.",
     N_("The samples are coded as {1}: the chip plays the bytes as they are, so they will sound "
        "as noise.")},
    {"{1}-bit samples: the chip plays every byte as an 8-bit sample, so the low bytes will sound "
     "as loud noise.",
     N_("{1}-bit samples: the chip plays every byte as an 8-bit sample, so the low bytes will "
        "sound as loud noise.")},
    {"{1} channels: the chip plays their samples one after another as a single sound.",
     N_("{1} channels: the chip plays their samples one after another as a single sound.")},
    {"The file holds {1} bytes a second and the chip plays about {2}, so it will play {3} times "
     "too slow.",
     N_("The file holds {1} bytes a second and the chip plays about {2}, so it will play {3} "
        "times too slow.")},
    {"The file holds {1} bytes a second and the chip plays about {2}, so it will play {3} times "
     "too fast.",
     N_("The file holds {1} bytes a second and the chip plays about {2}, so it will play {3} "
        "times too fast.")},
    {"The format gives no sample rate or block size: the speed is unknown.",
     N_("The format gives no sample rate or block size: the speed is unknown.")},
}};

// A decimal number among the parts, as prose writes it; any other part as it is.
std::string inProseWhereDecimal(std::string part) {
    const bool decimal = !part.empty() && std::count(part.begin(), part.end(), '.') == 1 &&
                         std::all_of(part.begin(), part.end(), [](unsigned char c) {
                             return std::isdigit(c) != 0 || c == '.';
                         });
    return decimal ? inProse(std::move(part)) : part;
}

}  // namespace

std::string translatedRecordingText(const std::string& text) {
    return matched(kRecordingTexts, text, inProseWhereDecimal).value_or(text);
}

}  // namespace vornelik
