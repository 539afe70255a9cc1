// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace vornelik {

// The plain Latin letter Windows writes for an accented letter that an ANSI code page lacks
// (dotless i as "i", s with cedilla as "s"), or '\0' where it has none and writes "?".
char bestFitLetter(char32_t letter);

// Text every ANSI code page holds as it is, so that it needs no conversion.
inline bool isAscii(std::string_view text) {
    unsigned char seen = 0;
    for (const char c : text) {
        seen |= static_cast<unsigned char>(c);
    }
    return seen < 0x80;
}

}  // namespace vornelik
