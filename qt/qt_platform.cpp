// SPDX-License-Identifier: MIT
#include "qt/qt_platform.h"

namespace vornelik {

LocaleFacts systemLocaleFacts() {
    // The system locale follows LC_ALL, LC_NUMERIC and LANG.
    const QLocale system = QLocale::system();
    LocaleFacts facts;
    facts.decimalSeparator = system.decimalPoint().toStdString();
    facts.codePage = ansiCodePageFor(system.language());
    return facts;
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
