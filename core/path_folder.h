// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace vornelik {

// The folder part of a path, up to and with its last separator (any of `separators`):
// "C:\a\" of "C:\a\b.wav", "/" of "/b.wav"; empty when the path names no folder. The separator
// stays so that a root stays a root ("C:" alone is the drive's working folder).
template <typename Char>
std::basic_string_view<Char> folderPart(std::basic_string_view<Char> path,
                                        std::basic_string_view<Char> separators) {
    const auto last = path.find_last_of(separators);
    return last == std::basic_string_view<Char>::npos ? std::basic_string_view<Char>()
                                                      : path.substr(0, last + 1);
}

}  // namespace vornelik
