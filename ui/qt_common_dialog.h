#pragma once

#include "ui/common_dialog.h"

class QWidget;

namespace vornelik {

// The file dialog the user sees: no title of its own, no default extension, and no question
// before an existing file is replaced.
class QtCommonDialog : public CommonDialog {
  public:
    explicit QtCommonDialog(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

  protected:
    std::optional<QString> askForOpen(const QString& filter, const QString& lastPath) override;
    std::optional<QString> askForSave(const QString& filter, const QString& lastPath) override;

  private:
    QWidget* parent_;
};

}  // namespace vornelik
