// SPDX-License-Identifier: MIT
// The HEX player's file as a device programmer reads it: its configuration, and where the
// table goes at the edges of its room. gpasm and gpsim judge the program itself
// (tests/chip/player_test.py).

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <vector>

#include "core/failure.h"
#include "core/player_files.h"
#include "core/player_program.h"

namespace vornelik {
namespace {

// Address to byte, as a programmer reads an Intel HEX file; fails the test on a bad record.
std::map<std::uint32_t, std::uint8_t> imageOf(const std::string& hex) {
    std::map<std::uint32_t, std::uint8_t> image;
    std::istringstream lines(hex);
    std::uint32_t upper = 0;
    bool ended = false;
    for (std::string line; std::getline(lines, line);) {
        EXPECT_TRUE(line.ends_with('\r')) << line;
        EXPECT_FALSE(ended) << "a record after the end: " << line;
        std::vector<std::uint8_t> record;
        for (std::size_t at = 1; at + 1 < line.size(); at += 2) {
            record.push_back(static_cast<std::uint8_t>(std::stoi(line.substr(at, 2), nullptr, 16)));
        }
        std::uint8_t sum = 0;
        for (const std::uint8_t byte : record) {
            sum = static_cast<std::uint8_t>(sum + byte);
        }
        EXPECT_EQ(sum, 0) << line;
        const std::uint32_t address = record[1] << 8 | record[2];
        if (record[3] == 0x04) {
            upper = static_cast<std::uint32_t>(record[4] << 8 | record[5]) << 16;
        } else if (record[3] == 0x00) {
            EXPECT_EQ(address % 16, 0U) << "a record off its 16-byte block: " << line;
            EXPECT_LE(record[0], 16) << line;
            for (std::size_t k = 0; k < record[0]; ++k) {
                image[upper + address + static_cast<std::uint32_t>(k)] = record[4 + k];
            }
        } else {
            EXPECT_EQ(line, ":00000001FF\r");
            ended = true;
        }
    }
    EXPECT_TRUE(ended);
    return image;
}

TEST(PlayerHex, configurationAsTheChipReadsIt) {
    // Bit positions from gputils' p18f4620.inc.
    const struct {
        const char* setting;
        std::uint32_t address;
        std::uint8_t mask;
        std::uint8_t value;
    } settings[] = {
        {"FOSC: XT", 0x300001, 0x0F, 0x01},
        {"FCMEN, IESO off", 0x300001, 0xC0, 0x00},
        {"WDTEN off", 0x300003, 0x01, 0x00},
        {"PBADEN off: PORTB digital", 0x300005, 0x02, 0x00},
        {"MCLRE on", 0x300005, 0x80, 0x80},
        {"LVP off: RB5 an output", 0x300006, 0x04, 0x00},
        {"XINST off: the instructions as written", 0x300006, 0x40, 0x00},
        {"DEBUG off (1): RB6 and RB7 outputs", 0x300006, 0x80, 0x80},
        {"CP0-CP3 off", 0x300008, 0x0F, 0x0F},
        {"CPB, CPD off", 0x300009, 0xC0, 0xC0},
        {"WRT0-WRT3 off", 0x30000A, 0x0F, 0x0F},
        {"WRTC, WRTB, WRTD off", 0x30000B, 0xE0, 0xE0},
        {"EBTR0-EBTR3 off: the table can be read", 0x30000C, 0x0F, 0x0F},
        {"EBTRB off", 0x30000D, 0x40, 0x40},
    };
    for (const Quality quality : {Quality::good, Quality::poor}) {
        const auto image = imageOf(playerHexFile(quality, std::vector<std::uint8_t>(25, 7)));
        for (const auto& setting : settings) {
            SCOPED_TRACE(setting.setting);
            ASSERT_TRUE(image.contains(setting.address));
            EXPECT_EQ(image.at(setting.address) & setting.mask, setting.value);
        }
    }
}

TEST(PlayerHex, theTableEndsAtTheTopOfProgramMemory) {
    const std::int64_t room = playerTableRoom();
    EXPECT_GE(room, 65280);
    const struct {
        const char* name;
        Quality quality;
        std::int64_t values;
    } cases[] = {
        {"empty: the player only pauses", Quality::good, 0},
        {"one value at 0xFFFF", Quality::good, 1},
        {"poor, an odd count", Quality::poor, 35},
        {"the largest, good", Quality::good, room},
        {"the largest, poor", Quality::poor, room},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> values(static_cast<std::size_t>(c.values));
        for (std::size_t k = 0; k < values.size(); ++k) {
            values[k] = static_cast<std::uint8_t>(k * 13 + 1);
        }
        const PlayerProgram program = playerProgram(c.quality, c.values);
        const auto image = imageOf(playerHexFile(c.quality, values));
        const std::uint32_t top = 0x10000;
        EXPECT_EQ(program.tableAddress, top - c.values);
        EXPECT_LE(program.codeBytes, program.tableAddress);
        for (std::size_t k = 0; k < values.size(); ++k) {
            ASSERT_EQ(image.at(program.tableAddress + k), values[k]) << k;
        }
        // The code's words, low byte first, and nothing else below the table but erased bytes.
        std::uint32_t at = 0;
        for (const Instruction& instruction : program.code) {
            for (const std::uint16_t word : instruction.words) {
                ASSERT_EQ(image.at(at) | image.at(at + 1) << 8, word) << instruction.text;
                at += 2;
            }
        }
        for (auto byte = image.lower_bound(at); byte->first < program.tableAddress; ++byte) {
            EXPECT_EQ(byte->second, 0xFF) << byte->first;
        }
        EXPECT_FALSE(image.contains(top));
    }
    EXPECT_THROW(playerProgram(Quality::good, room + 1), Failure);
    EXPECT_THROW(playerHexFile(Quality::poor, std::vector<std::uint8_t>(room + 1)), Failure);
}

}  // namespace
}  // namespace vornelik
