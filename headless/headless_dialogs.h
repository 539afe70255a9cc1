// SPDX-License-Identifier: MIT
#pragma once

// The file dialog and message box of a run without a user: the dialog answers with the paths
// it is given, in turn, and cancels where told or when they are used up, keeping what it was
// shown; the message box keeps its prompts.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/common_dialog.h"
#include "ui/msg_box.h"

namespace vornelik {

class AnsweringDialog : public CommonDialog {
  public:
    void answer(std::string path) { answers_.emplace_back(std::move(path)); }
    void cancel() { answers_.emplace_back(std::nullopt); }

    std::vector<std::string> shown;  // "open ses dosyaları|*.wav", "save ..."

  protected:
    std::optional<std::string> askForOpen(Filter filter, const std::string&) override {
        return next("open ", filter);
    }
    std::optional<std::string> askForSave(Filter filter, const std::string&) override {
        return next("save ", filter);
    }

  private:
    std::optional<std::string> next(const std::string& mode, Filter filter) {
        shown.push_back(mode + std::string(filter.description) + "|" + std::string(filter.pattern));
        if (answers_.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> answer = std::move(answers_.front());
        answers_.pop_front();
        return answer;
    }
    std::deque<std::optional<std::string>> answers_;
};

class CollectingMsgBox : public MsgBox {
  public:
    void show(std::string_view prompt) override { prompts.emplace_back(prompt); }
    std::vector<std::string> prompts;
};

}  // namespace vornelik
