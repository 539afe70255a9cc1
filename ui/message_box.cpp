#include "ui/message_box.h"

#include <QMessageBox>

namespace vornelik {

void QtMessageBox::show(const QString& prompt) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Vornelik"), prompt, QMessageBox::Ok,
                    parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace vornelik
