// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vornelik {

// An English message that another part of the program writes, and the catalog's text for it.
struct MessagePattern {
    const char* english;      // the message, its parts marked {1}, {2}...
    const char* translation;  // the text for the catalog, with the same marks
};

// The parts of message where pattern ("{1} requires {2}") has its marks, numbered in order, or
// nothing where the message is not of that pattern. A part ends at the first place the text
// after its mark follows; the last text must end the message.
std::optional<std::vector<std::string>> partsOf(std::string_view pattern, std::string_view message);

// The translation of the first pattern the message matches, its parts passed through `part`
// where given, or nothing.
std::optional<std::string> matched(std::span<const MessagePattern> patterns,
                                   const std::string& message,
                                   std::string (*part)(std::string) = nullptr);

}  // namespace vornelik
