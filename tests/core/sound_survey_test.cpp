// SPDX-License-Identifier: MIT
#include "core/sound_survey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/sample_table.h"
#include "support/text_capture.h"
#include "support/wave_builder.h"

namespace vornelik {
namespace {

using namespace wave_builder;

constexpr std::uint8_t kSilent = 128;

SoundSurvey survey(const Bytes& file) {
    return surveySound(file);
}

// The values the window's table writer puts in the table for the range, as the user would type it.
std::vector<int> tableValues(const Bytes& file, Quality quality, const SuggestedRange& range) {
    Bytes soundData = file;
    soundData.push_back(0);
    TextCapture out;
    std::int32_t tableIndex = 0;
    const std::string start = std::to_string(range.start);
    const std::string end = std::to_string(range.end);
    writeSampleTable(out, {soundData, quality, start, end}, tableIndex);
    std::vector<int> values;
    std::string text = out.text();
    for (char& c : text) {
        c = c >= '0' && c <= '9' ? c : ' ';
    }
    std::size_t position = 0;
    while ((position = text.find_first_not_of(' ', position)) != std::string::npos) {
        const std::size_t next = text.find(' ', position);
        values.push_back(std::stoi(text.substr(position, next - position)));
        position = next;
    }
    return values;
}

struct RangeCase {
    const char* name;
    Bytes file;
    RangeBasis basis;
    std::int64_t start;
    std::int64_t end;
    std::optional<std::uint64_t> firstSound;
    std::optional<std::uint64_t> lastSound;
    bool firstByteOutOfReach = false;
};

// Sound bytes 1, 2, 3, ... (loud, and telling their own position) between silences.
Bytes counting(std::size_t count, std::uint8_t from = 1) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(from + i);
    }
    return bytes;
}

TEST(SoundSurvey, suggestsTheRangeFromTheFirstToTheLastSoundByte) {
    const RangeCase cases[] = {
        // Data at 44: 100 silent, 35 sound (bytes 144 to 178), 100 silent. The end moves on into
        // the silence to finish the fourth line.
        {"silence around the sound",
         plainWave(join({filled(100, kSilent), counting(35), filled(100, kSilent)})),
         RangeBasis::sound, 143, 183, 144, 178},
        {"a LIST chunk before the data",
         riffWave({fmt16(), chunk("LIST", filled(26, 'x')),
                   chunk("data", join({filled(10, kSilent), counting(20), filled(30, kSilent)}))}),
         RangeBasis::sound, 87, 107, 88, 107},
        // No trailing silence: the start moves back into the silence before the sound to make
        // the last line whole.
        {"sound up to the last byte", plainWave(join({filled(5, kSilent), counting(25)})),
         RangeBasis::sound, 43, 73, 49, 73},
        {"no silence at all", plainWave(counting(40)), RangeBasis::sound, 43, 83, 44, 83},
        {"threshold: 130 and 126 silent, 131 and 125 not",
         plainWave(Bytes{130, 126, 131, 128, 125, 126, 130}), RangeBasis::sound, 45, 47, 46, 48},
        {"all silent", plainWave(join({filled(50, kSilent), filled(50, 130)})),
         RangeBasis::allSilent, 43, 143, std::nullopt, std::nullopt},
        {"empty data chunk", plainWave({}), RangeBasis::allSilent, 43, 43, std::nullopt,
         std::nullopt},
        {"headerless, sound from byte 0", join({counting(30), filled(20, kSilent)}),
         RangeBasis::sound, 0, 40, 0, 29, true},
        {"headerless, sound after silence", join({filled(7, kSilent), counting(12)}),
         RangeBasis::sound, 6, 18, 7, 18},
        {"headerless, all silent", filled(64, 127), RangeBasis::allSilent, 0, 62, std::nullopt,
         std::nullopt},
        {"headerless, empty", {}, RangeBasis::allSilent, 0, 0, std::nullopt, std::nullopt},
        // 16-bit samples: silence is judged on each sample's top byte.
        {"16-bit, silence by the top byte",
         riffWave({fmt16({1, 1, 8000, 16}),
                   chunk("data", {0xFF, 0xFF, 0x00, 0x02, 0x00, 0x03, 0x00, 0xFD, 0xFF, 0xFE})}),
         RangeBasis::sound, 43, 53, 48, 51},
        {"float samples are not looked at",
         riffWave({fmt16({3, 1, 8000, 32}), chunk("data", filled(16, 0))}), RangeBasis::wholeData,
         43, 59, std::nullopt, std::nullopt},
        {"no data chunk: the whole file", riffWave({fmt16()}), RangeBasis::wholeFile, 0, 36,
         std::nullopt, std::nullopt},
        {"data cut by the file's end",
         join({riffWave({fmt16()}, 1000), Bytes{'d', 'a', 't', 'a', 0, 4, 0, 0}, filled(3, kSilent),
               counting(15)}),
         RangeBasis::sound, 46, 60, 47, 61},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SuggestedRange range = survey(c.file).range;
        EXPECT_EQ(range.basis, c.basis);
        EXPECT_EQ(range.start, c.start);
        EXPECT_EQ(range.end, c.end);
        EXPECT_EQ(range.firstSoundByte, c.firstSound);
        EXPECT_EQ(range.lastSoundByte, c.lastSound);
        EXPECT_EQ(range.firstByteOutOfReach, c.firstByteOutOfReach);
    }
}

