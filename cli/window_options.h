// SPDX-License-Identifier: MIT
#pragma once

#include "cli/window_run.h"

namespace CLI {
class App;
}

namespace vornelik {

// The options of the commands that run the window's handlers (bas, inc, hex, asm, preview): the
// texts typed into the range boxes and the quality button pressed. `asForBas` says in the offsets'
// help that their defaults are bas's (hex, asm, preview).
void addWindowOptions(CLI::App& command, OutputRequest& request, bool asForBas);

}  // namespace vornelik
