// SPDX-License-Identifier: MIT
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

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

[[noreturn]] void overflow() {
    throw Failure("overflow");
}

void appendInteger(std::string& text, std::int64_t value) {
    std::array<char, 24> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    text.append(buffer.data(), end);
}

// The significant digits of a number of any length, kept up to a bound. A correctly rounded real
// is decided by fewer digits than are kept; past them it only matters whether any digit is
// nonzero, and one nonzero digit after the kept ones stands for all of them.
class SignificantDigits {
  public:
    explicit SignificantDigits(std::size_t bound) : bound_(bound) {}

    // Leading zeros are not significant and are left out.
    void add(char digit) {
        if (count_ == 0 && digit == '0') {
            return;
        }
        ++count_;
        if (kept_.size() < bound_) {
            kept_ += digit;
        } else {
            droppedNonZero_ = droppedNonZero_ || digit != '0';
        }
    }

    bool empty() const { return count_ == 0; }
    std::int64_t count() const { return count_; }

    // The kept digits, with the stand-in for the dropped ones.
    std::string text() const { return droppedNonZero_ ? kept_ + '1' : kept_; }

    // How many digit places follow text(): the number is text() times base to this power.
    std::int64_t placesAfterText() const {
        return count_ - static_cast<std::int64_t>(text().size());
    }

  private:
    std::size_t bound_;
    std::string kept_;
    std::int64_t count_ = 0;
    bool droppedNonZero_ = false;
};

// A real needs at most 767 significant decimal digits to be rounded correctly.
constexpr std::size_t kDecimalDigitsKept = 800;
// 44 significant octal or hexadecimal digits hold at least 130 bits, far more than a real's 53.
constexpr std::size_t kRadixDigitsKept = 44;

// Every nonzero real lies between 1E-324 and 1E309; beyond this power of ten the outcome is
// settled without reading the digits.
constexpr std::int64_t kBeyondAnyReal = 1000;
// Powers of ten are counted up to this bound and then saturate; ten times it still fits 64 bits.
// Digit positions are bounded by the length of a text, which stays far below it, so a
// saturated sum is still beyond any real.
constexpr std::int64_t kPowerBound = 100'000'000'000'000'000;

// Four octal digits are twelve bits, three hexadecimal digits.
std::string octalToHex(std::string_view octal) {
    std::string padded((4 - octal.size() % 4) % 4, '0');
    padded += octal;
    std::string hex;
    for (std::size_t group = 0; group < padded.size(); group += 4) {
        int bits = 0;
        for (std::size_t k = group; k < group + 4; ++k) {
            bits = bits * 8 + (padded[k] - '0');
        }
        for (int shift = 8; shift >= 0; shift -= 4) {
            hex += "0123456789abcdef"[(bits >> shift) & 0xf];
        }
    }
    return hex;
}

double readRadix(NumberReader& in, int bitsPerDigit) {
    const int base = 1 << bitsPerDigit;
    SignificantDigits digits(kRadixDigitsKept);
    while (digitValue(in.peek(), base) >= 0) {
        digits.add(in.peek());
        in.advance();
    }
    if (digits.empty()) {
        return 0;
    }
    // The leading digit alone is worth 2 to the power of the bits after it.
    if ((digits.count() - 1) * bitsPerDigit >= 1024) {
        overflow();
    }
    std::string number = bitsPerDigit == 4 ? digits.text() : octalToHex(digits.text());
    number += 'p';
    appendInteger(number, digits.placesAfterText() * bitsPerDigit);

    double value = 0;
    const auto parsed = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::hex);
    if (parsed.ec == std::errc::result_out_of_range) {
        overflow();
    }
    return value;
}

std::int64_t readExponent(NumberReader& in) {
    if (!in.accept('e')) {
        return 0;
    }
    bool negative = false;
    if (in.peek() == '-' || in.peek() == '+') {
        negative = in.peek() == '-';
        in.advance();
    }
    std::int64_t exponent = 0;
    for (char c = in.peek(); isDigit(c); c = in.peek()) {
        exponent = std::min(exponent * 10 + (c - '0'), kPowerBound);
        in.advance();
    }
    return negative ? -exponent : exponent;
}

double readDecimal(NumberReader& in) {
    SignificantDigits digits(kDecimalDigitsKept);
    bool anyDigit = false;
    for (char c = in.peek(); isDigit(c); c = in.peek()) {
        anyDigit = true;
        digits.add(c);
        in.advance();
    }
    // The number read so far is 0.<significant digits> times ten to this power.
    std::int64_t pointPower = digits.count();
    if (in.peek() == '.') {
        in.advance();
        for (char c = in.peek(); isDigit(c); c = in.peek()) {
            anyDigit = true;
            if (digits.empty() && c == '0') {
                --pointPower;
            }
            digits.add(c);
            in.advance();
        }
    }
    if (!anyDigit) {
        return 0;
    }
    const std::int64_t exponent = readExponent(in);
    if (digits.empty()) {
        return 0;
    }

    // Only now, with the digits' position known, is the size of the number decided.
    const std::int64_t leadingPower =
        std::clamp(pointPower, -kPowerBound, kPowerBound) + exponent - 1;
    if (leadingPower > kBeyondAnyReal) {
        overflow();
    }
    if (leadingPower < -kBeyondAnyReal) {
        return 0;
    }

    // std::from_chars never looks at a locale; it reads the digits as an integer with a power
    // of ten.
    std::string number = digits.text();
    const std::int64_t lastDigitPower = leadingPower - static_cast<std::int64_t>(number.size()) + 1;
    number += 'e';
    appendInteger(number, lastDigitPower);

    double value = 0;
    const auto parsed = std::from_chars(number.data(), number.data() + number.size(), value);
    if (parsed.ec == std::errc::result_out_of_range) {
        // Too large is an overflow, too small is nothing.
        if (leadingPower > 0) {
            overflow();
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
            value = readRadix(in, 4);
        } else if (in.accept('o')) {
            value = readRadix(in, 3);
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
    // Rounded to nearest, the largest reals give a 15-digit value beyond every real, which Val
    // would reject; they are rounded toward zero instead, one unit lower in the last digit.
    double roundedValue = 0;
    if (std::from_chars(rounded.data(), rounded.data() + rounded.size(), roundedValue).ec ==
        std::errc::result_out_of_range) {
        std::size_t last = digits.size() - 1;
        while (digits[last] == '0') {
            digits[last--] = '9';
        }
        --digits[last];
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

std::string fixedText(double value, int decimals) {
    std::array<char, 64> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::fixed, decimals);
    return {text.data(), result.ptr};
}

std::string upperHexDigits(std::uint32_t value, int digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        text += kDigits[(value >> shift) & 0xF];
    }
    return text;
}

}  // namespace vornelik
