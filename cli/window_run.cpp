// SPDX-License-Identifier: MIT
#include "cli/window_run.h"

#include <stdexcept>

#include "core/longest_sound.h"
#include "core/numeric_text.h"
#include "core/utf8.h"
#include "headless/headless_dialogs.h"
#include "headless/headless_window.h"
#include "ui/form1.h"

namespace vornelik {
namespace {

// The files the handlers use, keeping the reason of the last failure: the handlers end
// silently, the command line must say why.
class ReportingFiles : public ForwardingFileSystem {
  public:
    using ForwardingFileSystem::ForwardingFileSystem;

    std::int64_t fileLength(const std::string& path) override {
        return noted([&] { return inner().fileLength(path); });
    }
    std::vector<std::uint8_t> readAll(const std::string& path, std::int64_t maxBytes) override {
        return noted([&] { return inner().readAll(path, maxBytes); });
    }
    SoundData openSound(const std::string& path, std::int64_t maxBytes) override {
        return noted([&] { return inner().openSound(path, maxBytes); });
    }
    std::unique_ptr<OutputFile> createOutput(const std::string& path) override {
        class Reporting : public OutputFile {
          public:
            Reporting(std::unique_ptr<OutputFile> file, ReportingFiles& owner)
                : file_(std::move(file)), owner_(owner) {}
            void write(std::string_view text) override {
                owner_.noted([&] { file_->write(text); });
            }
            void writeBytes(std::string_view bytes) override {
                owner_.noted([&] { file_->writeBytes(bytes); });
            }
            void commit() override {
                owner_.noted([&] { file_->commit(); });
            }

          private:
            std::unique_ptr<OutputFile> file_;
            ReportingFiles& owner_;
        };
        return std::make_unique<Reporting>(noted([&] { return inner().createOutput(path); }),
                                           *this);
    }

    std::string lastFailure;

  private:
    template <typename Action>
    auto noted(Action action) -> decltype(action()) {
        try {
            return action();
        } catch (const std::exception& failure) {
            lastFailure = failure.what();
            throw;
        }
    }
};

}  // namespace

OutputOutcome runWindow(const OutputRequest& request, FileSystem& files, LocaleFacts locale) {
    HeadlessWindow window;
    AnsweringDialog dialog;
    CollectingMsgBox messages;
    ReportingFiles reporting(files);
    Form1 form(window, dialog, messages, reporting, std::move(locale));
    window.attach(form);
    OutputOutcome outcome;

    dialog.answer(request.sound);
    window.click(Control::Command2);
    if (!reporting.lastFailure.empty() || window.text(Control::boyut).empty()) {
        // With no failure of the files, the window found the size beyond what it takes.
        outcome.status = OutputOutcome::Status::unreadableSound;
        outcome.reason = !reporting.lastFailure.empty() ? reporting.lastFailure
                                                        : tooLongForASound(request.sound);
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

    const Control write = request.include ? Control::Command4 : Control::Command3;
    if (!messages.prompts.empty() || !window.isEnabled(write)) {
        outcome.status = OutputOutcome::Status::checkFailed;
        outcome.messages = std::move(messages.prompts);
        if (outcome.messages.empty()) {
            outcome.reason = "the start or end offset is too large a number";
        }
        return outcome;
    }

    dialog.answer(request.output);
    window.click(write);
    if (window.isEnabled(write)) {
        outcome.status = OutputOutcome::Status::unwritableOutput;
        outcome.reason = reporting.lastFailure.empty()
                             ? "cannot write " + readableName(request.output)
                             : reporting.lastFailure;
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
