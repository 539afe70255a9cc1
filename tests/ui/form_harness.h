// SPDX-License-Identifier: MIT
#pragma once

// Form1 on the headless face, with scripted dialogs, the platform's real files and a folder of
// its own: the handlers as a user drives them.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "headless/headless_dialogs.h"
#include "headless/headless_window.h"
#include "support/test_folder.h"
#include "ui/common_dialog.h"
#include "ui/form1.h"
#include "ui/msg_box.h"
#include "ui/platform.h"

namespace vornelik {

inline LocaleFacts commaLocale() {
    return {",", 1254};
}
inline LocaleFacts pointLocale() {
    return {".", 1252};
}

// The handlers' account of what they did, one word a report.
struct ReportTrail : FormReport {
    void soundOpened(std::int32_t length) override { add("opened " + std::to_string(length)); }
    void ruleBroken(std::string_view) override { add("broken"); }
    void checkPassed() override { add("passed"); }
    void fileWritten() override { add("written"); }
    void failed(const std::exception&) override { add("failed"); }
    void add(const std::string& word) { trail += (trail.empty() ? "" : ", ") + word; }
    std::string trail;
};

struct Harness {
    explicit Harness(LocaleFacts locale = commaLocale())
        : Harness(makeSystemFileSystem(locale.codePage), locale) {}
    Harness(std::unique_ptr<FileSystem> fileSystem, LocaleFacts locale)
        : files(std::move(fileSystem)),
          form(window, dialog, messages, *files, std::move(locale), report) {
        window.attach(form);
    }

    std::string text(Control control) const { return window.text(control); }
    void click(Control control) { window.click(control); }
    void type(Control control, const std::string& text) { window.type(control, text); }

    // Opens a sound of these bytes through "ses dosyası aç".
    void openSound(const std::string& bytes) {
        dialog.answer(folder.write("sound.wav", bytes));
        click(Control::Command2);
    }

    // The enabled flags of the eight controls that take input, in tab order.
    std::string enabledFlags() const {
        std::string flags;
        for (const Control control :
             {Control::Command2, Control::Command3, Control::Command4, Control::Text1,
              Control::Text2, Control::Command1, Control::Command5, Control::Command6}) {
            flags += window.isEnabled(control) ? '1' : '0';
        }
        return flags;
    }

    TestFolder folder;
    AnsweringDialog dialog;
    CollectingMsgBox messages;
    HeadlessWindow window;
    std::unique_ptr<FileSystem> files;
    ReportTrail report;
    Form1 form;
};

}  // namespace vornelik
