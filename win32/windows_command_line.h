// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace vornelik {

// The program's arguments in UTF-8, the first being the program's name, read from the wide
// command line: main()'s argv is in the ANSI code page. argv is the fallback where the wide
// command line cannot be split.
std::vector<std::string> commandLineArguments(int argc, char** argv);

}  // namespace vornelik
