// SPDX-License-Identifier: MIT
#include "core/intel_hex.h"

#include <array>

#include "core/numeric_text.h"

namespace vornelik {
namespace {

constexpr std::uint32_t kRecordBytes = 16;

// One record: its fields in hex digits and the checksum that makes their bytes sum to 0.
void appendRecord(std::string& out, std::uint16_t address, std::uint8_t type,
                  std::span<const std::uint8_t> data) {
    std::uint8_t sum = 0;
    const auto put = [&](std::uint8_t byte) {
        out += upperHexDigits(byte, 2);
        sum = static_cast<std::uint8_t>(sum + byte);
    };
    out += ':';
    put(static_cast<std::uint8_t>(data.size()));
    put(static_cast<std::uint8_t>(address >> 8));
    put(static_cast<std::uint8_t>(address));
    put(type);
    for (const std::uint8_t byte : data) {
        put(byte);
    }
    put(static_cast<std::uint8_t>(-sum));
    out += "\r\n";
}

}  // namespace

std::string intelHex(std::span<const ImagePiece> pieces) {
    std::string out;
    std::uint32_t upper = 0;
    bool upperWritten = false;
    std::array<std::uint8_t, kRecordBytes> block{};
    std::uint32_t blockAddress = 0;
    std::uint32_t filled = 0;  // the block's bytes up to the last one given

    const auto flush = [&] {
        if (filled == 0) {
            return;
        }
        const std::uint32_t blockUpper = blockAddress >> 16;
        if (!upperWritten || blockUpper != upper) {
            const std::array<std::uint8_t, 2> extended{static_cast<std::uint8_t>(blockUpper >> 8),
                                                       static_cast<std::uint8_t>(blockUpper)};
            appendRecord(out, 0, 0x04, extended);
            upper = blockUpper;
            upperWritten = true;
        }
        appendRecord(out, static_cast<std::uint16_t>(blockAddress), 0x00,
                     std::span(block).first(filled));
        filled = 0;
    };

    for (const ImagePiece& piece : pieces) {
        for (std::size_t k = 0; k < piece.bytes.size(); ++k) {
            const std::uint32_t address = piece.address + static_cast<std::uint32_t>(k);
            const std::uint32_t start = address - address % kRecordBytes;
            if (filled > 0 && start != blockAddress) {
                flush();
            }
            if (filled == 0) {
                blockAddress = start;
                block.fill(kErasedByte);
            }
            block[address - start] = piece.bytes[k];
            filled = address - start + 1;
        }
    }
    flush();
    out += ":00000001FF\r\n";
    return out;
}

}  // namespace vornelik
