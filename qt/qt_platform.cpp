// SPDX-License-Identifier: MIT
#include "qt/qt_platform.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>

#include "core/failure.h"
#include "qt/ansi_text_file.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace vornelik {
namespace {

QString pathOf(const std::string& path) {
    return QString::fromStdString(path);
}

class QtFileSystem : public FileSystem {
  public:
    explicit QtFileSystem(unsigned codePage) : codePage_(codePageName(codePage)) {}

    std::int64_t fileLength(const std::string& path) override {
        const QFileInfo info(pathOf(path));
        if (!info.isFile()) {
            throw Failure("no such file: " + path);
        }
        return info.size();
    }

    std::vector<std::uint8_t> readAll(const std::string& path, std::int64_t maxBytes) override {
        QFile file(pathOf(path));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            throw Failure("cannot open " + path + ": " + file.errorString().toStdString());
        }
        // Read to the end, whatever length the file reports: some report more than they hold,
        // and a file may grow. Room for the reported length and the window's one 0 is taken
        // at once, so a sound costs its own size.
        std::vector<std::uint8_t> bytes;
        bytes.reserve(static_cast<std::size_t>(std::clamp<qint64>(file.size(), 0, maxBytes)) + 1);
        for (;;) {
            const std::size_t done = bytes.size();
            const std::size_t room = bytes.capacity() - done - 1;
            if (room == 0) {
                // As long as reported: a small read tells whether that is all.
                std::array<char, 4096> probe;
                const qint64 got = file.read(probe.data(), probe.size());
                if (got < 0) {
                    throw Failure("cannot read " + path + ": " + file.errorString().toStdString());
                }
                if (got == 0) {
                    return bytes;
                }
                bytes.reserve(done + static_cast<std::size_t>(got) + (std::size_t{1} << 20) + 1);
                bytes.insert(bytes.end(), probe.begin(), probe.begin() + got);
                continue;
            }
            bytes.resize(done + room);
            const qint64 got =
                file.read(reinterpret_cast<char*>(bytes.data() + done), static_cast<qint64>(room));
            if (got < 0) {
                throw Failure("cannot read " + path + ": " + file.errorString().toStdString());
            }
            bytes.resize(done + static_cast<std::size_t>(got));
            if (static_cast<std::int64_t>(bytes.size()) > maxBytes) {
                throw Failure(path + " is too long for a sound");
            }
            if (got == 0) {
                return bytes;
            }
        }
    }

    std::unique_ptr<OutputFile> createOutput(const std::string& path) override {
        return std::make_unique<AnsiTextFile>(pathOf(path), codePage_);
    }

  private:
    QByteArray codePage_;
};

}  // namespace

LocaleFacts systemLocaleFacts() {
    // The system locale follows LC_ALL, LC_NUMERIC and LANG.
    const QLocale system = QLocale::system();
    LocaleFacts facts;
    facts.decimalSeparator = system.decimalPoint().toStdString();
#ifdef Q_OS_WIN
    facts.codePage = GetACP();
#else
    facts.codePage = ansiCodePageFor(system.language());
#endif
    return facts;
}

std::unique_ptr<FileSystem> makeSystemFileSystem(unsigned codePage) {
    return std::make_unique<QtFileSystem>(codePage);
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    return arguments;
}

QByteArray codePageName(unsigned codePage) {
    return "windows-" + QByteArray::number(codePage);
}

unsigned ansiCodePageFor(QLocale::Language language) {
    switch (language) {
        case QLocale::Turkish:
        case QLocale::Azerbaijani:
        case QLocale::Uzbek:
            return 1254;
        case QLocale::Czech:
        case QLocale::Hungarian:
        case QLocale::Polish:
        case QLocale::Romanian:
        case QLocale::Slovak:
        case QLocale::Slovenian:
        case QLocale::Croatian:
        case QLocale::Bosnian:
        case QLocale::Albanian:
            return 1250;
        case QLocale::Russian:
        case QLocale::Ukrainian:
        case QLocale::Belarusian:
        case QLocale::Bulgarian:
        case QLocale::Macedonian:
        case QLocale::Serbian:
        case QLocale::Kazakh:
        case QLocale::Kyrgyz:
        case QLocale::Tatar:
        case QLocale::Mongolian:
            return 1251;
        case QLocale::Greek:
            return 1253;
        case QLocale::Hebrew:
            return 1255;
        case QLocale::Arabic:
        case QLocale::Persian:
        case QLocale::Urdu:
            return 1256;
        case QLocale::Estonian:
        case QLocale::Latvian:
        case QLocale::Lithuanian:
            return 1257;
        case QLocale::Vietnamese:
            return 1258;
        case QLocale::Thai:
            return 874;
        default:
            return 1252;
    }
}

}  // namespace vornelik
