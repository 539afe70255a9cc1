// SPDX-License-Identifier: MIT
#pragma once

// The canonical 44-byte header of an 8-bit unsigned mono PCM WAV file, for the one build that
// has no libsndfile to write it (Windows). Elsewhere libsndfile writes the same bytes.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vornelik {

inline constexpr std::size_t kPcmWaveHeaderBytes = 44;

// The header for `dataBytes` sample bytes; an odd count is to be followed by one pad byte,
// which the RIFF size includes.
std::array<std::uint8_t, kPcmWaveHeaderBytes> pcm8MonoWaveHeader(std::uint32_t dataBytes,
                                                                 std::uint32_t sampleRate);

// A whole 8-bit unsigned mono PCM WAV file of the samples: the header, the samples, the pad.
std::string pcm8MonoWave(const std::vector<std::uint8_t>& samples, std::uint32_t sampleRate);

}  // namespace vornelik
