// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace vornelik {

// A modal box with the prompt, one OK button, no icon and the caption "Vornelik". It returns
// when the user has closed it. Named for the window's own MsgBox: windows.h takes MessageBox
// for a macro.
class MsgBox {
  public:
    virtual ~MsgBox() = default;
    virtual void show(std::string_view prompt) = 0;
};

}  // namespace vornelik
