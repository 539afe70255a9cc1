// SPDX-License-Identifier: MIT
#include "win32/window_program.h"

#include <vector>

#include "ui/opening_dialog.h"
#include "ui/platform.h"
#include "win32/win32_dialogs.h"
#include "win32/win32_window.h"
#include "win32/windows_command_line.h"

namespace vornelik {

std::optional<std::string> soundOnCommandLine() {
    const std::vector<std::string> arguments = commandLineArguments(0, nullptr);
    if (arguments.size() > 1) {
        return arguments[1];
    }
    return std::nullopt;
}

int runWindowProgram(HINSTANCE instance, int showCommand, LocaleFacts locale, CommonDialog* dialog,
                     MsgBox* messageBox, std::optional<std::string> sound) {
    const auto files = makeSystemFileSystem(locale.codePage);
    const bool opening = sound.has_value();
    OpeningDialog<Win32CommonDialog> systemDialog(std::move(sound));
    Win32MsgBox systemMessageBox;
    Win32Window window(instance, dialog != nullptr ? *dialog : systemDialog,
                       messageBox != nullptr ? *messageBox : systemMessageBox, *files,
                       std::move(locale));
    systemDialog.setOwner(window.handle());
    systemMessageBox.setOwner(window.handle());
    window.show(showCommand);
    if (opening) {
        // Taken from the queue once the window is up, so that a message the opening shows has
        // it as its owner.
        PostMessageW(window.control(Control::Command2), BM_CLICK, 0, 0);
    }
    return window.run();
}

}  // namespace vornelik
