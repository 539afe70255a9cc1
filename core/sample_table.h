// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/sound_pieces.h"
#include "core/text_sink.h"

namespace vornelik {

// A sample table line: the keyword, then ten byte values separated by commas, then CR LF.
inline constexpr std::string_view kTableKeyword = "CDATA  ";
inline constexpr std::string_view kLineEnd = "\r\n";

enum class Quality : std::uint8_t {
    good = 0,  // every byte
    poor = 1,  // every second byte
};

// What the sample table is made of, as the window holds it at writing time.
struct TableSource {
    SoundBytes soundData;
    Quality quality = Quality::good;
    std::string_view startText;  // the start offset box, read through Val
    std::string_view endText;    // the end offset box, read through Val
};

// Streams the "CDATA  " lines, one whole line at a time, through the sink's beginTable and
// writeTableLines. tableIndex is the window's loop
// position, left where the loop stopped. Throws Failure for a sample outside soundData or an
// offset outside the signed 32-bit range; the lines written before it stay written.
void writeSampleTable(TextSink& out, const TableSource& source, std::int32_t& tableIndex);

}  // namespace vornelik
