// SPDX-License-Identifier: MIT
#include "cli/sound_conversion.h"

#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "core/pcm_wave_header.h"
#include "core/sound_survey.h"
#include "core/utf8.h"

namespace vornelik {
namespace {

struct SoundFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFile = std::unique_ptr<SNDFILE, SoundFileCloser>;

std::string formatName(SNDFILE* file, int format) {
    const auto name = [&](int value) -> std::string {
        SF_FORMAT_INFO info{};
        info.format = value;
        return sf_command(file, SFC_GET_FORMAT_INFO, &info, sizeof info) == 0 && info.name
                   ? info.name
                   : "?";
    };
    return name(format & SF_FORMAT_TYPEMASK) + " / " + name(format & SF_FORMAT_SUBMASK);
}

// The whole sound as one channel, the average of all of them, 1 being full range.
std::vector<float> readMono(const std::filesystem::path& in, ConversionReport& report) {
    SF_INFO info{};
    const SoundFile file(sf_open(in.c_str(), SFM_READ, &info));
    if (!file) {
        throw ConversionError("cannot read " + readableName(in.string()) + ": " +
                              sf_strerror(nullptr));
    }
    if (info.channels <= 0 || info.samplerate <= 0) {
        throw ConversionError("cannot read " + readableName(in.string()) +
                              ": no channels or no sample rate");
    }
    report.sourceFormat = formatName(file.get(), info.format);
    report.sourceRate = info.samplerate;
    report.sourceChannels = info.channels;

    constexpr sf_count_t kBlockFrames = 4096;
    const auto channels = static_cast<std::size_t>(info.channels);
    std::vector<float> block(static_cast<std::size_t>(kBlockFrames) * channels);
    std::vector<float> mono;
    sf_count_t read = 0;
    while ((read = sf_readf_float(file.get(), block.data(), kBlockFrames)) > 0) {
        for (sf_count_t frame = 0; frame < read; ++frame) {
            const float* first = block.data() + static_cast<std::size_t>(frame) * channels;
            double sum = 0;
            for (std::size_t c = 0; c < channels; ++c) {
                sum += first[c];
            }
            mono.push_back(static_cast<float>(sum / static_cast<double>(channels)));
        }
    }
    if (sf_error(file.get()) != SF_ERR_NO_ERROR) {
        throw ConversionError("cannot read " + readableName(in.string()) + ": " +
                              sf_strerror(file.get()));
    }
    report.sourceFrames = static_cast<std::int64_t>(mono.size());
    return mono;
}

std::vector<float> resample(std::vector<float> sound, int rate) {
    if (rate == kConvertedRate || sound.empty()) {
        return sound;
    }
    const double ratio = static_cast<double>(kConvertedRate) / rate;
    std::vector<float> out(static_cast<std::size_t>(std::ceil(sound.size() * ratio)) + 64);
    SRC_DATA data{};
    data.data_in = sound.data();
    data.input_frames = static_cast<long>(sound.size());
    data.data_out = out.data();
    data.output_frames = static_cast<long>(out.size());
    data.src_ratio = ratio;
    data.end_of_input = 1;
    if (const int error = src_simple(&data, SRC_SINC_BEST_QUALITY, 1); error != 0) {
        throw ConversionError(std::string("cannot resample: ") + src_strerror(error));
    }
    out.resize(static_cast<std::size_t>(data.output_frames_gen));
    return out;
}

// Rounds to 8-bit unsigned samples, 128 being silence and 1 and 255 full range, so that the
// scale is the same on both sides of the middle.
std::vector<std::uint8_t> quantise(const std::vector<float>& sound, bool normalize,
                                   ConversionReport& report) {
    double peak = 0;
    for (const float x : sound) {
        peak = std::max(peak, std::abs(static_cast<double>(x)));
    }
    report.peak = peak;
    const bool scale = normalize && peak > 0;
    report.gain = scale ? 1 / peak : 1;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(sound.size());
    for (const float x : sound) {
        double y = scale ? x / peak : x;  // a division puts the peak at exactly full range
        if (std::abs(y) > 1) {
            ++report.clipped;
            y = std::clamp(y, -1.0, 1.0);
        }
        bytes.push_back(static_cast<std::uint8_t>(128 + std::lround(y * 127)));
    }
    return bytes;
}

void trimSilence(std::vector<std::uint8_t>& bytes, ConversionReport& report) {
    const auto sounding = [](std::uint8_t b) { return std::abs(int{b} - 128) > kSilenceThreshold; };
    const auto first = std::find_if(bytes.begin(), bytes.end(), sounding);
    const auto last = std::find_if(bytes.rbegin(), bytes.rend(), sounding).base();
    report.trimmedStart = first - bytes.begin();
    report.trimmedEnd = first == bytes.end() ? 0 : bytes.end() - last;
    bytes =
        first == bytes.end() ? std::vector<std::uint8_t>{} : std::vector<std::uint8_t>(first, last);
}

}  // namespace

void writePcm8Wave(const std::filesystem::path& out, const std::vector<std::uint8_t>& samples,
                   int sampleRate) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_U8;
    SoundFile file(sf_open(out.c_str(), SFM_WRITE, &info));
    if (!file) {
        throw ConversionError("cannot write " + readableName(out.string()) + ": " +
                              sf_strerror(nullptr));
    }
    // Whole 16-bit values whose top byte is the sample: libsndfile keeps that byte as it is.
    std::vector<short> wide(samples.size());
    std::transform(samples.begin(), samples.end(), wide.begin(),
                   [](std::uint8_t b) { return static_cast<short>((b - 128) * 256); });
    const auto count = static_cast<sf_count_t>(wide.size());
    if (sf_write_short(file.get(), wide.data(), count) != count) {
        throw ConversionError("cannot write " + readableName(out.string()) + ": " +
                              sf_strerror(file.get()));
    }
    if (sf_close(file.release()) != 0) {
        throw ConversionError("cannot write " + readableName(out.string()) + ": closing failed");
    }
}

std::string convertSound(const std::filesystem::path& in, const ConversionOptions& options,
                         ConversionReport& report) {
    std::vector<float> mono = readMono(in, report);  // sets the source rate
    std::vector<float> sound = resample(std::move(mono), report.sourceRate);
    std::vector<std::uint8_t> bytes = quantise(sound, options.normalize, report);
    if (options.trimSilence) {
        trimSilence(bytes, report);
    }
    report.samples = static_cast<std::int64_t>(bytes.size());
    return pcm8MonoWave(bytes, kConvertedRate);
}

}  // namespace vornelik
