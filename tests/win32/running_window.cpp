// SPDX-License-Identifier: MIT
#include "running_window.h"

#include <stdexcept>

#include "win32/control_ids.h"
#include "win32/wide_text.h"

namespace vornelik {
namespace {

constexpr DWORD kPatience = 30000;  // milliseconds; Wine's first start of a program is slow

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findWindowOf(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && std::wstring(className) == kWindowClass &&
        IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

RunningWindow::RunningWindow(const std::wstring& program, const std::wstring& scriptPath,
                             const std::wstring& arguments) {
    SetEnvironmentVariableW(L"VORNELIK_TEST_SCRIPT", scriptPath.c_str());
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + arguments;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    const BOOL ok = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                   nullptr, nullptr, &startup, &started);
    SetEnvironmentVariableW(L"VORNELIK_TEST_SCRIPT", nullptr);
    if (!ok) {
        throw std::runtime_error("cannot start the program");
    }
    CloseHandle(started.hThread);
    process_ = started.hProcess;
    WaitForInputIdle(process_, kPatience);
    for (DWORD waited = 0; waited < kPatience; waited += 50) {
        Search search{started.dwProcessId, nullptr};
        EnumWindows(&findWindowOf, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            window_ = search.found;
            threadId_ = GetWindowThreadProcessId(window_, nullptr);
            return;
        }
        if (WaitForSingleObject(process_, 50) == WAIT_OBJECT_0) {
            break;
        }
    }
    TerminateProcess(process_, 1);
    CloseHandle(process_);
    throw std::runtime_error("the window did not appear");
}

RunningWindow::~RunningWindow() {
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, kPatience);
    }
    CloseHandle(process_);
}

HWND RunningWindow::control(Control control) const {
    return GetDlgItem(window_, kFirstControlId + static_cast<int>(control));
}

void RunningWindow::click(Control control) {
    SendMessageW(this->control(control), BM_CLICK, 0, 0);
}

void RunningWindow::type(Control control, std::string_view text) {
    const HWND box = this->control(control);
    SendMessageW(box, EM_SETSEL, 0, -1);
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(widen(text).c_str()));
}

void RunningWindow::assign(Control control, std::string_view text) {
    SendMessageW(this->control(control), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(widen(text).c_str()));
}

void RunningWindow::pressTab() {
    const HWND from = focus();
    PostMessageW(from, WM_KEYDOWN, VK_TAB, 1);
    PostMessageW(from, WM_KEYUP, VK_TAB, 1 | (3UL << 30));
    for (DWORD waited = 0; waited < kPatience && focus() == from; waited += 10) {
        Sleep(10);
    }
}

// WM_GETTEXT, as GetWindowTextW reads no control of another program.
std::string RunningWindow::text(Control control) const {
    const HWND target = this->control(control);
    const auto length = static_cast<std::size_t>(SendMessageW(target, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    const auto got =
        static_cast<std::size_t>(SendMessageW(target, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                              reinterpret_cast<LPARAM>(text.data())));
    text.resize(got);
    return narrow(text);
}

bool RunningWindow::isEnabled(Control control) const {
    return IsWindowEnabled(this->control(control)) != 0;
}

HWND RunningWindow::focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(threadId_, &info);
    return info.hwndFocus;
}

unsigned long RunningWindow::close() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_, kPatience) != WAIT_OBJECT_0) {
        return ~0UL;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

}  // namespace vornelik
