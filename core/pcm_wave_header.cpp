// SPDX-License-Identifier: MIT
#include "core/pcm_wave_header.h"

#include <cstring>

namespace vornelik {

std::array<std::uint8_t, kPcmWaveHeaderBytes> pcm8MonoWaveHeader(std::uint32_t dataBytes,
                                                                 std::uint32_t sampleRate) {
    std::array<std::uint8_t, kPcmWaveHeaderBytes> header{};
    std::size_t at = 0;
    const auto text = [&](const char* id) {
        std::memcpy(header.data() + at, id, 4);
        at += 4;
    };
    const auto little = [&](std::uint32_t value, int bytes) {
        for (int k = 0; k < bytes; ++k) {
            header[at++] = static_cast<std::uint8_t>(value >> (8 * k));
        }
    };
    text("RIFF");
    little(36 + dataBytes + dataBytes % 2, 4);
    text("WAVE");
    text("fmt ");
    little(16, 4);
    little(1, 2);           // PCM
    little(1, 2);           // mono
    little(sampleRate, 4);  // one byte per sample, so also the byte rate
    little(sampleRate, 4);
    little(1, 2);  // block align
    little(8, 2);  // bits
    text("data");
    little(dataBytes, 4);
    return header;
}

}  // namespace vornelik
