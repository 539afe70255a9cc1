// SPDX-License-Identifier: MIT
#pragma once

// vornelik.exe started with the test switch, and its real window driven from outside with the
// messages a user's mouse and keyboard would cause.

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/controls.h"

namespace vornelik {

class RunningWindow {
  public:
    // Starts the program with this script (and these arguments) and waits for its window.
    // Throws if none appears.
    RunningWindow(const std::wstring& program, const std::wstring& scriptPath,
                  const std::wstring& arguments = {});
    // Ends the program if a test left it running.
    ~RunningWindow();
    RunningWindow(const RunningWindow&) = delete;
    RunningWindow& operator=(const RunningWindow&) = delete;

    HWND window() const { return window_; }
    HWND control(Control control) const;

    // A click on a button; returns when its handler has run.
    void click(Control control);
    // Selects the box's whole text and types over it, as far as the typing limit lets.
    void type(Control control, std::string_view text);
    // Sets the box's whole text past the typing limit, as the program itself does.
    void assign(Control control, std::string_view text);

    // The Tab key, on whichever control has the focus; returns once the focus has moved.
    void pressTab();

    std::string text(Control control) const;
    bool isEnabled(Control control) const;
    HWND focus() const;

    // Closes the window as its close box does; returns the program's exit code.
    unsigned long close();

  private:
    HANDLE process_ = nullptr;
    DWORD threadId_ = 0;
    HWND window_ = nullptr;
};

}  // namespace vornelik
