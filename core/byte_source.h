// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vornelik {

// Bytes read once from the start of an input to its end, a piece at a time: a file, a pipe or
// bytes already in memory.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Up to `room` bytes into `into`; 0 only at the end. A failure throws, naming its reason.
    virtual std::size_t read(std::uint8_t* into, std::size_t room) = 0;
};

// Bytes in memory as a source, given out whole.
class SpanSource : public ByteSource {
  public:
    explicit SpanSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t read(std::uint8_t* into, std::size_t room) override;

  private:
    std::span<const std::uint8_t> bytes_;
};

}  // namespace vornelik
