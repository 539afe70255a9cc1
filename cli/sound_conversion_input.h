// SPDX-License-Identifier: MIT
#pragma once

// The recording a conversion reads, opened by libsndfile over the platform's file at any
// position, never by its name: a stream has been copied first (libsndfile's MP3 reader overruns
// its buffer on a pipe), and what is read is the file whose identity was checked. Failures are
// told in our words, libsndfile's text only a detail behind them; what a decoder prints on its
// own (libmpg123 does) is kept off standard error.

#include <sndfile.h>

#include <cstdint>
#include <memory>
#include <string>

#include "files/file_system.h"

namespace vornelik {

class SoundFileInput {
  public:
    // Throws ConversionError saying why the file cannot be decoded.
    SoundFileInput(RandomAccessInput& file, const std::string& name);
    ~SoundFileInput();
    SoundFileInput(const SoundFileInput&) = delete;
    SoundFileInput& operator=(const SoundFileInput&) = delete;

    int rate() const { return info_.samplerate; }
    int channels() const { return info_.channels; }
    // The frames the header announces; a negative or absurd count is left unknown (0).
    std::int64_t announcedFrames() const;
    // As libsndfile names it: "WAV (Microsoft) / Signed 16 bit PCM".
    std::string formatName() const;

    // Up to `frames` interleaved frames as doubles, so that a finite sample beyond a float's
    // range stays finite; 0 at the end. Throws ConversionError on a failure to read.
    std::size_t readFrames(double* into, std::size_t frames);

    // The frames a WAV or AIFF header promised beyond the end of the file, of which libsndfile
    // tells only its log.
    std::int64_t loggedShortfall(std::int64_t presentFrames) const;

  private:
    struct Access;

    std::string name_;
    std::unique_ptr<Access> access_;
    SF_INFO info_{};
    SNDFILE* file_ = nullptr;
};

}  // namespace vornelik
