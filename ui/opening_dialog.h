// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "ui/common_dialog.h"

namespace vornelik {

// The file dialog of a window started with a sound named on its command line (or dropped on the
// program): its first Open answers with that name, as though the user had chosen it there, so
// that opening it runs the open button's own steps; every later question is the user's, asked
// through the face's own dialog.
template <typename FaceDialog>
class OpeningDialog : public FaceDialog {
  public:
    explicit OpeningDialog(std::optional<std::string> firstOpen)
        : firstOpen_(std::move(firstOpen)) {}

  protected:
    std::optional<std::string> askForOpen(CommonDialog::Filter filter,
                                          const std::string& lastPath) override {
        if (firstOpen_) {
            return std::exchange(firstOpen_, std::nullopt);
        }
        return FaceDialog::askForOpen(filter, lastPath);
    }

  private:
    std::optional<std::string> firstOpen_;
};

}  // namespace vornelik
