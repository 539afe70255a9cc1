// SPDX-License-Identifier: MIT
#include "core/sound_survey.h"

#include <algorithm>
#include <cstdlib>

namespace vornelik {
namespace {

bool silentTopByte(std::uint8_t byte) {
    return std::abs(int{static_cast<std::int8_t>(byte)}) <= kSilenceThreshold;
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

// The first and last byte of the sound inside the samples, as offsets into `samples`.
struct SoundSpan {
    std::size_t first;
    std::size_t last;
};

std::optional<SoundSpan> findSound(std::span<const std::uint8_t> samples, SilenceRule rule,
                                   std::size_t sampleBytes) {
    const std::size_t count = samples.size() / sampleBytes;
    const auto silentAt = [&](std::size_t k) {
        const std::size_t top = k * sampleBytes + sampleBytes - 1;  // little-endian: last byte
        return rule == SilenceRule::unsignedByte ? isSilentByte(samples[top])
                                                 : silentTopByte(samples[top]);
    };
    std::size_t first = 0;
    while (first < count && silentAt(first)) {
        ++first;
    }
    if (first == count) {
        return std::nullopt;
    }
    std::size_t last = count - 1;
    while (silentAt(last)) {
        --last;
    }
    return SoundSpan{first * sampleBytes, last * sampleBytes + sampleBytes - 1};
}

std::int64_t oneBefore(std::int64_t offset) {
    return offset > 0 ? offset - 1 : 0;
}

std::int64_t roundUp(std::int64_t value, std::int64_t step) {
    return (value + step - 1) / step * step;
}

// Both qualities' lines cover an even number of bytes, so one byte less for an odd length
// loses nothing from either table and makes the poor quality's loop count whole.
std::int64_t evenEnd(std::int64_t start, std::int64_t end) {
    return (end - start) % 2 != 0 ? end - 1 : end;
}

// A range over samples that hold no sound, or were not looked at: all of them, as far as the
// chip holds them.
void coverWhole(SuggestedRange& range, std::int64_t start, std::int64_t end) {
    range.start = start;
    range.shortened = end - start > kLongestRange;
    range.end = evenEnd(start, range.shortened ? start + kLongestRange : end);
}

// The start of the kLongestRange bytes after it that hold the most sound bytes, searched from
// `from` to `to`; the earliest of equals.
std::int64_t loudestStretch(std::span<const std::uint8_t> file, SilenceRule rule,
                            std::int64_t sampleOffset, std::size_t sampleBytes, std::int64_t from,
                            std::int64_t to) {
    const auto loud = [&](std::int64_t at) {
        const auto inSample = static_cast<std::size_t>(at - sampleOffset) % sampleBytes;
        const std::uint8_t byte = file[static_cast<std::size_t>(at)];
        return inSample == sampleBytes - 1 &&
               !(rule == SilenceRule::unsignedByte ? isSilentByte(byte) : silentTopByte(byte));
    };
    std::int64_t count = 0;
    for (std::int64_t at = from + 1; at <= from + kLongestRange; ++at) {
        count += loud(at) ? 1 : 0;
    }
    std::int64_t best = from;
    std::int64_t bestCount = count;
    for (std::int64_t start = from + 1; start <= to; ++start) {
        count += (loud(start + kLongestRange) ? 1 : 0) - (loud(start) ? 1 : 0);
        if (count > bestCount) {
            best = start;
            bestCount = count;
        }
    }
    return best;
}

SuggestedRange suggestRange(const SoundSurvey& survey, std::span<const std::uint8_t> file,
                            const std::optional<WaveFormat>& format) {
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

    std::optional<SoundSpan> sound;
    std::size_t sampleBytes = 1;
    if (survey.silenceRule != SilenceRule::none) {
        if (survey.silenceRule == SilenceRule::signedTopByte) {
            sampleBytes = (format->bitsPerSample + 7U) / 8U;
        }
        sound = findSound(
            file.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length)),
            survey.silenceRule, sampleBytes);
    }
    if (!sound) {
        range.basis =
            survey.silenceRule == SilenceRule::none ? RangeBasis::wholeData : RangeBasis::allSilent;
        coverWhole(range, lowestStart, length > 0 ? lastSample : lowestStart);
        return range;
    }

    const std::int64_t first = offset + static_cast<std::int64_t>(sound->first);
    const std::int64_t last = offset + static_cast<std::int64_t>(sound->last);
    range.basis = RangeBasis::sound;
    range.firstSoundByte = static_cast<std::uint64_t>(first);
    range.lastSoundByte = static_cast<std::uint64_t>(last);
    range.firstByteOutOfReach = first == 0;
    range.start = oneBefore(first);
    const std::int64_t span = last - range.start;
    if (span > kLongestRange) {
        range.shortened = true;
        range.start = loudestStretch(file, survey.silenceRule, offset, sampleBytes, range.start,
                                     last - kLongestRange);
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

}  // namespace

QualityBudget flashBudget(Quality quality, std::int64_t start, std::int64_t end) {
    QualityBudget budget;
    budget.quality = quality;
    const bool good = quality == Quality::good;
    const std::int64_t lineSpan = good ? kValuesPerLine : 2 * kValuesPerLine;
    budget.tableLines = end - lineSpan >= start ? (end - lineSpan - start) / lineSpan + 1 : 0;
    budget.tableBytes = budget.tableLines * kValuesPerLine;

    // The loop runs "For sayi=0 To" the memory size: end - start, halved for poor quality (a
    // half is dropped, as the comma locale's read-back drops it).
    const std::int64_t memory = good ? end - start : (end - start) / 2;
    budget.playedValues = memory >= 0 ? memory + 1 : 0;
    const int microseconds =
        (good ? kGoodDelayMicroseconds : kPoorDelayMicroseconds) + kLoopMicroseconds;
    budget.secondsPlayed = static_cast<double>(budget.playedValues) * microseconds / 1e6;

    budget.spareBytes = kFlashBytes - kProgramBytes - budget.tableBytes;
    budget.fits = budget.spareBytes >= 0;
    return budget;
}

SoundSurvey surveySound(std::span<const std::uint8_t> file, const RiffWave& wave) {
    SoundSurvey survey;
    survey.fileSize = file.size();
    if (!wave.isRiffWave) {
        survey.headerless = true;
        survey.samplesOffset = 0;
        survey.samplesLength = file.size();
        survey.silenceRule = SilenceRule::unsignedByte;
        survey.durationSeconds = static_cast<double>(file.size()) / kSoundRate;
    } else if (wave.data) {
        // Clamped again so that a result from some other file cannot lead outside this one.
        const std::uint64_t offset = std::min<std::uint64_t>(wave.data->offset, file.size());
        survey.samplesOffset = offset;
        survey.samplesLength =
            std::min<std::uint64_t>(wave.data->presentSize, file.size() - offset);
        survey.silenceRule = silenceRuleFor(wave.format);
        if (wave.format && wave.format->sampleRate > 0 && wave.format->blockAlign > 0) {
            const double bytesPerSecond =
                static_cast<double>(wave.format->sampleRate) * wave.format->blockAlign;
            survey.durationSeconds = static_cast<double>(survey.samplesLength) / bytesPerSecond;
        }
    }
    survey.range = suggestRange(survey, file, wave.format);
    survey.budgets = {flashBudget(Quality::good, survey.range.start, survey.range.end),
                      flashBudget(Quality::poor, survey.range.start, survey.range.end)};
    survey.next = nextStep(survey, wave);
    return survey;
}

}  // namespace vornelik
