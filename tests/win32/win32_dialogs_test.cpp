// SPDX-License-Identifier: MIT
#include "win32/win32_dialogs.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/form_texts.h"

namespace vornelik {
namespace {

using namespace std::string_literals;

// The handlers' three filters reach the dialog as description and pattern, each null-ended.
TEST(Win32CommonDialog, givesEachFilterAsDescriptionAndPatternEachNullEnded) {
    const struct {
        std::string_view filter;
        std::wstring expected;
    } cases[] = {
        {texts::kSoundFilter, L"ses dosyalar\u0131\0*.wav\0\0"s},
        {texts::kProgramFilter, L"proton basic dosyalar\u0131\0*.bas\0\0"s},
        {texts::kIncludeFilter, L"inc dosyalar\u0131\0*.inc\0\0"s},
    };
    for (const auto& c : cases) {
        Win32CommonDialog dialog;
        dialog.setFilter(c.filter);
        EXPECT_EQ(dialogFilter(dialog.filter()), c.expected) << c.filter;
    }
}

}  // namespace
}  // namespace vornelik
