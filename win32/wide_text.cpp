// SPDX-License-Identifier: MIT
#include "win32/wide_text.h"

#include <windows.h>

#include <limits>

#include "core/failure.h"

namespace vornelik {
namespace {

int checkedSize(std::size_t size) {
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        throw Failure("text too long");
    }
    return static_cast<int>(size);
}

std::string fromWide(std::wstring_view wide, unsigned codePage) {
    if (wide.empty()) {
        return {};
    }
    const int length = checkedSize(wide.size());
    // No flags: the default conversion, best-fit letters included.
    const int needed =
        WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        throw Failure("cannot convert the text");
    }
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), length, bytes.data(), needed, nullptr, nullptr);
    return bytes;
}

}  // namespace

std::wstring widen(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int length = checkedSize(utf8.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (needed <= 0) {
        throw Failure("cannot convert the text");
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), needed);
    return wide;
}

std::string narrow(std::wstring_view wide) {
    return fromWide(wide, CP_UTF8);
}

std::string toCodePage(std::string_view utf8, unsigned codePage) {
    return fromWide(widen(utf8), codePage);
}

}  // namespace vornelik
