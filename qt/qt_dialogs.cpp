// SPDX-License-Identifier: MIT
#include "qt/qt_dialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "core/path_folder.h"
#include "ui/form_layout.h"

namespace vornelik {
namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Paths are the file system's bytes, which need not be UTF-8: Qt turns them into text and
// back in the file system's own way.
QString nameOf(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

// Only the folder of the last file is proposed: a proposed name would let a plain confirmation
// of the Save dialog overwrite the sound file with text.
QString folderOf(const std::string& path) {
    const std::string_view folder = folderPart<char>(path, "/");
    if (path.empty()) {
        return {};
    }
    return folder.empty() ? QStringLiteral(".") : nameOf(std::string(folder));
}

std::optional<std::string> answerOf(const QString& chosen) {
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return QFile::encodeName(chosen).toStdString();
}

// The dialog shows the description alone, as the Windows dialog does.
constexpr auto kOptions = QFileDialog::HideNameFilterDetails;

}  // namespace

QString QtCommonDialog::nameFilter(Filter filter) {
    QString pattern;
    for (const QChar c : fromUtf8(filter.pattern)) {
        if (c.isLetter() && c.toLower() != c.toUpper()) {
            pattern += u'[' + QString(c.toLower()) + c.toUpper() + u']';
        } else {
            pattern += c;
        }
    }
    return fromUtf8(filter.description) + QStringLiteral(" (") + pattern + u')';
}

std::optional<std::string> QtCommonDialog::askForOpen(Filter filter, const std::string& lastPath) {
    return answerOf(QFileDialog::getOpenFileName(parent_, QString(), folderOf(lastPath),
                                                 nameFilter(filter), nullptr, kOptions));
}

std::optional<std::string> QtCommonDialog::askForSave(Filter filter, const std::string& lastPath) {
    return answerOf(QFileDialog::getSaveFileName(parent_, QString(), folderOf(lastPath),
                                                 nameFilter(filter), nullptr,
                                                 kOptions | QFileDialog::DontConfirmOverwrite));
}

void QtMsgBox::show(std::string_view prompt) {
    QMessageBox box(QMessageBox::NoIcon, fromUtf8(kForm1.messageBoxCaption), fromUtf8(prompt),
                    QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace vornelik
