// SPDX-License-Identifier: MIT
#pragma once

// A picture of a sound file to choose offsets from, as SVG text: every byte over the byte-offset
// axis on the 8-bit scale the chip plays, the bytes that are not samples shaded, the silence band
// and the silent stretches greyed, and the range marked with its offsets.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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
inline constexpr std::int64_t kShownSilentRun = 10;

struct WaveformPicture {
    std::string_view fileName;  // shown as the title, as given (UTF-8)
    std::span<const std::uint8_t> file;
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

// The whole SVG document, UTF-8, ended by "\n".
std::string waveformSvg(const WaveformPicture& picture);

// Text fit for XML character data and attribute values: markup characters escaped, control
// characters shown as '?', each byte of an invalid UTF-8 sequence replaced by U+FFFD.
std::string xmlText(std::string_view text);

}  // namespace vornelik
