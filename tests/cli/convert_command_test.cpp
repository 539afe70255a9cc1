// SPDX-License-Identifier: MIT
// convert: recordings of other formats, rates and channel counts come out as the 8-bit 8 kHz
// mono file the window expects, with the tone where it was; a file it cannot read leaves nothing.

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <numbers>

#include "cli/pcm8_wave_file.h"
#include "cli/sound_conversion.h"
#include "core/pcm_wave_header.h"
#include "core/riff.h"
#include "support/command_run.h"
#include "support/test_folder.h"
#include "support/wave_builder.h"

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

// Writes interleaved samples with libsndfile, as a recording program would.
void writeSamples(const std::string& path, int format, int rate, int channels,
                  const std::vector<float>& samples) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    const auto frames = static_cast<sf_count_t>(samples.size()) / channels;
    EXPECT_EQ(sf_writef_float(file, samples.data(), frames), frames);
    EXPECT_EQ(sf_close(file), 0);
}

void writeTone(const std::string& path, const Tone& tone) {
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
    writeSamples(path, tone.format, tone.rate, tone.gains.second ? 2 : 1, samples);
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
         {kWav16, 44100, {1, 1}, 440, 0.5, 3},
         {},
         24000,
         0,
         2640,
         61,
         66,
         false},
        {"FLAC 48 kHz mono",
         "flac",
         {SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 48000, {1}, 1000},
         {},
         8000,
         0,
         2000,
         61,
         66,
         false},
        {"Ogg Vorbis 44.1 kHz stereo",
         "ogg",
         {SF_FORMAT_OGG | SF_FORMAT_VORBIS, 44100, {1, 1}, 300},
         {},
         8000,
         0,
         600,
         58,
         69,
         false},
        {"channels averaged", "wav", {kWav16, 22050, {1, 0}}, {}, 8000, 0, 880, 30, 34, false},
        {"opposite channels cancel",
         "wav",
         {kWav16, 22050, {1, -1}},
         {},
         8000,
         0,
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
         0,
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
         128,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestFolder folder;
        const std::string in = folder.path(std::string("in.") + c.extension);
        writeTone(in, c.tone);
        std::vector<std::string> arguments = {"convert", in, "-o", folder.path("out.wav")};
        arguments.insert(arguments.end(), c.flags.begin(), c.flags.end());
        const CommandRun run = runCommand(arguments);
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
        // Warnings go to standard error, and nothing else does: no progress is shown when it is
        // not a terminal.
        EXPECT_EQ(
            run.err.starts_with("Warning: ") && run.err.find("were cut off") != std::string::npos,
            c.clipped)
            << run.err;
        EXPECT_EQ(run.err.empty(), !c.clipped) << run.err;
        EXPECT_EQ(run.out.find("Warning"), std::string::npos);
        EXPECT_EQ(folder.files().size(), 2U);  // no temporary file left beside
    }
}

std::string asText(const Bytes& bytes) {
    return {bytes.begin(), bytes.end()};
}

// A WAV of the given format around the sample bytes.
std::string waveOf(const wave_builder::Format& format, const Bytes& samples,
                   std::optional<std::uint32_t> declared = std::nullopt) {
    using namespace wave_builder;
    return asText(riffWave({fmt16(format), chunk("data", samples, declared)}));
}

template <typename T>
Bytes bytesOf(std::initializer_list<T> values, std::size_t times) {
    Bytes out;
    for (std::size_t i = 0; i < times; ++i) {
        for (const T value : values) {
            const auto* first = reinterpret_cast<const std::uint8_t*>(&value);
            out.insert(out.end(), first, first + sizeof value);
        }
    }
    return out;
}

std::string fileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// As each platform's file layer calls a folder.
#ifdef _WIN32
constexpr const char* kIsADirectory = "it is a directory";
#else
constexpr const char* kIsADirectory = "Is a directory";
#endif

