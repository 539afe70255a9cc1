// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/failure.h"

namespace vornelik {

// The single-byte ANSI code pages Windows gives a user: Thai and the 125x family.
inline constexpr std::array<unsigned, 10> kAnsiCodePages = {874,  1250, 1251, 1252, 1253,
                                                            1254, 1255, 1256, 1257, 1258};

bool isAnsiCodePage(unsigned codePage);

// UTF-8 text in an ANSI code page, byte for byte as Windows' WideCharToMultiByte writes it with
// its default best fit: a letter the code page lacks becomes its plain Latin letter where
// Windows has one, else "?". Throws Failure for a code page not in kAnsiCodePages.
std::string toAnsiCodePage(std::string_view utf8, unsigned codePage);

}  // namespace vornelik
