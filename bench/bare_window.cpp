// SPDX-License-Identifier: MIT
// The yardstick of the window's start: a bare Win32 window with the same controls, fonts and
// sizes as vornelik.exe, made straight from the layout table, with no handlers behind it.

#include <windows.h>

#include "ui/form_layout.h"
#include "win32/wide_text.h"

namespace {

using namespace vornelik;

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int pixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"VornelikBare";
    RegisterClassExW(&windowClass);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, pixels(kForm1.clientWidthTwips, dpi), pixels(kForm1.clientHeightTwips, dpi)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const HWND window = CreateWindowExW(
        0, L"VornelikBare", widen(kForm1.caption).c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    const HFONT font = CreateFontW(
        -MulDiv(kForm1Controls.front().fontTenthsOfPoint, dpi, 720), 0, 0, 0, kForm1.fontWeight,
        FALSE, FALSE, FALSE, static_cast<BYTE>(kForm1.fontCharSet), OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, widen(kForm1.fontFace).c_str());
    for (const ControlLayout& layout : kForm1Controls) {
        const wchar_t* name = layout.kind == ControlKind::commandButton ? L"BUTTON"
                              : layout.kind == ControlKind::textBox     ? L"EDIT"
                                                                        : L"STATIC";
        const HWND control =
            CreateWindowExW(layout.kind == ControlKind::textBox ? WS_EX_CLIENTEDGE : 0, name,
                            widen(layout.caption).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                            pixels(layout.box.left, dpi), pixels(layout.box.top, dpi),
                            pixels(layout.box.width, dpi), pixels(layout.box.height, dpi), window,
                            nullptr, instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
