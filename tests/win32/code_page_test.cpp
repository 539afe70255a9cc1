// SPDX-License-Identifier: MIT
// The code pages of the Linux build against Windows' own WideCharToMultiByte with its default
// best fit: every character of each code page and every Latin letter beyond ASCII up to U+024F,
// the Turkish ones that the program writes among them.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

#include "core/code_page.h"
#include "win32/wide_text.h"

namespace vornelik {
namespace {

std::string windowsBytes(unsigned codePage, wchar_t letter) {
    char bytes[8] = {};
    const int length =
        WideCharToMultiByte(codePage, 0, &letter, 1, bytes, sizeof bytes, nullptr, nullptr);
    return std::string(bytes, static_cast<std::size_t>(length > 0 ? length : 0));
}

TEST(CodePage, writesEveryLetterAsWindowsDoes) {
    for (const unsigned codePage : kAnsiCodePages) {
        std::wstring letters;
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const char single = static_cast<char>(byte);
            wchar_t letter = 0;
            if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &single, 1, &letter, 1) == 1) {
                letters += letter;
            }
        }
        for (wchar_t letter = 0x00A0; letter <= 0x024F; ++letter) {
            letters += letter;
        }
        for (const wchar_t letter : letters) {
            char name[16];
            std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(letter));
            EXPECT_EQ(toAnsiCodePage(narrow(std::wstring(1, letter)), codePage),
                      windowsBytes(codePage, letter))
                << "code page " << codePage << ", " << name;
        }
    }
}

}  // namespace
}  // namespace vornelik
