// SPDX-License-Identifier: MIT
// convert: recordings of other formats, rates and channel counts come out as the 8-bit 8 kHz
// mono file the window expects, with the tone where it was; a file it cannot read leaves nothing.

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <numbers>

#include "cli/sound_conversion.h"
#include "command_run.h"
#include "core/pcm_wave_header.h"
#include "core/riff.h"
#include "ui/form_harness.h"

namespace vornelik {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Tone {
    int format;  // libsndfile's major format and encoding
    int rate;
    // The tone's gain in the first channel, and in the second where there is one. (Not a vector:
    // g++ 12 at -O2 takes the aggregate's vector for a use after free.)
    struct Gains {
        double first;
        std::optional<double> second = std::nullopt;
    } gains;
    double frequency = 440;
    double amplitude = 0.5;
    double seconds = 1;
    double silence = 0;  // seconds before and after the tone
};

// Writes the tone with libsndfile, as a recording program would.
void writeTone(const std::string& path, const Tone& tone) {
    SF_INFO info{};
    info.samplerate = tone.rate;
    info.channels = tone.gains.second ? 2 : 1;
    info.format = tone.format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    const auto frames =
        static_cast<std::size_t>(std::lround((tone.seconds + 2 * tone.silence) * tone.rate));
    std::vector<float> samples;
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / tone.rate - tone.silence;
        const double value =
            t >= 0 && t < tone.seconds
                ? tone.amplitude * std::sin(2 * std::numbers::pi * tone.frequency * t)
                : 0;
        samples.push_back(static_cast<float>(tone.gains.first * value));
        if (tone.gains.second) {
            samples.push_back(static_cast<float>(*tone.gains.second * value));
        }
    }
    EXPECT_EQ(sf_writef_float(file, samples.data(), static_cast<sf_count_t>(frames)),
              static_cast<sf_count_t>(frames));
    EXPECT_EQ(sf_close(file), 0);
}

// Sign changes around 128, a silent middle value passed over.
std::size_t crossings(std::span<const std::uint8_t> samples) {
    std::size_t count = 0;
    int last = 0;
    for (const std::uint8_t b : samples) {
        const int sign = (b > 128) - (b < 128);
        if (sign != 0 && last != 0 && sign != last) {
            ++count;
        }
        if (sign != 0) {
            last = sign;
        }
    }
    return count;
}

int peak(std::span<const std::uint8_t> samples) {
    int most = 0;
    for (const std::uint8_t b : samples) {
        most = std::max(most, std::abs(int{b} - 128));
    }
    return most;
}

constexpr int kWav16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
constexpr std::size_t kAnyCrossings = SIZE_MAX;

struct ConvertCase {
    const char* name;
    const char* extension;
    Tone tone;
    std::vector<std::string> flags;
    std::size_t samples;  // expected, within `slack`
    std::size_t slack;
    std::size_t crossings;  // twice the tone's cycles
    int peakLow;            // the largest distance from 128, at least and at most
    int peakHigh;
    bool clipped;
};

