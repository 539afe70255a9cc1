// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vornelik {

// The length of the valid UTF-8 sequence of two to four bytes starting at text[i], or 0 when
// none starts there (an ASCII byte gives 0 too); `letter` is set to the character it codes.
std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& letter);

inline std::size_t validUtf8Length(std::string_view text, std::size_t i) {
    char32_t ignored = 0;
    return decodeUtf8(text, i, ignored);
}

// The length of the longest start of `text` that ends where a character ends: the first bytes
// of a character cut off by the end wait for the rest (a console given text a piece at a time).
std::size_t completeUtf8Length(std::string_view text);

// How many characters UTF-8 text holds: the bytes that do not continue a sequence.
std::size_t characterCount(std::string_view text);

// The text for an output that takes UTF-8: each valid sequence of two to four bytes kept as it
// is, and each other byte, ASCII or a byte of no valid sequence, written by `other`. The JSON and
// XML writers and readableName differ only in what they make of those bytes.
std::string keepingUtf8(std::string_view text, void (*other)(std::string& out, unsigned char byte));

// A file name as a message shows it: UTF-8 as it is, a byte that is not UTF-8 (a name made on
// another system) as \xFE, and a control character as '?', so that no name can move the
// terminal's cursor or change its colours.
std::string readableName(std::string_view name);

}  // namespace vornelik
