// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>

#include "core/sample_table.h"
#include "core/text_sink.h"

namespace vornelik {

// The include file: a comment line naming the delay and the sample count, "ses:", then the
// sample table.
void writeInclude(TextSink& out, const TableSource& table, std::string_view memorySizeText,
                  std::string_view decimalSeparator, std::int32_t& tableIndex);

}  // namespace vornelik
