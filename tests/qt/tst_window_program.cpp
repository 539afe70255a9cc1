// SPDX-License-Identifier: MIT
// The Linux window program's start-up: what its arguments and environment decide before Qt
// starts, the sound left once Qt took its options, and Qt's messages while the display opens.

#include <sys/wait.h>
#include <unistd.h>

#include <QtTest>
#include <string>
#include <vector>

#include "app/window_program.h"

namespace vornelik {
namespace {

// The program's arguments, its name first, as main() receives them.
struct Arguments {
    explicit Arguments(const QStringList& given) {
        texts.push_back("vornelik");
        for (const QString& argument : given) {
            texts.push_back(argument.toStdString());
        }
        for (const std::string& text : texts) {
            pointers.push_back(text.c_str());
        }
    }
    int count() const { return static_cast<int>(pointers.size()); }
    const char* const* values() const { return pointers.data(); }

    std::vector<std::string> texts;
    std::vector<const char*> pointers;
};

// Sets the display variables as "DISPLAY=:0 QT_QPA_PLATFORM=" lists them, the rest unset.
void setDisplayVariables(const QString& settings) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        qunsetenv(name);
    }
    for (const QString& setting : settings.split(u' ', Qt::SkipEmptyParts)) {
        qputenv(setting.section(u'=', 0, 0).toLatin1(), setting.section(u'=', 1).toLocal8Bit());
    }
}

QStringList recorded;

void recordMessage(QtMsgType, const QMessageLogContext&, const QString& message) {
    recorded << message;
}

}  // namespace

class WindowProgramTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { saved_ = qgetenv("QT_QPA_PLATFORM"); }
    void cleanup() {
        setDisplayVariables(QString());
        qputenv("QT_QPA_PLATFORM", saved_);
    }

    void theArgumentsDecideBeforeQtStarts_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("environment");
        QTest::addColumn<int>("early");
        QTest::addColumn<bool>("refused");
        const int none = int(EarlyRequest::none);
        const int help = int(EarlyRequest::help);
        const int version = int(EarlyRequest::version);
        QTest::newRow("nothing") << QStringList{} << "" << none << true;
        QTest::newRow("an empty DISPLAY") << QStringList{"r.wav"} << "DISPLAY=" << none << true;
        QTest::newRow("DISPLAY") << QStringList{"r.wav"} << "DISPLAY=:0" << none << false;
        QTest::newRow("WAYLAND_DISPLAY") << QStringList{} << "WAYLAND_DISPLAY=w-0" << none << false;
        QTest::newRow("QT_QPA_PLATFORM") << QStringList{} << "QT_QPA_PLATFORM=xcb" << none << false;
        QTest::newRow("-display") << QStringList{"-display", ":77", "rec.wav"} << "" << none
                                  << false;
        QTest::newRow("--display") << QStringList{"--display", ":77"} << "" << none << false;
        QTest::newRow("-platform")
            << QStringList{"rec.wav", "-platform", "offscreen"} << "" << none << false;
        QTest::newRow("--platform")
            << QStringList{"--platform", "offscreen"} << "" << none << false;
        QTest::newRow("-platform without a name") << QStringList{"-platform"} << "" << none << true;
        QTest::newRow("--help") << QStringList{"--help"} << "" << help << true;
        QTest::newRow("-h after a file") << QStringList{"r.wav", "-h"} << "" << help << true;
        QTest::newRow("--version")
            << QStringList{"--version", "--help"} << "DISPLAY=:0" << version << false;
        QTest::newRow("--help after --")
            << QStringList{"--", "--help"} << "DISPLAY=:0" << none << false;
    }
    void theArgumentsDecideBeforeQtStarts() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, environment);
        QFETCH(int, early);
        QFETCH(bool, refused);
        setDisplayVariables(environment);
        const Arguments given(arguments);
        QCOMPARE(int(earlyRequest(given.count(), given.values())), early);
        const std::string refusal = displayRefusal(given.count(), given.values());
        if (refused) {
            QCOMPARE(refusal,
                     std::string("no display: neither DISPLAY nor WAYLAND_DISPLAY is set, and the "
                                 "window needs an X11 or Wayland display: set one of them, or "
                                 "name a display with -display NAME or a Qt platform with "
                                 "-platform NAME"));
        } else {
            QCOMPARE(refusal, std::string());
        }
    }

    // What is left once Qt took its own options out.
    void theSoundIsWhatQtLeaves_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("path");  // "" for none
        QTest::addColumn<QString>("error");
        QTest::newRow("nothing") << QStringList{} << ""
                                 << "";
        QTest::newRow("a sound") << QStringList{"kapı.wav"} << "kapı.wav"
                                 << "";
        QTest::newRow("standard input's name") << QStringList{"-"} << "-"
                                               << "";
        QTest::newRow("a name after --") << QStringList{"--", "-a.wav"} << "-a.wav"
                                         << "";
        QTest::newRow("an unknown option")
            << QStringList{"--frobnicate", "a.wav"} << "a.wav"
            << "unknown option --frobnicate: expected FILE, --help, --version or one of Qt's "
               "own options";
        QTest::newRow("two sounds")
            << QStringList{"a.wav", "b.wav"} << "a.wav"
            << "only one file can be opened, but a.wav and b.wav were both named";
    }
    void theSoundIsWhatQtLeaves() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, path);
        QFETCH(QString, error);
        const Arguments given(arguments);
        const SoundArgument sound = soundArgument(given.count(), given.values());
        QCOMPARE(QString::fromStdString(sound.path.value_or("")), path);
        QCOMPARE(QString::fromStdString(sound.error), error);
    }

    // Qt's own messages pass on to the handler installed before; its fatal one while the display
    // opens ends the program with status 1 and names the display tried.
    void qtsMessagesWhileTheDisplayOpens() {
        const QtMessageHandler testsHandler = qInstallMessageHandler(recordMessage);
        const Arguments given({"-display", ":77", "kapı.wav"});
        catchDisplayFailure(given.count(), given.values());
        qWarning("a warning of Qt's");
        displayOpened();
        qInstallMessageHandler(testsHandler);
        QCOMPARE(recorded, QStringList{"a warning of Qt's"});

        int output[2];
        QVERIFY(pipe(output) == 0);
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            dup2(output[1], STDERR_FILENO);
            setDisplayVariables(QStringLiteral("WAYLAND_DISPLAY="));
            catchDisplayFailure(given.count(), given.values());
            qFatal("could not connect to display :77");
        }
        close(output[1]);
        QByteArray said;
        char buffer[512];
        for (ssize_t got; (got = read(output[0], buffer, sizeof buffer)) > 0;) {
            said.append(buffer, got);
        }
        close(output[0]);
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 1);
        QCOMPARE(QString::fromUtf8(said),
                 QStringLiteral("vornelik: no display could be opened (DISPLAY=, "
                                "WAYLAND_DISPLAY=, -display :77): the window needs an X11 or "
                                "Wayland display\n"));
    }

  private:
    QByteArray saved_;
};

}  // namespace vornelik

QTEST_MAIN(vornelik::WindowProgramTest)
#include "tst_window_program.moc"
