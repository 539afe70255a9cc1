// SPDX-License-Identifier: MIT
#pragma once

// Intel HEX (INHX32), the file device programmers take: a memory image as lines of
// ":LLAAAATT...CC" records, each line ended by CR LF.

#include <cstdint>
#include <span>
#include <string>

namespace vornelik {

// Bytes of the image from an address on.
struct ImagePiece {
    std::uint32_t address;
    std::span<const std::uint8_t> bytes;
};

// The byte a programmer leaves in memory the image does not give: erased flash.
inline constexpr std::uint8_t kErasedByte = 0xFF;

// The records of the pieces, in ascending order and not overlapping. Every data record starts
// on a 16-byte boundary and holds that block from its start to the last byte the pieces give in
// it, erased bytes between, so that programmers and simulators that misread records at odd
// addresses read them alike.
std::string intelHex(std::span<const ImagePiece> pieces);

}  // namespace vornelik
