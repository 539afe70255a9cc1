// SPDX-License-Identifier: MIT
#pragma once

// The five conversions between the numbers the window works with and the texts of its controls.
// None of them depends on the C library's locale: the decimal separator of real-to-text is
// passed in, and Val only ever reads ".".

#include <cstdint>
#include <string>
#include <string_view>

namespace vornelik {

// The numeric prefix of a text, rounded correctly to the nearest real however long the text and
// its exponent are ("&H" and "&O" numbers as well). Blanks, tabs and line feeds are skipped
// wherever they stand; reading stops at the first character that cannot continue the number; no
// number gives 0. Throws Failure when the number does not fit a real.
double Val(std::string_view text);

// 15 significant digits, trailing fraction zeros dropped. Magnitudes from 1E15 up and below 1E-5
// are written as an integer mantissa with an exponent ("15E+19"), which Val reads back in any
// locale. Throws Failure for a value that is not finite.
//
// Round trip: for a finite v, let d be v rounded to 15 significant digits, to nearest, except
// where that lies beyond the largest real (it would be 1.79769313486232E308): there d is rounded
// toward zero (1.79769313486231E308), so every text reads back. Then
// - Val(realToText(v, ".")) is d rounded to the nearest real;
// - Val(realToText(v, ",")) is the same for the exponent forms and integral values, and the
//   integer part of d, sign kept, for the other texts, which hold a comma that ends Val.
std::string realToText(double value, std::string_view decimalSeparator);

std::string integerToText(std::int32_t value);

std::string_view byteToText(std::uint8_t value);

// Rounds halves to the even neighbour; throws Failure outside the signed 32-bit range.
std::int32_t realToInteger(double value);

// The floating-point failure of arithmetic whose result is not finite.
double requireFinite(double value);

// A value with this many decimals after a point, as the reports and the picture write numbers:
// never through printf, so that the C library's locale cannot turn the point into a comma.
std::string fixedText(double value, int decimals);

// The low `digits` hex digits of a value, in capitals and with no prefix: "0F" of 15 and 2.
std::string upperHexDigits(std::uint32_t value, int digits);

}  // namespace vornelik
