// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vornelik {

// Form1's controls by their designer names, in tab order.
enum class Control : std::uint8_t {
    Command2,  // "ses dosyası aç": opens the sound file
    yer,       // the sound file's path
    Label2,    // "dosya yeri"
    Label3,    // "dosya boyutu"
    Command3,  // "bas dosyası oluştur": writes the program file
    Command4,  // "inc dosyası oluştur": writes the include file
    boyut,     // the sound file's size, "N byte"
    Label1,    // "ses kalitesi"
    Label4,    // "baslangıç", the start box's heading
    Text1,     // the start offset
    Label5,    // "bitiş", the end box's heading
    Text2,     // the end offset
    Label6,    // "byte" after the start box
    Label7,    // "byte" after the end box
    Command1,  // "iyi kalite cok yer": good quality, every byte
    Command5,  // "kotu kalite az yer": poor quality, every second byte
    Label8,    // "pic hafiza"
    Label9,    // the program-memory size, read back when the files are written
    Command6,  // "kontrol et": checks the range
    mesaj,     // the red message panel: the next instruction
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
