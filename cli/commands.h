#pragma once

// Each command adds its subcommand to the program; its callback leaves the exit status.

namespace CLI {
class App;
}

namespace vornelik {

enum ExitStatus : int {
    kOk = 0,
    kUsage = 1,
    kCheckFailed = 2,
    kInputOutput = 3,
};

void addOutputCommands(CLI::App& app, int& status);  // bas, inc
void addInfoCommand(CLI::App& app, int& status);

}  // namespace vornelik
