// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>

namespace vornelik {

// A single-line box whose typing is limited to a number of characters, like a typing limit and
// unlike QLineEdit's maxLength: a longer text that the program assigns is shown whole, and the
// user may still shorten it. Typed, pasted and dropped text all count as typing.
class RangeBox : public QLineEdit {
  public:
    RangeBox(const QString& text, int typingLimit, QWidget* parent);

    // Sets the text as the program does, past the typing limit.
    void assign(const QString& text);

  private:
    class TypingLimit;
    TypingLimit* limit_;
};

}  // namespace vornelik
