#include "ui/common_dialog.h"

namespace vornelik {

void CommonDialog::showOpen() {
    take(askForOpen(filterForDisplay(), fileName_));
}

void CommonDialog::showSave() {
    take(askForSave(filterForDisplay(), fileName_));
}

QString CommonDialog::filterForDisplay() const {
    const qsizetype bar = filter_.indexOf(u'|');
    if (bar < 0) {
        return filter_;
    }
    return filter_.left(bar) + QStringLiteral(" (") + filter_.mid(bar + 1) + u')';
}

void CommonDialog::take(const std::optional<QString>& answer) {
    if (answer) {
        fileName_ = *answer;
    } else if (cancelError_) {
        throw DialogCancelled();
    }
}

}  // namespace vornelik
