// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "ui/common_dialog.h"
#include "ui/msg_box.h"

class QWidget;

namespace vornelik {

// The file dialog the user sees: no title of its own, no default extension, and no question
// before an existing file is replaced.
class QtCommonDialog : public CommonDialog {
  public:
    void setParent(QWidget* parent) { parent_ = parent; }

    // The name filter handed to Qt: the description, and the pattern made case-insensitive,
    // since Qt's own dialog and GTK's match patterns case by case on Linux while Windows lists
    // "KAYIT.WAV" under "*.wav".
    static QString nameFilter(Filter filter);

  protected:
    std::optional<std::string> askForOpen(Filter filter, const std::string& lastPath) override;
    std::optional<std::string> askForSave(Filter filter, const std::string& lastPath) override;

  private:
    QWidget* parent_ = nullptr;
};

class QtMsgBox : public MsgBox {
  public:
    void setParent(QWidget* parent) { parent_ = parent; }
    void show(std::string_view prompt) override;

  private:
    QWidget* parent_ = nullptr;
};

}  // namespace vornelik
