// SPDX-License-Identifier: MIT
// The Windows program: Form1 on plain Win32 controls, on the system's locale and files.

#include "win32/windows_api.h"

#include <exception>
#include <memory>
#include <optional>

#include "ui/platform.h"
#include "win32/test_script.h"
#include "win32/win32_dialogs.h"
#include "win32/win32_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace vornelik;
    try {
        // Only the window's own tests start the program with a script.
        std::optional<TestScript> script = TestScript::fromEnvironment();
        LocaleFacts locale = systemLocaleFacts();
        if (script) {
            locale = script->applyTo(std::move(locale));
        }
        const auto files = makeSystemFileSystem(locale.codePage);

        Win32CommonDialog systemDialog;
        Win32MessageBox systemMessageBox;
        std::unique_ptr<CommonDialog> scriptedDialog;
        std::unique_ptr<MessageBox> loggedMessageBox;
        if (script) {
            scriptedDialog = std::make_unique<ScriptedCommonDialog>(*script);
            loggedMessageBox = std::make_unique<LoggedMessageBox>(script->logPath);
        }
        CommonDialog& dialog = script ? *scriptedDialog : systemDialog;
        MessageBox& messageBox = script ? *loggedMessageBox : systemMessageBox;

        Win32Window window(instance, dialog, messageBox, *files, locale);
        systemDialog.setOwner(window.handle());
        systemMessageBox.setOwner(window.handle());
        window.show(showCommand);
        return window.run();
    } catch (const std::exception&) {
        return 1;
    }
}
