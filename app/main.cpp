#include <QApplication>

#include "ui/locale_facts.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/qt_common_dialog.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    vornelik::QtCommonDialog commonDialog;
    vornelik::QtMessageBox messageBox;
    vornelik::Form1 window(commonDialog, messageBox, vornelik::LocaleFacts::fromSystem());
    commonDialog.setParent(&window);
    messageBox.setParent(&window);
    window.show();
    return QApplication::exec();
}
