// SPDX-License-Identifier: MIT
#include "core/playback_warnings.h"

#include "core/numeric_text.h"

namespace vornelik {
namespace {

constexpr auto kExpectedRate = static_cast<std::uint32_t>(kSoundRate);

// "5.5", "2": one decimal, none when it is zero.
std::string factor(double value) {
    std::string text = fixedText(value, 1);
    if (text.size() > 2 && text.ends_with(".0")) {
        text.resize(text.size() - 2);
    }
    return text;
}

}  // namespace

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
        warnings.push_back("The file holds " + fixedText(bytesPerSecond, 0) +
                           " bytes a second and the chip plays about " +
                           std::to_string(kPlayedBytesPerSecond) + ", so it will play " +
                           factor(ratio) + " times too " + (slow ? "slow" : "fast") + ".");
    } else if (bytesPerSecond == 0) {
        warnings.push_back("The format gives no sample rate or block size: the speed is unknown.");
    }
    return warnings;
}

}  // namespace vornelik
