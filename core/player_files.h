// SPDX-License-Identifier: MIT
#pragma once

// The player with its table as the two files a user takes to the chip: the Intel HEX file for a
// device programmer, and the same program as gpasm source. Both are plain ASCII, every line
// ended by CR LF, and both are rendered from the one instruction list (player_program), so
// that `gpasm` makes of the source exactly the HEX file's image.

#include <cstdint>
#include <span>
#include <string>

#include "core/pic18f4620.h"

namespace vornelik {

// Throw Failure when the values do not fit beside the player (playerTableRoom).
std::string playerHexFile(Quality quality, std::span<const std::uint8_t> values);
std::string playerAssemblyFile(Quality quality, std::span<const std::uint8_t> values);

}  // namespace vornelik
