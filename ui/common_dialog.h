// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vornelik {

// Thrown by showOpen and showSave when the user cancels while CancelError is set.
class DialogCancelled : public std::runtime_error {
  public:
    DialogCancelled() : std::runtime_error("file dialog cancelled") {}
};

// The window's one file dialog, with just the operations its commands use. What the user is
// shown is left to askForOpen and askForSave, so that every face and every test can answer it
// its own way.
class CommonDialog {
  public:
    // "description|pattern", as in "ses dosyaları|*.wav".
    struct Filter {
        std::string_view description;
        std::string_view pattern;
    };

    virtual ~CommonDialog() = default;

    void setCancelError(bool cancelError) { cancelError_ = cancelError; }
    void setFilter(std::string_view filter) { filter_ = filter; }
    void showOpen();
    void showSave();
    const std::string& fileName() const { return fileName_; }

    Filter filter() const;

  protected:
    // The path the user confirmed, or nothing when the dialog was cancelled. The last confirmed
    // path is given so that the dialog can start in the same folder.
    virtual std::optional<std::string> askForOpen(Filter filter, const std::string& lastPath) = 0;
    virtual std::optional<std::string> askForSave(Filter filter, const std::string& lastPath) = 0;

  private:
    void take(std::optional<std::string> answer);

    bool cancelError_ = false;
    std::string filter_;
    std::string fileName_;
};

}  // namespace vornelik
