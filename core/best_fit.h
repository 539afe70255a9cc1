// SPDX-License-Identifier: MIT
#pragma once

#include <string>
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

// Text for a file in an ANSI code page: ASCII as it is, with no conversion to pay for, and any
// other text through `encode` (toAnsiCodePage, or Windows' own conversion on Windows).
template <typename Encode>
std::string inCodePage(std::string_view utf8, unsigned codePage, Encode encode) {
    return isAscii(utf8) ? std::string(utf8) : encode(utf8, codePage);
}

}  // namespace vornelik
