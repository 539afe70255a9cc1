// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "cli/window_run.h"

namespace CLI {
class App;
}

namespace vornelik {

// The options of the commands that run the window's handlers (bas, inc, preview): the texts
// typed into the range boxes and the quality button pressed. `asFor` ends the defaults in the
// offsets' help: "" for bas and inc, ", as for bas" for preview.
void addWindowOptions(CLI::App& command, OutputRequest& request, std::string_view asFor);

}  // namespace vornelik