// Typed into the window, the suggestion gives a table that starts with the first sound byte and
// holds every sound byte the whole lines can reach, and nothing but silence after the sound.
TEST(SoundSurvey, suggestionTypedIntoTheWindowTablesTheSound) {
    const Bytes sounds[] = {
        plainWave(join({filled(100, kSilent), counting(35), filled(100, kSilent)})),
        plainWave(join({filled(3, kSilent), counting(200), filled(9, kSilent)})),
        plainWave(join({filled(3, kSilent), counting(200), filled(10, kSilent)})),
        join({filled(1, kSilent), counting(99), filled(2, kSilent)}),
    };
    for (const auto& file : sounds) {
        const SoundSurvey s = survey(file);
        ASSERT_EQ(s.range.basis, RangeBasis::sound);
        const auto first = static_cast<std::size_t>(*s.range.firstSoundByte);
        const auto last = static_cast<std::size_t>(*s.range.lastSoundByte);
        const std::vector<int> values = tableValues(file, Quality::good, s.range);
        ASSERT_FALSE(values.empty());
        EXPECT_EQ(values.front(), file[first]);
        const std::size_t soundInTable = std::min(values.size(), last - first + 1);
        EXPECT_GE(soundInTable + 9, last - first + 1) << "at most a part line of sound is lost";
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i < soundInTable) {
                EXPECT_EQ(values[i], file[first + i]);
            } else {
                EXPECT_LE(std::abs(values[i] - 128), kSilenceThreshold);
            }
        }
        EXPECT_EQ(static_cast<std::int64_t>(values.size()), s.budgets[0].tableBytes);
        EXPECT_EQ(static_cast<std::int64_t>(tableValues(file, Quality::poor, s.range).size()),
                  s.budgets[1].tableBytes);
    }
}

