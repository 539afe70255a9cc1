// SPDX-License-Identifier: MIT
#pragma once

// A picture of a sound file to choose offsets from, as SVG text: every byte over the byte-offset
// axis on the 8-bit scale the chip plays, the bytes that are not samples shaded, the silence band
// and the silent stretches greyed, and the range marked with its offsets.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/pic18f4620.h"
#include "core/riff.h"

namespace vornelik {

namespace waveform_layout {
inline constexpr int kWidth = 1000;  // the whole picture, in SVG user units (pixels)
inline constexpr int kHeight = 430;
inline constexpr int kPlotLeft = 70;    // the byte-offset axis runs from here...
inline constexpr int kPlotWidth = 900;  // ...over this many one-pixel columns
inline constexpr int kPlotTop = 80;
inline constexpr int kPlotHeight = 240;
}  // namespace waveform_layout

// Silent stretches shorter than one table line are not greyed: they are the sound's own
// crossings of the middle.
inline constexpr std::int64_t kShownSilentRun = kValuesPerLine;

struct WaveformPicture {
    std::string_view fileName;        // shown as the title, as given (UTF-8)
    std::uint64_t samplesOffset = 0;  // the bytes before the samples are the header
    std::uint64_t samplesLength = 0;  // the bytes after the samples are shaded too
    std::int64_t start = 0;           // the range to mark, as file offsets
    std::int64_t end = 0;
    bool suggested = false;  // the range is the suggested one, not the user's
};

// The horizontal position of a file offset on a file of `fileSize` bytes: offset 0 at the axis's
// left end, the file size at its right end; offsets outside the file sit at the nearer end.
double waveformX(std::uint64_t fileSize, double offset);

// Axis ticks from 0 to `span` in steps of 1, 2 or 5 times a power of ten, about eight of them.
std::vector<std::int64_t> axisTicks(std::int64_t span);

// What the picture draws of the samples, gathered as they pass once, so that no more than a
// picture's worth is held: each pixel column's lowest and highest byte, the silent stretches long
// enough to grey, and for a file of a few bytes the bytes themselves. The file's size must be
// known before the first sample.
class WaveformOutline : public SampleSink {
  public:
    explicit WaveformOutline(std::uint64_t fileSize);

    void startSamples(const RiffWave& before, std::uint64_t offset) override;
    void takeSamples(std::span<const std::uint8_t> bytes) override;

    struct Column {
        std::uint8_t low = 255;
        std::uint8_t high = 0;
        bool drawn = false;  // the column holds a sample
    };

    std::uint64_t fileSize() const { return size_; }
    std::uint64_t samplesStart() const { return start_; }
    // A file of no more bytes than there are columns: its samples.
    const std::vector<std::uint8_t>& samples() const { return bytes_; }
    // A longer file: each column's samples.
    const std::vector<Column>& columns() const { return columns_; }
    // The silent stretches to grey, as file offsets from the first to one past the last.
    std::vector<std::pair<std::uint64_t, std::uint64_t>> silentStretches() const;

  private:
    bool shown(std::uint64_t from, std::uint64_t to) const;

    std::uint64_t size_;
    std::uint64_t start_ = 0;
    std::uint64_t next_ = 0;           // the file offset of the next sample byte
    std::vector<std::uint8_t> bytes_;  // a small file's samples, each drawn as it is
    std::vector<Column> columns_;      // else one per pixel column
    std::size_t column_ = 0;
    std::uint64_t columnEnd_ = 0;
    std::optional<std::uint64_t> runStart_;  // the open silent stretch
    std::vector<std::pair<std::uint64_t, std::uint64_t>> silentRuns_;
};

// The whole SVG document, UTF-8, ended by "\n", of a file whose samples went past `outline`.
std::string waveformSvg(const WaveformPicture& picture, const WaveformOutline& outline);

// Text fit for XML character data and attribute values: markup characters escaped, control
// characters shown as '?', each byte of an invalid UTF-8 sequence replaced by U+FFFD.
std::string xmlText(std::string_view text);

}  // namespace vornelik
