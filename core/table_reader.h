// SPDX-License-Identifier: MIT
#pragma once

// The sample table's values read back from the text the writers write, for the commands that
// want the values the window's own steps put in the table rather than its text.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_sink.h"

namespace vornelik {

// Where a table's values go, in order, a batch at a time.
class ValueSink {
  public:
    virtual ~ValueSink() = default;
    virtual void take(std::span<const std::uint8_t> values) = 0;
};

// Takes a program or include file's text in pieces of any size and hands the values of its
// "CDATA  " lines to the value sink; the other lines are passed over.
class TableReader : public TextSink {
  public:
    explicit TableReader(ValueSink& values) : values_(values) {}
    void write(std::string_view text) override;

  private:
    void readLine(std::string_view line);

    ValueSink& values_;
    std::string partial_;  // a line not yet ended
    std::vector<std::uint8_t> batch_;
};

}  // namespace vornelik
