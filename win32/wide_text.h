// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace vornelik {

// UTF-8, the handlers' text, and UTF-16, the text of the wide Windows API.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

// The text in an ANSI code page as Windows converts it by default: a character the code page
// lacks becomes its best-fit letter where there is one, else "?".
std::string toCodePage(std::string_view utf8, unsigned codePage);

}  // namespace vornelik
