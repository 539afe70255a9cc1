// SPDX-License-Identifier: MIT
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <string>

#include "core/code_page.h"

namespace vornelik {
namespace {

TEST(WideText, keepsTurkishTextThroughBothWays) {
    const std::string text = "dosyası açılmadı: ÇĞİÖŞÜ çğıöşü";
    EXPECT_EQ(narrow(widen(text)), text);
    EXPECT_EQ(widen("ş"), L"\u015f");
}

struct CodePageCase {
    std::string letter;
    unsigned codePage;
    std::string bytes;
};

TEST(WideText, writesLettersAsTheCodePageHasThemOrTheirBestFit) {
    const CodePageCase cases[] = {
        {"ı", 1254, "\xFD"}, {"ş", 1254, "\xFE"}, {"ğ", 1254, "\xF0"}, {"İ", 1254, "\xDD"},
        {"ç", 1254, "\xE7"}, {"ı", 1252, "i"},    {"ş", 1252, "s"},    {"Ş", 1252, "S"},
        {"ğ", 1252, "g"},    {"İ", 1252, "I"},    {"ö", 1252, "\xF6"}, {"ü", 1252, "\xFC"},
        {"a", 1254, "a"},    {"€", 1252, "\x80"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toCodePage(c.letter, c.codePage), c.bytes) << c.letter << " " << c.codePage;
    }
}

// The Linux build writes the core's code page; Windows' own conversion must come to the same
// bytes.
TEST(WideText, bestFitAgreesWithTheCoreForEveryTurkishLetter) {
    for (const char32_t letter : {U'ı', U'İ', U'ş', U'Ş', U'ğ', U'Ğ'}) {
        const std::wstring wide(1, static_cast<wchar_t>(letter));
        EXPECT_EQ(toCodePage(narrow(wide), 1252), toAnsiCodePage(narrow(wide), 1252))
            << static_cast<unsigned>(letter);
    }
}

TEST(WideText, aLetterWithoutBestFitBecomesAQuestionMark) {
    EXPECT_EQ(toCodePage("ж", 1252), "?");
}

}  // namespace
}  // namespace vornelik
