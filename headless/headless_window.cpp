// SPDX-License-Identifier: MIT
#include "headless/headless_window.h"

#include "ui/form1.h"
#include "ui/form_layout.h"

namespace vornelik {
namespace {

// The length of the UTF-8 character that starts with this byte.
std::size_t characterLength(char lead) {
    const auto byte = static_cast<unsigned char>(lead);
    return byte < 0xC0 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

}  // namespace

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
        const std::size_t length = characterLength(text[at]);
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
