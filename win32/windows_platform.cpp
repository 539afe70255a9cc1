// SPDX-License-Identifier: MIT
// The platform layer on Windows: the user's regional settings and the wide file API.

#include <windows.h>

#include "ui/platform.h"
#include "win32/wide_text.h"
#include "win32/windows_file_system.h"

namespace vornelik {

LocaleFacts systemLocaleFacts() {
    LocaleFacts facts;
    // At most three characters and the null, as the regional settings allow.
    wchar_t separator[4] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4) != 0) {
        facts.decimalSeparator = narrow(separator);
    }
    facts.codePage = GetACP();
    return facts;
}

std::unique_ptr<FileSystem> makeSystemFileSystem(unsigned codePage) {
    return std::make_unique<WindowsFileSystem>(codePage);
}

std::unique_ptr<FileSystem> makeCommandLineFileSystem(unsigned codePage) {
    return std::make_unique<WindowsFileSystem>(codePage, true);
}

}  // namespace vornelik
