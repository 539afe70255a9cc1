// SPDX-License-Identifier: MIT
#include "core/sound_survey.h"

#include <algorithm>
#include <cstdlib>

#include "core/player_program.h"

namespace vornelik {
namespace {

bool silentTopByte(std::uint8_t byte) {
    return std::abs(int{static_cast<std::int8_t>(byte)}) <= kSilenceThreshold;
}

// The bytes of one sample: the unsigned rule looks at single bytes, the signed one at each
// sample's most significant (last) byte.
std::size_t sampleBytesFor(SilenceRule rule, const std::optional<WaveFormat>& format) {
    return rule == SilenceRule::signedTopByte ? (format->bitsPerSample + 7U) / 8U : 1;
}

SilenceRule silenceRuleFor(const std::optional<WaveFormat>& format) {
    if (!format) {
        return SilenceRule::unsignedByte;  // taken as the 8-bit PCM the window expects
    }
    if (format->encoding() != wave_tag::pcm || format->channels == 0) {
        return SilenceRule::none;
    }
    if (format->bitsPerSample >= 1 && format->bitsPerSample <= 8) {
        return SilenceRule::unsignedByte;
    }
    const unsigned sampleBytes = (format->bitsPerSample + 7U) / 8U;
    if (format->bitsPerSample <= 32 && format->blockAlign == format->channels * sampleBytes) {
        return SilenceRule::signedTopByte;
    }
    return SilenceRule::none;
}

// The rule for a file with the structure found in it; one that is not RIFF WAVE is taken as the
// 8-bit PCM the window expects.
SilenceRule silenceRuleOf(const RiffWave& wave) {
    return wave.isRiffWave ? silenceRuleFor(wave.format) : SilenceRule::unsignedByte;
}

std::int64_t roundUp(std::int64_t value, std::int64_t step) {
    return (value + step - 1) / step * step;
}

// Both qualities' lines cover an even number of bytes, so one byte less for an odd length
// loses nothing from either table and makes the poor quality's loop count whole.
std::int64_t evenEnd(std::int64_t start, std::int64_t end) {
    return (end - start) % 2 != 0 ? end - 1 : end;
}

std::int64_t oneBefore(std::int64_t offset) {
    return offset > 0 ? offset - 1 : 0;
}

// Finds the sound in the samples as they pass: the first and last sample that is not silent,
// and, for a sound longer than the chip holds, the start of the kLongestRange bytes after it that
// hold the most sound bytes (counting each sample's silence-deciding byte), the earliest of
// equals, searched from one before the sound's first byte on. The count over a window only
// rises where a sound byte enters it, so only those windows need counting, over a ring of the
// window's sound byte offsets, at most kLongestRange of them.
class SoundFinder {
  public:
    SoundFinder(SilenceRule rule, std::size_t sampleBytes, std::uint64_t offset)
        : rule_(rule), sampleBytes_(sampleBytes), at_(static_cast<std::int64_t>(offset)) {}

    SilenceRule rule() const { return rule_; }
    std::size_t sampleBytes() const { return sampleBytes_; }

    void take(std::span<const std::uint8_t> bytes) {
        for (const std::uint8_t byte : bytes) {
            if (++phase_ == sampleBytes_) {
                phase_ = 0;
                if (!(rule_ == SilenceRule::unsignedByte ? isSilentByte(byte)
                                                         : silentTopByte(byte))) {
                    soundAt(at_);
                }
            }
            ++at_;
        }
    }

    bool foundSound() const { return first_ >= 0; }
    std::int64_t firstSoundByte() const { return first_; }
    std::int64_t lastSoundByte() const { return last_; }
    std::int64_t loudestStretch() const { return best_; }

  private:
    void soundAt(std::int64_t at) {
        if (first_ < 0) {
            first_ = at - static_cast<std::int64_t>(sampleBytes_) + 1;
            from_ = oneBefore(first_);
            best_ = from_;
        }
        last_ = at;
        if (!counted_ && at > from_ + kLongestRange) {
            // The first window, after from_, was passed without a sound byte at its end.
            dropThrough(from_);
            counted_ = true;
            bestCount_ = held_;
        }
        push(at);
        if (at < from_ + kLongestRange) {
            return;
        }
        const std::int64_t windowStart = at - kLongestRange;
        dropThrough(windowStart);
        if (!counted_ || held_ > bestCount_) {
            counted_ = true;
            best_ = windowStart;
            bestCount_ = held_;
        }
    }

    // The window after `start` holds no offset up to it.
    void dropThrough(std::int64_t start) {
        while (held_ > 0 && ring_[head_] <= start) {
            head_ = (head_ + 1) & (ring_.size() - 1);
            --held_;
        }
    }

    // A ring that doubles when full, its size a power of two, so that a short sound costs
    // little and a long one moves no memory once its window is at its largest.
    void push(std::int64_t at) {
        if (held_ == ring_.size()) {
            std::vector<std::int64_t> larger(std::max<std::size_t>(64, 2 * ring_.size()));
            for (std::size_t k = 0; k < held_; ++k) {
                larger[k] = ring_[(head_ + k) & (ring_.size() - 1)];
            }
            ring_ = std::move(larger);
            head_ = 0;
        }
        ring_[(head_ + held_) & (ring_.size() - 1)] = at;
        ++held_;
    }

