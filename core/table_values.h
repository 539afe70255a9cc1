// SPDX-License-Identifier: MIT
#pragma once

// Reads the sample table back out of an output file's text: the values of every "CDATA  " line,
// in order, so that what is played or drawn from a table is what was written.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_sink.h"

namespace vornelik {

class TableValues : public TextSink {
  public:
    // Takes text in pieces of any size; lines other than sample table lines are passed over.
    // Throws Failure for a "CDATA  " line that does not hold byte values.
    void write(std::string_view text) override;

    // The values of the whole lines taken so far.
    const std::vector<std::uint8_t>& values() const { return values_; }

  private:
    void readLine(std::string_view line);

    std::string pending_;  // the start of a line whose end has not come yet
    std::vector<std::uint8_t> values_;
};

}  // namespace vornelik
