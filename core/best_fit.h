// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace vornelik {

// Text every ANSI code page holds as it is, so that it needs no conversion (the letters a code
// page lacks are fitted by toAnsiCodePage in core/code_page.h).
inline bool isAscii(std::string_view text) {
    unsigned char seen = 0;
    for (const char c : text) {
        seen |= static_cast<unsigned char>(c);
    }
    return seen < 0x80;
}

}  // namespace vornelik
