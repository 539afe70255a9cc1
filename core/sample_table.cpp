// SPDX-License-Identifier: MIT
#include "core/sample_table.h"

#include <array>
#include <cstring>
#include <limits>

#include "core/failure.h"
#include "core/numeric_text.h"

namespace vornelik {
namespace {

// Each byte's digits followed by a comma, padded to four characters so that one fixed-size copy
// places a value; the line then advances by the real length.
struct ValueText {
    std::array<char, 4> chars;
    std::size_t length;
};

std::array<ValueText, 256> makeValueTexts() {
    std::array<ValueText, 256> texts{};
    for (std::size_t value = 0; value < texts.size(); ++value) {
        const std::string_view digits = byteToText(static_cast<std::uint8_t>(value));
        std::memcpy(texts[value].chars.data(), digits.data(), digits.size());
        texts[value].chars[digits.size()] = ',';
        texts[value].length = digits.size() + 1;
    }
    return texts;
}

const std::array<ValueText, 256>& valueTexts() {
    static const std::array<ValueText, 256> texts = makeValueTexts();
    return texts;
}

// Keyword, ten values of up to four characters each, and the line end, with room to spare for
// the fixed-size copies.
using LineBuffer = std::array<char, 64>;

std::string_view buildLine(LineBuffer& line, std::span<const std::uint8_t, kValuesPerLine> values) {
    const auto& texts = valueTexts();
    char* end = line.data();
    std::memcpy(end, kTableKeyword.data(), kTableKeyword.size());
    end += kTableKeyword.size();
    for (const std::uint8_t value : values) {
        const ValueText& text = texts[value];
        std::memcpy(end, text.chars.data(), text.chars.size());
        end += text.length;
    }
    --end;  // the last value's comma
    std::memcpy(end, kLineEnd.data(), kLineEnd.size());
    end += kLineEnd.size();
    return {line.data(), static_cast<std::size_t>(end - line.data())};
}

}  // namespace

void TextSink::writeTableLine(std::span<const std::uint8_t, kValuesPerLine> values) {
    LineBuffer line;
    write(buildLine(line, values));
}

void writeSampleTable(TextSink& out, const TableSource& source, std::int32_t& tableIndex) {
    const std::int64_t step = source.quality == Quality::good ? 1 : 2;
    const std::int64_t lineSpan = step * kValuesPerLine;

    const std::int32_t limit = realToInteger(Val(source.endText) - static_cast<double>(lineSpan));
    tableIndex = realToInteger(Val(source.startText));

    const std::int64_t sampleCount = source.soundData.size();
    out.beginTable(tableIndex <= limit ? (std::int64_t{limit} - tableIndex) / lineSpan + 1 : 0);
    std::array<std::uint8_t, kValuesPerLine> values;
    while (tableIndex <= limit) {
        // The line's elements run from first to last in equal steps, so the two ends decide
        // whether all ten exist; nothing is built before they do.
        const std::int64_t first = std::int64_t{tableIndex} + step;
        const std::int64_t last = std::int64_t{tableIndex} + lineSpan;
        if (first < 0 || last >= sampleCount) {
            throw Failure("sample outside the sound data");
        }
        const std::uint8_t* samples =
            source.soundData.piece(first, static_cast<std::size_t>(last - first + 1));
        for (int k = 0; k < kValuesPerLine; ++k) {
            values[static_cast<std::size_t>(k)] = samples[k * step];
        }
        out.writeTableLine(values);

        // The next line starts at this line's last element.
        if (last > std::numeric_limits<std::int32_t>::max()) {
            throw Failure("overflow");
        }
        tableIndex = static_cast<std::int32_t>(last);
    }
}

}  // namespace vornelik
