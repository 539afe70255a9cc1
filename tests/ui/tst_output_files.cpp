// Writing the program and include files from the window, byte for byte.

#include <QtTest>

#include "core/sound_fixture.h"
#include "scripted_dialogs.h"

namespace vornelik {

const QString kProgramWritten = QStringLiteral(
    " proton basic bas dosyasını oluşturdunuz dosyayı proton basic ile derleyip mikro "
    "denetleyiciye kaydediniz ");
const QString kIncludeWritten =
    QStringLiteral("inc dosyanızı oluşturdunuz diger basic projelerinizde kullanabilirsiniz");

QByteArray expected(const char* name) {
    return QByteArray::fromStdString(expectedFile(name));
}

// The 26-byte sound open, the end trimmed to 25, a quality chosen and the check passed.
struct Checked : Harness {
    Checked(bool poor, LocaleFacts locale) : Harness(std::move(locale)) {
        const auto& bytes = kSoundBytes;
        openSound(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
        type(form->Text2, QStringLiteral("25"));
        (poor ? form->Command5 : form->Command1)->click();
        form->Command6->click();
        if (!messages.prompts.isEmpty() || !form->Command3->isEnabled()) {
            qFatal("the check did not pass");
        }
    }

    // Answers the Save dialog with a file in the test folder and presses the button.
    void save(QPushButton* command, const QString& name) {
        dialog.answer(folder.filePath(name));
        command->click();
    }

    QStringList filesInFolder() const { return QDir(folder.path()).entryList(QDir::Files); }
};

class OutputFilesTest : public QObject {
    Q_OBJECT

  private slots:
    void programFile_data() {
        QTest::addColumn<bool>("poor");
        QTest::addColumn<bool>("comma");
        QTest::addColumn<QString>("expectedFile");
        QTest::newRow("good, comma") << false << true << "program_good_0_25.bas";
        QTest::newRow("good, point") << false << false << "program_good_0_25.bas";
        QTest::newRow("poor, comma") << true << true << "program_poor_0_25_comma.bas";
        QTest::newRow("poor, point") << true << false << "program_poor_0_25_point.bas";
    }
    void programFile() {
        QFETCH(bool, poor);
        QFETCH(bool, comma);
        QFETCH(QString, expectedFile);
        Checked c(poor, comma ? commaLocale() : pointLocale());
        const QString beforeSave = c.form->mesaj->text();
        c.save(c.form->Command3, QStringLiteral("out.bas"));

        QCOMPARE(c.dialog.shown.last(), QStringLiteral("save proton basic dosyaları (*.bas)"));
        QCOMPARE(c.readFile(QStringLiteral("out.bas")), expected(qPrintable(expectedFile)));
        QCOMPARE(c.form->mesaj->text(), kProgramWritten);
        QVERIFY(beforeSave != kProgramWritten);
        QCOMPARE(c.enabledFlags(), QStringLiteral("00111111"));
        QCOMPARE(c.form->currentCheckState(), std::uint8_t{2});
    }

    void aProgramFileReplacesAnExistingOne() {
        Checked c(false, commaLocale());
        c.writeFile(QStringLiteral("out.bas"), QByteArray(5000, 'x'));
        c.save(c.form->Command3, QStringLiteral("out.bas"));
        QCOMPARE(c.readFile(QStringLiteral("out.bas")), expected("program_good_0_25.bas"));
    }

