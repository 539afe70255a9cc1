// SPDX-License-Identifier: MIT
#include "qt/posix_command_line.h"

namespace vornelik {

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return {argv, argv + argc};
}

}  // namespace vornelik
