// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "core/sound_pieces.h"

namespace vornelik {

// Every byte of a sound as the window holds it, whole or in pieces, for comparing.
inline std::vector<std::uint8_t> bytesOf(SoundBytes sound) {
    const auto size = static_cast<std::size_t>(sound.size());
    if (size == 0) {
        return {};
    }
    const std::uint8_t* first = sound.piece(0, size);
    return {first, first + size};
}

}  // namespace vornelik
