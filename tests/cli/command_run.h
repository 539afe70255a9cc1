// SPDX-License-Identifier: MIT
#pragma once

// Runs one vornelik-cli command as main() does, keeping its exit status and what it printed.

#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace vornelik {

struct CommandRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline CommandRun runCommand(void (*add)(CLI::App&, int&), std::vector<std::string> arguments) {
    CLI::App app("test", "vornelik-cli");
    app.require_subcommand(1);
    // "/name" is a path, on Windows too, never an option.
    app.allow_windows_style_options(false);
    CommandRun run;
    run.status = kOk;
    add(app, run.status);
    std::reverse(arguments.begin(), arguments.end());  // CLI11 takes them last first
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    try {
        app.parse(arguments);
    } catch (const CLI::ParseError&) {
        run.status = kUsage;
    }
    run.err = testing::internal::GetCapturedStderr();
    run.out = testing::internal::GetCapturedStdout();
    return run;
}

}  // namespace vornelik
