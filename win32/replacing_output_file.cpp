// SPDX-License-Identifier: MIT
#include "win32/replacing_text_file.h"

#include "core/best_fit.h"
#include "win32/wide_text.h"

namespace vornelik {

void ReplacingTextFile::write(std::string_view text) {
    if (isAscii(text)) {
        file_.write(text);
    } else {
        file_.write(toCodePage(text, codePage_));
    }
}

}  // namespace vornelik
