// SPDX-License-Identifier: MIT
#include "core/sample_table.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "core/failure.h"
#include "core/program_writer.h"
#include "core/table_reader.h"
#include "support/text_capture.h"

namespace vornelik {
namespace {

// A sound of `length` bytes whose byte i is i, plus the trailing zero, so that every value in
// a line names the element it came from.
std::vector<std::uint8_t> countingSound(std::size_t length) {
    std::vector<std::uint8_t> sound(length + 1, 0);
    std::iota(sound.begin(), sound.end() - 1, std::uint8_t{0});
    return sound;
}

std::string table(const std::vector<std::uint8_t>& sound, Quality quality, std::string_view start,
                  std::string_view end, std::int32_t& tableIndex) {
    TextCapture out;
    writeSampleTable(out, {sound, quality, start, end}, tableIndex);
    return out.text();
}

struct TableCase {
    Quality quality;
    std::string_view start;
    std::string_view end;
    std::string_view expected;
};

TEST(SampleTable, writesWholeLinesOfTheChosenElements) {
    const auto sound = countingSound(200);
    const TableCase cases[] = {
        {Quality::good, "0", "25",
         "CDATA  1,2,3,4,5,6,7,8,9,10\r\nCDATA  11,12,13,14,15,16,17,18,19,20\r\n"},
        {Quality::good, "0", "10", "CDATA  1,2,3,4,5,6,7,8,9,10\r\n"},
        {Quality::good, "0", "9", ""},
        {Quality::poor, "0", "40",
         "CDATA  2,4,6,8,10,12,14,16,18,20\r\nCDATA  22,24,26,28,30,32,34,36,38,40\r\n"},
        {Quality::poor, "0", "39", "CDATA  2,4,6,8,10,12,14,16,18,20\r\n"},
        {Quality::good, "5", "5", ""},
        {Quality::poor, "5", "5", ""},
        {Quality::good, "500", "100", ""},
        {Quality::good, "2.5", "12.5", "CDATA  3,4,5,6,7,8,9,10,11,12\r\n"},
        {Quality::good, "3.5", "14", "CDATA  5,6,7,8,9,10,11,12,13,14\r\n"},
        {Quality::good, "190", "200", "CDATA  191,192,193,194,195,196,197,198,199,0\r\n"},
        {Quality::poor, "180", "200", "CDATA  182,184,186,188,190,192,194,196,198,0\r\n"},
        {Quality::good, " 9 0", "100 byte", "CDATA  91,92,93,94,95,96,97,98,99,100\r\n"},
    };
    for (const auto& [quality, start, end, expected] : cases) {
        std::int32_t tableIndex = 0;
        EXPECT_EQ(table(sound, quality, start, end, tableIndex), expected)
            << "start " << start << ", end " << end;
    }
}

TEST(SampleTable, leavesTheLoopPositionWhereTheLoopStopped) {
    const auto sound = countingSound(100);
    std::int32_t tableIndex = -1;
    table(sound, Quality::good, "0", "25", tableIndex);
    EXPECT_EQ(tableIndex, 20);
    table(sound, Quality::poor, "3", "3", tableIndex);
    EXPECT_EQ(tableIndex, 3);
}

TEST(SampleTable, valuesHaveNoLeadingZerosOrBlanks) {
    std::vector<std::uint8_t> sound = {9, 0, 255, 7, 100, 10, 99, 1, 200, 128, 127, 0};
    std::int32_t tableIndex = 0;
    EXPECT_EQ(table(sound, Quality::good, "0", "10", tableIndex),
              "CDATA  0,255,7,100,10,99,1,200,128,127\r\n");
}

TEST(SampleTable, aMissingElementFailsBeforeItsLineIsBuilt) {
    const auto sound = countingSound(25);  // elements 0 to 25
    struct FailingCase {
        std::string_view start;
        std::string_view end;
        std::string_view written;
    };
    const FailingCase cases[] = {
        {"0", "30", "CDATA  1,2,3,4,5,6,7,8,9,10\r\nCDATA  11,12,13,14,15,16,17,18,19,20\r\n"},
        {"-2", "10", ""},
        {"-11", "10", ""},
        {"17", "27", ""},
    };
    for (const auto& [start, end, written] : cases) {
        TextCapture out;
        std::int32_t tableIndex = 0;
        EXPECT_THROW(writeSampleTable(out, {sound, Quality::good, start, end}, tableIndex), Failure)
            << start << " to " << end;
        EXPECT_EQ(out.text(), written);
    }
}

TEST(SampleTable, offsetsOutsideThirtyTwoBitsFail) {
    const auto sound = countingSound(10);
    for (const auto& [start, end] : {std::pair{"0", "3E9"}, {"-3E9", "10"}, {"9E999", "10"}}) {
        TextCapture out;
        std::int32_t tableIndex = 0;
        EXPECT_THROW(writeSampleTable(out, {sound, Quality::good, start, end}, tableIndex),
                     Failure);
        EXPECT_EQ(out.text(), "");
    }
}

TEST(SampleTable, aSinkFailureStopsTheTable) {
    const auto sound = countingSound(100);
    TextCapture out(3);
    std::int32_t tableIndex = 0;
    EXPECT_THROW(writeSampleTable(out, {sound, Quality::good, "0", "100"}, tableIndex),
                 std::runtime_error);
    std::int32_t unused = 0;
    EXPECT_EQ(out.text(), table(sound, Quality::good, "0", "30", unused));
}

// The values a command reads back from the written table: the element after the start first,
// whatever the pieces the text comes in.
TEST(TableReader, readsBackTheValuesTheProgramFileHolds) {
    std::vector<std::uint8_t> sound = countingSound(40);
    const struct {
        Quality quality;
        std::vector<std::uint8_t> expected;
    } cases[] = {
        {Quality::good,
         {11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30}},
        {Quality::poor, {12, 14, 16, 18, 20, 22, 24, 26, 28, 30}},
    };
    class Values : public ValueSink {
      public:
        void take(std::span<const std::uint8_t> values) override {
            taken.insert(taken.end(), values.begin(), values.end());
        }
        std::vector<std::uint8_t> taken;
    };
    for (const auto& c : cases) {
        TextCapture program;
        std::int32_t tableIndex = 0;
        writeProgram(program, {sound, c.quality, "10", "30"}, "20", ".", tableIndex);
        for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, program.text().size()}) {
            Values values;
            TableReader reader(values);
            for (std::size_t at = 0; at < program.text().size(); at += piece) {
                reader.write(std::string_view(program.text()).substr(at, piece));
            }
            EXPECT_EQ(values.taken, c.expected) << "pieces of " << piece;
        }
    }
}

}  // namespace
}  // namespace vornelik
