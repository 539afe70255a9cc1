// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QIcon>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "qt/qt_dialogs.h"
#include "qt/qt_translations.h"
#include "qt/qt_window.h"
#include "ui/opening_dialog.h"
#include "ui/platform.h"

namespace {

constexpr const char* kUsage =
    "Usage: vornelik [FILE]\n"
    "Opens the window that turns a short 8-bit 8 kHz recording into Proton BASIC source for a\n"
    "PIC18F4620. With FILE, the window starts with that sound opened, as its open button opens\n"
    "it. Qt's own options, such as -platform NAME, are accepted.\n"
    "\n"
    "  -h, --help  show this text and exit\n"
    "  --version   show the version and exit\n";

// Asked for before any display is needed.
enum class Early { none, help, version };

Early earlyRequest(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--") {
            break;
        }
        if (argument == "--help" || argument == "-h") {
            return Early::help;
        }
        if (argument == "--version") {
            return Early::version;
        }
    }
    return Early::none;
}

// Qt aborts when no display can be opened; a user is better told why, with an error status.
bool starting = true;
QtMessageHandler qtHandler = nullptr;

void startupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg && starting) {
        std::fprintf(stderr,
                     "vornelik: no display could be opened (DISPLAY=%s, WAYLAND_DISPLAY=%s): the "
                     "window needs an X11 or Wayland display\n",
                     qPrintable(qEnvironmentVariable("DISPLAY")),
                     qPrintable(qEnvironmentVariable("WAYLAND_DISPLAY")));
        std::_Exit(1);
    }
    if (qtHandler != nullptr) {
        qtHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
}

// Without a platform chosen and without a display to connect to, Qt would only abort.
bool displayNamed(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "-platform") {
            return true;
        }
    }
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// The sound named after Qt took its own options, or nothing; a usage error says why.
struct SoundArgument {
    std::optional<std::string> path;
    std::string error;
};

SoundArgument soundArgument(int argc, char** argv) {
    SoundArgument sound;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument.size() > 1 && argument.front() == '-') {
            sound.error = "unknown option " + std::string(argument);
        } else if (sound.path) {
            sound.error = "only one file can be opened";
        } else {
            sound.path = std::string(argument);
        }
    }
    return sound;
}

}  // namespace

int main(int argc, char* argv[]) {
    switch (earlyRequest(argc, argv)) {
        case Early::help:
            std::fputs(kUsage, stdout);
            return EXIT_SUCCESS;
        case Early::version:
            std::puts("vornelik " VORNELIK_VERSION);
            return EXIT_SUCCESS;
        case Early::none:
            break;
    }
    if (!displayNamed(argc, argv)) {
        std::fputs(
            "vornelik: no display: neither DISPLAY nor WAYLAND_DISPLAY is set, and the "
            "window needs an X11 or Wayland display\n",
            stderr);
        return EXIT_FAILURE;
    }

    qtHandler = qInstallMessageHandler(startupMessages);
    QApplication app(argc, argv);
    starting = false;
    const SoundArgument sound = soundArgument(argc, argv);
    if (!sound.error.empty()) {
        std::fprintf(stderr, "vornelik: %s\n%s", sound.error.c_str(), kUsage);
        return EXIT_FAILURE;
    }

    // X11's WM_CLASS takes its class from the application name, Wayland's app id from the
    // desktop file name: both name the desktop entry, so docks show its name and icon.
    QCoreApplication::setApplicationName(QStringLiteral(VORNELIK_APP_ID));
    QGuiApplication::setDesktopFileName(QStringLiteral(VORNELIK_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vornelik.svg")));
    vornelik::installTurkishQtTexts(app);

    const vornelik::LocaleFacts locale = vornelik::systemLocaleFacts();
    const auto files = vornelik::makeSystemFileSystem(locale.codePage);
    vornelik::OpeningDialog<vornelik::QtCommonDialog> commonDialog(sound.path);
    vornelik::QtMsgBox messageBox;
    vornelik::QtWindow window(commonDialog, messageBox, *files, locale);
    commonDialog.setParent(&window);
    messageBox.setParent(&window);
    window.show();
    if (sound.path) {
        // Once the window is up, so that a message the opening shows has it as its parent.
        QTimer::singleShot(0, &window, [&window] {
            static_cast<QPushButton*>(window.control(vornelik::Control::Command2))->click();
        });
    }
    return QApplication::exec();
}