TEST(Convert, makesEightBitEightKilohertzMonoWithTheToneKept) {
    const ConvertCase cases[] = {
        {"WAV 44.1 kHz stereo 16-bit",
         "wav",
         {kWav16, 44100, {1, 1}},
         {},
         8000,
         2,
         880,
         61,
         66,
         false},
        {"FLAC 48 kHz mono",
         "flac",
         {SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 48000, {1}, 1000},
         {},
         8000,
         2,
         2000,
         61,
         66,
         false},
        {"Ogg Vorbis 44.1 kHz stereo",
         "ogg",
         {SF_FORMAT_OGG | SF_FORMAT_VORBIS, 44100, {1, 1}, 300},
         {},
         8000,
         8,
         600,
         58,
         69,
         false},
        {"channels averaged", "wav", {kWav16, 22050, {1, 0}}, {}, 8000, 2, 880, 30, 34, false},
        {"opposite channels cancel",
         "wav",
         {kWav16, 22050, {1, -1}},
         {},
         8000,
         2,
         kAnyCrossings,
         0,
         1,
         false},
        {"8 kHz already", "wav", {kWav16, 8000, {1}}, {}, 8000, 0, 880, 63, 64, false},
        {"normalized",
         "wav",
         {kWav16, 11025, {1}, 440, 0.25},
         {"--normalize"},
         8000,
         2,
         880,
         127,
         127,
         false},
        {"silence trimmed",
         "wav",
         {kWav16, 16000, {1}, 440, 0.5, 0.5, 0.25},
         {"--trim-silence"},
         4000,
         16,
         440,
         61,
         66,
         false},
        {"clipped",
         "wav",
         {SF_FORMAT_WAV | SF_FORMAT_FLOAT, 8000, {1}, 440, 1.5},
         {},
         8000,
         0,
         880,
         127,
         127,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestFolder folder;
        const std::string in = folder.path(std::string("in.") + c.extension);
        writeTone(in, c.tone);
        std::vector<std::string> arguments = {"convert", in, "-o", folder.path("out.wav")};
        arguments.insert(arguments.end(), c.flags.begin(), c.flags.end());
        const CommandRun run = runCommand(addConvertCommand, arguments);
        ASSERT_EQ(run.status, kOk) << run.err;

        const std::string text = folder.read("out.wav");
        const Bytes file(text.begin(), text.end());
        const RiffWave wave = readRiffWave(file);
        ASSERT_TRUE(wave.complete());
        EXPECT_TRUE(wave.problems.empty());
        EXPECT_EQ(wave.format->formatTag, wave_tag::pcm);
        EXPECT_EQ(wave.format->channels, 1);
        EXPECT_EQ(wave.format->sampleRate, 8000U);
        EXPECT_EQ(wave.format->bitsPerSample, 8);
        EXPECT_EQ(wave.data->offset, 44U);
        const std::size_t n = wave.data->presentSize;
        EXPECT_EQ(file.size(), 44 + n + n % 2);
        EXPECT_NEAR(static_cast<double>(n), static_cast<double>(c.samples),
                    static_cast<double>(c.slack));

        const auto samples = std::span(file).subspan(44, n);
        if (c.crossings != kAnyCrossings) {
            EXPECT_NEAR(static_cast<double>(crossings(samples)), static_cast<double>(c.crossings),
                        4);
        }
        EXPECT_GE(peak(samples), c.peakLow);
        EXPECT_LE(peak(samples), c.peakHigh);

        EXPECT_NE(run.out.find("; data offset 44\n"), std::string::npos) << run.out;
        EXPECT_NE(
            run.out.find("Wrote " + folder.path("out.wav") + ": " + std::to_string(n) + " samples"),
            std::string::npos);
        EXPECT_NE(run.out.find("Data: " + std::to_string(n) + " bytes at offset 44\n"),
                  std::string::npos);
        EXPECT_EQ(run.out.find("Clipped samples: 0\n") == std::string::npos, c.clipped);
        EXPECT_EQ(run.out.find("Warning: ") != std::string::npos &&
                      run.out.find("were cut off") != std::string::npos,
                  c.clipped);
        EXPECT_EQ(folder.files().size(), 2U);  // no temporary file left beside
    }
}

TEST(Convert, leavesNoOutputWhenItCannotReadOrWrite) {
    const struct {
        const char* name;
        std::string input;  // the input's bytes; absent when empty
        std::string output;
        std::string reason;
    } cases[] = {
        {"not a sound", "this is not a recording at all, only text", "out.wav",
         "Format not recognised"},
        {"no such input", "", "out.wav", "No such file"},
        {"a WAV header and nothing after it", "RIFF\x24\x00\x00\x00WAVEfmt ", "out.wav", ": "},
        {"no such output folder", "", "none/out.wav", "cannot write"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestFolder folder;
        std::string in = folder.path("in.wav");
        if (std::string(c.name) == "no such output folder") {
            writeTone(in, {kWav16, 8000, {1}});
        } else if (!c.input.empty()) {
            folder.write("in.wav", c.input);
        }
        const auto before = folder.files();
        const CommandRun run =
            runCommand(addConvertCommand, {"convert", in, "-o", folder.path(c.output)});
        EXPECT_EQ(run.status, kInputOutput);
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty());
        EXPECT_EQ(folder.files(), before);
    }
}

TEST(Convert, keepsAnOldOutputWhenItFails) {
    TestFolder folder;
    folder.write("in.wav", "garbage");
    folder.write("out.wav", "old");
    EXPECT_EQ(runCommand(addConvertCommand,
                         {"convert", folder.path("in.wav"), "-o", folder.path("out.wav")})
                  .status,
              kInputOutput);
    EXPECT_EQ(folder.read("out.wav"), "old");
}

// The header the Windows build writes without libsndfile is the one libsndfile writes.
TEST(PcmWaveHeader, isWhatLibsndfileWrites) {
    for (const std::size_t count : {0, 1, 10, 4001}) {
        for (const int rate : {8000, 4444}) {
            SCOPED_TRACE(std::to_string(count) + " samples at " + std::to_string(rate));
            TestFolder folder;
            Bytes samples(count);
            for (std::size_t i = 0; i < count; ++i) {
                samples[i] = static_cast<std::uint8_t>(i * 37);
            }
            writePcm8Wave(folder.path("w.wav"), samples, rate);
            const std::string file = folder.read("w.wav");
            const auto header = pcm8MonoWaveHeader(static_cast<std::uint32_t>(count),
                                                   static_cast<std::uint32_t>(rate));
            ASSERT_EQ(file.size(), 44 + count + count % 2);
            EXPECT_EQ(Bytes(file.begin(), file.begin() + 44), Bytes(header.begin(), header.end()));
            EXPECT_EQ(Bytes(file.begin() + 44, file.begin() + 44 + static_cast<long>(count)),
                      samples);
        }
    }
}

}  // namespace
}  // namespace vornelik
