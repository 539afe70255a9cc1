// SPDX-License-Identifier: MIT
#include "core/sample_table.h"

#include <algorithm>
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
constexpr std::size_t kLineRoom = 64;

// Places one line's text at `end` and returns the end of it.
char* buildLine(char* end, const std::uint8_t* values) {
    const auto& texts = valueTexts();
    std::memcpy(end, kTableKeyword.data(), kTableKeyword.size());
    end += kTableKeyword.size();
    for (int k = 0; k < kValuesPerLine; ++k) {
        const ValueText& text = texts[values[k]];
        std::memcpy(end, text.chars.data(), text.chars.size());
        end += text.length;
    }
    --end;  // the last value's comma
    std::memcpy(end, kLineEnd.data(), kLineEnd.size());
    return end + kLineEnd.size();
}

// The lines handed to the sink at once.
constexpr std::size_t kBatchLines = 64;

// One write a line, so that a sink that fails stops the table after a whole line.
void writeLines(TextSink& out, std::span<const std::uint8_t> values) {
    std::array<char, kLineRoom> line;
    for (std::size_t at = 0; at + kValuesPerLine <= values.size(); at += kValuesPerLine) {
        const char* end = buildLine(line.data(), values.data() + at);
        out.write({line.data(), static_cast<std::size_t>(end - line.data())});
    }
}

}  // namespace

void writeSampleTable(TextSink& out, const TableSource& source, std::int32_t& tableIndex) {
    const std::int64_t step = stepOf(source.quality);
    const std::int64_t lineSpan = step * kValuesPerLine;

    const std::int32_t limit = realToInteger(Val(source.endText) - static_cast<double>(lineSpan));
    tableIndex = realToInteger(Val(source.startText));

    const std::int64_t sampleCount = source.soundData.size();
    // Whole lines' values gather here and go to the sink together; what is gathered goes out
    // before a failure.
    std::array<std::uint8_t, kValuesPerLine * kBatchLines> values;
    std::size_t gathered = 0;
    const auto handOver = [&] {
        writeLines(out, std::span(values).first(gathered));
        gathered = 0;
    };
    while (tableIndex <= limit) {
        // The line's elements run from first to last in equal steps, so the two ends decide
        // whether all ten exist; nothing is built before they do.
        const std::int64_t first = std::int64_t{tableIndex} + step;
        const std::int64_t last = std::int64_t{tableIndex} + lineSpan;
        if (first < 0 || last >= sampleCount) {
            handOver();
            throw Failure("sample outside the sound data");
        }
        const std::uint8_t* samples =
            source.soundData.piece(first, static_cast<std::size_t>(last - first + 1));
        if (step == 1) {
            std::memcpy(values.data() + gathered, samples, kValuesPerLine);
        } else {
            std::array<std::uint8_t, kValuesPerLine> every;  // apart, so that the copy unrolls
            for (std::size_t k = 0; k < kValuesPerLine; ++k) {
                every[k] = samples[2 * k];
            }
            std::memcpy(values.data() + gathered, every.data(), kValuesPerLine);
        }
        gathered += kValuesPerLine;
        if (gathered == values.size()) {
            handOver();
        }

        // The next line starts at this line's last element.
        if (last > std::numeric_limits<std::int32_t>::max()) {
            handOver();
            throw Failure("overflow");
        }
        tableIndex = static_cast<std::int32_t>(last);
    }
    handOver();
}

}  // namespace vornelik
