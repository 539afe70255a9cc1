#pragma once

#include <QString>
#include <optional>
#include <stdexcept>

namespace vornelik {

// Thrown by showOpen and showSave when the user cancels while CancelError is set.
class DialogCancelled : public std::runtime_error {
  public:
    DialogCancelled() : std::runtime_error("file dialog cancelled") {}
};

// The window's one file dialog, with just the operations its commands use. What the user is
// shown is left to askForOpen and askForSave, so that tests can script the answers.
class CommonDialog {
  public:
    virtual ~CommonDialog() = default;

    void setCancelError(bool cancelError) { cancelError_ = cancelError; }
    // "description|pattern", as in "ses dosyaları|*.wav".
    void setFilter(const QString& filter) { filter_ = filter; }
    void showOpen();
    void showSave();
    QString fileName() const { return fileName_; }

    // The filter as a file dialog shows it: "ses dosyaları (*.wav)".
    QString filterForDisplay() const;

  protected:
    // The path the user confirmed, or nothing when the dialog was cancelled. The last confirmed
    // path is given to help the dialog start in the same folder.
    virtual std::optional<QString> askForOpen(const QString& filter, const QString& lastPath) = 0;
    virtual std::optional<QString> askForSave(const QString& filter, const QString& lastPath) = 0;

  private:
    void take(const std::optional<QString>& answer);

    bool cancelError_ = false;
    QString filter_;
    QString fileName_;
};

}  // namespace vornelik
