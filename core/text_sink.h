// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace vornelik {

// The values on one sample table line.
inline constexpr int kValuesPerLine = 10;

// Where the writers put an output file's text: UTF-8, lines already ended by "\r\n".
// A sink that cannot take the text throws.
class TextSink {
  public:
    virtual ~TextSink() = default;
    virtual void write(std::string_view text) = 0;

    // The sample table comes as its line count, then the values of whole lines, in order, a
    // batch at a time. A sink that wants the values rather than the text overrides both; by
    // default the lines' text is written (sample_table.cpp).
    virtual void beginTable(std::int64_t lines) { static_cast<void>(lines); }
    virtual void writeTableLines(std::span<const std::uint8_t> values);
};

}  // namespace vornelik
