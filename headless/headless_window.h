// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "ui/controls.h"

namespace vornelik {

class Form1;

// A face without a window: Form1's controls as texts and Enabled flags, made from the layout
// table, and what a user can do to them. The command line runs the handlers through it, and
// the handlers' tests script it.
class HeadlessWindow : public ControlSurface {
  public:
    HeadlessWindow();

    // From here on the controls' events reach the form; its load handler runs at once.
    void attach(Form1& form);

    std::string text(Control control) const override;
    void setText(Control control, std::string_view text) override;
    void setEnabled(Control control, bool enabled) override;
    bool isEnabled(Control control) const;

    // A press of a button; a disabled one does nothing.
    void click(Control control);
    // Selects a text box's whole text and types the new one key by key, within the typing
    // limit; each key that changes the text is one change. A disabled box takes nothing.
    void type(Control control, std::string_view text);
    // Puts the whole text into a text box as one change, with no typing limit: the command
    // line's offsets may be any length.
    void enter(Control control, std::string_view text);

  private:
    struct State {
        std::string text;
        bool enabled = true;
    };
    void change(Control control, std::string text);

    std::array<State, kControlCount> controls_;
    Form1* form_ = nullptr;
};

}  // namespace vornelik
