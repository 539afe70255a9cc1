// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "core/utf8.h"

namespace vornelik {

// The longest sound file the program takes, in bytes: its size is a signed 32-bit length, as
// the window shows and checks it.
inline constexpr std::int64_t kLongestSound = std::numeric_limits<std::int32_t>::max();

// Why a file longer than `longest` bytes is refused.
inline std::string tooLongForASound(std::string_view name, std::int64_t longest = kLongestSound) {
    return readableName(name) + " is too long for a sound: the longest is " +
           std::to_string(longest) + " bytes";
}

}  // namespace vornelik