// Whatever the silences around the sound, the range's length is even (the poor quality's loop
// count is whole), and the tables reach the sound's last byte whenever the samples leave room for
// a whole line of the quality.
TEST(SoundSurvey, suggestsWholeCountsInBothQualities) {
    for (const std::size_t lead : {0, 1, 5, 9, 19, 30}) {
        for (const std::size_t trail : {0, 3, 9, 19, 30}) {
            for (std::size_t length = 1; length <= 45; ++length) {
                SCOPED_TRACE(std::to_string(lead) + " " + std::to_string(length) + " " +
                             std::to_string(trail));
                const SoundSurvey s = survey(plainWave(
                    join({filled(lead, kSilent), counting(length, 10), filled(trail, kSilent)})));
                const SuggestedRange& r = s.range;
                const auto first = static_cast<std::int64_t>(*r.firstSoundByte);
                const auto last = static_cast<std::int64_t>(*r.lastSoundByte);
                EXPECT_EQ((r.end - r.start) % 2, 0);
                EXPECT_GE(r.start, 43);
                EXPECT_LE(r.end, static_cast<std::int64_t>(43 + lead + length + trail));
                EXPECT_LT(r.start, first);
                if (lead + trail >= 9) {
                    EXPECT_GE(r.start + s.budgets[0].tableBytes, last);
                }
                if (lead + trail >= 19) {
                    EXPECT_GE(r.start + 2 * s.budgets[1].tableBytes, last);
                }
                EXPECT_EQ(s.next, NextStep::writeProgram);
            }
        }
    }
}

// A sound longer than the chip holds: the range is the longest that fits, over the stretch that
// holds the most sound bytes.
TEST(SoundSurvey, suggestsTheStretchThatFitsTheChip) {
    Bytes sparse(30000, kSilent);
    for (std::size_t i = 0; i < sparse.size(); i += 10) {
        sparse[i] = 200;
    }
    const Bytes dense(70000, 200);
    const SoundSurvey s =
        survey(plainWave(join({filled(1000, kSilent), sparse, dense, sparse, filled(5, kSilent)})));
    EXPECT_TRUE(s.range.shortened);
    EXPECT_EQ(s.range.firstSoundByte, 44U + 1000);
    EXPECT_EQ(s.range.start, 44 + 1000 + 30000 - 1);  // the dense part's first byte
    EXPECT_EQ(s.range.end, s.range.start + kLongestRange);
    EXPECT_EQ(kLongestRange, 65020);
    EXPECT_TRUE(s.budgets[0].fits);
    EXPECT_EQ(s.budgets[0].spareBytes, 4);

    // A headerless sound from its first byte: the first stretch, after byte 0, holds none of
    // it, so the one that reaches the next sound byte is loudest.
    const SoundSurvey fromZero =
        survey(join({{200}, filled(70000, kSilent), {200}, filled(10, kSilent)}));
    EXPECT_TRUE(fromZero.range.shortened);
    EXPECT_EQ(fromZero.range.start, 70001 - kLongestRange);

    // Samples that hold no sound, or are not looked at, are cut to their beginning.
    const SoundSurvey silent = survey(plainWave(filled(70001, kSilent)));
    EXPECT_TRUE(silent.range.shortened);
    EXPECT_EQ(silent.range.start, 43);
    EXPECT_EQ(silent.range.end, 43 + kLongestRange);
}

