// SPDX-License-Identifier: MIT
#include "headless/headless_window.h"

#include <algorithm>

#include "core/utf8.h"
#include "ui/form1.h"
#include "ui/form_layout.h"

namespace vornelik {

HeadlessWindow::HeadlessWindow() {
    for (const ControlLayout& control : kForm1Controls) {
        controls_[static_cast<std::size_t>(control.id)].text = control.caption;
    }
}

void HeadlessWindow::attach(Form1& form) {
    form_ = &form;
    form.Form_Load();
}

std::string HeadlessWindow::text(Control control) const {
    return controls_[static_cast<std::size_t>(control)].text;
}

void HeadlessWindow::setText(Control control, std::string_view text) {
    if (layoutOf(control).kind == ControlKind::textBox) {
        change(control, std::string(text));
    } else {
        controls_[static_cast<std::size_t>(control)].text = text;
    }
}

void HeadlessWindow::setEnabled(Control control, bool enabled) {
    controls_[static_cast<std::size_t>(control)].enabled = enabled;
}

bool HeadlessWindow::isEnabled(Control control) const {
    return controls_[static_cast<std::size_t>(control)].enabled;
}

void HeadlessWindow::click(Control control) {
    if (isEnabled(control) && form_ != nullptr) {
        form_->Click(control);
    }
}

void HeadlessWindow::type(Control control, std::string_view text) {
    if (!isEnabled(control)) {
        return;
    }
    if (text.empty()) {
        change(control, {});  // the Delete key on the selection
        return;
    }
    const auto limit = static_cast<std::size_t>(kForm1.typingLimit);
    bool replacingSelection = true;
    for (std::size_t at = 0; at < text.size();) {
        // A key is one character; a byte of no valid sequence is a key of its own.
        const std::size_t length = std::max<std::size_t>(1, validUtf8Length(text, at));
        const std::string_view key = text.substr(at, length);
        at += length;
        std::string now = replacingSelection ? std::string() : this->text(control);
        replacingSelection = false;
        if (characterCount(now) >= limit) {
            continue;  // the key is refused
        }
        now += key;
        change(control, std::move(now));
    }
}

void HeadlessWindow::enter(Control control, std::string_view text) {
    if (isEnabled(control)) {
        change(control, std::string(text));
    }
}

// A text box's Change event comes with every change of its text, before the change returns.
void HeadlessWindow::change(Control control, std::string text) {
    State& box = controls_[static_cast<std::size_t>(control)];
    if (box.text == text) {
        return;
    }
    box.text = std::move(text);
    if (form_ != nullptr) {
        form_->Change(control);
    }
}

}  // namespace vornelik
