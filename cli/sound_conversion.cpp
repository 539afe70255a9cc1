// SPDX-License-Identifier: MIT
#include "cli/sound_conversion.h"

#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "cli/pcm8_wave_file.h"
#include "cli/sound_conversion_input.h"
#include "core/longest_sound.h"
#include "core/numeric_text.h"
#include "core/sound_survey.h"
#include "core/utf8.h"

#include "cli/filled_text.h"
#include "cli/translation.h"  // last: its _ is a macro

namespace vornelik {
namespace {

// Interleaved samples per block: a few hundred KiB whatever the channel count; the resampler's
// output comes in blocks of the same size whatever the ratio.
constexpr std::size_t kBlockSamples = 1 << 16;

// 8000-Hz samples for `frames` frames at `rate`, rounded as SoX rounds the length.
std::int64_t convertedLength(std::int64_t frames, int rate) {
    return std::llround(static_cast<double>(frames) * kConvertedRate / rate);
}

// The time of a sample, in seconds, as the messages give it.
std::string timeOf(std::int64_t sample, int rate) {
    return filled(_("{1} s"), {inProse(fixedText(static_cast<double>(sample) / rate, 6))});
}

// The input, block by block, as one channel: the average of all of them, 1 being full range.
class MonoDecoder {
  public:
    MonoDecoder(RandomAccessInput& in, const std::string& name, ConversionReport& report)
        : name_(readableName(name)), file_(in, name), report_(report) {
        report.sourceFormat = file_.formatName();
        report.sourceRate = file_.rate();
        report.sourceChannels = file_.channels();
        report.sourceFrames = 0;
        report.limited = 0;
        const auto channels = static_cast<std::size_t>(file_.channels());
        blockFrames_ = std::max<std::size_t>(1, kBlockSamples / channels);
        block_.resize(blockFrames_ * channels);
        mono_.resize(blockFrames_);
    }

    std::int64_t announcedFrames() const { return file_.announcedFrames(); }

    // The next block; empty at the end.
    std::span<const float> next() {
        const std::size_t read = file_.readFrames(block_.data(), blockFrames_);
        if (read == 0) {
            report_.missingFrames = std::max(announcedFrames() - report_.sourceFrames,
                                             file_.loggedShortfall(report_.sourceFrames));
            return {};
        }
        const auto channels = static_cast<std::size_t>(file_.channels());
        for (std::size_t frame = 0; frame < read; ++frame) {
            const double* first = block_.data() + frame * channels;
            double sum = 0;
            for (std::size_t c = 0; c < channels; ++c) {
                if (!std::isfinite(first[c])) {
                    refuse(first[c], report_.sourceFrames + static_cast<std::int64_t>(frame), c);
                }
                sum += first[c] / static_cast<double>(channels);  // no overflow near 1e308
            }
            if (std::abs(sum) > kLargestResampled) {
                ++report_.limited;
                sum = std::copysign(kLargestResampled, sum);
            }
            mono_[frame] = static_cast<float>(sum);
        }
        report_.sourceFrames += static_cast<std::int64_t>(read);
        return std::span(mono_).first(read);
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
    [[noreturn]] void refuse(double bad, std::int64_t frame, std::size_t channel) const {
        const std::vector<std::string> parts{name_, timeOf(frame, file_.rate()),
                                             std::to_string(frame), std::to_string(channel + 1)};
        const bool several = file_.channels() > 1;
        // Whole sentences, so that a translation words each as it needs.
        const char* text =
            std::isnan(bad)
                ? (several ? _("cannot convert {1}: the sample at {2} (frame {3}, channel {4}) is "
                               "not a number; nothing was written")
                           : _("cannot convert {1}: the sample at {2} (frame {3}) is not a number; "
                               "nothing was written"))
                : (several ? _("cannot convert {1}: the sample at {2} (frame {3}, channel {4}) is "
                               "infinite; nothing was written")
                           : _("cannot convert {1}: the sample at {2} (frame {3}) is infinite; "
                               "nothing was written"));
        throw ConversionError(filled(text, parts));
    }

    std::string name_;
    SoundFileInput file_;
    ConversionReport& report_;
    std::size_t blockFrames_ = 0;
    std::vector<double> block_;
    std::vector<float> mono_;
};

// libsoxr at high quality, the resampler SoX itself uses, fed block by block; a sound already at
// 8000 Hz passes untouched. Its output is handed on in blocks of at most kBlockSamples, the
// input given to it in pieces that make no more, so that memory stays the same at any ratio
// (a 1-Hz sound makes 8000 samples of each one).
class Resampler {
  public:
    explicit Resampler(int rate)
        : inputPiece_(std::max<std::size_t>(
              1, static_cast<std::size_t>(kBlockSamples / 2 * static_cast<double>(rate) /
                                          kConvertedRate))) {
        if (rate == kConvertedRate) {
            return;
        }
        const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
        soxr_error_t error = nullptr;
        soxr_.reset(soxr_create(rate, kConvertedRate, 1, &error, nullptr, &quality, nullptr));
        if (error != nullptr) {
            throw ConversionError(filled(_("cannot resample: {1}"), {error}));
        }
        out_.resize(kBlockSamples);
    }

