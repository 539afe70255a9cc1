// SPDX-License-Identifier: MIT
#include "win32/replacing_output_file.h"

#include "core/best_fit.h"
#include "win32/wide_text.h"

namespace vornelik {

void ReplacingOutputFile::write(std::string_view text) {
    file_.write(inCodePage(text, codePage_, toCodePage));
}

}  // namespace vornelik
