// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <array>

#include "ui/form1.h"
#include "ui/form_layout.h"

namespace vornelik {

// Form1 on Qt Widgets: the controls made from the layout table at their twips, their events
// forwarded to the handlers. It holds no handler logic.
class QtWindow : public QWidget, public ControlSurface {
    Q_OBJECT

  public:
    QtWindow(CommonDialog& commonDialog, MsgBox& messageBox, WindowFiles& files, LocaleFacts locale,
             QWidget* parent = nullptr);

    Form1& form() { return form_; }
    QWidget* control(Control control) const { return controls_[index(control)]; }

    std::string text(Control control) const override;
    void setText(Control control, std::string_view text) override;
    void setEnabled(Control control, bool enabled) override;

  private:
    static std::size_t index(Control control) { return static_cast<std::size_t>(control); }
    void createControls();
    void forwardEvents();

    std::array<QWidget*, kControlCount> controls_{};
    Form1 form_;
};

}  // namespace vornelik
