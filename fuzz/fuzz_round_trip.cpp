// SPDX-License-Identifier: MIT
// Real to text and back: every eight bytes of the input are a real. The text with a point reads
// back as the value rounded to 15 significant digits; the text with a comma differs only in its
// separator and reads back whole when it has none, else as the integer part.

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>

#include "core/failure.h"
#include "core/numeric_text.h"
#include "fuzz/fuzz_check.h"

namespace {

using vornelik::fuzz::require;

// To nearest, except where that leaves the reals: then toward zero.
double roundedToFifteenDigits(double value) {
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value,
                                   std::chars_format::scientific, 14)
                         .ptr;
    double rounded = 0;
    if (std::from_chars(text.data(), end, rounded).ec == std::errc::result_out_of_range) {
        return std::copysign(1.79769313486231e308, value);
    }
    return rounded;
}

bool sameReal(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

void checkRoundTrip(double value) {
    if (!std::isfinite(value)) {
        bool failed = false;
        try {
            vornelik::realToText(value, ".");
        } catch (const vornelik::Failure&) {
            failed = true;
        }
        require(failed, "a value that is not finite is a failure");
        return;
    }
    const std::string point = vornelik::realToText(value, ".");
    const std::string comma = vornelik::realToText(value, ",");
    std::string pointAsComma = point;
    for (char& c : pointAsComma) {
        c = c == '.' ? ',' : c;
    }
    require(comma == pointAsComma, "only the separator differs", point + " " + comma);

    // -0 is written as "0".
    const double expected = value == 0 ? 0.0 : roundedToFifteenDigits(value);
    require(sameReal(vornelik::Val(point), expected), "the point text reads back", point);
    const bool commaEndsVal = comma.find(',') != std::string::npos;
    require(sameReal(vornelik::Val(comma), commaEndsVal ? std::trunc(expected) : expected),
            "the comma text reads back", comma);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t offset = 0; offset < size; offset += 8) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, data + offset, std::min<std::size_t>(8, size - offset));
        checkRoundTrip(std::bit_cast<double>(bits));
    }
    return 0;
}
