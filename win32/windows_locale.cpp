#include "win32/windows_locale.h"

#include <windows.h>

#include "win32/wide_text.h"

namespace vornelik {

std::string userDecimalSeparator() {
    // At most three characters and the null, as the regional settings allow.
    wchar_t separator[4] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4) == 0) {
        return ".";
    }
    return narrow(separator);
}

unsigned ansiCodePage() {
    return GetACP();
}

}  // namespace vornelik
