// SPDX-License-Identifier: MIT
// Val against a reading of its own: the blanks are removed first, the number is cut out by the
// grammar and handed whole to std::from_chars, and "&H" and "&O" numbers are rounded from their
// bits. The two must agree on every value, the sign of zero, and on overflow.

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <system_error>

#include "core/failure.h"
#include "core/numeric_text.h"
#include "fuzz/fuzz_check.h"

namespace {

using vornelik::fuzz::require;

struct Reading {
    bool overflow = false;
    double value = 0;
};

bool isDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && isDecimalDigit(text[pos])) {
        ++pos;
    }
    return pos;
}

Reading readDecimal(std::string_view text) {
    std::size_t end = skipDigits(text, 0);
    std::size_t digitCount = end;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionStart = end + 1;
        end = skipDigits(text, fractionStart);
        digitCount += end - fractionStart;
    }
    if (digitCount == 0) {
        return {};
    }
    // An exponent mark counts only with digits after it (and its sign).
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t pos = end + 1;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            ++pos;
        }
        const std::size_t exponentEnd = skipDigits(text, pos);
        if (exponentEnd > pos) {
            end = exponentEnd;
        }
    }
    const std::string number(text.substr(0, end));
    double value = 0;
    const auto parsed = std::from_chars(number.data(), number.data() + number.size(), value);
    require(parsed.ptr == number.data() + number.size(), "the model reads the whole number",
            number);
    if (parsed.ec == std::errc::result_out_of_range) {
        // strtod tells which way: to the largest value or to zero.
        if (std::strtod(number.c_str(), nullptr) != 0) {
            return {true, 0};
        }
        return {};
    }
    return {false, value};
}

int radixDigit(char c, int base) {
    const std::size_t place = std::string_view("0123456789abcdef0123456789ABCDEF").find(c);
    if (place == std::string_view::npos || static_cast<int>(place % 16) >= base) {
        return -1;
    }
    return static_cast<int>(place % 16);
}

// The bits of the number, then its first 64 bits with the rest folded into the lowest one,
// which the conversion to a real rounds correctly.
Reading readRadix(std::string_view text, int bitsPerDigit) {
    std::string bits;
    for (char c : text) {
        const int digit = radixDigit(c, 1 << bitsPerDigit);
        if (digit < 0) {
            break;
        }
        for (int bit = bitsPerDigit - 1; bit >= 0; --bit) {
            if (!bits.empty() || ((digit >> bit) & 1) != 0) {
                bits += ((digit >> bit) & 1) != 0 ? '1' : '0';
            }
        }
    }
    if (bits.empty()) {
        return {};
    }
    if (bits.size() > 1024) {
        return {true, 0};
    }
    std::uint64_t top = 0;
    const std::size_t topBits = std::min<std::size_t>(bits.size(), 64);
    for (std::size_t k = 0; k < topBits; ++k) {
        top = top << 1 | (bits[k] == '1' ? 1 : 0);
    }
    if (bits.find('1', topBits) != std::string::npos) {
        top |= 1;
    }
    const double value =
        std::ldexp(static_cast<double>(top), static_cast<int>(bits.size() - topBits));
    if (std::isinf(value)) {
        return {true, 0};
    }
    return {false, value};
}

Reading model(std::string_view input) {
    std::string text;
    for (char c : input) {
        if (c != ' ' && c != '\t' && c != '\n') {
            text += c;
        }
    }
    std::string_view rest = text;
    bool negative = false;
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    Reading reading;
    if (!rest.empty() && rest.front() == '&') {
        const char kind = rest.size() > 1 ? rest[1] : '\0';
        if (kind == 'h' || kind == 'H') {
            reading = readRadix(rest.substr(2), 4);
        } else if (kind == 'o' || kind == 'O') {
            reading = readRadix(rest.substr(2), 3);
        }
    } else {
        reading = readDecimal(rest);
    }
    if (negative) {
        reading.value = -reading.value;
    }
    return reading;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Reading actual;
    try {
        actual.value = vornelik::Val(input);
    } catch (const vornelik::Failure&) {
        actual.overflow = true;
    }
    const Reading expected = model(input);
    require(actual.overflow == expected.overflow, "overflow agrees", input);
    if (!expected.overflow) {
        require(std::bit_cast<std::uint64_t>(actual.value) ==
                    std::bit_cast<std::uint64_t>(expected.value),
                "value and sign agree", input);
    }
    return 0;
}
