// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace vornelik {

// Runs vornelik-cli on its arguments (the program's name left out) and returns the exit status;
// what it says goes to standard output and standard error. main() and the tests both call it.
int runCli(std::vector<std::string> arguments);

}  // namespace vornelik
