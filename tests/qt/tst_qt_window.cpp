// SPDX-License-Identifier: MIT
// The Qt face: the window built from the layout, its events reaching the handlers, the typing
// limit, what assistive technology sees, and the file dialog's filter.

#include <QAccessible>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "headless/headless_dialogs.h"
#include "qt/qt_dialogs.h"
#include "qt/qt_translations.h"
#include "qt/qt_window.h"
#include "support/held_sound.h"
#include "support/user_texts.h"
#include "ui/form_layout.h"
#include "ui/opening_dialog.h"
#include "ui/platform.h"

namespace vornelik {

struct Window {
    Window() : files(makeSystemFileSystem(1254)), window(dialog, messages, *files, {",", 1254}) {}

    template <typename Widget = QWidget>
    Widget* operator[](Control control) const {
        return static_cast<Widget*>(window.control(control));
    }
    QString mesaj() const { return (*this).operator[]<QLabel>(Control::mesaj)->text(); }

    // Opens a sound of this many bytes.
    void openSound(int size) {
        const QString path = folder.filePath(QStringLiteral("sound.wav"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(size, 'x')) != size) {
            qFatal("cannot write a test file");
        }
        file.close();
        dialog.answer(path.toStdString());
        (*this).operator[]<QPushButton>(Control::Command2)->click();
    }

    QTemporaryDir folder;
    AnsweringDialog dialog;
    CollectingMsgBox messages;
    std::unique_ptr<FileSystem> files;
    QtWindow window;
};

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

class QtWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void theControlsAreNamedAndCaptionedAsDesigned() {
        Window w;
        QCOMPARE(w.window.windowTitle(), QStringLiteral(" Vornelik"));
        QCOMPARE(w.window.objectName(), QStringLiteral("Form1"));
        // In tab order, with the caption each shows at the start.
        const std::pair<const char*, std::string_view> controls[] = {
            {"Command2", "ses dosyası aç"},
            {"yer", ""},
            {"Label2", "dosya yeri"},
            {"Label3", "dosya boyutu"},
            {"Command3", "bas dosyası oluştur"},
            {"Command4", "inc dosyası oluştur"},
            {"boyut", ""},
            {"Label1", "ses kalitesi"},
            {"Label4", "baslangıç"},
            {"Text1", "0"},
            {"Label5", "bitiş"},
            {"Text2", "0"},
            {"Label6", "byte"},
            {"Label7", "byte"},
            {"Command1", "iyi kalite cok yer"},
            {"Command5", "kotu kalite az yer"},
            {"Label8", "pic hafiza"},
            {"Label9", ""},
            {"Command6", "kontrol et"},
            {"mesaj", shown::kStart},
        };
        static_assert(std::size(controls) == static_cast<std::size_t>(kControlCount));
        for (int i = 0; i < kControlCount; ++i) {
            const Control id = static_cast<Control>(i);
            const auto& [name, caption] = controls[static_cast<std::size_t>(i)];
            QCOMPARE(w[id]->objectName(), QString::fromLatin1(name));
            QVERIFY(w[id]->font().bold());
            QCOMPARE(w.window.text(id), std::string(caption));
        }
        QCOMPARE(w.mesaj(), qs(shown::kStart));
        auto* message = w.operator[]<QLabel>(Control::mesaj);
        QCOMPARE(message->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(message->wordWrap());
        for (const Control control :
             {Control::Command1, Control::Command3, Control::Command4, Control::Command5,
              Control::Command6, Control::Text1, Control::Text2}) {
            QVERIFY(!w[control]->isEnabled());
        }
        QVERIFY(w[Control::Command2]->isEnabled());
    }

