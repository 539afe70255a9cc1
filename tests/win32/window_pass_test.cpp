// SPDX-License-Identifier: MIT
// The real Win32 window of vornelik.exe, driven from outside on a display: its wiring of the
// layout table, the typing limit, the events, and the files it writes, byte for byte.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "running_window.h"
#include "scratch_folder.h"
#include "support/sound_fixture.h"
#include "support/user_texts.h"
#include "ui/form_layout.h"
#include "win32/wide_text.h"

namespace vornelik {
namespace {

const std::wstring kSoundName = L"ses kayd\u0131.wav";

// One start of the program in a folder of its own, with the 26-byte sound in it and a script
// that sets the locale and answers the file dialogs in order with files in the folder.
struct Pass {
    Pass(const std::string& separator, unsigned codePage, const std::vector<std::wstring>& answers)
        : sound(folder / kSoundName), log(folder / L"log.txt") {
        writeBytes(sound, std::string(kSoundBytes.begin(), kSoundBytes.end()));
        std::string script = "separator=" + separator + "\ncodepage=" + std::to_string(codePage) +
                             "\nlog=" + narrow(log) + "\n";
        for (const std::wstring& answer : answers) {
            script += "answer=" + narrow(folder / answer) + "\n";
        }
        writeBytes(folder / L"script.txt", script);
        window = std::make_unique<RunningWindow>(widen(VORNELIK_PROGRAM), folder / L"script.txt");
    }

