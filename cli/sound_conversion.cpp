// SPDX-License-Identifier: MIT
#include "cli/sound_conversion.h"

#ifdef _WIN32
#define ENABLE_SNDFILE_WINDOWS_PROTOTYPES 1  // sf_wchar_open, for names outside the code page
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif
#include <sndfile.h>
#include <soxr.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "cli/pcm8_wave_file.h"
#include "core/sound_survey.h"
#include "core/utf8.h"

namespace vornelik {
namespace {

// Interleaved samples per block: a few hundred KiB whatever the channel count.
constexpr std::size_t kBlockSamples = 1 << 16;

std::string decimals(double value, int places) {
    std::array<char, 64> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::fixed, places);
    return {text.data(), result.ptr};
}

// 8000-Hz samples for `frames` frames at `rate`, rounded as SoX rounds the length.
std::int64_t convertedLength(std::int64_t frames, int rate) {
    return std::llround(static_cast<double>(frames) * kConvertedRate / rate);
}

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

// The frames a WAV or AIFF header promised beyond the end of the file. libsndfile reads such a
// file as far as it goes and says so only in its log: "data : 529200 (should be 299956)", the
// chunk's declared size and the bytes present.
std::int64_t loggedShortfall(SNDFILE* file, std::int64_t presentFrames) {
    std::vector<char> log(16384);
    sf_command(file, SFC_GET_LOG_INFO, log.data(), static_cast<int>(log.size()));
    const std::string_view text(log.data());
    for (const std::string_view chunk : {"data : ", "SSND : "}) {
        const std::size_t at = text.find(chunk);
        if (at == std::string_view::npos) {
            continue;
        }
        long long declared = 0;
        long long present = 0;
        const char* p = text.data() + at + chunk.size();
        const char* end = text.data() + text.size();
        auto read = std::from_chars(p, end, declared);
        constexpr std::string_view kShould = " (should be ";
        if (read.ec != std::errc() ||
            std::string_view(read.ptr, end).substr(0, kShould.size()) != kShould) {
            continue;
        }
        read = std::from_chars(read.ptr + kShould.size(), end, present);
        if (read.ec == std::errc() && present > 0 && declared > present) {
            return static_cast<std::int64_t>(static_cast<double>(declared - present) /
                                             static_cast<double>(present) *
                                             static_cast<double>(presentFrames));
        }
    }
    return 0;
}

// The input, block by block, as one channel: the average of all of them, 1 being full range.
class MonoDecoder {
  public:
    // `in` is a name as the platform's files take it: bytes on Linux, UTF-8 on Windows.
    MonoDecoder(const std::string& in, ConversionReport& report)
        : name_(readableName(in)), report_(report) {
#ifdef _WIN32
        if (in == "-") {
            // libsndfile takes the name "-" for standard input only outside Windows.
            _setmode(_fileno(stdin), _O_BINARY);
            file_.reset(sf_open_fd(_fileno(stdin), SFM_READ, &info_, 0));
        } else {
            const std::filesystem::path path(std::u8string(in.begin(), in.end()));
            file_.reset(sf_wchar_open(path.c_str(), SFM_READ, &info_));
        }
#else
        file_.reset(sf_open(in.c_str(), SFM_READ, &info_));
#endif
        if (!file_) {
            throw ConversionError("cannot read " + name_ + ": " + sf_strerror(nullptr));
        }
        if (info_.channels <= 0 || info_.samplerate <= 0) {
            throw ConversionError("cannot read " + name_ + ": no channels or no sample rate");
        }
        report.sourceFormat = formatName(file_.get(), info_.format);
        report.sourceRate = info_.samplerate;
        report.sourceChannels = info_.channels;
        report.sourceFrames = 0;
        const auto channels = static_cast<std::size_t>(info_.channels);
        blockFrames_ = std::max<std::size_t>(1, kBlockSamples / channels);
        block_.resize(blockFrames_ * channels);
        mono_.resize(blockFrames_);
    }

    // The frames the header announces; a negative or absurd count is left unknown (0).
    std::int64_t announcedFrames() const {
        return info_.frames > 0 && info_.frames < SF_COUNT_MAX ? info_.frames : 0;
    }

