#include "core/numeric_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "core/failure.h"

namespace vornelik {
namespace {

// Walks a text the way Val reads it: blanks, tabs and line feeds do not exist for it.
class NumberReader {
  public:
    explicit NumberReader(std::string_view text) : text_(text) {}

    // The next character that counts, or '\0' at the end.
    char peek() {
        while (pos_ < text_.size() && isSkipped(text_[pos_])) {
            ++pos_;
        }
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void advance() { ++pos_; }

    bool accept(char lower) {
        const char c = peek();
        if (c == lower || c == lower - 'a' + 'A') {
            advance();
            return true;
        }
        return false;
    }

  private:
    static bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

    std::string_view text_;
    std::size_t pos_ = 0;
};

int digitValue(char c, int base) {
    int value = base;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

double readRadix(NumberReader& in, int base) {
    double value = 0;
    for (int digit = digitValue(in.peek(), base); digit >= 0; digit = digitValue(in.peek(), base)) {
        value = value * base + digit;
        in.advance();
    }
    return requireFinite(value);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

double readDecimal(NumberReader& in) {
    // The number is gathered in the form std::from_chars reads, which never looks at a locale.
    std::string number;
    bool anyDigit = false;
    bool seenNonZero = false;
    std::int64_t significantIntegerDigits = 0;
    std::int64_t leadingFractionZeros = 0;

    for (char c = in.peek(); isDigit(c); c = in.peek()) {
        anyDigit = true;
        seenNonZero = seenNonZero || c != '0';
        significantIntegerDigits += seenNonZero ? 1 : 0;
        number += c;
        in.advance();
    }
    if (in.peek() == '.') {
        in.advance();
        number += '.';
        for (char c = in.peek(); isDigit(c); c = in.peek()) {
            anyDigit = true;
            if (!seenNonZero) {
                seenNonZero = c != '0';
                leadingFractionZeros += seenNonZero ? 0 : 1;
            }
            number += c;
            in.advance();
        }
    }
    if (!anyDigit) {
        return 0;
    }

    // An exponent beyond any real's range only has to keep its sign; clamping it keeps the
    // arithmetic below far from integer overflow.
    constexpr std::int64_t kExponentClamp = 1'000'000;
    std::int64_t exponent = 0;
    if (in.accept('e')) {
        bool negativeExponent = false;
        if (in.peek() == '-' || in.peek() == '+') {
            negativeExponent = in.peek() == '-';
            in.advance();
        }
        for (char c = in.peek(); isDigit(c); c = in.peek()) {
            exponent = std::min(exponent * 10 + (c - '0'), kExponentClamp);
            in.advance();
        }
        exponent = negativeExponent ? -exponent : exponent;
    }
    if (!seenNonZero) {
        return 0;
    }

    number += 'e';
    std::array<char, 24> exponentText{};
    const auto written =
        std::to_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    number.append(exponentText.data(), written.ptr);

    double value = 0;
    const auto parsed = std::from_chars(number.data(), number.data() + number.size(), value);
    if (parsed.ec == std::errc::result_out_of_range) {
        // Out of range either way: too large is an overflow, too small is nothing.
        const std::int64_t leadingDigitPower = significantIntegerDigits > 0
                                                   ? exponent + significantIntegerDigits - 1
                                                   : exponent - leadingFractionZeros - 1;
        if (leadingDigitPower > 0) {
            throw Failure("overflow");
        }
        return 0;
    }
    return value;
}

struct ByteText {
    std::array<char, 3> digits;
    std::uint8_t length;
};

constexpr std::array<ByteText, 256> makeByteTexts() {
    std::array<ByteText, 256> texts{};
    for (int value = 0; value < 256; ++value) {
        ByteText& text = texts[value];
        if (value >= 100) {
            text = {{char('0' + value / 100), char('0' + value / 10 % 10), char('0' + value % 10)},
                    3};
        } else if (value >= 10) {
            text = {{char('0' + value / 10), char('0' + value % 10), '\0'}, 2};
        } else {
            text = {{char('0' + value), '\0', '\0'}, 1};
        }
    }
    return texts;
}

constexpr std::array<ByteText, 256> kByteTexts = makeByteTexts();

}  // namespace

double Val(std::string_view text) {
    NumberReader in(text);
    bool negative = false;
    if (in.peek() == '-' || in.peek() == '+') {
        negative = in.peek() == '-';
        in.advance();
    }
    double value = 0;
    if (in.peek() == '&') {
        in.advance();
        if (in.accept('h')) {
            value = readRadix(in, 16);
        } else if (in.accept('o')) {
            value = readRadix(in, 8);
        }
    } else {
        value = readDecimal(in);
    }
    return negative ? -value : value;
}

std::string realToText(double value, std::string_view decimalSeparator) {
    requireFinite(value);
    if (value == 0) {
        return "0";  // also for -0
    }

    // "-d.dddddddddddddde+XX": the value rounded to 15 significant digits.
    std::array<char, 32> scientific{};
    const auto end = std::to_chars(scientific.data(), scientific.data() + scientific.size(), value,
                                   std::chars_format::scientific, 14)
                         .ptr;
    const std::string_view rounded(scientific.data(),
                                   static_cast<std::size_t>(end - scientific.data()));
    const bool negative = rounded.front() == '-';
    const std::size_t exponentMark = rounded.find('e');

    std::string digits;
    for (char c : rounded.substr(0, exponentMark)) {
        if (isDigit(c)) {
            digits += c;
        }
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    int exponent = 0;
    const std::string_view exponentText = rounded.substr(exponentMark + 1);
    const char* exponentStart = exponentText.data() + (exponentText.front() == '+' ? 1 : 0);
    std::from_chars(exponentStart, exponentText.data() + exponentText.size(), exponent);

    std::string text = negative ? "-" : "";
    const auto digitCount = static_cast<int>(digits.size());
    if (exponent >= 15 || exponent < -5) {
        const int mantissaExponent = exponent - (digitCount - 1);
        const int magnitude = std::abs(mantissaExponent);
        text += digits;
        text += mantissaExponent < 0 ? "E-" : "E+";
        text += magnitude < 10 ? "0" : "";
        text += integerToText(magnitude);
    } else if (exponent >= 0) {
        const int integerDigits = exponent + 1;
        if (digitCount <= integerDigits) {
            text += digits;
            text.append(static_cast<std::size_t>(integerDigits - digitCount), '0');
        } else {
            text += std::string_view(digits).substr(0, static_cast<std::size_t>(integerDigits));
            text += decimalSeparator;
            text += std::string_view(digits).substr(static_cast<std::size_t>(integerDigits));
        }
    } else {
        text += '0';
        text += decimalSeparator;
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
    }
    return text;
}

std::string integerToText(std::int32_t value) {
    std::array<char, 12> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    return std::string(buffer.data(), end);
}

std::string_view byteToText(std::uint8_t value) {
    const ByteText& text = kByteTexts[value];
    return {text.digits.data(), text.length};
}

std::int32_t realToInteger(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0)) {
        rounded = below + 1;
    }
    // The negated comparisons also turn a NaN away.
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max())) {
        throw Failure("overflow");
    }
    return static_cast<std::int32_t>(rounded);
}

double requireFinite(double value) {
    if (!std::isfinite(value)) {
        throw Failure("floating-point failure");
    }
    return value;
}

}  // namespace vornelik