    void windowIsFixedAtItsDesignedSize() {
        Window w;
        const QtWindow& f = w.window;
        const double scale = f.logicalDpiX() / 96.0;
        QCOMPARE(f.minimumSize(), f.maximumSize());
        QCOMPARE(f.size(), QSize(qRound(782 * scale), qRound(378 * scale)));
        QVERIFY(!(f.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(f.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(f.windowFlags() & Qt::WindowCloseButtonHint);
        if (scale == 1.0) {
            QCOMPARE(w[Control::Command2]->geometry(), QRect(8, 8, 161, 33));
            QCOMPARE(w[Control::mesaj]->geometry(), QRect(8, 240, 769, 129));
            QCOMPARE(w[Control::Text2]->geometry(), QRect(512, 200, 81, 33));
        }
        QCOMPARE(w[Control::Command1]->font().pixelSize(), qRound(18 * scale));
        QCOMPARE(w[Control::mesaj]->font().pixelSize(), qRound(16 * scale));
    }

    void tabOrderFollowsTheDesign() {
        Window w;
        const QList<QWidget*> expected = {
            w[Control::Command2], w[Control::Command3], w[Control::Command4], w[Control::Text1],
            w[Control::Text2],    w[Control::Command1], w[Control::Command5], w[Control::Command6]};
        QList<QWidget*> chain;
        QWidget* next = expected.first();
        do {
            if (next->focusPolicy() & Qt::TabFocus) {
                chain << next;
            }
            next = next->nextInFocusChain();
        } while (next != expected.first());
        QCOMPARE(chain, expected);
    }

    void theFocusStartsOnTheOpenButton() {
        Window w;
        w.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QCOMPARE(QApplication::focusWidget(), w[Control::Command2]);
    }

    void clicksAndTypingReachTheHandlers() {
        Window w;
        w.openSound(900);
        QCOMPARE(w.window.text(Control::boyut), std::string("900 byte"));
        QCOMPARE(w.mesaj(), qs(shown::kSetRange));
        QVERIFY(!w[Control::Command2]->isEnabled());

        auto* start = w.operator[]<QLineEdit>(Control::Text1);
        start->selectAll();
        QTest::keyClicks(start, QStringLiteral("1"));
        QCOMPARE(w.mesaj(), qs(shown::kStartEdited));
        QTest::mouseClick(w[Control::Command1], Qt::LeftButton);
        QCOMPARE(w.window.text(Control::Label9), std::string("899  byte"));
    }

    // A text longer than the limit, set by the program, is shown whole; typing cannot lengthen
    // it, though it can shorten it.
    void typingIsLimitedToFiveCharacters() {
        Window w;
        w.openSound(123456);
        auto* box = w.operator[]<QLineEdit>(Control::Text2);
        QCOMPARE(box->text(), QStringLiteral("123456"));
        box->end(false);
        QTest::keyClicks(box, QStringLiteral("7"));
        QCOMPARE(box->text(), QStringLiteral("123456"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("12345"));
        QTest::keyClicks(box, QStringLiteral("6"));
        QCOMPARE(box->text(), QStringLiteral("12345"));

        auto* start = w.operator[]<QLineEdit>(Control::Text1);
        start->selectAll();
        QTest::keyClicks(start, QStringLiteral("abc-+9x"));
        QCOMPARE(start->text(), QStringLiteral("abc-+"));
    }

    void assistiveTechnologySeesAFrameAndNamedBoxes() {
        Window w;
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&w.window);
        QVERIFY(window != nullptr);
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral(" Vornelik"));
        for (const auto& [box, heading] : {std::pair{Control::Text1, QStringLiteral("baslangıç")},
                                           {Control::Text2, QStringLiteral("bitiş")}}) {
            QAccessibleInterface* field = QAccessible::queryAccessibleInterface(w[box]);
            QCOMPARE(field->text(QAccessible::Name), heading);
            QCOMPARE(w.operator[]<QLabel>(headingOf(box))->buddy(), w[box]);
        }
    }

    // Qt's own dialog, like GTK's, matches a pattern case by case on Linux; the filter handed
    // to it must list what Windows lists.
    void theSoundFilterListsWavFilesInAnyCase() {
        const QString filter = QtCommonDialog::nameFilter({"ses dosyaları", "*.wav"});
        QCOMPARE(filter, QStringLiteral("ses dosyaları (*.[wW][aA][vV])"));

        QTemporaryDir folder;
        for (const char* name : {"a.wav", "KAYIT.WAV", "Ses.Wav", "notes.txt", "wav"}) {
            QFile file(folder.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QFileSystemModel model;
        model.setNameFilterDisables(false);
        model.setNameFilters(filter.section(u'(', 1).chopped(1).split(u' '));  // as the dialog does
        QSignalSpy loaded(&model, &QFileSystemModel::directoryLoaded);
        const QModelIndex root = model.setRootPath(folder.path());
        QVERIFY(loaded.wait(5000) || model.rowCount(root) > 0);
        QStringList listed;
        for (int row = 0; row < model.rowCount(root); ++row) {
            listed << model.index(row, 0, root).data().toString();
        }
        listed.sort();
        QCOMPARE(listed, (QStringList{"KAYIT.WAV", "Ses.Wav", "a.wav"}));
    }

    // A sound named on the command line is opened by the open button's own steps: the window
    // ends as it does when the same path is chosen in the dialog, for a sound and for a file
    // that cannot be read.
    void aSoundNamedAtStartOpensAsIfChosen() {
        QTemporaryDir folder;
        const QString sound = folder.filePath(QStringLiteral("kapı.wav"));
        QFile file(sound);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(300, 'x')) == 300);
        file.close();
        for (const QString& path : {sound, folder.filePath(QStringLiteral("yok.wav"))}) {
            Window chosen;
            chosen.dialog.answer(path.toStdString());
            static_cast<QPushButton*>(chosen[Control::Command2])->click();

            OpeningDialog<QtCommonDialog> opening(path.toStdString());
            CollectingMsgBox messages;
            const auto files = makeSystemFileSystem(1254);
            QtWindow started(opening, messages, *files, {",", 1254});
            static_cast<QPushButton*>(started.control(Control::Command2))->click();

            for (const ControlLayout& layout : kForm1Controls) {
                QCOMPARE(started.text(layout.id), chosen.window.text(layout.id));
                QCOMPARE(started.control(layout.id)->isEnabled(), chosen[layout.id]->isEnabled());
            }
            QCOMPARE(messages.prompts, chosen.messages.prompts);
            QCOMPARE(bytesOf(started.form().currentSound()),
                     bytesOf(chosen.window.form().currentSound()));
        }
    }

    // Plain text under the program's name, with only an OK button.
    void aMessageBoxShowsThePromptAsItIs() {
        QtMsgBox box;
        QString title;
        QString text;
        int buttons = 0;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                title = shown->windowTitle();
                text = shown->text();
                buttons = int(shown->standardButtons());
                shown->accept();
            }
        });
        poll.start(10);
        box.show("<b>pic hafıza boyutu sıfır dan küçük olamaz</b>");
        QCOMPARE(title, QStringLiteral("Vornelik"));
        QCOMPARE(text, QStringLiteral("<b>pic hafıza boyutu sıfır dan küçük olamaz</b>"));
        QCOMPARE(buttons, int(QMessageBox::Ok));
    }

    void qtsOwnTextsAreTurkish() {
        if (!installTurkishQtTexts(*QCoreApplication::instance())) {
            QSKIP("Qt's Turkish translations are not installed");
        }
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("Tamam"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("İptal"));
    }
};

}  // namespace vornelik

QTEST_MAIN(vornelik::QtWindowTest)
#include "tst_qt_window.moc"