    // The next block; empty at the end.
    std::span<const float> next() {
        const sf_count_t read =
            sf_readf_float(file_.get(), block_.data(), static_cast<sf_count_t>(blockFrames_));
        if (read <= 0) {
            if (sf_error(file_.get()) != SF_ERR_NO_ERROR) {
                throw ConversionError("cannot read " + name_ + ": " + sf_strerror(file_.get()));
            }
            report_.missingFrames = std::max(announcedFrames() - report_.sourceFrames,
                                             loggedShortfall(file_.get(), report_.sourceFrames));
            return {};
        }
        const auto channels = static_cast<std::size_t>(info_.channels);
        for (std::size_t frame = 0; frame < static_cast<std::size_t>(read); ++frame) {
            const float* first = block_.data() + frame * channels;
            double sum = 0;
            for (std::size_t c = 0; c < channels; ++c) {
                sum += first[c];
            }
            if (!std::isfinite(sum)) {
                refuse(first, report_.sourceFrames + static_cast<std::int64_t>(frame));
            }
            mono_[frame] = static_cast<float>(sum / static_cast<double>(channels));
        }
        report_.sourceFrames += read;
        return std::span(mono_).first(static_cast<std::size_t>(read));
    }

    // The share of the announced frames read so far.
    double share() const {
        const std::int64_t all = announcedFrames();
        return all > 0 ? std::min(1.0, static_cast<double>(report_.sourceFrames) /
                                           static_cast<double>(all))
                       : 0;
    }

  private:
    // A sample that is not a number, or an infinite one, has no place in the sound: silence
    // would hide it and it cannot be clipped to either end.
    [[noreturn]] void refuse(const float* first, std::int64_t frame) const {
        const float* bad =
            std::find_if(first, first + info_.channels, [](float x) { return !std::isfinite(x); });
        const std::string what = std::isnan(*bad) ? "is not a number" : "is infinite";
        throw ConversionError(
            "cannot convert " + name_ + ": the sample at " +
            decimals(static_cast<double>(frame) / info_.samplerate, 6) + " s (frame " +
            std::to_string(frame) +
            (info_.channels > 1 ? ", channel " + std::to_string(bad - first + 1) : "") + ") " +
            what + "; nothing was written");
    }

    std::string name_;
    ConversionReport& report_;
    SF_INFO info_{};
    SoundFile file_;
    std::size_t blockFrames_ = 0;
    std::vector<float> block_;
    std::vector<float> mono_;
};

// libsoxr at high quality, the resampler SoX itself uses, fed block by block; a sound already at
// 8000 Hz passes untouched.
class Resampler {
  public:
    explicit Resampler(int rate) : ratio_(static_cast<double>(kConvertedRate) / rate) {
        if (rate == kConvertedRate) {
            return;
        }
        const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
        soxr_error_t error = nullptr;
        soxr_.reset(soxr_create(rate, kConvertedRate, 1, &error, nullptr, &quality, nullptr));
        if (error != nullptr) {
            throw ConversionError(std::string("cannot resample: ") + error);
        }
    }

    std::span<const float> push(std::span<const float> in) {
        if (!soxr_) {
            return in;
        }
        return run(in.data(), in.size());
    }

    // What is still held back once the input has ended.
    std::span<const float> finish() { return soxr_ ? run(nullptr, 0) : std::span<const float>(); }

  private:
    struct SoxrDeleter {
        void operator()(soxr_t soxr) const { soxr_delete(soxr); }
    };

    // Runs until the input is used up, or with none until nothing more comes out.
    std::span<const float> run(const float* in, std::size_t count) {
        out_.resize(static_cast<std::size_t>(static_cast<double>(count) * ratio_) + 1024);
        std::size_t made = 0;
        while (true) {
            std::size_t used = 0;
            std::size_t done = 0;
            if (const soxr_error_t error = soxr_process(
                    soxr_.get(), in, count, &used, out_.data() + made, out_.size() - made, &done)) {
                throw ConversionError(std::string("cannot resample: ") + error);
            }
            made += done;
            if (in != nullptr) {
                in += used;
                count -= used;
                if (count == 0) {
                    break;
                }
            } else if (done == 0) {
                break;
            }
            if (made == out_.size()) {
                out_.resize(out_.size() * 2);
            }
        }
        return std::span(out_).first(made);
    }

