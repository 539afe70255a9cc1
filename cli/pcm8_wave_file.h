// SPDX-License-Identifier: MIT
#pragma once

// An 8-bit unsigned mono PCM WAV file with the canonical 44-byte header, written a block at a
// time: the samples go out as they come and the header, which holds their count, is written
// last. The file appears under its name only when complete.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "cli/replacing_file.h"

namespace vornelik {

class Pcm8WaveFile {
  public:
    // Throws std::runtime_error when the file cannot be created.
    Pcm8WaveFile(const std::filesystem::path& target, std::uint32_t sampleRate);

    // Throws std::runtime_error on a write failure.
    void write(std::span<const std::uint8_t> samples);
    std::uint64_t written() const { return written_; }

    // Keeps the first `kept` samples written (all of them at most), completes the header and
    // puts the file in place. Throws std::runtime_error.
    void commit(std::uint64_t kept);

  private:
    [[noreturn]] void fail() const;

    std::string name_;
    std::uint32_t sampleRate_;
    ReplacingFile file_;
    std::fstream out_;
    std::uint64_t written_ = 0;
};

// A whole sound as such a file.
void writePcm8Wave(const std::filesystem::path& target, std::span<const std::uint8_t> samples,
                   std::uint32_t sampleRate);

}  // namespace vornelik
