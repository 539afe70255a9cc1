// SPDX-License-Identifier: MIT
// The output text in the user's ANSI code page, and a file that appears whole or not at all,
// also when the disk fills up.

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "core/failure.h"
#include "qt/ansi_encoder.h"
#include "qt/ansi_text_file.h"

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

namespace vornelik {
namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write a test file");
    }
}

QStringList filesIn(const QTemporaryDir& folder) {
    return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
}

}  // namespace

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
        QCOMPARE(contentOf(path), QByteArray("'ayar\xfd'\r\n"));
    }

    void anUnfinishedFileLeavesTheOldOneAlone() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("out.bas"));
        writeFile(path, "old program");
        try {
            AnsiTextFile file(path, "windows-1252");
            file.write("half a progr");
            throw Failure("the table failed");
        } catch (const Failure&) {
        }
        QCOMPARE(contentOf(path), QByteArray("old program"));
        QCOMPARE(filesIn(folder), QStringList{QStringLiteral("out.bas")});
    }

    void aPathThatCannotBeCreatedIsAFailure() {
        QTemporaryDir folder;
        writeFile(folder.filePath(QStringLiteral("plain")), {});
        QVERIFY_THROWS_EXCEPTION(
            Failure,
            AnsiTextFile(folder.filePath(QStringLiteral("plain/out.bas")), "windows-1252"));
    }

#ifdef Q_OS_UNIX
    // A child process whose file size limit is below the output gets the error a full disk
    // gives (SIGXFSZ ignored, the write fails with EFBIG). Whatever the output's size against
    // the buffers, the old file must stay whole and no temporary file may be left.
    void aFullDiskKeepsTheOldFile_data() {
        QTest::addColumn<int>("outputSize");
        QTest::addColumn<int>("limit");
        QTest::newRow("small, nothing fits") << 26 << 0;
        QTest::newRow("small, one byte short") << 130 << 129;
        QTest::newRow("below Qt's buffer") << 12000 << 8192;
        QTest::newRow("at Qt's buffer") << 16384 << 16383;
        QTest::newRow("past Qt's buffer") << 16385 << 16384;
        QTest::newRow("at our piece") << 65536 << 65535;
        QTest::newRow("past our piece") << 65537 << 65536;
        QTest::newRow("large") << 300000 << 200000;
    }
    void aFullDiskKeepsTheOldFile() {
        QFETCH(int, outputSize);
        QFETCH(int, limit);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("out.bas"));
        const QByteArray old(130, 'o');
        writeFile(path, old);

        QCOMPARE(writeInChild(path, outputSize, limit), 1);
        QCOMPARE(contentOf(path), old);
        QCOMPARE(filesIn(folder), QStringList{QStringLiteral("out.bas")});

        // With room enough the same write succeeds.
        QCOMPARE(writeInChild(path, outputSize, outputSize), 0);
        QCOMPARE(contentOf(path).size(), outputSize);
    }
#endif

  private:
#ifdef Q_OS_UNIX
    // 0 when the child committed the file, 1 when it failed, anything else when it crashed.
    static int writeInChild(const QString& path, int outputSize, int limit) {
        const pid_t child = fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit size{static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
            setrlimit(RLIMIT_FSIZE, &size);
            int status = 1;
            try {
                AnsiTextFile file(path, "windows-1252");
                const std::string piece(100, 'x');
                for (int written = 0; written < outputSize; written += 100) {
                    file.write(std::string_view(piece).substr(
                        0, static_cast<std::size_t>(std::min(100, outputSize - written))));
                }
                file.commit();
                status = 0;
            } catch (const Failure&) {
            }
            _exit(status);
        }
        int status = -1;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
#endif
};

}  // namespace vornelik

QTEST_GUILESS_MAIN(vornelik::AnsiTextFileTest)
#include "tst_ansi_text_file.moc"
