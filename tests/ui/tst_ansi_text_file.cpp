// The output text in the user's ANSI code page, and a file that appears whole or not at all.

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "core/failure.h"
#include "ui/ansi_encoder.h"
#include "ui/ansi_text_file.h"

namespace vornelik {

class AnsiTextFileTest : public QObject {
    Q_OBJECT

  private slots:
    void encodesAsWindowsDoes_data() {
        QTest::addColumn<QByteArray>("codePage");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Turkish letters in 1254")
            << QByteArray("windows-1254") << QStringLiteral("ıİşŞğĞüÜöÖçÇ")
            << QByteArray("\xfd\xdd\xfe\xde\xf0\xd0\xfc\xdc\xf6\xd6\xe7\xc7");
        QTest::newRow("best fit in 1252")
            << QByteArray("windows-1252") << QStringLiteral("ayarı oluşturulmuş ğİŞ")
            << QByteArray("ayari olusturulmus gIS");
        QTest::newRow("own letters in 1252") << QByteArray("windows-1252") << QStringLiteral("éüç€")
                                             << QByteArray("\xe9\xfc\xe7\x80");
        QTest::newRow("no fit in 1252")
            << QByteArray("windows-1252") << QStringLiteral("ж→x") << QByteArray("??x");
        QTest::newRow("s cedilla in 1250, dotless i fitted")
            << QByteArray("windows-1250") << QStringLiteral("şı") << QByteArray("\xbai");
        QTest::newRow("Cyrillic in 1251")
            << QByteArray("windows-1251") << QStringLiteral("жı") << QByteArray("\xe6i");
        QTest::newRow("plain ASCII")
            << QByteArray("windows-1254") << QStringLiteral("CDATA  1,2\r\n")
            << QByteArray("CDATA  1,2\r\n");
    }
    void encodesAsWindowsDoes() {
        QFETCH(QByteArray, codePage);
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        AnsiEncoder encoder(codePage);
        QCOMPARE(encoder.encode(text.toStdString()), bytes);
    }

    void anUnknownCodePageIsAFailure() {
        QVERIFY_THROWS_EXCEPTION(Failure, AnsiEncoder("no-such-code-page"));
    }

    void theFileAppearsOnlyWhenComplete() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("out.inc"));
        {
            AnsiTextFile file(path, "windows-1254");
            file.write("'ayarı'\r\n");
            QVERIFY(!QFile::exists(path));
            file.commit();
        }
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("'ayar\xfd'\r\n"));
    }

    void anUnfinishedFileLeavesTheOldOneAlone() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("out.bas"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old program");
        }
        try {
            AnsiTextFile file(path, "windows-1252");
            file.write("half a progr");
            throw Failure("the table failed");
        } catch (const Failure&) {
        }
        QFile kept(path);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("old program"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("out.bas")});
    }

    void aPathThatCannotBeCreatedIsAFailure() {
        QTemporaryDir folder;
        QFile plain(folder.filePath(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QVERIFY_THROWS_EXCEPTION(
            Failure,
            AnsiTextFile(folder.filePath(QStringLiteral("plain/out.bas")), "windows-1252"));
    }
};

}  // namespace vornelik

QTEST_MAIN(vornelik::AnsiTextFileTest)
#include "tst_ansi_text_file.moc"
