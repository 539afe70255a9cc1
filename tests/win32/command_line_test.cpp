// SPDX-License-Identifier: MIT
// vornelik-cli.exe takes its arguments from the wide command line: names with letters that the
// ANSI code page lacks reach it whole.

#include <gtest/gtest.h>

#include <string>

#include "core/sound_fixture.h"
#include "scratch_folder.h"
#include "win32/wide_text.h"

namespace vornelik {
namespace {

unsigned long run(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return ~0UL;
    }
    WaitForSingleObject(started.hProcess, 30000);
    DWORD code = ~0UL;
    GetExitCodeProcess(started.hProcess, &code);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return code;
}

TEST(CommandLine, TurkishNamesReachTheProgramWhole) {
    const ScratchFolder folder;
    const std::wstring sound = folder / L"ses kayd\u0131 \u015f\u011f.wav";
    const std::wstring output = folder / L"\u00e7\u0131kt\u0131.bas";
    writeBytes(sound, std::string(kSoundBytes.begin(), kSoundBytes.end()));
    EXPECT_EQ(run(L"\"" + widen(VORNELIK_CLI) + L"\" bas \"" + sound + L"\" -o \"" + output +
                  L"\" --end 25"),
              0u);
    EXPECT_EQ(readBytes(output), expectedFile("program_good_0_25.bas"));
}

}  // namespace
}  // namespace vornelik
