// SPDX-License-Identifier: MIT
#include "cli/window_run.h"

#include <stdexcept>

#include "core/numeric_text.h"
#include "core/utf8.h"
#include "headless/headless_dialogs.h"
#include "headless/headless_window.h"
#include "ui/form1.h"

namespace vornelik {
namespace {

// What the handlers said they did: they end silently, the command line must say why.
class HeardReport : public FormReport {
  public:
    void soundOpened(std::int32_t) override { opened = true; }
    void ruleBroken(std::string_view message) override { brokenRules.emplace_back(message); }
    void checkPassed() override { passed = true; }
    void fileWritten() override { written = true; }
    void failed(const std::exception& failure) override { lastFailure = failure.what(); }

    bool opened = false;
    bool passed = false;
    bool written = false;
    std::vector<std::string> brokenRules;
    std::string lastFailure;
};

}  // namespace

OutputOutcome runWindow(const OutputRequest& request, FileSystem& files, LocaleFacts locale) {
    HeadlessWindow window;
    AnsweringDialog dialog;
    CollectingMsgBox messages;
    HeardReport heard;
    Form1 form(window, dialog, messages, files, std::move(locale), heard);
    window.attach(form);
    OutputOutcome outcome;

    dialog.answer(request.sound);
    window.click(Control::Command2);
    if (!heard.opened) {
        outcome.status = OutputOutcome::Status::unreadableSound;
        outcome.reason = heard.lastFailure;
        return outcome;
    }

    if (request.start) {
        window.enter(Control::Text1, *request.start);
    }
    if (request.end) {
        window.enter(Control::Text2, *request.end);
    }
    window.click(request.quality == Quality::good ? Control::Command1 : Control::Command5);
    window.click(Control::Command6);

    if (!heard.passed) {
        outcome.status = OutputOutcome::Status::checkFailed;
        outcome.messages = std::move(heard.brokenRules);
        if (outcome.messages.empty()) {
            outcome.reason = "the start or end offset is too large a number";
        }
        return outcome;
    }

    dialog.answer(request.output);
    window.click(request.include ? Control::Command4 : Control::Command3);
    if (!heard.written) {
        outcome.status = OutputOutcome::Status::unwritableOutput;
        outcome.reason = heard.lastFailure.empty() ? "cannot write " + readableName(request.output)
                                                   : heard.lastFailure;
        return outcome;
    }
    // The table's loop stops on its last line's last element, ten values (or, in poor quality,
    // twenty bytes) a line after the start.
    const std::int64_t startIndex = realToInteger(Val(window.text(Control::Text1)));
    const std::int64_t step = request.quality == Quality::good ? 1 : 2;
    outcome.tableBytes = (form.currentTableIndex() - startIndex) / step;
    return outcome;
}

}  // namespace vornelik
