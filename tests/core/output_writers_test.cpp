// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "core/failure.h"
#include "core/include_writer.h"
#include "core/program_writer.h"
#include "support/sound_fixture.h"
#include "support/text_capture.h"

namespace vornelik {
namespace {

struct ProgramCase {
    Quality quality;
    std::string_view start;
    std::string_view end;
    std::string_view memorySize;
    std::string_view separator;
    std::string expectedFileName;
};

TEST(ProgramWriter, writesTheWholeProgramByteForByte) {
    const auto sound = soundDataOf(kSoundBytes);
    const ProgramCase cases[] = {
        {Quality::good, "0", "25", "25  byte", ".", "program_good_0_25.bas"},
        {Quality::good, "0", "25", "25  byte", ",", "program_good_0_25.bas"},
        {Quality::poor, "0", "25", "12,5  byte", ",", "program_poor_0_25_comma.bas"},
        {Quality::poor, "0", "25", "12.5  byte", ".", "program_poor_0_25_point.bas"},
        {Quality::good, "20", "25", "5  byte", ".", "program_good_20_25.bas"},
    };
    for (const auto& c : cases) {
        TextCapture out;
        std::int32_t tableIndex = 0;
        writeProgram(out, {sound, c.quality, c.start, c.end}, c.memorySize, c.separator,
                     tableIndex);
        EXPECT_EQ(out.text(), expectedFile(c.expectedFileName)) << c.expectedFileName;
    }
}

TEST(ProgramWriter, aFailingTableKeepsOnlyWholeLines) {
    const auto sound = soundDataOf(kSoundBytes);
    TextCapture out;
    std::int32_t tableIndex = 0;
    // An end past the sound: the table stops before the first line it cannot complete.
    EXPECT_THROW(writeProgram(out, {sound, Quality::good, "0", "35"}, "35  byte", ".", tableIndex),
                 Failure);
    const std::string text = out.text();
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_NE(text.find("CDATA  243,250,255,252,245,234,220,204,187,170\r\n"), std::string::npos);
    EXPECT_EQ(text.find("CDATA  152"), std::string::npos);
}

struct IncludeCase {
    Quality quality;
    std::string_view memorySize;
    std::string_view separator;
    std::string_view firstLine;
};

TEST(IncludeWriter, headsTheTableWithTheDelayAndTheCount) {
    const auto sound = soundDataOf(kSoundBytes);
    const IncludeCase cases[] = {
        {Quality::good, "900  byte", ",",
         "'iyi kalite ayarı ile oluşturulmuştur DelayUS 100'adres  900'\r\n"},
        {Quality::poor, "450  byte", ",",
         "'kotu kalite ayarı ile oluşturulmuştur DelayUS 225adres  450'\r\n"},
        {Quality::poor, "12,5  byte", ",",
         "'kotu kalite ayarı ile oluşturulmuştur DelayUS 225adres  12'\r\n"},
        {Quality::poor, "12.5  byte", ",",
         "'kotu kalite ayarı ile oluşturulmuştur DelayUS 225adres  12,5'\r\n"},
        {Quality::good, "-1E3  byte", ".",
         "'iyi kalite ayarı ile oluşturulmuştur DelayUS 100'adres  -1000'\r\n"},
    };
    for (const auto& c : cases) {
        TextCapture out;
        std::int32_t tableIndex = 0;
        writeInclude(out, {sound, c.quality, "0", "25"}, c.memorySize, c.separator, tableIndex);
        const std::string_view text = out.text();
        EXPECT_EQ(text.substr(0, c.firstLine.size()), c.firstLine);
        EXPECT_EQ(text.substr(c.firstLine.size(), 6), "ses:\r\n");
    }
}

TEST(IncludeWriter, carriesTheSameTableAsTheProgram) {
    const auto sound = soundDataOf(kSoundBytes);
    for (const Quality quality : {Quality::good, Quality::poor}) {
        TextCapture program;
        TextCapture include;
        std::int32_t tableIndex = 0;
        writeProgram(program, {sound, quality, "3", "26"}, "23  byte", ".", tableIndex);
        writeInclude(include, {sound, quality, "3", "26"}, "23  byte", ".", tableIndex);
        const std::string_view programText = program.text();
        const std::string_view includeText = include.text();
        const auto programTable = programText.substr(programText.find("ses:\r\n"));
        const auto includeTable = includeText.substr(includeText.find("ses:\r\n"));
        EXPECT_EQ(programTable, includeTable);
    }
}

}  // namespace
}  // namespace vornelik
