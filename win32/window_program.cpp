// SPDX-License-Identifier: MIT
#include "win32/window_program.h"

#include "ui/platform.h"
#include "win32/win32_dialogs.h"
#include "win32/win32_window.h"

namespace vornelik {

int runWindowProgram(HINSTANCE instance, int showCommand, LocaleFacts locale, CommonDialog* dialog,
                     MessageBox* messageBox) {
    const auto files = makeSystemFileSystem(locale.codePage);
    Win32CommonDialog systemDialog;
    Win32MessageBox systemMessageBox;
    Win32Window window(instance, dialog != nullptr ? *dialog : systemDialog,
                       messageBox != nullptr ? *messageBox : systemMessageBox, *files,
                       std::move(locale));
    systemDialog.setOwner(window.handle());
    systemMessageBox.setOwner(window.handle());
    window.show(showCommand);
    return window.run();
}

}  // namespace vornelik
