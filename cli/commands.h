// SPDX-License-Identifier: MIT
#pragma once

// Each command adds its subcommand to the program; its callback leaves the exit status.

namespace CLI {
class App;
}

namespace vornelik {

struct OutputOutcome;

enum ExitStatus : int {
    kOk = 0,
    kUsage = 1,
    kCheckFailed = 2,
    kInputOutput = 3,
};

void addOutputCommands(CLI::App& app, int& status);  // bas, inc
void addPlayerCommands(CLI::App& app, int& status);  // hex, asm
void addInfoCommand(CLI::App& app, int& status);
void addPlotCommand(CLI::App& app, int& status);
void addPreviewCommand(CLI::App& app, int& status);
#ifdef VORNELIK_CONVERT
void addConvertCommand(CLI::App& app, int& status);
#endif

// The exit status of a run of the window's handlers; why it failed goes to standard error.
int reportOutcome(const OutputOutcome& outcome);

}  // namespace vornelik
