// SPDX-License-Identifier: MIT
#include "win32/win32_window.h"

#include <stdexcept>

#include "win32/control_ids.h"
#include "win32/resource_ids.h"
#include "win32/wide_text.h"

namespace vornelik {
namespace {

// A fixed single border with the system menu and the close box, but no minimize or maximize box.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr int kTwipsPerInch = 1440;

int screenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The DPI of the monitor the window is on, where Windows tells it (10 and later); else the
// screen's.
int windowDpi(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const int dpi = dpiForWindow != nullptr ? static_cast<int>(dpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : screenDpi();
}

int pixels(int twips, int dpi) {
    return MulDiv(twips, dpi, kTwipsPerInch);
}

// The designed face and weight with the Turkish character set. A negative height asks for the
// size of the letters, as a point size means, not of the character cell.
HFONT createControlFont(int tenthsOfPoint, int dpi) {
    const int height = -MulDiv(tenthsOfPoint, dpi, 720);
    return CreateFontW(height, 0, 0, 0, kForm1.fontWeight, FALSE, FALSE, FALSE,
                       static_cast<BYTE>(kForm1.fontCharSet), OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       widen(kForm1.fontFace).c_str());
}

COLORREF messageColour() {
    const std::uint32_t rgb = kForm1.messageColour;
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

void registerWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(VORNELIK_ICON));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);
}

// The class and styles of a control of this kind. Labels wrap at blanks within their box and
// show an "&" in a path as it is.
struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD extendedStyle;
};

ControlClass classOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::commandButton:
            return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
        case ControlKind::textBox:
            return {L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::label:
            break;
    }
    return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
}

}  // namespace

Win32Window::Win32Window(HINSTANCE instance, CommonDialog& commonDialog, MsgBox& messageBox,
                         WindowFiles& files, LocaleFacts locale)
    : dpi_(screenDpi()), form_(*this, commonDialog, messageBox, files, std::move(locale)) {
    registerWindowClass(instance, &Win32Window::procedure);
    CreateWindowExW(0, kWindowClass, widen(kForm1.caption).c_str(), kWindowStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, this);
    if (window_ == nullptr) {
        throw std::runtime_error("cannot create the window");
    }
    createControls(instance);
    layOut(windowDpi(window_));
    form_.Form_Load();
}

Win32Window::~Win32Window() {
    if (IsWindow(window_)) {
        DestroyWindow(window_);
    }
    DeleteObject(font_);
    DeleteObject(messageFont_);
}

// Created in tab order: the dialog manager moves the focus among the WS_TABSTOP controls in
// the order they were made.
void Win32Window::createControls(HINSTANCE instance) {
    for (std::size_t i = 0; i < kForm1Controls.size(); ++i) {
        const ControlLayout& layout = kForm1Controls[i];
        const ControlClass controlClass = classOf(layout.kind);
        const HWND control = CreateWindowExW(
            controlClass.extendedStyle, controlClass.name, widen(layout.caption).c_str(),
            WS_CHILD | WS_VISIBLE | controlClass.style, 0, 0, 0, 0, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(i))),
            instance, nullptr);
        if (control == nullptr) {
            throw std::runtime_error("cannot create a control");
        }
        if (layout.kind == ControlKind::textBox) {
            // Limits typing only: a longer text the program sets is shown whole.
            SendMessageW(control, EM_LIMITTEXT, static_cast<WPARAM>(kForm1.typingLimit), 0);
        }
        controls_[index(layout.id)] = control;
    }
}

