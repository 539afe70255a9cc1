// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/pic18f4620.h"
#include "core/sound_pieces.h"
#include "core/text_sink.h"

namespace vornelik {

// A sample table line: the keyword, then ten byte values separated by commas, then CR LF.
inline constexpr std::string_view kTableKeyword = "CDATA  ";
inline constexpr std::string_view kLineEnd = "\r\n";

// What the sample table is made of, as the window holds it at writing time.
struct TableSource {
    SoundBytes soundData;
    Quality quality = Quality::good;
    std::string_view startText;  // the start offset box, read through Val
    std::string_view endText;    // the end offset box, read through Val
};

// Streams the "CDATA  " lines, one whole line a write. tableIndex is the window's loop
// position, left where the loop stopped. Throws Failure for a sample outside soundData or an
// offset outside the signed 32-bit range; the lines written before it stay written.
void writeSampleTable(TextSink& out, const TableSource& source, std::int32_t& tableIndex);

}  // namespace vornelik
