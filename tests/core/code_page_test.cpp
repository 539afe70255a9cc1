// SPDX-License-Identifier: MIT
// The output text in each ANSI code page, as Windows writes it with its best fit, which differs
// by code page; the Windows build checks every code page against Windows itself.

#include <gtest/gtest.h>

#include "core/code_page.h"

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

}  // namespace
}  // namespace vornelik