TEST(SoundSurvey, tellsWhatToDoNext) {
    const Bytes loud = filled(40, 10);
    const struct {
        const char* name;
        Bytes file;
        NextStep next;
    } cases[] = {
        {"8-bit 8 kHz mono", plainWave(loud), NextStep::writeProgram},
        {"headerless", loud, NextStep::writeProgram},
        {"no format: taken as 8-bit", riffWave({chunk("data", loud)}), NextStep::writeProgram},
        {"44.1 kHz", riffWave({fmt16({1, 1, 44100, 8}), chunk("data", loud)}),
         NextStep::convertFirst},
        {"16-bit stereo", riffWave({fmt16({1, 2, 8000, 16}), chunk("data", loud)}),
         NextStep::convertFirst},
        {"stereo 8-bit", riffWave({fmt16({1, 2, 8000, 8}), chunk("data", loud)}),
         NextStep::convertFirst},
        {"float", riffWave({fmt16({3, 1, 8000, 32}), chunk("data", loud)}), NextStep::convertFirst},
        {"silent", plainWave(filled(40, kSilent)), NextStep::nothing},
        {"16-bit silent", riffWave({fmt16({1, 2, 44100, 16}), chunk("data", filled(40, 0))}),
         NextStep::nothing},
        {"empty data", plainWave({}), NextStep::nothing},
        {"empty file", {}, NextStep::nothing},
        {"no data chunk", riffWave({fmt16()}), NextStep::nothing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(survey(c.file).next, c.next);
    }
}

struct BudgetCase {
    Quality quality;
    std::int64_t start;
    std::int64_t end;
    std::int64_t lines;
    std::int64_t played;
    double seconds;
    bool fits;
    std::int64_t spare;
};

TEST(SoundSurvey, budgetsTheTableAndThePlayingTime) {
    const BudgetCase cases[] = {
        {Quality::good, 0, 25, 2, 26, 26 * 125e-6, true, 65536 - 512 - 20},
        {Quality::good, 0, 10, 1, 11, 11 * 125e-6, true, 65536 - 512 - 10},
        {Quality::good, 0, 9, 0, 10, 10 * 125e-6, true, 65536 - 512},
        {Quality::poor, 0, 40, 2, 21, 21 * 250e-6, true, 65536 - 512 - 20},
        {Quality::poor, 0, 39, 1, 20, 20 * 250e-6, true, 65536 - 512 - 10},
        {Quality::good, 5, 5, 0, 1, 125e-6, true, 65536 - 512},
        // 65536 - 512 leaves 65024 bytes: 6502 lines fit, 6503 do not.
        {Quality::good, 100, 65120, 6502, 65021, 65021 * 125e-6, true, 4},
        {Quality::good, 100, 65130, 6503, 65031, 65031 * 125e-6, false, -6},
        {Quality::poor, 0, 130040, 6502, 65021, 65021 * 250e-6, true, 4},
        {Quality::poor, 0, 130061, 6503, 65031, 65031 * 250e-6, false, -6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + " to " + std::to_string(c.end));
        const QualityBudget budget = flashBudget(c.quality, c.start, c.end);
        EXPECT_EQ(budget.tableLines, c.lines);
        EXPECT_EQ(budget.tableBytes, 10 * c.lines);
        EXPECT_EQ(budget.playedValues, c.played);
        EXPECT_DOUBLE_EQ(budget.secondsPlayed, c.seconds);
        EXPECT_EQ(budget.fits, c.fits);
        EXPECT_EQ(budget.spareBytes, c.spare);
    }
}

TEST(SoundSurvey, measuresTheDurationAtTheFilesOwnRate) {
    const struct {
        const char* name;
        Bytes file;
        std::optional<double> seconds;
        SilenceRule rule;
    } cases[] = {
        {"8-bit 8 kHz", plainWave(filled(16000, kSilent)), 2.0, SilenceRule::unsignedByte},
        {"16-bit stereo 11025 Hz",
         riffWave({fmt18({1, 2, 11025, 16}), chunk("data", filled(4410, 0))}), 0.1,
         SilenceRule::signedTopByte},
        {"headerless, at 8000 bytes a second", filled(4000, kSilent), 0.5,
         SilenceRule::unsignedByte},
        {"no format: 8-bit assumed", riffWave({chunk("data", filled(8, kSilent))}), std::nullopt,
         SilenceRule::unsignedByte},
        {"rate of 0", riffWave({fmt16({1, 1, 0, 8}), chunk("data", filled(8, kSilent))}),
         std::nullopt, SilenceRule::unsignedByte},
        {"mu-law", riffWave({fmt16({7, 1, 8000, 8}), chunk("data", filled(8, kSilent))}), 0.001,
         SilenceRule::none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SoundSurvey s = survey(c.file);
        EXPECT_EQ(s.fileSize, c.file.size());
        ASSERT_EQ(s.durationSeconds.has_value(), c.seconds.has_value());
        if (c.seconds) {
            EXPECT_DOUBLE_EQ(*s.durationSeconds, *c.seconds);
        }
        EXPECT_EQ(s.silenceRule, c.rule);
    }
}

}  // namespace
}  // namespace vornelik
