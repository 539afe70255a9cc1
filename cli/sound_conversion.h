// SPDX-License-Identifier: MIT
#pragma once

// Any recording libsndfile reads, made into the file the window expects: mono, 8000 Hz, 8-bit
// unsigned PCM in a WAV file whose samples start at byte 44. libsndfile decodes, libsoxr
// resamples; the channel average, the gain, the rounding and the trimming are our own. The sound
// goes through in blocks, so memory does not grow with its length.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "core/sound_survey.h"
#include "files/file_system.h"

namespace vornelik {

inline constexpr int kConvertedRate = kSoundRate;

// The rates taken: anything above a megahertz is a damaged header, not a recording.
inline constexpr int kLowestSourceRate = 1;
inline constexpr int kHighestSourceRate = 1000000;

// Samples beyond full range are clipped after resampling; beyond this they are held here first,
// so that the resampler's arithmetic cannot overflow (near 3e38 it made NaN of them). Any sample
// this far out is clipped all the same.
inline constexpr double kLargestResampled = 1e6;

struct ConversionOptions {
    bool normalize = false;    // scale the peak to full range before rounding to 8 bits
    bool trimSilence = false;  // drop leading and trailing samples within the silence threshold
    // Told the share of the work done, 0 to 1, after each block.
    std::function<void(double)> progress;
};

struct ConversionReport {
    std::string sourceFormat;  // as libsndfile names it, "WAV (Microsoft) / Signed 16 bit PCM"
    int sourceRate = 0;
    int sourceChannels = 0;
    std::int64_t sourceFrames = 0;   // read
    std::int64_t missingFrames = 0;  // the header promised this many more than the file held
    double peak = 0;                 // of the mono 8 kHz sound before any gain, 1 being full range
    double gain = 1;                 // applied by normalize
    std::int64_t clipped = 0;        // samples beyond the 8-bit range, set to its nearest end
    std::int64_t limited = 0;        // input samples beyond kLargestResampled, held there
    std::int64_t trimmedStart = 0;   // silent samples dropped before the sound
    std::int64_t trimmedEnd = 0;     // and after it
    std::int64_t samples = 0;        // written, one byte each
    double seconds() const { return static_cast<double>(samples) / kConvertedRate; }
};

// Why the conversion could not go on, in our words with libsndfile's or libsoxr's as a detail: a
// file that is not a sound, a sample that is not a number, a rate out of range, a result too
// long, an input with no samples at all.
class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Converts `in`, named `name` in messages, into `out`, which is committed only when complete: a
// regular file is then not created or changed on failure. With normalize the input is read once
// more first, for the peak, and for an output that cannot go back once more, to count the
// samples. Throws ConversionError, the output's failures among them.
ConversionReport convertSound(RandomAccessInput& in, const std::string& name, OutputFile& out,
                              const ConversionOptions& options);

// The 8-bit value of a sample, 1 being full range: 128 + round(128·x), the inverse of how an
// 8-bit sample is read, (b − 128) / 128. Outside 0 to 255 it is clamped and `clipped` counted.
std::uint8_t eightBitSample(double x, std::int64_t& clipped);

}  // namespace vornelik
