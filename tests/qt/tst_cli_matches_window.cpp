// SPDX-License-Identifier: MIT
// The command line writes what the window writes: the same texts typed, the same buttons
// pressed, byte for byte, over ranges, both qualities and both locales, including texts that
// only the window's number conventions make sense of.

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "cli/window_run.h"
#include "headless/headless_dialogs.h"
#include "qt/qt_window.h"
#include "ui/platform.h"

namespace vornelik {
namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Selects the box's text and types the new one, as a user does.
void typeInto(QLineEdit* box, const QString& text) {
    box->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(box, Qt::Key_Delete);
    } else {
        QTest::keyClicks(box, text);
    }
}

}  // namespace

class CliMatchesWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        QByteArray bytes(301, '\0');
        for (int i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<char>((i * 37 + 11) % 256);
        }
        sound_ = folder_.filePath(QStringLiteral("sound.wav"));
        QFile file(sound_);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    void sameFile_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::newRow("whole") << "0"
                               << "301";
        QTest::newRow("trimmed") << "44"
                                 << "290";
        QTest::newRow("blanks inside") << "1 2"
                                       << "2 9 9";
        QTest::newRow("half to even") << "2.5"
                                      << "250.5";
        QTest::newRow("odd half") << "3.5"
                                  << "251";
        QTest::newRow("hexadecimal") << "&H10"
                                     << "&H12C";
        QTest::newRow("octal and exponent") << "&O17"
                                            << "2E2";
        QTest::newRow("letters after") << "7x"
                                       << "99abc";
        QTest::newRow("empty start") << ""
                                     << "120";
        QTest::newRow("no whole line") << "5"
                                       << "9";
        QTest::newRow("start after end") << "200"
                                         << "100";
        QTest::newRow("end past the file") << "0"
                                           << "302";
    }
    void sameFile() {
        QFETCH(QString, start);
        QFETCH(QString, end);
        for (const bool include : {false, true}) {
            for (const Quality quality : {Quality::good, Quality::poor}) {
                for (const LocaleFacts& locale : {LocaleFacts{",", 1254}, LocaleFacts{".", 1252}}) {
                    const QString name = QStringLiteral("%1-%2-%3")
                                             .arg(include ? "inc" : "bas")
                                             .arg(int(quality))
                                             .arg(locale.codePage);
                    const auto [windowFile, windowPrompts] =
                        writeFromWindow(start, end, include, quality, locale, name);
                    const auto [cliFile, cliPrompts] =
                        writeFromCli(start, end, include, quality, locale, name);
                    QCOMPARE(windowFile.isEmpty(), !windowPrompts.empty());
                    QCOMPARE(cliFile, windowFile);
                    QCOMPARE(cliPrompts, windowPrompts);
                }
            }
        }
    }

  private:
    using Written = std::pair<QByteArray, std::vector<std::string>>;

    Written writeFromWindow(const QString& start, const QString& end, bool include, Quality quality,
                            const LocaleFacts& locale, const QString& name) {
        const QString output = folder_.filePath(QStringLiteral("window-") + name);
        QFile::remove(output);
        const auto files = makeSystemFileSystem(locale.codePage);
        AnsweringDialog dialog;
        CollectingMsgBox messages;
        QtWindow window(dialog, messages, *files, locale);
        const auto button = [&window](Control control) {
            return static_cast<QPushButton*>(window.control(control));
        };
        dialog.answer(sound_.toStdString());
        dialog.answer(output.toStdString());
        button(Control::Command2)->click();
        typeInto(static_cast<QLineEdit*>(window.control(Control::Text1)), start);
        typeInto(static_cast<QLineEdit*>(window.control(Control::Text2)), end);
        button(quality == Quality::good ? Control::Command1 : Control::Command5)->click();
        button(Control::Command6)->click();
        button(include ? Control::Command4 : Control::Command3)->click();
        return {contentOf(output), messages.prompts};
    }

    Written writeFromCli(const QString& start, const QString& end, bool include, Quality quality,
                         const LocaleFacts& locale, const QString& name) {
        const QString output = folder_.filePath(QStringLiteral("cli-") + name);
        QFile::remove(output);
        const auto files = makeSystemFileSystem(locale.codePage);
        const OutputOutcome outcome =
            runWindow({sound_.toStdString(), output.toStdString(), start.toStdString(),
                       end.toStdString(), quality, include},
                      *files, locale);
        return {contentOf(output), outcome.messages};
    }

    QTemporaryDir folder_;
    QString sound_;
};

}  // namespace vornelik

QTEST_MAIN(vornelik::CliMatchesWindowTest)
#include "tst_cli_matches_window.moc"