    SilenceRule rule_;
    std::size_t sampleBytes_;
    std::int64_t at_;  // the file offset of the next byte
    std::size_t phase_ = 0;
    std::int64_t first_ = -1;
    std::int64_t last_ = -1;
    std::int64_t from_ = 0;
    std::vector<std::int64_t> ring_;  // the sound bytes' offsets in the current window
    std::size_t head_ = 0;
    std::size_t held_ = 0;
    bool counted_ = false;
    std::int64_t best_ = 0;
    std::size_t bestCount_ = 0;
};

// A range over samples that hold no sound, or were not looked at: all of them, as far as the
// chip holds them.
void coverWhole(SuggestedRange& range, std::int64_t start, std::int64_t end) {
    range.start = start;
    range.shortened = end - start > kLongestRange;
    range.end = evenEnd(start, range.shortened ? start + kLongestRange : end);
}

SuggestedRange suggestRange(const SoundSurvey& survey, const SoundFinder* finder) {
    SuggestedRange range;
    if (!survey.samplesOffset) {
        range.basis = RangeBasis::wholeFile;
        coverWhole(range, 0, static_cast<std::int64_t>(survey.fileSize));
        return range;
    }
    const auto offset = static_cast<std::int64_t>(*survey.samplesOffset);
    const auto length = static_cast<std::int64_t>(survey.samplesLength);
    const std::int64_t lastSample = offset + length - 1;
    const std::int64_t lowestStart = oneBefore(offset);  // the table begins with the first sample

    if (finder == nullptr || !finder->foundSound()) {
        range.basis =
            survey.silenceRule == SilenceRule::none ? RangeBasis::wholeData : RangeBasis::allSilent;
        coverWhole(range, lowestStart, length > 0 ? lastSample : lowestStart);
        return range;
    }

    const std::int64_t first = finder->firstSoundByte();
    const std::int64_t last = finder->lastSoundByte();
    range.basis = RangeBasis::sound;
    range.firstSoundByte = static_cast<std::uint64_t>(first);
    range.lastSoundByte = static_cast<std::uint64_t>(last);
    range.firstByteOutOfReach = first == 0;
    range.start = oneBefore(first);
    const std::int64_t span = last - range.start;
    if (span > kLongestRange) {
        range.shortened = true;
        range.start = finder->loudestStretch();
        range.end = range.start + kLongestRange;
        return range;
    }
    // Whole lines in both qualities, else in good quality, taking the bytes added from the
    // silence after the sound, or else before it.
    for (const std::int64_t line : {2 * kValuesPerLine, kValuesPerLine}) {
        const std::int64_t whole = roundUp(span, line);
        if (range.start + whole <= lastSample) {
            range.end = range.start + whole;
            return range;
        }
        if (lastSample - whole >= lowestStart) {
            range.start = lastSample - whole;
            range.end = lastSample;
            return range;
        }
    }
    // The samples are too short for a whole last line: it stops short of the sound's end.
    range.end = evenEnd(range.start, last);
    return range;
}

bool chipsOwnFormat(const WaveFormat& format) {
    return format.encoding() == wave_tag::pcm && format.channels == 1 &&
           format.bitsPerSample == 8 && format.blockAlign == 1 &&
           format.sampleRate == static_cast<std::uint32_t>(kPlayedBytesPerSecond);
}

NextStep nextStep(const SoundSurvey& survey, const RiffWave& wave) {
    if (survey.range.basis == RangeBasis::allSilent ||
        survey.range.basis == RangeBasis::wholeFile) {
        return NextStep::nothing;
    }
    if (wave.isRiffWave && wave.format && !chipsOwnFormat(*wave.format)) {
        return NextStep::convertFirst;
    }
    return NextStep::writeProgram;
}

// The survey of a file of `fileSize` bytes with the structure found in it, from what the finder
// saw of its samples (none where silence is not looked for).
SoundSurvey completeSurvey(const RiffWave& wave, std::uint64_t fileSize,
                           const SoundFinder* finder) {
    SoundSurvey survey;
    survey.fileSize = fileSize;
    if (!wave.isRiffWave) {
        survey.headerless = true;
        survey.samplesOffset = 0;
        survey.samplesLength = fileSize;
        survey.silenceRule = silenceRuleOf(wave);
        survey.durationSeconds = static_cast<double>(fileSize) / kSoundRate;
    } else if (wave.data) {
        // Clamped again so that a result from some other file cannot lead outside this one.
        const std::uint64_t offset = std::min<std::uint64_t>(wave.data->offset, fileSize);
        survey.samplesOffset = offset;
        survey.samplesLength = std::min<std::uint64_t>(wave.data->presentSize, fileSize - offset);
        survey.silenceRule = silenceRuleOf(wave);
        if (wave.format && wave.format->sampleRate > 0 && wave.format->blockAlign > 0) {
            const double bytesPerSecond =
                static_cast<double>(wave.format->sampleRate) * wave.format->blockAlign;
            survey.durationSeconds = static_cast<double>(survey.samplesLength) / bytesPerSecond;
        }
    }
    survey.range = suggestRange(survey, finder);
    survey.budgets = {flashBudget(Quality::good, survey.range.start, survey.range.end),
                      flashBudget(Quality::poor, survey.range.start, survey.range.end)};
    survey.hexBudgets = {hexFlashBudget(Quality::good, survey.range.start, survey.range.end),
                         hexFlashBudget(Quality::poor, survey.range.start, survey.range.end)};
    survey.next = nextStep(survey, wave);
    return survey;
}

}  // namespace

QualityBudget flashBudget(Quality quality, std::int64_t start, std::int64_t end) {
    QualityBudget budget;
    budget.quality = quality;
    const std::int64_t lineSpan = stepOf(quality) * kValuesPerLine;
    budget.tableLines = end - lineSpan >= start ? (end - lineSpan - start) / lineSpan + 1 : 0;
    budget.tableBytes = budget.tableLines * kValuesPerLine;

    // The loop runs "For sayi=0 To" the memory size: end - start, halved for poor quality (a
    // half is dropped, as the comma locale's read-back drops it).
    const std::int64_t memory = (end - start) / stepOf(quality);
    budget.playedValues = memory >= 0 ? memory + 1 : 0;
    budget.secondsPlayed =
        static_cast<double>(budget.playedValues) * basCyclesPerValue(quality) / kCyclesPerSecond;

    budget.spareBytes = kTableRoomBytes - budget.tableBytes;
    budget.fits = budget.spareBytes >= 0;
    return budget;
}

QualityBudget hexFlashBudget(Quality quality, std::int64_t start, std::int64_t end) {
    QualityBudget budget = flashBudget(quality, start, end);
    budget.playedValues = budget.tableBytes;
    budget.secondsPlayed =
        static_cast<double>(budget.tableBytes) * hexCyclesPerValue(quality) / kCyclesPerSecond;
    budget.spareBytes = playerTableRoom() - budget.tableBytes;
    budget.fits = budget.spareBytes >= 0;
    return budget;
}

SurveyedSound surveySound(ByteSource& file, SampleSink* also) {
    // Counts the bytes and keeps the first ones as they are read.
    class Counting : public ByteSource {
      public:
        Counting(ByteSource& source, std::vector<std::uint8_t>& first)
            : source_(source), first_(first) {}
        std::size_t read(std::uint8_t* into, std::size_t room) override {
            const std::size_t got = source_.read(into, room);
            const std::size_t kept = std::min(got, kFirstBytesKept - first_.size());
            first_.insert(first_.end(), into, into + kept);
            size += got;
            return got;
        }
        std::uint64_t size = 0;

      private:
        ByteSource& source_;
        std::vector<std::uint8_t>& first_;
    };
    // Until the format is known the silence rule is not: where the data chunk comes before the
    // "fmt " chunk, every rule the format could choose looks at the samples.
    class Finders : public SampleSink {
      public:
        explicit Finders(SampleSink* also) : also_(also) {}
        void startSamples(const RiffWave& before, std::uint64_t offset) override {
            if (!before.isRiffWave || before.format) {
                const SilenceRule rule = silenceRuleOf(before);
                if (rule != SilenceRule::none) {
                    finders.emplace_back(rule, sampleBytesFor(rule, before.format), offset);
                }
            } else {
                finders.emplace_back(SilenceRule::unsignedByte, 1, offset);
                for (const std::size_t bytes : {2, 3, 4}) {
                    finders.emplace_back(SilenceRule::signedTopByte, bytes, offset);
                }
            }
            if (also_ != nullptr) {
                also_->startSamples(before, offset);
            }
        }
        void takeSamples(std::span<const std::uint8_t> bytes) override {
            for (SoundFinder& finder : finders) {
                finder.take(bytes);
            }
            if (also_ != nullptr) {
                also_->takeSamples(bytes);
            }
        }
        std::vector<SoundFinder> finders;

      private:
        SampleSink* also_;
    };

    SurveyedSound sound;
    Counting counting(file, sound.firstBytes);
    Finders finders(also);
    sound.wave = readRiffWave(counting, finders);
    const SilenceRule rule = silenceRuleOf(sound.wave);
    const std::size_t sampleBytes = sampleBytesFor(rule, sound.wave.format);
    const auto chosen = std::find_if(
        finders.finders.begin(), finders.finders.end(), [&](const SoundFinder& finder) {
            return finder.rule() == rule && finder.sampleBytes() == sampleBytes;
        });
    sound.survey = completeSurvey(sound.wave, counting.size,
                                  chosen != finders.finders.end() ? &*chosen : nullptr);
    return sound;
}

SoundSurvey surveySound(std::span<const std::uint8_t> file) {
    SpanSource source(file);
    return surveySound(source).survey;
}

}  // namespace vornelik
