// SPDX-License-Identifier: MIT
#pragma once

#include <deque>
#include <string>

#include "ui/common_dialog.h"

namespace vornelik {

// A file dialog that answers with the paths it was given, in turn, then cancels.
class AnsweringDialog : public CommonDialog {
  public:
    std::deque<std::string> answers;

  protected:
    std::optional<std::string> askForOpen(Filter, const std::string&) override { return next(); }
    std::optional<std::string> askForSave(Filter, const std::string&) override { return next(); }

  private:
    std::optional<std::string> next() {
        if (answers.empty()) {
            return std::nullopt;
        }
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace vornelik
