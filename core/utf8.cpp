// SPDX-License-Identifier: MIT
#include "core/utf8.h"

#include <cstdint>
#include <string>

#include "core/numeric_text.h"

namespace vornelik {
namespace {

// How many bytes the sequence a lead byte starts holds: 2 to 4, or 0 for a byte no valid
// sequence starts with (ASCII, a continuation byte, 0xC0, 0xC1, 0xF5 and above).
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    return lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
}

bool continues(char c) {
    return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

}  // namespace

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += continues(c) ? 0 : 1;
    }
    return count;
}

std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& letter) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const std::size_t length = sequenceLength(lead);
    if (length == 0 || text.size() - i < length) {
        return 0;
    }
    // The lead's own bits, and the least code of that length, which a shorter one would write.
    std::uint32_t code = lead & (0x7FU >> length);
    const std::uint32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    for (std::size_t k = 1; k < length; ++k) {
        if (!continues(text[i + k])) {
            return 0;
        }
        code = code << 6 | (byte(i + k) & 0x3FU);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < least || code > 0x10FFFF || surrogate) {
        return 0;
    }
    letter = code;
    return length;
}

std::string keepingUtf8(std::string_view text,
                        void (*other)(std::string& out, unsigned char byte)) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t length = validUtf8Length(text, i); length != 0) {
            out += text.substr(i, length);
            i += length;
        } else {
            other(out, static_cast<unsigned char>(text[i]));
            ++i;
        }
    }
    return out;
}

std::string readableName(std::string_view name) {
    return keepingUtf8(name, [](std::string& shown, unsigned char byte) {
        if (byte < 0x20 || byte == 0x7F) {
            shown += '?';
        } else if (byte < 0x80) {
            shown += static_cast<char>(byte);
        } else {
            shown += "\\x";
            shown += upperHexDigits(byte, 2);
        }
    });
}

std::size_t completeUtf8Length(std::string_view text) {
    std::size_t back = 0;  // continuation bytes at the end, three at most in a character
    while (back < 3 && back < text.size() && continues(text[text.size() - 1 - back])) {
        ++back;
    }
    if (back == text.size()) {
        return text.size();
    }
    const std::size_t lead = text.size() - 1 - back;
    return sequenceLength(static_cast<unsigned char>(text[lead])) > back + 1 ? lead : text.size();
}

}  // namespace vornelik
