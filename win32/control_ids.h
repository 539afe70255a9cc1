// SPDX-License-Identifier: MIT
#pragma once

namespace vornelik {

// The window's class name, and the child window id of the control at a place of the layout
// table: what a test driving the window from outside looks for.
inline constexpr wchar_t kWindowClass[] = L"Vornelik";
inline constexpr int kFirstControlId = 100;

}  // namespace vornelik