// The client area keeps its size in twips; the frame around it is whatever the system draws.
void Win32Window::layOut(int dpi) {
    dpi_ = dpi;
    RECT frame{0, 0, pixels(kForm1.clientWidthTwips, dpi), pixels(kForm1.clientHeightTwips, dpi)};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame's own size may differ at this DPI from what the system metrics said: the
    // client area is made exact.
    RECT client;
    GetClientRect(window_, &client);
    const int width = pixels(kForm1.clientWidthTwips, dpi);
    const int height = pixels(kForm1.clientHeightTwips, dpi);
    if (client.right != width || client.bottom != height) {
        SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left + width - client.right,
                     frame.bottom - frame.top + height - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    const HFONT oldFont = font_;
    const HFONT oldMessageFont = messageFont_;
    font_ = createControlFont(kForm1Controls.front().fontTenthsOfPoint, dpi);
    messageFont_ = createControlFont(layoutOf(Control::mesaj).fontTenthsOfPoint, dpi);
    for (const ControlLayout& layout : kForm1Controls) {
        const HWND control = controls_[index(layout.id)];
        SetWindowPos(control, nullptr, pixels(layout.box.left, dpi), pixels(layout.box.top, dpi),
                     pixels(layout.box.width, dpi), pixels(layout.box.height, dpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        const HFONT font = layout.id == Control::mesaj ? messageFont_ : font_;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    DeleteObject(oldFont);
    DeleteObject(oldMessageFont);
}

void Win32Window::show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    const HWND first = GetNextDlgTabItem(window_, nullptr, FALSE);
    if (first != nullptr) {
        SetFocus(first);
    }
}

int Win32Window::run() {
    MSG message;
    int result = 0;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        // The dialog manager gives the Tab key its meaning among the controls.
        if (!IsDialogMessageW(window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (escaped_) {
        std::rethrow_exception(escaped_);
    }
    return result < 0 ? 1 : static_cast<int>(message.wParam);
}

std::string Win32Window::text(Control id) const {
    const HWND control = this->control(id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return narrow(text);
}

// A text box's Change handler runs through EN_CHANGE inside SetWindowTextW; a text that stays
// as it was is no change.
void Win32Window::setText(Control id, std::string_view text) {
    const std::wstring wide = widen(text);
    if (layoutOf(id).kind == ControlKind::textBox && widen(this->text(id)) == wide) {
        return;
    }
    SetWindowTextW(control(id), wide.c_str());
}

void Win32Window::setEnabled(Control id, bool enabled) {
    const HWND target = control(id);
    // A control that loses its input passes the focus on along the tab order; otherwise the
    // focus would be nowhere and the Tab key would do nothing.
    if (!enabled && GetFocus() == target) {
        const HWND next = GetNextDlgTabItem(window_, target, FALSE);
        SetFocus(next != nullptr && next != target ? next : window_);
    }
    EnableWindow(target, enabled ? TRUE : FALSE);
}

LRESULT CALLBACK Win32Window::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32Window*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT Win32Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            forward(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == control(Control::mesaj)) {
                const auto context = reinterpret_cast<HDC>(wParam);
                SetTextColor(context, messageColour());
                SetBkColor(context, GetSysColor(COLOR_BTNFACE));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
            break;
        case WM_ACTIVATE:
            // The focus comes back to the control that had it when the window was left.
            if (LOWORD(wParam) == WA_INACTIVE) {
                lastFocus_ = GetFocus();
            } else if (lastFocus_ != nullptr && IsChild(window_, lastFocus_) &&
                       IsWindowEnabled(lastFocus_)) {
                SetFocus(lastFocus_);
                return 0;
            }
            break;
        case WM_DPICHANGED: {
            // Moved to a monitor of another DPI: where Windows suggests, laid out anew.
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            layOut(HIWORD(wParam));
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

// Clicks of enabled buttons and changes of text boxes go to the handlers. A failure no handler
// traps must not unwind through the system's code: it ends the program from run().
void Win32Window::forward(int id, int code, HWND sender) {
    const int at = id - kFirstControlId;
    if (sender == nullptr || at < 0 || at >= kControlCount) {
        return;
    }
    const ControlLayout& layout = kForm1Controls[static_cast<std::size_t>(at)];
    try {
        // A disabled button runs nothing, even when a click message reaches it.
        if (code == BN_CLICKED && layout.kind == ControlKind::commandButton &&
            IsWindowEnabled(sender)) {
            form_.Click(layout.id);
        } else if (code == EN_CHANGE && layout.kind == ControlKind::textBox) {
            form_.Change(layout.id);
        }
    } catch (...) {
        escaped_ = std::current_exception();
        DestroyWindow(window_);
    }
}

}  // namespace vornelik
