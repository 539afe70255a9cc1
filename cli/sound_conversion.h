// SPDX-License-Identifier: MIT
#pragma once

// Any recording libsndfile reads, made into the file the window expects: mono, 8000 Hz, 8-bit
// unsigned PCM in a WAV file whose samples start at byte 44. libsndfile decodes and writes,
// libsamplerate resamples; only the channel average, the gain and the rounding are our own.

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace vornelik {

inline constexpr int kConvertedRate = 8000;

struct ConversionOptions {
    bool normalize = false;    // scale the peak to full range before rounding to 8 bits
    bool trimSilence = false;  // drop leading and trailing samples within the silence threshold
};

struct ConversionReport {
    std::string sourceFormat;  // as libsndfile names it, "WAV (Microsoft) / Signed 16 bit PCM"
    int sourceRate = 0;
    int sourceChannels = 0;
    std::int64_t sourceFrames = 0;
    double peak = 0;                // of the mono sound before any gain, 1 being full range
    double gain = 1;                // applied by normalize
    std::int64_t clipped = 0;       // samples beyond full range, set to the nearest end of it
    std::int64_t trimmedStart = 0;  // silent samples dropped before the sound
    std::int64_t trimmedEnd = 0;    // and after it
    std::int64_t samples = 0;       // written, one byte each
    double seconds() const { return static_cast<double>(samples) / kConvertedRate; }
};

// What libsndfile or libsamplerate said when they could not go on.
class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Converts `in` into the bytes of the WAV file the window expects, filling in the report.
// Throws ConversionError.
std::string convertSound(const std::filesystem::path& in, const ConversionOptions& options,
                         ConversionReport& report);

// Writes 8-bit unsigned mono PCM samples as a WAV file through libsndfile itself: the
// reference the program's own header writer is checked against. Throws ConversionError.
void writePcm8Wave(const std::filesystem::path& out, const std::vector<std::uint8_t>& samples,
                   int sampleRate);

}  // namespace vornelik
