// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <array>
#include <exception>
#include <string>
#include <string_view>

#include "ui/form1.h"
#include "ui/form_layout.h"

namespace vornelik {

// Form1 as plain Win32 controls: made from the layout table in tab order, at their twips
// scaled to the DPI of the monitor the window is on, and laid out again when it moves to a
// monitor of another DPI; their clicks and changes forwarded to the handlers. It holds no
// handler logic.
class Win32Window : public ControlSurface {
  public:
    Win32Window(HINSTANCE instance, CommonDialog& commonDialog, MsgBox& messageBox,
                WindowFiles& files, LocaleFacts locale);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    // Shows the window with the focus on the first control of the tab order that takes it.
    void show(int showCommand);
    // Runs the window's messages until it is closed. Rethrows what a handler let escape.
    int run();

    HWND handle() const { return window_; }
    HWND control(Control control) const { return controls_[index(control)]; }
    Form1& form() { return form_; }

    std::string text(Control control) const override;
    void setText(Control control, std::string_view text) override;
    void setEnabled(Control control, bool enabled) override;

  private:
    static std::size_t index(Control control) { return static_cast<std::size_t>(control); }
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls(HINSTANCE instance);
    // Sizes the window and places and letters the controls for this DPI, from the twips table.
    void layOut(int dpi);
    void forward(int id, int code, HWND sender);

    int dpi_;
    HWND window_ = nullptr;
    std::array<HWND, kControlCount> controls_{};
    HFONT font_ = nullptr;
    HFONT messageFont_ = nullptr;
    HWND lastFocus_ = nullptr;
    std::exception_ptr escaped_;
    Form1 form_;
};

}  // namespace vornelik
