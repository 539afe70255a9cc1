// SPDX-License-Identifier: MIT
#pragma once

// What the text and the JSON report of `info` both write, written one way.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/sample_table.h"

namespace vornelik {

// How many of the file's first bytes a report shows when the file has a problem.
inline constexpr std::size_t kRawBytesShown = 16;

inline std::string number(std::uint64_t value) {
    return std::to_string(value);
}
inline std::string number(std::int64_t value) {
    return std::to_string(value);
}

// Two lowercase hex digits a byte, with the separator between bytes.
std::string hexBytes(std::span<const std::uint8_t> bytes, std::string_view separator);

// "good" or "poor", as the command line's --quality names them.
const char* qualityName(Quality quality);

}  // namespace vornelik
