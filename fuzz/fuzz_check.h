// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace vornelik::fuzz {

// A broken property ends the run the way a sanitizer does, so that libFuzzer keeps the input.
inline void require(bool holds, std::string_view what, std::string_view detail = {}) {
    if (!holds) {
        // Written as bytes: an empty view's data may be null, which printf's "%.*s" dislikes.
        std::fputs("property broken: ", stderr);
        std::fwrite(what.data(), 1, what.size(), stderr);
        std::fputs(" [", stderr);
        std::fwrite(detail.data(), 1, detail.size(), stderr);
        std::fputs("]\n", stderr);
        std::abort();
    }
}

}  // namespace vornelik::fuzz
