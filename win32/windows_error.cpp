// SPDX-License-Identifier: MIT
#include "win32/windows_error.h"

#include <windows.h>

#include "win32/wide_text.h"

namespace vornelik {

Failure windowsFailure(std::string_view what, const std::wstring& path) {
    const DWORD error = GetLastError();
    wchar_t* words = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&words), 0, nullptr);
    std::wstring reason = length != 0 ? std::wstring(words, length) : std::wstring();
    LocalFree(words);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' ||
                               reason.back() == L' ' || reason.back() == L'.')) {
        reason.pop_back();
    }
    if (reason.empty()) {
        reason = L"error " + std::to_wstring(error);
    }
    return Failure(std::string(what) + " " + narrow(path) + ": " + narrow(reason));
}

}  // namespace vornelik