    // What the program told instead of showing dialogs and message boxes, line by line.
    std::vector<std::string> logLines() const {
        std::vector<std::string> lines;
        std::istringstream in(readBytes(log));
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    // The eight controls that take input, in tab order.
    std::string enabledFlags() const {
        std::string flags;
        for (const Control control :
             {Control::Command2, Control::Command3, Control::Command4, Control::Text1,
              Control::Text2, Control::Command1, Control::Command5, Control::Command6}) {
            flags += window->isEnabled(control) ? '1' : '0';
        }
        return flags;
    }

    ScratchFolder folder;
    std::wstring sound;
    std::wstring log;
    std::unique_ptr<RunningWindow> window;
};

int pixelsAt(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

// The client area and each control's rectangle, as the twips table gives them at this DPI.
void expectLaidOutAt(const RunningWindow& w, int dpi) {
    SCOPED_TRACE(dpi);
    RECT client;
    GetClientRect(w.window(), &client);
    EXPECT_EQ(client.right, pixelsAt(kForm1.clientWidthTwips, dpi));
    EXPECT_EQ(client.bottom, pixelsAt(kForm1.clientHeightTwips, dpi));
    for (const ControlLayout& layout : kForm1Controls) {
        SCOPED_TRACE(std::string(layout.name));
        RECT box;
        GetWindowRect(w.control(layout.id), &box);
        MapWindowPoints(nullptr, w.window(), reinterpret_cast<POINT*>(&box), 2);
        EXPECT_EQ(box.left, pixelsAt(layout.box.left, dpi));
        EXPECT_EQ(box.top, pixelsAt(layout.box.top, dpi));
        EXPECT_EQ(box.right - box.left, pixelsAt(layout.box.width, dpi));
        EXPECT_EQ(box.bottom - box.top, pixelsAt(layout.box.height, dpi));
    }
}

// Wine's screen DPI for the programs started after it is set; 0 takes the value away.
void setLogPixels(DWORD dpi) {
    HKEY desktop = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE,
                    nullptr, &desktop, nullptr);
    if (dpi == 0) {
        RegDeleteValueW(desktop, L"LogPixels");
    } else {
        RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                       sizeof dpi);
    }
    RegCloseKey(desktop);
}

TEST(Win32Window, StartsAsDesigned) {
    Pass pass(",", 1254, {});
    RunningWindow& w = *pass.window;

    wchar_t caption[32] = {};
    GetWindowTextW(w.window(), caption, 32);
    EXPECT_EQ(narrow(caption), kForm1.caption);
    const LONG style = GetWindowLongW(w.window(), GWL_STYLE);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_NE(style & WS_SYSMENU, 0);

    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    expectLaidOutAt(w, dpi);
    for (const ControlLayout& layout : kForm1Controls) {
        if (layout.id != Control::mesaj) {
            EXPECT_EQ(w.text(layout.id), layout.caption) << layout.name;
        }
    }
    EXPECT_EQ(w.text(Control::mesaj), shown::kStart);
    EXPECT_EQ(pass.enabledFlags(), "10000000");
    EXPECT_EQ(w.focus(), w.control(Control::Command2));

    // A click that reaches a disabled button runs nothing: no Save dialog is asked for.
    w.click(Control::Command3);
    w.click(Control::Command6);
    EXPECT_TRUE(pass.logLines().empty());
    EXPECT_EQ(w.close(), 0u);
}

TEST(Win32Window, ForwardsClicksAndChangesAndLimitsTypingOnly) {
    Pass pass(",", 1254, {kSoundName});
    RunningWindow& w = *pass.window;

    w.click(Control::Command2);
    EXPECT_EQ(w.text(Control::yer), narrow(pass.sound));
    EXPECT_EQ(w.text(Control::boyut), "26 byte");
    EXPECT_EQ(w.text(Control::Text2), "26");
    EXPECT_EQ(w.text(Control::mesaj), shown::kSetRange);
    EXPECT_EQ(pass.enabledFlags(), "00011110");
    // The open button is disabled now: the focus moved on along the tab order, and the Tab
    // key takes it round the enabled controls in that order.
    EXPECT_EQ(w.focus(), w.control(Control::Text1));
    for (const Control next :
         {Control::Text2, Control::Command1, Control::Command5, Control::Text1}) {
        w.pressTab();
        EXPECT_EQ(w.focus(), w.control(next));
    }

    // Typing stops at five characters and runs the Change handler.
    w.click(Control::Command1);
    EXPECT_TRUE(w.isEnabled(Control::Command6));
    w.type(Control::Text1, "1234567");
    EXPECT_EQ(w.text(Control::Text1), "12345");
    EXPECT_EQ(w.text(Control::mesaj), shown::kStartEdited);
    EXPECT_FALSE(w.isEnabled(Control::Command6));

    // A text set as a whole is shown whole, and changes the box too.
    w.click(Control::Command5);
    w.assign(Control::Text2, "1234567");
    EXPECT_EQ(w.text(Control::Text2), "1234567");
    EXPECT_EQ(w.text(Control::mesaj), shown::kEndEdited);

    // The check reports through the message box, told to the log here.
    w.type(Control::Text2, "26");
    w.click(Control::Command1);
    w.click(Control::Command6);
    const std::vector<std::string> expected = {
        "open ses dosyaları|*.wav",
        "message " + std::string(shown::kBrokenRules[0]),
        "message " + std::string(shown::kBrokenRules[3]),
    };
    EXPECT_EQ(pass.logLines(), expected);
    EXPECT_FALSE(w.isEnabled(Control::Command3));
    EXPECT_EQ(w.close(), 0u);
}

struct FileCase {
    std::string separator;
    unsigned codePage;
    Control quality;
    const char* program;
    const char* include;
};

// Open, trim the end to 25, choose, check, write the program, then the include file.
TEST(Win32Window, WritesBothFilesByteForByte) {
    const FileCase cases[] = {
        {",", 1254, Control::Command1, "program_good_0_25.bas", "include_good_0_25.1254.inc"},
        {",", 1254, Control::Command5, "program_poor_0_25_comma.bas", "include_poor_0_25.1254.inc"},
        {".", 1252, Control::Command1, "program_good_0_25.bas", "include_good_0_25.1252.inc"},
        {".", 1252, Control::Command5, "program_poor_0_25_point.bas", "include_poor_0_25.1252.inc"},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.include);
        Pass pass(c.separator, c.codePage, {kSoundName, L"\u00e7\u0131kt\u0131.bas", L"ses.inc"});
        RunningWindow& w = *pass.window;
        w.click(Control::Command2);
        w.type(Control::Text2, "25");
        w.click(c.quality);
        w.click(Control::Command6);
        w.click(Control::Command3);
        EXPECT_EQ(w.text(Control::mesaj), shown::kProgramWritten);
        w.click(Control::Command4);
        EXPECT_EQ(w.text(Control::mesaj), shown::kIncludeWritten);
        EXPECT_EQ(pass.enabledFlags(), "00000000");
        EXPECT_EQ(w.close(), 0u);

        EXPECT_EQ(readBytes(pass.folder / L"\u00e7\u0131kt\u0131.bas"), expectedFile(c.program));
        EXPECT_EQ(readBytes(pass.folder / L"ses.inc"), expectedFile(c.include));
        const std::vector<std::string> shown = {
            "open ses dosyaları|*.wav",
            "save proton basic dosyaları|*.bas",
            "save inc dosyaları|*.inc",
        };
        EXPECT_EQ(pass.logLines(), shown);
    }
}

// The shipped program takes no script: with one named all the same, the open button shows
// Windows' own Open dialog, whose library is loaded only then, and nothing is logged.
TEST(WindowPass, TheShippedProgramShowsTheSystemsDialogWhateverTheEnvironment) {
    ScratchFolder folder;
    const std::wstring log = folder / L"log.txt";
    writeBytes(folder / L"script.txt",
               "log=" + narrow(log) + "\nanswer=" + narrow(folder / L"x") + "\n");
    RunningWindow window(widen(VORNELIK_SHIPPED_PROGRAM), folder / L"script.txt");
    DWORD process = 0;
    GetWindowThreadProcessId(window.window(), &process);
    // Posted: the dialog runs its own loop until it is closed.
    PostMessageW(window.control(Control::Command2), BM_CLICK, 0, 0);
    HWND dialog = nullptr;
    for (int waited = 0; dialog == nullptr && waited < 30000; waited += 50) {
        Sleep(50);
        for (HWND candidate = FindWindowW(L"#32770", nullptr); candidate != nullptr;
             candidate = FindWindowExW(nullptr, candidate, L"#32770", nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(candidate, &owner);
            if (owner == process && IsWindowVisible(candidate)) {
                dialog = candidate;
            }
        }
    }
    ASSERT_NE(dialog, nullptr);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    for (int waited = 0; IsWindow(dialog) && waited < 30000; waited += 50) {
        Sleep(50);
    }
    EXPECT_EQ(window.close(), 0u);
    EXPECT_EQ(GetFileAttributesW(log.c_str()), INVALID_FILE_ATTRIBUTES);
}

// A sound named on the command line, as Explorer names one dropped on the program or opened
// with it, is opened as the open button opens a chosen one.
TEST(WindowPass, TheShippedProgramOpensTheSoundOnItsCommandLine) {
    ScratchFolder folder;
    const std::wstring sound = folder / L"kapı sesi.wav";
    writeBytes(sound, std::string(900, '\x80'));
    RunningWindow window(widen(VORNELIK_SHIPPED_PROGRAM), folder / L"none.txt",
                         L"\"" + sound + L"\"");
    for (int waited = 0; window.text(Control::boyut).empty() && waited < 30000; waited += 50) {
        Sleep(50);
    }
    EXPECT_EQ(window.text(Control::boyut), "900 byte");
    EXPECT_EQ(window.text(Control::yer), narrow(sound));
    EXPECT_EQ(window.text(Control::Text2), "900");
    EXPECT_FALSE(window.isEnabled(Control::Command2));
    EXPECT_TRUE(window.isEnabled(Control::Command1));
    EXPECT_EQ(window.close(), 0u);
}

// Started at 96 and at 144 DPI, then moved to a monitor of the other: laid out from the same
// table each time.
TEST(Win32Window, FollowsTheTableAtEachDpi) {
    for (const int dpi : {96, 144}) {
        setLogPixels(static_cast<DWORD>(dpi));
        Pass pass(",", 1254, {});
        RunningWindow& w = *pass.window;
        expectLaidOutAt(w, dpi);
        const int other = dpi == 96 ? 144 : 96;
        RECT suggested;
        GetWindowRect(w.window(), &suggested);
        SendMessageW(w.window(), WM_DPICHANGED, MAKEWPARAM(other, other),
                     reinterpret_cast<LPARAM>(&suggested));
        expectLaidOutAt(w, other);
        EXPECT_EQ(w.close(), 0u);
    }
    setLogPixels(0);
}

}  // namespace
}  // namespace vornelik
