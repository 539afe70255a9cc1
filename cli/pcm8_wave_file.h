// SPDX-License-Identifier: MIT
#pragma once

// An 8-bit unsigned mono PCM WAV file with the canonical 44-byte header, written a block at a
// time through the platform's output file. Where the output can go back (a regular file, made
// under a name of its own until complete), the samples go out as they come and the header, which
// holds their count, is written last. Where it cannot (a device, a pipe, standard output), the
// count must be known first and the header goes out first.

#include <cstdint>
#include <optional>
#include <span>

#include "files/file_system.h"

namespace vornelik {

class Pcm8WaveFile {
  public:
    // `count`: the samples that will be kept, when known before they are written; required for
    // an output that cannot go back. Throws on a write failure.
    Pcm8WaveFile(OutputFile& out, std::uint32_t sampleRate, std::optional<std::uint64_t> count);

    // Writes the samples; past a known count they are dropped. Throws on a write failure.
    void write(std::span<const std::uint8_t> samples);
    std::uint64_t written() const { return written_; }

    // Keeps the first `kept` samples written (all of them at most), completes the header and
    // commits the output. Throws on a failure.
    void commit(std::uint64_t kept);

  private:
    OutputFile& out_;
    std::uint32_t sampleRate_;
    std::optional<std::uint64_t> count_;
    std::uint64_t written_ = 0;
};

}  // namespace vornelik
