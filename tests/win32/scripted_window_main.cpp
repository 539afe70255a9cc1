// SPDX-License-Identifier: MIT
// vornelik.exe as its window tests start it: the same window, with the dialogs answered and the
// locale set by the script VORNELIK_TEST_SCRIPT names. Built for the tests alone, so that the
// program users run takes no such hidden input.

#include <exception>
#include <memory>
#include <optional>

#include "test_script.h"
#include "ui/platform.h"
#include "win32/window_program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace vornelik;
    try {
        std::optional<TestScript> script = TestScript::fromEnvironment();
        if (!script) {  // as the shipped program runs
            return runWindowProgram(instance, showCommand, systemLocaleFacts(), nullptr, nullptr,
                                    soundOnCommandLine());
        }
        ScriptedCommonDialog dialog(*script);
        LoggedMsgBox messageBox(script->logPath);
        return runWindowProgram(instance, showCommand, script->applyTo(systemLocaleFacts()),
                                &dialog, &messageBox);
    } catch (const std::exception&) {
        return 1;
    }
}
