// SPDX-License-Identifier: MIT
#include "qt/range_box.h"

#include <QValidator>

namespace vornelik {

// A validator only sees the text an edit would give. It turns an edit away when that text is
// over the limit and no shorter than before; Qt then undoes the edit before anyone sees it.
class RangeBox::TypingLimit : public QValidator {
  public:
    TypingLimit(int limit, RangeBox* box) : QValidator(box), limit_(limit), box_(box) {}

    State validate(QString& input, int& /*pos*/) const override {
        const bool withinLimit = input.size() <= limit_;
        const bool shorter = input.size() < previous_.size();
        return assigning_ || withinLimit || shorter ? Acceptable : Invalid;
    }

    void remember(const QString& text) { previous_ = text; }

    void assign(const QString& text) {
        // Qt only undoes an edit that turns valid text invalid, so an assigned text must pass
        // as valid for the next keystroke to be checked at all.
        assigning_ = true;
        box_->setText(text);
        assigning_ = false;
    }

  private:
    int limit_;
    RangeBox* box_;
    QString previous_;
    bool assigning_ = false;
};

RangeBox::RangeBox(const QString& text, int typingLimit, QWidget* parent)
    : QLineEdit(text, parent), limit_(new TypingLimit(typingLimit, this)) {
    limit_->remember(text);
    setValidator(limit_);
    connect(this, &QLineEdit::textChanged, limit_,
            [this](const QString& now) { limit_->remember(now); });
}

void RangeBox::assign(const QString& text) {
    limit_->assign(text);
}

}  // namespace vornelik
