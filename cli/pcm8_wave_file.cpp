// SPDX-License-Identifier: MIT
#include "cli/pcm8_wave_file.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/failure.h"
#include "core/pcm_wave_header.h"

namespace vornelik {
namespace {

std::string_view asText(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

Pcm8WaveFile::Pcm8WaveFile(OutputFile& out, std::uint32_t sampleRate,
                           std::optional<std::uint64_t> count)
    : out_(out), sampleRate_(sampleRate), count_(count) {
    if (count_) {
        out_.writeBytes(
            asText(pcm8MonoWaveHeader(static_cast<std::uint32_t>(*count_), sampleRate_)));
    } else if (out_.canGoBack()) {
        const std::array<std::uint8_t, kPcmWaveHeaderBytes> room{};  // the header comes last
        out_.writeBytes(asText(room));
    } else {
        throw Failure("a WAV of unknown length cannot be streamed");
    }
}

void Pcm8WaveFile::write(std::span<const std::uint8_t> samples) {
    if (count_) {
        samples = samples.first(
            static_cast<std::size_t>(std::min<std::uint64_t>(samples.size(), *count_ - written_)));
    }
    out_.writeBytes(asText(samples));
    written_ += samples.size();
}

void Pcm8WaveFile::commit(std::uint64_t kept) {
    kept = std::min(kept, written_);
    if (count_) {
        if (kept != *count_) {
            throw Failure("the sound changed between two readings");
        }
    } else {
        // The header with the count, and trailing silence already written cut off.
        out_.goBack(asText(pcm8MonoWaveHeader(static_cast<std::uint32_t>(kept), sampleRate_)),
                    kPcmWaveHeaderBytes + kept);
    }
    if (kept % 2 == 1) {
        out_.writeBytes(std::string_view("\0", 1));  // the pad byte after an odd-sized chunk
    }
    out_.commit();
}

}  // namespace vornelik
