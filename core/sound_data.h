// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "core/sound_pieces.h"

namespace vornelik {

// The sound as the window holds it: the bytes its file held when read, then one 0 byte more, as
// the window's array has one element more than the file. Held whole, or, where the file system
// reads it as the table needs it, in pieces.
class SoundData {
  public:
    SoundData() = default;
    explicit SoundData(std::vector<std::uint8_t> held) : held_(std::move(held)) {}
    explicit SoundData(std::unique_ptr<SoundPieces> pieces) : pieces_(std::move(pieces)) {}

    // Bytes and the 0 after them.
    std::int64_t size() const { return bytes().size(); }
    SoundBytes bytes() const { return pieces_ ? SoundBytes(*pieces_) : SoundBytes(held_); }

  private:
    std::vector<std::uint8_t> held_;
    std::unique_ptr<SoundPieces> pieces_;
};

}  // namespace vornelik
