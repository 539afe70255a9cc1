// SPDX-License-Identifier: MIT
#include "core/table_values.h"

#include <gtest/gtest.h>

#include "core/failure.h"

namespace vornelik {
namespace {

TEST(TableValues, readsTheValuesOfWholeTableLinesInAnyPieces) {
    const std::string text =
        "' kalite ayari\r\nses:\r\nCDATA  0,1,2,3,4,5,6,7,8,9\r\n"
        "CDATA  255,128,10,100,99,0,1,2,3,4\r\n";
    for (const std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{17}, text.size()}) {
        SCOPED_TRACE(piece);
        TableValues table;
        for (std::size_t at = 0; at < text.size(); at += piece) {
            table.write(std::string_view(text).substr(at, piece));
        }
        EXPECT_EQ(table.values(),
                  (std::vector<std::uint8_t>{0,   1,   2,  3,   4,  5, 6, 7, 8, 9,
                                             255, 128, 10, 100, 99, 0, 1, 2, 3, 4}));
    }
}

TEST(TableValues, keepsALineWithoutItsEndForLater) {
    TableValues table;
    table.write("CDATA  1,2");
    EXPECT_TRUE(table.values().empty());
    table.write("\r\n");
    EXPECT_EQ(table.values(), (std::vector<std::uint8_t>{1, 2}));
}

TEST(TableValues, refusesLinesThatHoldNoBytes) {
    for (const char* line : {"CDATA  256\r\n", "CDATA  1,,2\r\n", "CDATA  1, 2\r\n",
                             "CDATA  -1\r\n", "CDATA  \r\n", "CDATA  1,2,\r\n"}) {
        SCOPED_TRACE(line);
        TableValues table;
        EXPECT_THROW(table.write(line), Failure);
    }
}

}  // namespace
}  // namespace vornelik
