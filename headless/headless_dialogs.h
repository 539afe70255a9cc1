// SPDX-License-Identifier: MIT
#pragma once

// The file dialog and message box of a run without a user: the dialog answers with the paths
// it is given, in turn, and cancels when they are used up; the message box keeps its prompts.

#include <deque>
#include <string>
#include <vector>

#include "ui/common_dialog.h"
#include "ui/msg_box.h"

namespace vornelik {

class AnsweringDialog : public CommonDialog {
  public:
    void answer(std::string path) { answers_.push_back(std::move(path)); }

  protected:
    std::optional<std::string> askForOpen(Filter, const std::string&) override { return next(); }
    std::optional<std::string> askForSave(Filter, const std::string&) override { return next(); }

  private:
    std::optional<std::string> next() {
        if (answers_.empty()) {
            return std::nullopt;
        }
        std::string path = std::move(answers_.front());
        answers_.pop_front();
        return path;
    }
    std::deque<std::string> answers_;
};

class CollectingMsgBox : public MsgBox {
  public:
    void show(std::string_view prompt) override { prompts.emplace_back(prompt); }
    std::vector<std::string> prompts;
};

}  // namespace vornelik