    void includeFile_data() {
        QTest::addColumn<bool>("poor");
        QTest::addColumn<bool>("turkish");
        QTest::addColumn<QString>("expectedFile");
        QTest::newRow("good, windows-1254") << false << true << "include_good_0_25.1254.inc";
        QTest::newRow("good, windows-1252") << false << false << "include_good_0_25.1252.inc";
        QTest::newRow("poor, windows-1254") << true << true << "include_poor_0_25.1254.inc";
        QTest::newRow("poor, windows-1252") << true << false << "include_poor_0_25.1252.inc";
    }
    void includeFile() {
        QFETCH(bool, poor);
        QFETCH(bool, turkish);
        QFETCH(QString, expectedFile);
        Checked c(poor, turkish ? commaLocale() : pointLocale());
        c.save(c.form->Command4, QStringLiteral("out.inc"));

        QCOMPARE(c.dialog.shown.last(), QStringLiteral("save inc dosyaları (*.inc)"));
        QCOMPARE(c.readFile(QStringLiteral("out.inc")), expected(qPrintable(expectedFile)));
        QCOMPARE(c.form->mesaj->text(), kIncludeWritten);
        QCOMPARE(c.enabledFlags(), QStringLiteral("01000000"));
        QCOMPARE(c.form->currentCheckState(), std::uint8_t{1});

        // The editing is over: typing reaches neither box.
        QTest::keyClicks(c.form->Text1, QStringLiteral("1"));
        QCOMPARE(c.form->Text1->text(), QStringLiteral("0"));
    }

    void theProgramAfterTheIncludeHasTheSameTable() {
        Checked c(true, commaLocale());
        c.save(c.form->Command4, QStringLiteral("out.inc"));
        c.save(c.form->Command3, QStringLiteral("out.bas"));
        QCOMPARE(c.readFile(QStringLiteral("out.bas")), expected("program_poor_0_25_comma.bas"));
        QCOMPARE(c.enabledFlags(), QStringLiteral("00000000"));
    }

    void cancelWritesAndChangesNothing_data() {
        QTest::addColumn<bool>("include");
        QTest::newRow("program") << false;
        QTest::newRow("include") << true;
    }
    void cancelWritesAndChangesNothing() {
        QFETCH(bool, include);
        Checked c(false, commaLocale());
        const QString message = c.form->mesaj->text();
        c.dialog.cancel();
        (include ? c.form->Command4 : c.form->Command3)->click();
        QCOMPARE(c.filesInFolder(), QStringList{QStringLiteral("sound.wav")});
        QCOMPARE(c.enabledFlags(), QStringLiteral("01111111"));
        QCOMPARE(c.form->mesaj->text(), message);
        QCOMPARE(c.form->currentCheckState(), std::uint8_t{2});
    }

    // A path below a regular file cannot be created, even by root.
    void aFileThatCannotBeWrittenLeavesNothing_data() { cancelWritesAndChangesNothing_data(); }
    void aFileThatCannotBeWrittenLeavesNothing() {
        QFETCH(bool, include);
        Checked c(false, commaLocale());
        const QString message = c.form->mesaj->text();
        c.writeFile(QStringLiteral("plain"), "keep");
        c.save(include ? c.form->Command4 : c.form->Command3, QStringLiteral("plain/out.bas"));
        QCOMPARE(c.filesInFolder(),
                 (QStringList{QStringLiteral("plain"), QStringLiteral("sound.wav")}));
        QCOMPARE(c.readFile(QStringLiteral("plain")), QByteArray("keep"));
        QVERIFY(c.messages.prompts.isEmpty());
        QCOMPARE(c.enabledFlags(), QStringLiteral("01111111"));
        QCOMPARE(c.form->mesaj->text(), message);

        // The user can try again.
        c.save(include ? c.form->Command4 : c.form->Command3, QStringLiteral("out"));
        QVERIFY(c.filesInFolder().contains(QStringLiteral("out")));
    }

    void aRangeShorterThanALineEndsWithTheLabel() {
        Harness h(pointLocale());
        h.openSound(QByteArray(9, '\x80'));
        h.form->Command1->click();
        h.form->Command6->click();
        h.dialog.answer(h.folder.filePath(QStringLiteral("short.bas")));
        h.form->Command3->click();
        QVERIFY(h.readFile(QStringLiteral("short.bas")).endsWith("GoTo oku\r\nses:\r\n"));
    }
};

}  // namespace vornelik

QTEST_MAIN(vornelik::OutputFilesTest)
#include "tst_output_files.moc"
