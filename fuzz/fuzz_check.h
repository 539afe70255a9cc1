// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace vornelik::fuzz {

// A broken property ends the run the way a sanitizer does, so that libFuzzer keeps the input.
inline void require(bool holds, std::string_view what, std::string_view detail = {}) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %.*s [%.*s]\n", static_cast<int>(what.size()),
                     what.data(), static_cast<int>(detail.size()), detail.data());
        std::abort();
    }
}

}  // namespace vornelik::fuzz
