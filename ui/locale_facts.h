#pragma once

#include <QByteArray>
#include <QLocale>
#include <string>

namespace vornelik {

// What the user's locale decides for the core: the decimal separator of numbers written into the
// window, and the ANSI code page of the output files. Read once, when the program starts.
struct LocaleFacts {
    std::string decimalSeparator = ".";
    QByteArray codePage = "windows-1252";

    static LocaleFacts fromSystem();
};

// The single-byte code page Windows uses as the ANSI code page for a language; windows-1252 for
// the C locale and for languages without one.
QByteArray ansiCodePageFor(QLocale::Language language);

}  // namespace vornelik
