// SPDX-License-Identifier: MIT
#include "ui/common_dialog.h"

namespace vornelik {

void CommonDialog::showOpen() {
    take(askForOpen(filter(), fileName_));
}

void CommonDialog::showSave() {
    take(askForSave(filter(), fileName_));
}

CommonDialog::Filter CommonDialog::filter() const {
    const std::string_view whole = filter_;
    const std::size_t bar = whole.find('|');
    if (bar == std::string_view::npos) {
        return {whole, {}};
    }
    return {whole.substr(0, bar), whole.substr(bar + 1)};
}

void CommonDialog::take(std::optional<std::string> answer) {
    if (answer) {
        fileName_ = std::move(*answer);
    } else if (cancelError_) {
        throw DialogCancelled();
    }
}

}  // namespace vornelik
