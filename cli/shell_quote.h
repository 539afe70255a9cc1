// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace vornelik {

// A path as one word for a POSIX shell: left bare when it is safe, else in single quotes; a word
// starting with '-' gets "./" so that it is not taken for an option.
std::string shellQuotePath(std::string_view path);

}  // namespace vornelik
