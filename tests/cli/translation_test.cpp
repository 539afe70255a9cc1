// SPDX-License-Identifier: MIT
// The Windows programs' catalog reader and their choice of language; on Linux glibc does both,
// and cli_language_test runs the program under each locale.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "cli/language_choice.h"
#include "cli/mo_catalog.h"

namespace vornelik {
namespace {

// A .mo file as msgfmt lays it out: header, the two tables, then the strings, each ended by a
// NUL; the originals sorted.
std::vector<unsigned char> moFile(const std::map<std::string, std::string>& entries,
                                  bool bigEndian) {
    std::vector<unsigned char> data;
    const auto put = [&data, bigEndian](std::size_t at, std::uint32_t value) {
        for (int byte = 0; byte < 4; ++byte) {
            const int shift = bigEndian ? 24 - 8 * byte : 8 * byte;
            data[at + static_cast<std::size_t>(byte)] = static_cast<unsigned char>(value >> shift);
        }
    };
    const std::size_t count = entries.size();
    const std::size_t originals = 28;
    const std::size_t translations = originals + 8 * count;
    data.resize(translations + 8 * count);
    put(0, 0x950412de);
    put(4, 0);
    put(8, static_cast<std::uint32_t>(count));
    put(12, originals);
    put(16, translations);
    std::size_t index = 0;
    for (const auto& [original, translation] : entries) {
        for (const auto& [table, text] :
             {std::pair{originals, original}, {translations, translation}}) {
            put(table + 8 * index, static_cast<std::uint32_t>(text.size()));
            put(table + 8 * index + 4, static_cast<std::uint32_t>(data.size()));
            data.insert(data.end(), text.begin(), text.end());
            data.push_back(0);
        }
        ++index;
    }
    return data;
}

const std::map<std::string, std::string> kEntries{
    {"", "Language: tr\nPlural-Forms: nplurals=2; plural=(n != 1);\n"},
    {"Options", "Seçenekler"},
    {std::string("one file\0{1} files", 18), std::string("bir dosya\0{1} dosya", 19)},
    {"Usage", "Kullanım"},
};

TEST(MoCatalog, findsEveryTextInEitherByteOrder) {
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        const std::vector<unsigned char> data = moFile(kEntries, bigEndian);
        const MoCatalog catalog(data);
        ASSERT_EQ(catalog.size(), 4u);
        EXPECT_STREQ(catalog.translate("Options"), "Seçenekler");
        EXPECT_STREQ(catalog.translate("Usage"), "Kullanım");
        EXPECT_STREQ(catalog.pluralForm("one file", 0), "bir dosya");
        EXPECT_STREQ(catalog.pluralForm("one file", 1), "{1} dosya");
        EXPECT_EQ(catalog.pluralForm("one file", 2), nullptr);
        // Not in the catalog, and the header's empty key: the text itself.
        const char* missing = "Subcommands";
        EXPECT_EQ(catalog.translate(missing), missing);
        EXPECT_STREQ(catalog.translate(""), "");
        EXPECT_STREQ(catalog.translate("Option"), "Option");
        EXPECT_STREQ(catalog.translate("Usages"), "Usages");
    }
}

TEST(MoCatalog, translatesNothingFromDamagedData) {
    const std::vector<unsigned char> whole = moFile(kEntries, false);
    std::vector<unsigned char> badMagic = whole;
    badMagic[0] ^= 1;
    std::vector<unsigned char> badTable = whole;
    badTable[12] = 0xf0;  // the originals' table far past the end
    std::vector<unsigned char> badString = whole;
    badString[28 + 8 + 4] = 0xff;  // a string's offset past the end
    std::vector<unsigned char> cut(whole.begin(), whole.end() - 3);
    std::vector<unsigned char> header(whole.begin(), whole.begin() + 20);
    for (const auto* data : {&badMagic, &badTable, &badString, &cut, &header}) {
        const MoCatalog catalog(*data);
        EXPECT_EQ(catalog.size(), 0u);
        EXPECT_STREQ(catalog.translate("Options"), "Options");
        EXPECT_EQ(catalog.pluralForm("one file", 1), nullptr);
    }
}

TEST(MoCatalog, readsTheCatalogMsgfmtCompiled) {
    std::ifstream in(VORNELIK_TURKISH_MO, std::ios::binary);
    ASSERT_TRUE(in) << VORNELIK_TURKISH_MO;
    const std::vector<unsigned char> data{std::istreambuf_iterator<char>(in), {}};
    const MoCatalog catalog(data);
    EXPECT_GT(catalog.size(), 10u);
    EXPECT_STREQ(catalog.translate("Usage"), "Kullanım");
    EXPECT_STREQ(catalog.translate("unknown command or option:"),
                 "bilinmeyen komut ya da seçenek:");
    EXPECT_STREQ(catalog.translate("Print this help message and exit"),
                 "Bu yardım metnini gösterir ve çıkar");
}

TEST(CatalogLanguage, followsTheVariablesAsGettextReadsThem) {
    struct Row {
        std::map<std::string, std::string> variables;
        bool systemIsTurkish;
        CatalogLanguage expected;
    };
    using enum CatalogLanguage;
    const std::vector<Row> rows{
        {{}, true, Turkish},
        {{}, false, English},
        {{{"LANG", "tr_TR.UTF-8"}}, false, Turkish},
        {{{"LANG", "tr"}}, false, Turkish},
        {{{"LANG", "en_US.UTF-8"}}, true, English},
        {{{"LANG", "C"}}, true, English},
        {{{"LANG", ""}}, true, Turkish},  // empty counts as not set
        {{{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "tr_TR.UTF-8"}}, false, Turkish},
        {{{"LANG", "tr_TR.UTF-8"}, {"LC_ALL", "C"}}, true, English},
        {{{"LANG", "tr_TR.UTF-8"}, {"LANGUAGE", "en"}}, true, English},
        {{{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "de:tr:en"}}, false, Turkish},
        {{{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "tr"}}, false, Turkish},
        {{{"LANG", "C"}, {"LANGUAGE", "tr"}}, false, English},  // glibc ignores it under C
        {{{"LANG", "POSIX"}, {"LANGUAGE", "tr"}}, false, English},
        {{{"LANG", "C.UTF-8"}, {"LANGUAGE", "tr"}}, false, Turkish},
        {{{"LANGUAGE", "tr_TR"}}, false, Turkish},
        {{{"LANG", "de_DE.UTF-8"}}, true, English},
    };
    for (const Row& row : rows) {
        std::string described;
        for (const auto& [name, value] : row.variables) {
            described += name + "=" + value + " ";
        }
        SCOPED_TRACE(described + (row.systemIsTurkish ? "(Turkish system)" : ""));
        const auto variable = [&row](const char* name) -> std::optional<std::string> {
            const auto found = row.variables.find(name);
            return found != row.variables.end() ? std::optional(found->second) : std::nullopt;
        };
        EXPECT_EQ(chooseCatalogLanguage(variable, row.systemIsTurkish), row.expected);
    }
}

}  // namespace
}  // namespace vornelik
