// SPDX-License-Identifier: MIT
#include <QApplication>

#include "qt/qt_dialogs.h"
#include "qt/qt_translations.h"
#include "qt/qt_window.h"
#include "ui/platform.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    vornelik::installTurkishQtTexts(app);

    const vornelik::LocaleFacts locale = vornelik::systemLocaleFacts();
    const auto files = vornelik::makeSystemFileSystem(locale.codePage);
    vornelik::QtCommonDialog commonDialog;
    vornelik::QtMessageBox messageBox;
    vornelik::QtWindow window(commonDialog, messageBox, *files, locale);
    commonDialog.setParent(&window);
    messageBox.setParent(&window);
    window.show();
    return QApplication::exec();
}
