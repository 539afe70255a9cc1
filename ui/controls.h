// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vornelik {

// Form1's controls by their designer names, in tab order.
enum class Control : std::uint8_t {
    Command2,
    yer,
    Label2,
    Label3,
    Command3,
    Command4,
    boyut,
    Label1,
    Label4,
    Text1,
    Label5,
    Text2,
    Label6,
    Label7,
    Command1,
    Command5,
    Label8,
    Label9,
    Command6,
    mesaj,
};
inline constexpr int kControlCount = static_cast<int>(Control::mesaj) + 1;

// What the handlers may do to the controls, whatever shows them: read and set a label's caption
// or a text box's text (UTF-8), and set Enabled. A face that changes a text box's text runs the
// box's Change handler before setText returns.
class ControlSurface {
  public:
    virtual ~ControlSurface() = default;
    virtual std::string text(Control control) const = 0;
    virtual void setText(Control control, std::string_view text) = 0;
    virtual void setEnabled(Control control, bool enabled) = 0;
};

// The handlers' view of one control, so that they read "mesaj.setCaption(...)".
class ControlHandle {
  public:
    ControlHandle(ControlSurface& surface, Control control) : surface_(&surface), id_(control) {}
    Control id() const { return id_; }

  protected:
    ControlSurface* surface_;
    Control id_;
};

class Label : public ControlHandle {
  public:
    using ControlHandle::ControlHandle;
    std::string caption() const { return surface_->text(id_); }
    void setCaption(std::string_view caption) { surface_->setText(id_, caption); }
};

class TextBox : public ControlHandle {
  public:
    using ControlHandle::ControlHandle;
    std::string text() const { return surface_->text(id_); }
    void setText(std::string_view text) { surface_->setText(id_, text); }
    void setEnabled(bool enabled) { surface_->setEnabled(id_, enabled); }
};

class CommandButton : public ControlHandle {
  public:
    using ControlHandle::ControlHandle;
    void setEnabled(bool enabled) { surface_->setEnabled(id_, enabled); }
};

}  // namespace vornelik
