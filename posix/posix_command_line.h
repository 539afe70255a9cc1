// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace vornelik {

// The program's arguments as main() has them, the first being the program's name: UTF-8 on a
// system whose locale speaks it, which is all the file layer asks.
std::vector<std::string> commandLineArguments(int argc, char** argv);

}  // namespace vornelik
