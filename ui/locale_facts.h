// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vornelik {

// What the user's locale decides: the decimal separator of numbers written into the window, and
// the ANSI code page of the output files (1254 on a Turkish system). A face's platform layer
// reads them once, when the program starts.
struct LocaleFacts {
    std::string decimalSeparator = ".";
    unsigned codePage = 1252;
};

}  // namespace vornelik
