// SPDX-License-Identifier: MIT
#include "core/utf8.h"

#include <cstdint>
#include <string>

namespace vornelik {

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0U) != 0x80U ? 1 : 0;
    }
    return count;
}

std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& letter) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    std::uint32_t code = 0;
    std::uint32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1FU, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0FU, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07U, least = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - i < length) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0U) != 0x80U) {
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
        static constexpr char kDigits[] = "0123456789ABCDEF";
        if (byte < 0x20 || byte == 0x7F) {
            shown += '?';
        } else if (byte < 0x80) {
            shown += static_cast<char>(byte);
        } else {
            shown += "\\x";
            shown += kDigits[byte >> 4];
            shown += kDigits[byte & 0xF];
        }
    });
}

}  // namespace vornelik
