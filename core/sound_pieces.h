// SPDX-License-Identifier: MIT
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vornelik {

// A sound too long to hold, read a piece at a time as the table needs it, mostly forward.
class SoundPieces {
  public:
    virtual ~SoundPieces() = default;
    virtual std::int64_t size() const = 0;
    // The `count` bytes from `first` on, all inside the size, valid until the next call.
    // Throws when the sound cannot be read.
    virtual const std::uint8_t* piece(std::int64_t first, std::size_t count) = 0;
};

// The bytes the table writer reads: held whole in memory, or in pieces.
class SoundBytes {
  public:
    // Anything that is a span of the bytes: a span, a vector.
    template <typename Bytes>
    requires std::convertible_to<const Bytes&, std::span<const std::uint8_t>> SoundBytes(
        const Bytes& whole)
        : whole_(whole) {}
    explicit SoundBytes(SoundPieces& pieces) : pieces_(&pieces) {}

    std::int64_t size() const {
        return pieces_ != nullptr ? pieces_->size() : static_cast<std::int64_t>(whole_.size());
    }
    const std::uint8_t* piece(std::int64_t first, std::size_t count) const {
        return pieces_ != nullptr ? pieces_->piece(first, count)
                                  : whole_.data() + static_cast<std::size_t>(first);
    }

  private:
    std::span<const std::uint8_t> whole_;
    SoundPieces* pieces_ = nullptr;
};

}  // namespace vornelik
