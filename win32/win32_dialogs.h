// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "ui/common_dialog.h"
#include "ui/msg_box.h"

namespace vornelik {

// A filter in the form the common dialogs take: description and pattern each ended by a null
// character, and one more null at the end.
std::wstring dialogFilter(CommonDialog::Filter filter);

// The Open and Save dialogs of comdlg32: no title of their own, no default extension, no test
// that the file exists and no question before an existing file is replaced. They start in the
// folder of the last file without proposing its name, so that a plain confirmation of the Save
// dialog cannot pick the sound file for writing.
class Win32CommonDialog : public CommonDialog {
  public:
    void setOwner(HWND owner) { owner_ = owner; }

  protected:
    std::optional<std::string> askForOpen(Filter filter, const std::string& lastPath) override;
    std::optional<std::string> askForSave(Filter filter, const std::string& lastPath) override;

  private:
    HWND owner_ = nullptr;
};

// MessageBoxW with the OK button alone, no icon and the caption "Vornelik".
class Win32MsgBox : public MsgBox {
  public:
    void setOwner(HWND owner) { owner_ = owner; }
    void show(std::string_view prompt) override;

  private:
    HWND owner_ = nullptr;
};

}  // namespace vornelik
