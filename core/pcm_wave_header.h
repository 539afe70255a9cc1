// SPDX-License-Identifier: MIT
#pragma once

// The canonical 44-byte header of an 8-bit unsigned mono PCM WAV file, which convert writes in
// every build; it is byte for byte the header libsndfile writes for that format.

#include <array>
#include <cstddef>
#include <cstdint>

namespace vornelik {

inline constexpr std::size_t kPcmWaveHeaderBytes = 44;

// The header for `dataBytes` sample bytes; an odd count is to be followed by one pad byte,
// which the RIFF size includes.
std::array<std::uint8_t, kPcmWaveHeaderBytes> pcm8MonoWaveHeader(std::uint32_t dataBytes,
                                                                 std::uint32_t sampleRate);

}  // namespace vornelik