// A file convert cannot make a sound of, or one whose decoder yields nothing, is refused with a
// reason in our words (libsndfile's only behind it), status 3, no output and an old one kept.
TEST(Convert, refusesWhatItCannotConvertSayingWhy) {
    const std::string data = std::string(VORNELIK_TEST_DATA) + "/convert/chord";
    const std::string ogg = fileBytes(data + ".ogg");
    const std::string mp3 = fileBytes(data + ".mp3");
    const struct {
        const char* name;
        std::string input;  // the input's bytes
        std::string reason;
        std::string output = "out.wav";
    } cases[] = {
        {"not a sound", "this is not a recording at all, only text",
         "it is not a sound file libsndfile reads (libsndfile: Format not recognised.)"},
        {"empty", "", "it is empty"},
        {"a WAV header and nothing after it", std::string("RIFF\x24\x00\x00\x00WAVEfmt ", 16),
         "the file ends inside its header"},
        {"a rate of 0 Hz", waveOf({1, 1, 0, 8}, Bytes(100, 128)),
         "a sample rate of 0 Hz, where convert takes 1 to 1000000 Hz"},
        {"a rate of 4 GHz", waveOf({1, 1, 4000000000, 8}, Bytes(100, 128)),
         "a sample rate of 4000000000 Hz"},
        {"a rate of 2 MHz", waveOf({1, 1, 2000000, 8}, Bytes(100, 128)),
         "a sample rate of 2000000 Hz"},
        {"16-bit floating point", waveOf({3, 1, 8000, 16}, Bytes(100, 0)),
         "16-bit floating-point samples, which libsndfile does not decode"},
        {"a header promising data that is not there", waveOf({1, 1, 8000, 8}, {}, 5000),
         "no sample could be decoded from it"},
        {"Ogg Vorbis missing its last byte", ogg.substr(0, ogg.size() - 1),
         "no sample could be decoded from it"},
        {"an MP3 cut inside its first frame", mp3.substr(0, 300), "cannot read"},
        {"no such input", "-", "missing.wav"},
        {"a folder", "/", kIsADirectory},
        {"no such output folder", asText(wave_builder::plainWave(Bytes(100, 128))), "out.wav",
         "none/out.wav"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestFolder folder;
        std::string in = folder.path("in.wav");
        if (c.input == "-") {
            in = folder.path("missing.wav");
        } else if (c.input == "/") {
            in = folder.path("");
        } else {
            folder.write("in.wav", c.input);
        }
        folder.write("out.wav", "old");
        const auto before = folder.files();
        const CommandRun run = runCommand({"convert", in, "-o", folder.path(c.output)});
        EXPECT_EQ(run.status, kInputOutput);
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("[src/"), std::string::npos) << run.err;  // no decoder chatter
        EXPECT_TRUE(run.out.empty());
        EXPECT_EQ(folder.files(), before);
        EXPECT_EQ(folder.read("out.wav"), "old");
    }
}

