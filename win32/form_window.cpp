#include "win32/form_window.h"

#include <cmath>
#include <stdexcept>

#include "win32/control_ids.h"
#include "win32/resource_ids.h"
#include "win32/wide_text.h"

namespace vornelik {
namespace {

// A fixed single border with the system menu and the close box, but no minimize or maximize box.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr int kClientWidth = 11730;
constexpr int kClientHeight = 5670;
constexpr int kTwipsPerInch = 1440;
constexpr int kTypingLimit = 5;
constexpr BYTE kTurkishCharset = 162;

int screenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int pixels(int twips, int dpi) {
    return MulDiv(twips, dpi, kTwipsPerInch);
}

// "MS Sans Serif" bold with the Turkish character set; a negative height asks for the size of
// the letters, as a point size means, not of the character cell.
HFONT createControlFont(double points, int dpi) {
    const int height = -static_cast<int>(std::lround(points * dpi / 72.0));
    return CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, kTurkishCharset,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
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

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

FormWindow::FormWindow(HINSTANCE instance, const std::vector<ControlSpec>& layout)
    : layout_(layout), dpi_(screenDpi()) {
    registerWindowClass(instance, &FormWindow::procedure);
    RECT frame{0, 0, pixels(kClientWidth, dpi_), pixels(kClientHeight, dpi_)};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    window_ = CreateWindowExW(0, kWindowClass, L" Vornelik", kWindowStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                              nullptr, nullptr, instance, this);
    if (window_ == nullptr) {
        throw std::runtime_error("cannot create the window");
    }
    createControls(instance);
}

FormWindow::~FormWindow() {
    if (IsWindow(window_)) {
        DestroyWindow(window_);
    }
    for (const HFONT font : fonts_) {
        DeleteObject(font);
    }
}

// Created in tab order: the dialog manager moves the focus among WS_TABSTOP controls in the
// order of creation.
void FormWindow::createControls(HINSTANCE instance) {
    for (std::size_t i = 0; i < layout_.size(); ++i) {
        const ControlSpec& spec = layout_[i];
        const wchar_t* windowClass = L"STATIC";
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD extendedStyle = 0;
        switch (spec.kind) {
            case ControlKind::button:
                windowClass = L"BUTTON";
                style |= WS_TABSTOP | BS_PUSHBUTTON;
                break;
            case ControlKind::textBox:
                windowClass = L"EDIT";
                style |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
                extendedStyle = WS_EX_CLIENTEDGE;
                break;
            case ControlKind::label:
                // Wrapped at blanks within the box; "&" in a path is shown, not underlined.
                style |= SS_LEFT | SS_NOPREFIX;
                break;
        }
        const HWND control = CreateWindowExW(
            extendedStyle, windowClass, widen(spec.caption).c_str(), style, pixels(spec.left, dpi_),
            pixels(spec.top, dpi_), pixels(spec.width, dpi_), pixels(spec.height, dpi_), window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(i))),
            instance, nullptr);
        if (control == nullptr) {
            throw std::runtime_error("cannot create a control");
        }
        fonts_.push_back(createControlFont(spec.points, dpi_));
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.back()), FALSE);
        if (spec.kind == ControlKind::textBox) {
            // Limits typing only: a longer text the program sets is shown whole.
            SendMessageW(control, EM_LIMITTEXT, kTypingLimit, 0);
        }
        if (spec.red) {
            redLabel_ = control;
        }
        controls_.push_back(control);
    }
}

void FormWindow::show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    for (const HWND control : controls_) {
        if ((GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP) != 0 && IsWindowEnabled(control)) {
            SetFocus(control);
            break;
        }
    }
}

HWND FormWindow::control(std::string_view name) const {
    return controls_[indexOf(name)];
}

std::size_t FormWindow::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < layout_.size(); ++i) {
        if (layout_[i].name == name) {
            return i;
        }
    }
    throw std::out_of_range("no such control");
}

std::string FormWindow::textOf(std::string_view name) const {
    return narrow(windowText(control(name)));
}

// A text box tells its Change handler through EN_CHANGE, inside this call.
void FormWindow::setTextOf(std::string_view name, std::string_view text) {
    SetWindowTextW(control(name), widen(text).c_str());
}

void FormWindow::setEnabled(std::string_view name, bool enabled) {
    const HWND target = control(name);
    // A control that loses its input passes the focus on along the tab order, as the focus
    // would otherwise be nowhere.
    if (!enabled && GetFocus() == target) {
        const HWND next = GetNextDlgTabItem(window_, target, FALSE);
        SetFocus(next != target ? next : window_);
    }
    EnableWindow(target, enabled ? TRUE : FALSE);
}

LRESULT CALLBACK FormWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            const auto sender = reinterpret_cast<HWND>(lParam);
            const int index = id - kFirstControlId;
            if (!sink_ || sender == nullptr || index < 0 ||
                index >= static_cast<int>(controls_.size())) {
                break;
            }
            const ControlSpec& spec = layout_[static_cast<std::size_t>(index)];
            // A disabled button runs nothing, even when a click message reaches it.
            if (code == BN_CLICKED && spec.kind == ControlKind::button && IsWindowEnabled(sender)) {
                sink_(spec.name, Event::click);
            } else if (code == EN_CHANGE && spec.kind == ControlKind::textBox) {
                sink_(spec.name, Event::change);
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == redLabel_) {
                const auto context = reinterpret_cast<HDC>(wParam);
                SetTextColor(context, RGB(255, 0, 0));
                SetBkColor(context, GetSysColor(COLOR_BTNFACE));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
            break;
        case WM_ACTIVATE:
            // The focus comes back to the control that had it when the window was left.
            if (LOWORD(wParam) == WA_INACTIVE) {
                lastFocus_ = GetFocus();
            } else if (lastFocus_ != nullptr && IsChild(window_, lastFocus_)) {
                SetFocus(lastFocus_);
                return 0;
            }
            break;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace vornelik
