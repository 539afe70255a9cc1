// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "ui/common_dialog.h"
#include "ui/locale_facts.h"
#include "ui/msg_box.h"

namespace vornelik {

// The sound named on the program's command line (or dropped on the program): its first
// argument, if any.
std::optional<std::string> soundOnCommandLine();

// Form1 on its Win32 window until it is closed, on the system's files. The dialogs and message
// boxes are Windows' own unless others are given; the window owns Windows' own ones. A sound
// named on the command line (or dropped on the program) is opened once the window is up, through
// the open button, as though the user had chosen it in its dialog.
int runWindowProgram(HINSTANCE instance, int showCommand, LocaleFacts locale,
                     CommonDialog* dialog = nullptr, MsgBox* messageBox = nullptr,
                     std::optional<std::string> sound = std::nullopt);

}  // namespace vornelik
