#include "core/numeric_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

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
        {"٣", 0},
        {"12ş", 12},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(Val(text), expected) << '"' << text << '"';
    }
}

TEST(Val, overflowIsAFailure) {
    for (const std::string_view text :
         {"9E999", "1E309", "-1E309", "1E99999999999999999999", "0.01E311"}) {
        EXPECT_THROW(Val(text), Failure) << text;
    }
    EXPECT_EQ(Val("1E308"), 1e308);
    EXPECT_EQ(Val("0.1E309"), 1e308);
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
