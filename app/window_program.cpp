// SPDX-License-Identifier: MIT
#include "app/window_program.h"

#include <QApplication>
#include <QIcon>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "qt/qt_dialogs.h"
#include "qt/qt_translations.h"
#include "qt/qt_window.h"
#include "ui/opening_dialog.h"
#include "ui/platform.h"

namespace vornelik {

const std::string_view kWindowUsage =
    "Usage: vornelik [FILE]\n"
    "Opens the window that turns a short 8-bit 8 kHz recording into Proton BASIC source for a\n"
    "PIC18F4620. With FILE, the window starts with that sound opened, as its open button opens\n"
    "it. Qt's own options, such as -platform NAME, are accepted.\n"
    "\n"
    "  -h, --help  show this text and exit\n"
    "  --version   show the version and exit\n";

namespace {

// The value given to one of Qt's own options, read as Qt reads them: "-name VALUE", or
// "--name VALUE"; an option without a value Qt ignores.
std::optional<std::string> qtOption(int argc, const char* const* argv, std::string_view name) {
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument.starts_with("--")) {
            argument.remove_prefix(1);
        }
        if (argument.starts_with('-') && argument.substr(1) == name) {
            return std::string(argv[i + 1]);
        }
    }
    return std::nullopt;
}

// What the window was told to open its display on, for a message that says what failed.
std::string displayTried(int argc, const char* const* argv) {
    std::string tried =
        "DISPLAY=" + qEnvironmentVariable("DISPLAY").toStdString() +
        ", WAYLAND_DISPLAY=" + qEnvironmentVariable("WAYLAND_DISPLAY").toStdString();
    for (const char* option : {"display", "platform"}) {
        if (const auto value = qtOption(argc, argv, option)) {
            tried += std::string(", -") + option + " " + *value;
        }
    }
    return tried;
}

// Qt aborts when no display can be opened; a user is better told why, with an error status.
bool starting = false;
std::string startingOn;
QtMessageHandler earlierHandler = nullptr;

void startupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg && starting) {
        std::fprintf(stderr,
                     "vornelik: no display could be opened (%s): the window needs an X11 or "
                     "Wayland display\n",
                     startingOn.c_str());
        std::_Exit(EXIT_FAILURE);
    }
    if (earlierHandler != nullptr) {
        earlierHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
}

}  // namespace

EarlyRequest earlyRequest(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--") {
            break;
        }
        if (argument == "--help" || argument == "-h") {
            return EarlyRequest::help;
        }
        if (argument == "--version") {
            return EarlyRequest::version;
        }
    }
    return EarlyRequest::none;
}

// Without a platform chosen and without a display to connect to, Qt would only abort.
std::string displayRefusal(int argc, const char* const* argv) {
    if (qtOption(argc, argv, "platform") || qtOption(argc, argv, "display") ||
        !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        !qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return {};
    }
    return "no display: neither DISPLAY nor WAYLAND_DISPLAY is set, and the window needs an X11 "
           "or Wayland display: set one of them, or name a display with -display NAME or a Qt "
           "platform with -platform NAME";
}

SoundArgument soundArgument(int argc, const char* const* argv) {
    SoundArgument sound;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument.size() > 1 && argument.front() == '-') {
            sound.error = "unknown option " + std::string(argument) +
                          ": expected FILE, --help, --version or one of Qt's own options";
        } else if (sound.path) {
            sound.error = "only one file can be opened, but " + *sound.path + " and " +
                          std::string(argument) + " were both named";
        } else {
            sound.path = std::string(argument);
        }
    }
    return sound;
}

void catchDisplayFailure(int argc, const char* const* argv) {
    startingOn = displayTried(argc, argv);
    starting = true;
    earlierHandler = qInstallMessageHandler(startupMessages);
}

void displayOpened() {
    starting = false;
}

namespace {

// Help, version and the refusal without a display, answered before Qt starts: the status to
// end with, or nothing when the window is to be opened.
std::optional<int> answerWithoutDisplay(int argc, const char* const* argv) {
    switch (earlyRequest(argc, argv)) {
        case EarlyRequest::help:
            std::fwrite(kWindowUsage.data(), 1, kWindowUsage.size(), stdout);
            return EXIT_SUCCESS;
        case EarlyRequest::version:
            std::puts("vornelik " VORNELIK_VERSION);
            return EXIT_SUCCESS;
        case EarlyRequest::none:
            break;
    }
    if (const std::string refusal = displayRefusal(argc, argv); !refusal.empty()) {
        std::fprintf(stderr, "vornelik: %s\n", refusal.c_str());
        return EXIT_FAILURE;
    }
    return std::nullopt;
}

int showWindow(QApplication& app, const std::optional<std::string>& sound) {
    // X11's WM_CLASS takes its class from the application name, Wayland's app id from the
    // desktop file name: both name the desktop entry, so docks show its name and icon.
    QCoreApplication::setApplicationName(QStringLiteral(VORNELIK_APP_ID));
    QGuiApplication::setDesktopFileName(QStringLiteral(VORNELIK_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vornelik.svg")));
    installTurkishQtTexts(app);

    const LocaleFacts locale = systemLocaleFacts();
    const auto files = makeSystemFileSystem(locale.codePage);
    OpeningDialog<QtCommonDialog> commonDialog(sound);
    QtMsgBox messageBox;
    QtWindow window(commonDialog, messageBox, *files, locale);
    commonDialog.setParent(&window);
    messageBox.setParent(&window);
    window.show();
    if (sound) {
        // Once the window is up, so that a message the opening shows has it as its parent.
        QTimer::singleShot(0, &window, [&window] {
            static_cast<QPushButton*>(window.control(Control::Command2))->click();
        });
    }
    return QApplication::exec();
}

}  // namespace

int runWindowProgram(int argc, char** argv) {
    if (const auto status = answerWithoutDisplay(argc, argv)) {
        return *status;
    }
    catchDisplayFailure(argc, argv);
    QApplication app(argc, argv);
    displayOpened();
    const SoundArgument sound = soundArgument(argc, argv);
    if (!sound.error.empty()) {
        std::fprintf(stderr, "vornelik: %s\n%.*s", sound.error.c_str(),
                     static_cast<int>(kWindowUsage.size()), kWindowUsage.data());
        return EXIT_FAILURE;
    }
    return showWindow(app, sound.path);
}

}  // namespace vornelik
