// SPDX-License-Identifier: MIT
#pragma once

// Assembles RIFF WAVE files in memory, chunk by chunk, including the malformed ones.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

namespace vornelik::wave_builder {

using Bytes = std::vector<std::uint8_t>;

inline void put16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void put32(Bytes& out, std::uint32_t value) {
    put16(out, static_cast<std::uint16_t>(value));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

// Byte by byte: g++ 12 at -O2 misreads a range insert into an empty vector as an overflow.
inline void putText(Bytes& out, std::string_view text) {
    for (const char c : text) {
        out.push_back(static_cast<std::uint8_t>(c));
    }
}

inline Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

// A chunk with its pad byte after an odd body; `declaredSize` overrides the size field.
inline Bytes chunk(std::string_view id, const Bytes& body,
                   std::optional<std::uint32_t> declaredSize = std::nullopt) {
    Bytes out;
    putText(out, id);
    put32(out, declaredSize.value_or(static_cast<std::uint32_t>(body.size())));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 == 1) {
        out.push_back(0);
    }
    return out;
}

// "RIFF", its size (the true one unless given) and "WAVE", then the chunks.
inline Bytes riffWave(std::initializer_list<Bytes> chunks,
                      std::optional<std::uint32_t> riffSize = std::nullopt) {
    const Bytes body = join(chunks);
    Bytes out;
    putText(out, "RIFF");
    put32(out, riffSize.value_or(static_cast<std::uint32_t>(body.size() + 4)));
    putText(out, "WAVE");
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

struct Format {
    std::uint16_t tag = 1;
    std::uint16_t channels = 1;
    std::uint32_t sampleRate = 8000;
    std::uint16_t bits = 8;
};

// The 16-byte body of a `fmt ` chunk.
inline Bytes fmtBody(const Format& format) {
    const auto blockAlign = static_cast<std::uint16_t>(format.channels * ((format.bits + 7) / 8));
    Bytes out;
    put16(out, format.tag);
    put16(out, format.channels);
    put32(out, format.sampleRate);
    put32(out, format.sampleRate * blockAlign);
    put16(out, blockAlign);
    put16(out, format.bits);
    return out;
}

inline Bytes fmt16(const Format& format = {}) {
    return chunk("fmt ", fmtBody(format));
}

inline Bytes fmt18(const Format& format = {}) {
    Bytes body = fmtBody(format);
    put16(body, 0);
    return chunk("fmt ", body);
}

// WAVE_FORMAT_EXTENSIBLE with the given sub-format; a false `standardGuid` spoils the GUID tail.
inline Bytes fmt40(Format format, std::uint16_t subFormat, std::uint16_t validBits,
                   std::uint32_t channelMask, bool standardGuid = true) {
    format.tag = 0xFFFE;
    Bytes body = fmtBody(format);
    put16(body, 22);
    put16(body, validBits);
    put32(body, channelMask);
    put16(body, subFormat);
    const Bytes tail = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    body.insert(body.end(), tail.begin(), tail.end());
    if (!standardGuid) {
        body.back() = 0x72;
    }
    return chunk("fmt ", body);
}

inline Bytes filled(std::size_t count, std::uint8_t value) {
    return Bytes(count, value);
}

// The usual 44-byte-header file: 8-bit 8 kHz mono PCM.
inline Bytes plainWave(const Bytes& samples) {
    return riffWave({fmt16(), chunk("data", samples)});
}

}  // namespace vornelik::wave_builder
