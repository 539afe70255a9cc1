// SPDX-License-Identifier: MIT
#include "posix/posix_command_line.h"

namespace vornelik {

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return {argv, argv + argc};
}

}  // namespace vornelik