    double ratio_;
    std::unique_ptr<std::remove_pointer_t<soxr_t>, SoxrDeleter> soxr_;
    std::vector<float> out_;
};

// One pass over the input: decoded, averaged and resampled, each block of 8000-Hz samples handed
// to `use`. The result has round(n · 8000 / rate) samples for n frames in.
template <typename Use>
void eachConvertedBlock(const std::string& in, ConversionReport& report,
                        const std::function<void(double)>& progress, Use use) {
    MonoDecoder decoder(in, report);
    const auto tooLong = [&](std::int64_t samples) {
        return ConversionError("cannot convert " + readableName(in) + ": it would make " +
                               std::to_string(samples) + " samples at " +
                               std::to_string(kConvertedRate) + " Hz (" +
                               decimals(static_cast<double>(samples) / kConvertedRate / 3600, 1) +
                               " hours), more than the " + std::to_string(kLongestConvertedSound) +
                               " bytes the other commands read");
    };
    if (const std::int64_t announced =
            convertedLength(decoder.announcedFrames(), report.sourceRate);
        announced > kLongestConvertedSound) {
        throw tooLong(announced);
    }
    Resampler resampler(report.sourceRate);
    std::int64_t made = 0;
    const auto hand = [&](std::span<const float> block) {
        made += static_cast<std::int64_t>(block.size());
        if (made > kLongestConvertedSound) {
            throw tooLong(made);
        }
        use(block);
    };
    for (std::span<const float> block; !(block = decoder.next()).empty();) {
        hand(resampler.push(block));
        if (progress) {
            progress(decoder.share());
        }
    }
    const std::span<const float> rest = resampler.finish();
    std::vector<float> tail(rest.begin(), rest.end());
    // SoX's length: the resampler's last few samples cut off or made up with silence.
    const std::int64_t wanted = convertedLength(report.sourceFrames, report.sourceRate);
    tail.resize(static_cast<std::size_t>(std::max<std::int64_t>(wanted - made, 0)));
    hand(tail);
}

}  // namespace

std::uint8_t eightBitSample(double x, std::int64_t& clipped) {
    const double b = 128 + std::round(128 * x);
    if (b < 0 || b > 255) {
        ++clipped;
        return b < 0 ? 0 : 255;
    }
    return static_cast<std::uint8_t>(b);
}

ConversionReport convertSound(const std::string& in, OutputFile& out,
                              const ConversionOptions& options) {
    ConversionReport report;
    // An output that cannot go back needs the count before the first sample: one more reading
    // counts them.
    const bool counting = !out.canGoBack();
    const double passes = 1 + (options.normalize ? 1 : 0) + (counting ? 1 : 0);
    double passesDone = 0;
    const auto progressFrom = [&](double done) -> std::function<void(double)> {
        if (!options.progress) {
            return {};
        }
        return
            [&options, done, passes](double share) { options.progress((done + share) / passes); };
    };
    // The peak before the samples: a second reading costs less than holding the 8000-Hz sound,
    // 8 GiB as floats for the longest one, in memory or in a temporary file.
    if (options.normalize) {
        eachConvertedBlock(
            in, report, progressFrom(passesDone++), [&](std::span<const float> block) {
                for (const float x : block) {
                    report.peak = std::max(report.peak, std::abs(static_cast<double>(x)));
                }
            });
        // The peak lands on 1 or 255, the ends of the range on both sides of 128.
        report.gain = report.peak > 0 ? 127 / (128 * report.peak) : 1;
    }
    // One reading of the 8-bit samples: each that is kept is handed to `keep`; the count of
    // those up to the last that is not silent is returned.
    const auto quantized = [&](const auto& keep) {
        report.trimmedStart = 0;
        report.clipped = 0;
        std::uint64_t handed = 0;
        std::uint64_t kept = 0;
        bool sounding = !options.trimSilence;
        std::vector<std::uint8_t> bytes;
        eachConvertedBlock(
            in, report, progressFrom(passesDone++), [&](std::span<const float> block) {
                bytes.clear();
                for (const float x : block) {
                    report.peak = std::max(report.peak, std::abs(static_cast<double>(x)));
                    const std::uint8_t b = eightBitSample(report.gain * x, report.clipped);
                    const bool silent = isSilentByte(b);
                    if (!sounding && silent) {
                        ++report.trimmedStart;
                        continue;
                    }
                    sounding = true;
                    bytes.push_back(b);
                    if (!silent || !options.trimSilence) {
                        kept = handed + bytes.size();
                    }
                }
                handed += bytes.size();
                keep(std::span<const std::uint8_t>(bytes));
            });
        report.trimmedEnd = static_cast<std::int64_t>(handed - kept);
        return kept;
    };
    try {
        std::optional<std::uint64_t> count;
        if (counting) {
            count = quantized([](std::span<const std::uint8_t>) {});
        }
        Pcm8WaveFile file(out, kConvertedRate, count);
        const std::uint64_t kept =
            quantized([&file](std::span<const std::uint8_t> bytes) { file.write(bytes); });
        report.samples = static_cast<std::int64_t>(kept);
        file.commit(kept);
    } catch (const ConversionError&) {
        throw;
    } catch (const std::runtime_error& failure) {
        throw ConversionError(failure.what());
    }
    return report;
}

}  // namespace vornelik
