// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string_view>

namespace vornelik {

// The length of the valid UTF-8 sequence of two to four bytes starting at text[i], or 0 when
// none starts there (an ASCII byte gives 0 too).
std::size_t validUtf8Length(std::string_view text, std::size_t i);

}  // namespace vornelik
