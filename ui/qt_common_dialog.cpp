#include "ui/qt_common_dialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace vornelik {
namespace {

// Only the folder of the last file is proposed: a proposed name would let a plain confirmation
// of the Save dialog overwrite the sound file with text.
QString folderOf(const QString& path) {
    return path.isEmpty() ? QString() : QFileInfo(path).path();
}

std::optional<QString> answerOf(const QString& chosen) {
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen;
}

}  // namespace

std::optional<QString> QtCommonDialog::askForOpen(const QString& filter, const QString& lastPath) {
    return answerOf(QFileDialog::getOpenFileName(parent_, QString(), folderOf(lastPath), filter));
}

std::optional<QString> QtCommonDialog::askForSave(const QString& filter, const QString& lastPath) {
    return answerOf(QFileDialog::getSaveFileName(parent_, QString(), folderOf(lastPath), filter,
                                                 nullptr, QFileDialog::DontConfirmOverwrite));
}

}  // namespace vornelik