    template <typename Hand>
    void push(std::span<const float> in, Hand hand) {
        if (!soxr_) {
            hand(in);
            return;
        }
        const float* next = in.data();
        std::size_t left = in.size();
        for (;;) {
            // With nothing left but a full block out, the call gives what the resampler still
            // holds of this input; a null input would end it.
            const std::size_t used = run(next, std::min(left, inputPiece_), hand);
            if (used == 0 && made_ == 0 && left > 0) {
                throw ConversionError(
                    _("cannot resample: libsoxr took no input and gave no output"));
            }
            next += used;
            left -= used;
            if (left == 0 && !full_) {
                return;
            }
        }
    }

    // What is still held back once the input has ended.
    template <typename Hand>
    void finish(Hand hand) {
        if (!soxr_) {
            return;
        }
        do {
            run(nullptr, 0, hand);
        } while (made_ > 0);
    }

  private:
    struct SoxrDeleter {
        void operator()(soxr_t soxr) const { soxr_delete(soxr); }
    };

    template <typename Hand>
    std::size_t run(const float* in, std::size_t count, Hand& hand) {
        std::size_t used = 0;
        made_ = 0;
        if (const soxr_error_t error =
                soxr_process(soxr_.get(), in, count, &used, out_.data(), out_.size(), &made_)) {
            throw ConversionError(filled(_("cannot resample: {1}"), {error}));
        }
        full_ = made_ == out_.size();
        hand(std::span<const float>(out_).first(made_));
        return used;
    }

    std::size_t inputPiece_;
    std::unique_ptr<std::remove_pointer_t<soxr_t>, SoxrDeleter> soxr_;
    std::vector<float> out_;
    std::size_t made_ = 0;
    bool full_ = false;
};

// One pass over the input: decoded, averaged and resampled, each block of 8000-Hz samples handed
// to `use`. The result has round(n · 8000 / rate) samples for n frames in.
template <typename Use>
void eachConvertedBlock(RandomAccessInput& in, const std::string& name, ConversionReport& report,
                        const std::function<void(double)>& progress, Use use) {
    MonoDecoder decoder(in, name, report);
    const auto tooLong = [&](std::int64_t samples) {
        return ConversionError(filled(
            _("cannot convert {1}: it would make {2} samples at {3} Hz ({4} hours), more than the "
              "{5} bytes the other commands read"),
            {readableName(name), std::to_string(samples), std::to_string(kConvertedRate),
             inProse(fixedText(static_cast<double>(samples) / kConvertedRate / 3600, 1)),
             std::to_string(kLongestSound)}));
    };
    if (const std::int64_t announced =
            convertedLength(decoder.announcedFrames(), report.sourceRate);
        announced > kLongestSound) {
        throw tooLong(announced);
    }
    Resampler resampler(report.sourceRate);
    std::int64_t made = 0;
    const auto hand = [&](std::span<const float> block) {
        // Every value is checked as it leaves the resampler: one that is not a number would
        // become a byte of any value.
        for (std::size_t i = 0; i < block.size(); ++i) {
            if (!std::isfinite(block[i])) {
                throw ConversionError(
                    filled(_("cannot convert {1}: the resampler made a sample at {2} that is not "
                             "a finite number; nothing was written"),
                           {readableName(name),
                            timeOf(made + static_cast<std::int64_t>(i), kConvertedRate)}));
            }
        }
        made += static_cast<std::int64_t>(block.size());
        if (made > kLongestSound) {
            throw tooLong(made);
        }
        use(block);
    };
    for (std::span<const float> block; !(block = decoder.next()).empty();) {
        resampler.push(block, hand);
        if (progress) {
            progress(decoder.share());
        }
    }
    // A decoder that yields nothing of a file that is not empty has failed, whatever it says:
    // an empty WAV would replace the old output as if all were well.
    if (report.sourceFrames == 0) {
        throw ConversionError(
            report.missingFrames > 0
                ? filled(_("cannot convert {1}: no sample could be decoded from it, though its "
                           "header promises {2} frames (it may be cut short or damaged); nothing "
                           "was written"),
                         {readableName(name), std::to_string(report.missingFrames)})
                : filled(_("cannot convert {1}: no sample could be decoded from it (it may be cut "
                           "short or damaged); nothing was written"),
                         {readableName(name)}));
    }
    // SoX's length: the resampler's last few samples cut off or made up with silence.
    const std::int64_t wanted = convertedLength(report.sourceFrames, report.sourceRate);
    resampler.finish([&](std::span<const float> rest) {
        hand(rest.first(static_cast<std::size_t>(
            std::clamp<std::int64_t>(wanted - made, 0, static_cast<std::int64_t>(rest.size())))));
    });
    const std::vector<float> silence(kBlockSamples, 0.0F);
    while (made < wanted) {
        hand(std::span(silence).first(static_cast<std::size_t>(
            std::min<std::int64_t>(wanted - made, static_cast<std::int64_t>(silence.size())))));
    }
}

}  // namespace

std::uint8_t eightBitSample(double x, std::int64_t& clipped) {
    const double b = 128 + std::round(128 * x);
    if (!(b >= 0 && b <= 255)) {  // a value that is not a number is never cast
        ++clipped;
        return b > 255 ? 255 : 0;
    }
    return static_cast<std::uint8_t>(b);
}

ConversionReport convertSound(RandomAccessInput& in, const std::string& name, OutputFile& out,
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
            in, name, report, progressFrom(passesDone++), [&](std::span<const float> block) {
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
            in, name, report, progressFrom(passesDone++), [&](std::span<const float> block) {
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
