// SPDX-License-Identifier: MIT
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "ui/common_dialog.h"
#include "ui/locale_facts.h"
#include "ui/msg_box.h"

namespace vornelik {

// The switch the window's own tests start the program with: VORNELIK_TEST_SCRIPT names a UTF-8
// file of lines
//   separator=,        the decimal separator, in place of the regional settings'
//   codepage=1254      the output code page, in place of the system's
//   answer=C:\x.wav    the next answer of the file dialog
//   cancel             the next file dialog is cancelled
//   log=C:\log.txt     where the dialogs and message boxes are told instead of shown
// so that a test can drive the real window without anybody at the screen.
struct TestScript {
    std::optional<std::string> decimalSeparator;
    std::optional<unsigned> codePage;
    std::deque<std::optional<std::string>> answers;
    std::string logPath;

    // The script the environment names, or nothing for an ordinary start. Throws when the
    // named script cannot be read or holds a line it does not know.
    static std::optional<TestScript> fromEnvironment();
    static TestScript parse(std::string_view text);

    LocaleFacts applyTo(LocaleFacts locale) const;
};

// Adds a line to the script's log: "open ses dosyaları|*.wav", "message ...".
void appendToLog(const std::string& logPath, std::string_view line);

// The file dialog answering from the script, in order; with the answers used up, it cancels.
class ScriptedCommonDialog : public CommonDialog {
  public:
    explicit ScriptedCommonDialog(TestScript& script) : script_(script) {}

  protected:
    std::optional<std::string> askForOpen(Filter filter, const std::string& lastPath) override;
    std::optional<std::string> askForSave(Filter filter, const std::string& lastPath) override;

  private:
    std::optional<std::string> next(std::string_view mode, Filter filter);

    TestScript& script_;
};

// The message box writing its prompt to the script's log and returning at once.
class LoggedMsgBox : public MsgBox {
  public:
    explicit LoggedMsgBox(std::string logPath) : logPath_(std::move(logPath)) {}
    void show(std::string_view prompt) override;

  private:
    std::string logPath_;
};

}  // namespace vornelik
