// SPDX-License-Identifier: MIT
#pragma once

// A look at a sound file before it is trimmed: where its samples lie, where the sound starts and
// ends inside them, which start and end offsets keep exactly that stretch in the sample table,
// and what the table costs in the PIC18F4620's program memory for each quality.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/pic18f4620.h"
#include "core/riff.h"
#include "core/sample_table.h"

namespace vornelik {

// A sample is silent when it lies within this distance of the middle value 128, on the 8-bit
// scale the chip plays (about 1.6 % of full scale).
inline constexpr int kSilenceThreshold = 2;

// Whether an 8-bit unsigned sample is silence.
inline constexpr bool isSilentByte(std::uint8_t byte) {
    return byte >= 128 - kSilenceThreshold && byte <= 128 + kSilenceThreshold;
}

// The longest range whose good-quality table fits beside the program and whose length is a
// whole number of lines in both qualities (lines of ten values cover 10 bytes in good quality,
// 20 in poor).
inline constexpr std::int64_t kLongestRange = kTableRoomBytes / 20 * 20;

// How silence was recognised in the samples.
enum class SilenceRule : std::uint8_t {
    unsignedByte,   // 8-bit PCM (or assumed so): each byte against 128
    signedTopByte,  // 16- to 32-bit PCM: each sample's most significant byte against 0
    none,           // other encodings: not looked at
};

// What the suggested range is made of.
enum class RangeBasis : std::uint8_t {
    sound,      // from the first to the last sample that is not silent
    allSilent,  // the samples hold no sound (or no bytes): the whole of them
    wholeData,  // silence was not looked for: the whole of the samples
    wholeFile,  // no samples were found: the whole file, as the window proposes it
};

// What the user is best told to do next with the file.
enum class NextStep : std::uint8_t {
    writeProgram,  // `bas` with the suggested range
    convertFirst,  // the samples are not 8-bit 8 kHz mono PCM: `convert` them first
    nothing,       // there is nothing to play
};

// The offsets to type into the start and end boxes. The table begins with the element one place
// after the start (two for poor quality) and holds whole lines of ten values up to the end, so
// start is one before the first byte wanted. The length end - start is always even, so that the
// poor quality's loop count (half of it) is a whole number; where the samples allow, it is a
// multiple of 20, so that both qualities' tables end on whole lines, reached by moving the end
// into the following silence or else the start into the preceding one. It is never longer than
// kLongestRange, so that the table fits the chip.
struct SuggestedRange {
    std::int64_t start = 0;
    std::int64_t end = 0;
    RangeBasis basis = RangeBasis::wholeFile;
    std::optional<std::uint64_t> firstSoundByte;  // file offsets, for basis sound
    std::optional<std::uint64_t> lastSoundByte;
    // The sound begins at the file's first byte, which no start offset can put in the table.
    bool firstByteOutOfReach = false;
    // The stretch the range was to cover is longer than kLongestRange: the range is the stretch
    // of that length that holds the most sound bytes (for the whole samples: their beginning).
    bool shortened = false;
};

// What the sample table of one quality costs for a range.
struct QualityBudget {
    Quality quality = Quality::good;
    std::int64_t tableLines = 0;
    std::int64_t tableBytes = 0;    // values written, one byte of program memory each
    std::int64_t playedValues = 0;  // the program's loop runs from 0 to the memory size
    double secondsPlayed = 0;       // about: playedValues at the quality's time per value
    bool fits = false;              // table and program within kFlashBytes
    std::int64_t spareBytes = 0;    // program memory left over; negative when it does not fit
};

struct SoundSurvey {
    std::uint64_t fileSize = 0;
    // Where the samples lie: the data chunk's present bytes, or the whole file when it is not
    // RIFF WAVE. Absent for a RIFF WAVE file without a data chunk.
    std::optional<std::uint64_t> samplesOffset;
    std::uint64_t samplesLength = 0;
    bool headerless = false;  // not RIFF WAVE: every byte is taken as an 8-bit sample
    SilenceRule silenceRule = SilenceRule::none;
    std::optional<double> durationSeconds;  // at the file's own rate (8000 bytes/s when headerless)
    SuggestedRange range;
    std::array<QualityBudget, 2> budgets;     // good, then poor, for range
    std::array<QualityBudget, 2> hexBudgets;  // the same for the HEX player
    NextStep next = NextStep::nothing;
};

// The bytes of a file's beginning a streamed survey keeps, for reports to show.
inline constexpr std::size_t kFirstBytesKept = 64;

struct SurveyedSound {
    RiffWave wave;
    SoundSurvey survey;
    std::vector<std::uint8_t> firstBytes;  // up to kFirstBytesKept
};

// The same survey, made while `file` is read once from its first byte to its last, holding no
// more of it than a chip's table; `also`, when given, is handed the samples too. Only a failure
// of the source throws.
SurveyedSound surveySound(ByteSource& file, SampleSink* also = nullptr);

// The same survey of a file held in memory.
SoundSurvey surveySound(std::span<const std::uint8_t> file);

// The sample table and play-back cost of one quality for integer start and end offsets, counted
// the way the table writer and the generated program count.
QualityBudget flashBudget(Quality quality, std::int64_t start, std::int64_t end);

// The same table's cost beside the HEX player, which plays exactly its values at exactly
// hexCyclesPerValue each.
QualityBudget hexFlashBudget(Quality quality, std::int64_t start, std::int64_t end);

}  // namespace vornelik
