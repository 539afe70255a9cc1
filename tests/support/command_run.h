// SPDX-License-Identifier: MIT
#pragma once

// Runs vornelik-cli as main() does, through the same runCli(), keeping its exit status and
// what it printed.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/run_cli.h"

namespace vornelik {

struct CommandRun {
    int status = -1;
    std::string out;
    std::string err;
};

// The arguments after the program's name: {"preview", "ses.wav", "-o", ...}.
inline CommandRun runCommand(std::vector<std::string> arguments) {
    CommandRun run;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    run.status = runCli(std::move(arguments));
    run.err = testing::internal::GetCapturedStderr();
    run.out = testing::internal::GetCapturedStdout();
    return run;
}

}  // namespace vornelik
