// SPDX-License-Identifier: MIT
// The output text in each ANSI code page, as Windows writes it with its best fit, which differs
// by code page; the Windows build checks every code page against Windows itself.

#include <gtest/gtest.h>

#include "core/code_page.h"
#include "core/utf8.h"

namespace vornelik {
namespace {

TEST(CodePage, encodesAsWindowsDoes) {
    struct Case {
        unsigned codePage;
        const char* text;
        const char* bytes;
    };
    const Case cases[] = {
        {1254, "ıİşŞğĞüÜöÖçÇ", "\xfd\xdd\xfe\xde\xf0\xd0\xfc\xdc\xf6\xd6\xe7\xc7"},
        {1252, "ayarı oluşturulmuş ğİŞ", "ayari olusturulmus gIS"},
        {1252, "éüç€", "\xe9\xfc\xe7\x80"},
        {1252, "ж→x", "??x"},
        {1250, "şı", "\xbai"},
        {1251, "жıİ", "\xe6?I"},  // Windows fits no dotless i here
        {874, "กış", "\xa1??"},   // nor any Latin letter here
        {1256, "üÜö", "\xfcU?"},
        {1257, "şüç", "?\xfc?"},
        {1254, "CDATA  1,2\r\n", "CDATA  1,2\r\n"},
        {1254, "a\xfe b", "a? b"},  // not UTF-8
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toAnsiCodePage(c.text, c.codePage), c.bytes) << c.codePage << ": " << c.text;
    }
    for (const unsigned refused : {0u, 1200u, 1201u, 65000u, 65001u, 437u}) {
        EXPECT_FALSE(isAnsiCodePage(refused)) << refused;
        EXPECT_THROW(toAnsiCodePage("ı", refused), Failure) << refused;
    }
}

// A console given text a piece at a time holds back a character cut off at the piece's end, and
// nothing else.
TEST(Utf8, aCharacterCutOffAtTheEndWaitsForTheRest) {
    const std::pair<std::string_view, std::size_t> cases[] = {
        {"", 0},
        {"abc", 3},
        {"a\xC4\xB1", 3},          // ı whole
        {"a\xC4", 1},              // ı cut after its lead
        {"a\xE2\x82", 1},          // € cut after two of three
        {"a\xE2\x82\xAC", 4},      // € whole
        {"a\xF0\x9F\x94", 1},      // a four-byte character cut after three
        {"a\xF0\x9F\x94\x94", 5},  // whole
        {"\x80\x80", 2},           // only continuation bytes: nothing to wait for
        {"a\xFF", 2},              // a byte no character starts with is not held back
        {"a\xC4\xB1\xB1", 4},      // a stray continuation after a whole character
    };
    for (const auto& [text, complete] : cases) {
        EXPECT_EQ(completeUtf8Length(text), complete) << testing::PrintToString(std::string(text));
    }
}

}  // namespace
}  // namespace vornelik
