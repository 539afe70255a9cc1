#include "win32/file_dialog.h"

#include <gtest/gtest.h>

#include <string>

namespace vornelik {
namespace {

using namespace std::string_literals;

TEST(FileDialog, turnsTheFilterIntoDescriptionAndPatternEachNullEnded) {
    const struct {
        std::string filter;
        std::wstring expected;
    } cases[] = {
        {"ses dosyaları|*.wav", L"ses dosyalar\u0131\0*.wav\0\0"s},
        {"proton basic dosyaları|*.bas", L"proton basic dosyalar\u0131\0*.bas\0\0"s},
        {"inc dosyaları|*.inc", L"inc dosyalar\u0131\0*.inc\0\0"s},
        {"*.txt", L"*.txt\0*.txt\0\0"s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dialogFilter(c.filter), c.expected) << c.filter;
    }
}

}  // namespace
}  // namespace vornelik
