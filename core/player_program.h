// SPDX-License-Identifier: MIT
#pragma once

// The player the HEX file holds: a few dozen PIC18 instructions that write the sample table's
// values to PORTB at exactly the sound's own rate. It is described once, as a list of
// instructions with both their gpasm text and their machine words, so that the HEX file and
// the assembly source (player_files) cannot disagree.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/pic18f4620.h"

namespace vornelik {

struct Instruction {
    std::string label;                 // the label on its line, or empty
    std::string text;                  // as gpasm reads it: "MOVFF TABLAT, LATB"
    std::vector<std::uint16_t> words;  // its machine words, in memory order
    std::string_view cycles;           // as the chip counts them: "2", "1, 2 when it skips"
    std::string_view comment;
};

// One configuration byte, with the settings gpasm's CONFIG directive spells it with.
struct ConfigByte {
    std::uint32_t address;
    std::uint8_t value;
    std::string_view name;
    std::string_view settings;
    std::string_view why;
};

// The configuration bytes' block, from CONFIG1L; the bytes the chip lacks (CONFIG1L, CONFIG3L,
// CONFIG4H) are not listed.
inline constexpr std::uint32_t kConfigAddress = 0x300000;
inline constexpr std::uint32_t kConfigBlockBytes = 14;
std::span<const ConfigByte> playerConfiguration();

struct PlayerProgram {
    Quality quality = Quality::good;
    std::vector<Instruction> code;  // from address 0
    std::uint32_t codeBytes = 0;
    // The first value's address: the table ends at the top of program memory, where the table
    // pointer's carry into its upper byte tells the player that the last value is played.
    std::uint32_t tableAddress = 0;
};

// The player for `values` values of the quality. Throws Failure when they do not fit beside it.
PlayerProgram playerProgram(Quality quality, std::int64_t values);

// The most values the player leaves room for, the same in both qualities.
std::int64_t playerTableRoom();

// The player's own bytes, in its larger (poor quality) form.
std::int64_t playerProgramBytes();

// Why a table of that many values makes no HEX file: both sizes.
std::string tooLargeForThePlayer(std::int64_t values);

}  // namespace vornelik
