// SPDX-License-Identifier: MIT
#include "core/numeric_text.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

#include "core/failure.h"

namespace vornelik {
namespace {

struct ValCase {
    std::string_view text;
    double expected;
};

TEST(Val, readsTheNumericPrefix) {
    const ValCase cases[] = {
        {"", 0},
        {"   42", 42},
        {"42abc", 42},
        {"-7", -7},
        {"+7", 7},
        {"1E3", 1000},
        {"1e3", 1000},
        {"2.5E-1", 0.25},
        {"1E", 1},
        {"1E+", 1},
        {"&H10", 16},
        {"&hff", 255},
        {"&O17", 15},
        {"-&H10", -16},
        {"&X1", 0},
        {"100  byte", 100},
        {"byte", 0},
        {"12345 byte", 12345},
        {"6172,5  byte", 6172},
        {"6172.5  byte", 6172.5},
        {"1 2", 12},
        {"\t1\n2 . 5", 12.5},
        {"- 3", -3},
        {".5", 0.5},
        {"5.", 5},
        {".", 0},
        {"-", 0},
        {"1.2.3", 1.2},
        {"0001", 1},
        {"1E-400", 0},
        {"0E999", 0},
        {"0.000E999999999999999999", 0},
        {"0.000E9999999999999999909", 0},
        {"1E-9999999999999999909", 0},
        {"٣", 0},
        {"12ş", 12},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(Val(text), expected) << '"' << text << '"';
    }
}

TEST(Val, overflowIsAFailure) {
    for (const std::string_view text : {"9E999", "1E309", "-1E309", "1E99999999999999999999",
                                        "1E9999999999999999909", "0.01E311"}) {
        EXPECT_THROW(Val(text), Failure) << text;
    }
    EXPECT_EQ(Val("1E308"), 1e308);
    EXPECT_EQ(Val("0.1E309"), 1e308);
}

std::string repeated(char c, std::size_t count) {
    return std::string(count, c);
}

constexpr std::size_t kMillionsOfDigits = 1'500'000;

// 2^-1075, half the smallest real, written out exactly: 5^1075 / 10^1075 has 752 significant
// digits, and only the last of them tells it from a value that rounds up.
std::string halfTheSmallestReal() {
    std::string digits = "1";  // 5^k, least significant digit first
    for (int k = 0; k < 1075; ++k) {
        int carry = 0;
        for (char& digit : digits) {
            const int product = (digit - '0') * 5 + carry;
            digit = static_cast<char>('0' + product % 10);
            carry = product / 10;
        }
        for (; carry > 0; carry /= 10) {
            digits += static_cast<char>('0' + carry % 10);
        }
    }
    return "0." + repeated('0', 1075 - digits.size()) + std::string(digits.rbegin(), digits.rend());
}

struct LongValCase {
    std::string text;
    double expected;
};

// Texts of any length: digits, leading zeros and exponents that offset each other, and digits
// far beyond the ones a real keeps that still decide the rounding.
TEST(Val, roundsTextsOfAnyLengthCorrectly) {
    const std::string halfwayAbove2To53 = "9007199254740993";  // 2^53 + 1, between two reals
    const LongValCase cases[] = {
        {"0." + repeated('0', kMillionsOfDigits) + "1e1500005", 1e4},
        {"1" + repeated('0', kMillionsOfDigits) + "e-1500000", 1},
        {"-1" + repeated('0', kMillionsOfDigits) + "e-1500000", -1},
        {"12345" + repeated('0', kMillionsOfDigits) + "E-1500004", 1.2345},
        {repeated('0', kMillionsOfDigits) + "42", 42},
        {"0." + repeated('0', kMillionsOfDigits) + "1", 0},
        {"0." + repeated('0', kMillionsOfDigits) + "1e-99999999999999999999999", 0},
        {"1" + repeated('0', kMillionsOfDigits) + "e-99999999999999999999999", 0},
        {"4" + repeated(' ', kMillionsOfDigits) + "2", 42},
        {"1" + repeated('0', 308) + ".5", 1e308},
        {"0." + repeated('0', 323) + "5", 5e-324},
        {"0." + repeated('0', 323) + "2", 0},
        {"0." + repeated('0', 323) + "2470328229206232720882", 0},
        {"0." + repeated('0', 323) + "2470328229206232720883", 5e-324},
        {halfTheSmallestReal(), 0},
        {halfTheSmallestReal() + "1", 5e-324},
        {halfTheSmallestReal() + repeated('0', kMillionsOfDigits) + "1", 5e-324},
        {halfwayAbove2To53, 9007199254740992.0},
        {halfwayAbove2To53 + repeated('0', 1000) + "e-1000", 9007199254740992.0},
        {halfwayAbove2To53 + repeated('0', 1000) + "1e-1001", 9007199254740994.0},
        {halfwayAbove2To53 + "." + repeated('0', kMillionsOfDigits) + "1", 9007199254740994.0},
        {"&H" + repeated('0', kMillionsOfDigits) + "10", 16},
        {"&H20000000000001", 9007199254740992.0},
        {"&H20000000000001" + repeated('0', 50) + "1", std::ldexp(9007199254740994.0, 204)},
        {"&HFFFFFFFFFFFFF8" + repeated('0', 242), std::numeric_limits<double>::max()},
        {"&HFFFFFFFFFFFFFB" + repeated('F', 242), std::numeric_limits<double>::max()},
        {"&H1" + repeated('0', 255), std::ldexp(1.0, 1020)},
        {"&O1" + repeated('0', 341), std::ldexp(1.0, 1023)},
        {"&O4" + repeated('0', 16) + "1", 9007199254740992.0},
        {"&O4" + repeated('0', 16) + "1" + repeated('0', 60) + "1",
         std::ldexp(9007199254740994.0, 183)},
        {"&O" + repeated('7', 40), std::ldexp(1.0, 120)},
    };
    for (const auto& [text, expected] : cases) {
        const std::string shown =
            '"' + text.substr(0, 60) + "\" (" + std::to_string(text.size()) + " characters)";
        EXPECT_NO_THROW(EXPECT_EQ(Val(text), expected) << shown) << shown;
    }
}

TEST(Val, longTextsBeyondEveryRealOverflow) {
    const std::string texts[] = {
        "1" + repeated('0', kMillionsOfDigits),
        "0." + repeated('0', kMillionsOfDigits) + "1e1500310",
        "1" + repeated('0', kMillionsOfDigits) + "e-1499690",
        "0." + repeated('0', kMillionsOfDigits) + "1e99999999999999999999999",
        "&H1" + repeated('0', 256),
        "&HFFFFFFFFFFFFFC" + repeated('0', 242),
        "&O1" + repeated('0', 342),
        "&H" + repeated('F', kMillionsOfDigits),
    };
    for (const std::string& text : texts) {
        EXPECT_THROW(Val(text), Failure) << '"' << text.substr(0, 60) << '"';
    }
}

struct RealCase {
    double value;
    std::string_view point;
    std::string_view comma;
};

TEST(RealToText, fifteenDigitsWithTheCallersSeparator) {
    const RealCase cases[] = {
        {99999, "99999", "99999"},
        {-10, "-10", "-10"},
        {0, "0", "0"},
        {-0.0, "0", "0"},
        {12345.0, "12345", "12345"},
        {6172.5, "6172.5", "6172,5"},
        {450.5, "450.5", "450,5"},
        {-0.25, "-0.25", "-0,25"},
        {0.1 + 0.2, "0.3", "0,3"},
        {1.0 / 3, "0.333333333333333", "0,333333333333333"},
        {2.0 / 3 * 1000, "666.666666666667", "666,666666666667"},
        {0.00001, "0.00001", "0,00001"},
        {123456789012345, "123456789012345", "123456789012345"},
        {999999999999999, "999999999999999", "999999999999999"},
        {1e15, "1E+15", "1E+15"},
        {9999999999999999.0, "1E+16", "1E+16"},
        {1.5e20, "15E+19", "15E+19"},
        {-1e308, "-1E+308", "-1E+308"},
        {0.000001, "1E-06", "1E-06"},
        {1.25e-7, "125E-09", "125E-09"},
        {5e-324, "494065645841247E-338", "494065645841247E-338"},
        {std::numeric_limits<double>::max(), "179769313486231E+294", "179769313486231E+294"},
        {-std::numeric_limits<double>::max(), "-179769313486231E+294", "-179769313486231E+294"},
        {1.797693134862315e308, "179769313486231E+294", "179769313486231E+294"},
        {1.797693134862314e308, "179769313486231E+294", "179769313486231E+294"},
    };
    for (const auto& [value, point, comma] : cases) {
        EXPECT_EQ(realToText(value, "."), point) << value;
        EXPECT_EQ(realToText(value, ","), comma) << value;
    }
}

TEST(RealToText, exponentFormReadsBackInEitherLocale) {
    for (const double value : {1e15, 1.5e20, 123456789012345e100, -2.5e-9, 1e-300, 1e308}) {
        EXPECT_EQ(Val(realToText(value, ",")), value) << value;
        EXPECT_EQ(Val(realToText(value, ".")), value) << value;
    }
}

// v rounded to 15 significant digits, to nearest where that stays within the reals and toward
// zero at the top end, read back as the nearest real.
double roundedToFifteenDigits(double v) {
    std::array<char, 32> text{};
    const auto end =
        std::to_chars(text.data(), text.data() + text.size(), v, std::chars_format::scientific, 14)
            .ptr;
    double rounded = 0;
    if (std::from_chars(text.data(), end, rounded).ec == std::errc::result_out_of_range) {
        return std::copysign(1.79769313486231e308, v);
    }
    return rounded;
}

TEST(RealToText, readsBackAsTheFifteenDigitValue) {
    const double max = std::numeric_limits<double>::max();
    const double values[] = {
        max,
        std::nextafter(max, 0.0),
        std::nextafter(std::nextafter(max, 0.0), 0.0),
        1.797693134862315e308,
        1.7976931348623149e308,
        -max,
        -std::nextafter(max, 0.0),
        std::numeric_limits<double>::denorm_min(),
        -std::numeric_limits<double>::denorm_min(),
        std::numeric_limits<double>::min(),
        0.1 + 0.2,
        6172.5,
        -0.25,
        123456.7890123456,
        -999999999999999.4,
        999999999999999.5,
        0.000012345678901234567,
        0.0000099999999999999995,
        1.0 / 3,
    };
    for (const double v : values) {
        const double d = roundedToFifteenDigits(v);
        const std::string point = realToText(v, ".");
        const std::string comma = realToText(v, ",");
        EXPECT_EQ(Val(point), d) << point;
        const bool commaEndsVal = comma.find(',') != std::string::npos;
        EXPECT_EQ(Val(comma), commaEndsVal ? std::trunc(d) : d) << comma;
        EXPECT_EQ(std::signbit(Val(comma)), std::signbit(v)) << comma;
    }
}

TEST(RealToText, notFiniteIsAFailure) {
    EXPECT_THROW(realToText(std::numeric_limits<double>::infinity(), "."), Failure);
    EXPECT_THROW(realToText(std::nan(""), "."), Failure);
}

TEST(IntegerAndByteToText, plainDigits) {
    EXPECT_EQ(integerToText(0), "0");
    EXPECT_EQ(integerToText(900), "900");
    EXPECT_EQ(integerToText(-42), "-42");
    EXPECT_EQ(integerToText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
    for (int value = 0; value < 256; ++value) {
        EXPECT_EQ(byteToText(static_cast<std::uint8_t>(value)), std::to_string(value));
    }
}

TEST(RealToInteger, roundsHalvesToEven) {
    const std::pair<double, std::int32_t> cases[] = {
        {2.5, 2},
        {3.5, 4},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {10.5, 10},
        {11.5, 12},
        {10.4, 10},
        {10.6, 11},
        {-10.6, -11},
        {0.49999999999999994, 0},
        {2147483647.0, 2147483647},
        {2147483647.4, 2147483647},
        {-2147483648.0, std::numeric_limits<std::int32_t>::min()},
        {-2147483648.5, std::numeric_limits<std::int32_t>::min()},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(realToInteger(value), expected) << value;
    }
}

TEST(RealToInteger, outsideThirtyTwoBitsIsAFailure) {
    for (const double value : {2147483647.5, 2147483648.0, -2147483649.0, -2147483648.6, 1e300,
                               std::numeric_limits<double>::infinity(), std::nan("")}) {
        EXPECT_THROW(realToInteger(value), Failure) << value;
    }
}

}  // namespace
}  // namespace vornelik
