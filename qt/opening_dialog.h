// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "qt/qt_dialogs.h"

namespace vornelik {

// The file dialog of a window started with a sound named on the command line: its first Open
// answers with that name, as though the user had chosen it there, so that opening it runs the
// open button's own steps; every later question is the user's.
class OpeningDialog : public QtCommonDialog {
  public:
    explicit OpeningDialog(std::optional<std::string> firstOpen)
        : firstOpen_(std::move(firstOpen)) {}

  protected:
    std::optional<std::string> askForOpen(Filter filter, const std::string& lastPath) override {
        if (firstOpen_) {
            std::optional<std::string> answer = std::move(firstOpen_);
            firstOpen_.reset();
            return answer;
        }
        return QtCommonDialog::askForOpen(filter, lastPath);
    }

  private:
    std::optional<std::string> firstOpen_;
};

}  // namespace vornelik
