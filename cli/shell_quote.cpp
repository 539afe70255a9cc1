// SPDX-License-Identifier: MIT
#include "cli/shell_quote.h"

#include <algorithm>

namespace vornelik {

std::string shellQuotePath(std::string_view path) {
    std::string word(path);
    if (word.starts_with('-')) {
        word = "./" + word;
    }
    const auto safe = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               std::string_view("_@%+=:,./-").find(c) != std::string_view::npos;
    };
    if (!word.empty() && std::all_of(word.begin(), word.end(), safe)) {
        return word;
    }
    std::string quoted = "'";
    for (const char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

}  // namespace vornelik
