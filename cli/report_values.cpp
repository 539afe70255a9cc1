// SPDX-License-Identifier: MIT
#include "cli/report_values.h"

namespace vornelik {

std::string hexBytes(std::span<const std::uint8_t> bytes, std::string_view separator) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            text += separator;
        }
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0xF];
    }
    return text;
}

const char* qualityName(Quality quality) {
    return quality == Quality::good ? "good" : "poor";
}

}  // namespace vornelik
