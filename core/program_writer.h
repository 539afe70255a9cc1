// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>

#include "core/sample_table.h"
#include "core/text_sink.h"

namespace vornelik {

// The complete Proton BASIC program: sixteen fixed lines, then the sample table. The loop count
// is read back from the memory size label's text, so a size written with a comma counts only its
// integer part.
void writeProgram(TextSink& out, const TableSource& table, std::string_view memorySizeText,
                  std::string_view decimalSeparator, std::int32_t& tableIndex);

}  // namespace vornelik