// At any rate from 1 Hz up, and for any finite sample, the conversion ends with every byte
// accounted for: values beyond full range clipped and counted, whatever the resampler makes of
// them, and the length round(n · 8000 / rate).
TEST(Convert, keepsEveryRateAndEveryFiniteValueInBounds) {
    const struct {
        const char* name;
        std::string input;
        std::int64_t samples;
        bool clipped;
    } cases[] = {
        {"1 Hz", waveOf({1, 1, 1, 8}, bytesOf<std::uint8_t>({28, 228}, 20)), 40 * 8000, false},
        {"3 Hz stereo", waveOf({1, 2, 3, 8}, bytesOf<std::uint8_t>({28, 228, 228, 28}, 6)), 32000,
         false},
        {"1 MHz", waveOf({1, 1, 1000000, 8}, bytesOf<std::uint8_t>({128, 200}, 100000)), 1600,
         false},
        {"floats near 3e38 at 8 kHz",
         waveOf({3, 1, 8000, 32}, bytesOf<float>({3e38F, -3e38F}, 100)), 200, true},
        {"floats near 3e38 resampled",
         waveOf({3, 1, 44100, 32}, bytesOf<float>({3e38F, -3e38F}, 2205)), 800, true},
        {"1e300 resampled",
         waveOf({3, 2, 44100, 64}, bytesOf<double>({1e300, 0.1, -1e300, 0.1}, 2205)), 800, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestFolder folder;
        folder.write("in.wav", c.input);
        const CommandRun run =
            runCommand({"convert", folder.path("in.wav"), "-o", folder.path("out.wav")});
        ASSERT_EQ(run.status, kOk) << run.err;
        const std::string out = folder.read("out.wav");
        EXPECT_EQ(static_cast<std::int64_t>(out.size()), 44 + c.samples + c.samples % 2);
        EXPECT_EQ(run.out.find("Clipped samples: 0\n") == std::string::npos, c.clipped);
        EXPECT_EQ(run.err.find("infinite"), std::string::npos) << run.err;
        // The clipped rows' samples all lie far beyond full range, which is said.
        EXPECT_EQ(run.err.find("times full range and were held there") != std::string::npos,
                  c.clipped)
            << run.err;
        if (c.clipped) {
            // Both ends are reached: nothing became silence or a byte of any value.
            EXPECT_NE(out.find('\xff', 44), std::string::npos);
            EXPECT_NE(out.find('\x00', 44), std::string::npos);
        }
    }
}

// What a run says of its input besides the result: a file cut short, a quiet sound raised, tones
// above 4 kHz that must not fold back into the sound.
TEST(Convert, saysWhatItDidAndKeepsHighTonesOut) {
    const struct {
        const char* name;
        Tone tone;
        std::size_t keptBytes;  // of the input file; 0 for all
        std::vector<std::string> flags;
        std::string said;  // in standard error
        int middlePeak;    // the largest distance from 128 away from the tone's edges
    } cases[] = {
        {"cut in half",
         {kWav16, 8000, {1}, 440, 0.5, 2},
         44 + 16000,
         {},
         "Warning: the input ends 1.000 s (8000 frames) before its header says",
         64},
        {"AIFF cut short",
         {SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 16000, {1}, 440, 0.5, 2},
         32054,
         {},
         "Warning: the input ends 1.",
         64},
        {"quiet sound normalized",
         {kWav16, 8000, {1}, 440, 0.02},
         0,
         {"--normalize"},
         "normalizing raises its noise by the same factor, 49.6 times",
         127},
        {"6 kHz", {kWav16, 44100, {1}, 6000, 0.99}, 0, {}, "Clipped samples: 0\n", 0},
        {"4.4 kHz", {kWav16, 48000, {1, 1}, 4400, 0.99}, 0, {}, "Clipped samples: 0\n", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestFolder folder;
        const std::string in = folder.path("in.snd");
        writeTone(in, c.tone);
        if (c.keptBytes > 0) {
            folder.write("in.snd", folder.read("in.snd").substr(0, c.keptBytes));
        }
        std::vector<std::string> arguments = {"convert", in, "-o", folder.path("out.wav")};
        arguments.insert(arguments.end(), c.flags.begin(), c.flags.end());
        const CommandRun run = runCommand(arguments);
        ASSERT_EQ(run.status, kOk) << run.err;
        EXPECT_NE((c.said.starts_with("Clipped") ? run.out : run.err).find(c.said),
                  std::string::npos)
            << run.out << run.err;
        const std::string out = folder.read("out.wav");
        const Bytes samples(out.begin() + 44 + 100, out.end() - 100);
        EXPECT_EQ(peak(samples), c.middlePeak);
    }
}

// An 8-bit sample read as (b − 128) / 128 is written back as b: a file already in the window's
// format comes out as it went in.
TEST(Convert, keepsEightBitEightKilohertzMonoSamplesAsTheyAre) {
    std::vector<float> values;
    for (int i = 0; i < 3000; ++i) {
        values.push_back(static_cast<float>((i * 97 % 256 - 128) / 128.0));
    }
    TestFolder folder;
    writeSamples(folder.path("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 8000, 1, values);
    const CommandRun run =
        runCommand({"convert", folder.path("in.wav"), "-o", folder.path("out.wav")});
    ASSERT_EQ(run.status, kOk) << run.err;
    EXPECT_EQ(folder.read("out.wav"), folder.read("in.wav"));
    EXPECT_NE(run.out.find("Clipped samples: 0\n"), std::string::npos);

    const struct {
        double x;
        int b;
        bool clipped;
    } edges[] = {{-1, 0, false},   {127.0 / 128, 255, false}, {1, 255, true},
                 {-1.01, 0, true}, {0.5 / 128, 129, false},   {-0.5 / 128, 127, false}};
    for (const auto& e : edges) {
        std::int64_t clipped = 0;
        EXPECT_EQ(eightBitSample(e.x, clipped), e.b) << e.x;
        EXPECT_EQ(clipped, e.clipped ? 1 : 0) << e.x;
    }
}

// A sample that is not a number, or an infinite one, stops the conversion with its time.
TEST(Convert, refusesSamplesThatAreNotNumbers) {
    const struct {
        float bad;
        const char* flag;
        const char* said;
    } cases[] = {
        {std::numeric_limits<float>::quiet_NaN(), "--trim-silence", "is not a number"},
        {std::numeric_limits<float>::infinity(), "--normalize", "is infinite"},
        {-std::numeric_limits<float>::infinity(), "--trim-silence", "is infinite"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        TestFolder folder;
        std::vector<float> samples(2 * 16000, 0.25F);
        samples[2 * 4000 + 1] = c.bad;
        writeSamples(folder.path("in.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 16000, 2, samples);
        const CommandRun run =
            runCommand({"convert", folder.path("in.wav"), "-o", folder.path("out.wav"), c.flag});
        EXPECT_EQ(run.status, kInputOutput);
        EXPECT_NE(
            run.err.find("the sample at 0.250000 s (frame 4000, channel 2) " + std::string(c.said)),
            std::string::npos)
            << run.err;
        EXPECT_EQ(folder.files().size(), 1U);
    }
}

// Every decoder, on every platform, gives what the Linux build gave: the same length, samples
// within one step. (The inputs are a decaying chord, 0.5 s at 22050 Hz in stereo, written by
// libsndfile; the expected results were converted from them on Linux.)
TEST(Convert, givesWhatTheLinuxBuildGaveForEveryDecoder) {
    for (const std::string format : {"wav", "flac", "ogg", "mp3"}) {
        SCOPED_TRACE(format);
        TestFolder folder;
        const std::string data = std::string(VORNELIK_TEST_DATA) + "/convert/chord";
        const CommandRun run =
            runCommand({"convert", data + "." + format, "-o", folder.path("out.wav")});
        ASSERT_EQ(run.status, kOk) << run.err;
        const std::string out = folder.read("out.wav");
        std::ifstream file(data + "-" + format + ".expected.wav", std::ios::binary);
        const std::string expected{std::istreambuf_iterator<char>(file), {}};
        ASSERT_EQ(out.size(), expected.size());
        EXPECT_EQ(out.substr(0, 44), expected.substr(0, 44));
        int most = 0;
        for (std::size_t i = 44; i < out.size(); ++i) {
            most = std::max(most, std::abs(int{static_cast<std::uint8_t>(out[i])} -
                                           static_cast<std::uint8_t>(expected[i])));
        }
        EXPECT_LE(most, 1);
    }
}

// The header written for the window's format is the one libsndfile writes for it.
TEST(PcmWaveHeader, isWhatLibsndfileWrites) {
    for (const std::size_t count : {0, 1, 10, 4001}) {
        for (const int rate : {8000, 4444}) {
            SCOPED_TRACE(std::to_string(count) + " samples at " + std::to_string(rate));
            TestFolder folder;
            Bytes samples(count);
            std::vector<short> wide(count);  // libsndfile keeps the top byte as it is
            for (std::size_t i = 0; i < count; ++i) {
                samples[i] = static_cast<std::uint8_t>(i * 37);
                wide[i] = static_cast<short>((samples[i] - 128) * 256);
            }
            SF_INFO info{};
            info.samplerate = rate;
            info.channels = 1;
            info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_U8;
            SNDFILE* sf = sf_open(folder.path("sf.wav").c_str(), SFM_WRITE, &info);
            ASSERT_NE(sf, nullptr);
            sf_write_short(sf, wide.data(), static_cast<sf_count_t>(count));
            sf_close(sf);
            // The header, the samples and the pad byte after an odd count.
            const auto header = pcm8MonoWaveHeader(static_cast<std::uint32_t>(count),
                                                   static_cast<std::uint32_t>(rate));
            std::string file(header.begin(), header.end());
            file.append(samples.begin(), samples.end());
            file.append(count % 2, '\0');
            EXPECT_TRUE(file == folder.read("sf.wav"));
        }
    }
}

}  // namespace
}  // namespace vornelik
