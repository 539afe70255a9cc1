// SPDX-License-Identifier: MIT
// The RIFF WAVE reader over any bytes. It must never throw nor read outside the file (the input
// lies in a buffer of exactly its size), and what it reports must match the bytes: each chunk
// header where the walk puts it, each size within the file, the format and the data chunk taken
// from the first chunks of their kind.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "core/riff.h"
#include "fuzz/fuzz_check.h"

namespace {

using vornelik::fuzz::require;

std::uint32_t littleEndian32(std::span<const std::uint8_t> file, std::uint64_t offset) {
    std::uint32_t value = 0;
    for (int k = 3; k >= 0; --k) {
        value = value << 8 | file[offset + static_cast<std::uint64_t>(k)];
    }
    return value;
}

bool hasId(const std::array<std::uint8_t, 4>& id, const char* text) {
    return std::memcmp(id.data(), text, 4) == 0;
}

void checkChunks(std::span<const std::uint8_t> file, const vornelik::RiffWave& wave) {
    std::uint64_t expectedOffset = 12;
    for (const vornelik::RiffChunk& chunk : wave.chunks) {
        require(chunk.offset == expectedOffset, "each chunk follows the previous one and its pad");
        require(chunk.offset + 8 <= file.size(), "a chunk header lies inside the file");
        require(std::memcmp(chunk.id.data(), file.data() + chunk.offset, 4) == 0,
                "the chunk id is the file's");
        require(chunk.declaredSize == littleEndian32(file, chunk.offset + 4),
                "the declared size is the file's");
        require(chunk.presentSize ==
                    std::min<std::uint64_t>(chunk.declaredSize, file.size() - chunk.offset - 8),
                "the present size is the declared one, clamped to the file");
        require(vornelik::chunkIdText(chunk.id).size() == 4, "an id is shown as four characters");
        expectedOffset = chunk.offset + 8 + chunk.declaredSize + (chunk.declaredSize & 1U);
    }
}

void checkFirstOfTheirKind(std::span<const std::uint8_t> file, const vornelik::RiffWave& wave) {
    const auto firstData = std::find_if(wave.chunks.begin(), wave.chunks.end(),
                                        [](const auto& chunk) { return hasId(chunk.id, "data"); });
    require(wave.data.has_value() == (firstData != wave.chunks.end()),
            "a data chunk is reported exactly when one was walked");
    if (wave.data) {
        require(wave.data->offset == firstData->offset + 8 &&
                    wave.data->declaredSize == firstData->declaredSize &&
                    wave.data->presentSize == firstData->presentSize,
                "the data chunk is the first one");
        // Touching every sample byte lets AddressSanitizer check the reported range.
        unsigned sum = 0;
        for (const std::uint8_t byte : file.subspan(wave.data->offset, wave.data->presentSize)) {
            sum += byte;
        }
        require(sum <= 255 * wave.data->presentSize, "the samples are bytes");
    }

    // A fmt chunk too short for the fields is passed over.
    const auto firstFormat = std::find_if(
        wave.chunks.begin(), wave.chunks.end(),
        [](const auto& chunk) { return hasId(chunk.id, "fmt ") && chunk.presentSize >= 16; });
    require(wave.format.has_value() == (firstFormat != wave.chunks.end()),
            "a format is reported exactly when a fmt chunk holds its fields");
    if (wave.format) {
        const std::uint64_t body = firstFormat->offset + 8;
        require(wave.format->formatTag == (file[body] | file[body + 1] << 8),
                "the format tag is the file's");
        require(!vornelik::encodingName(wave.format->encoding()).empty(), "every tag has a name");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const vornelik::RiffWave wave = vornelik::readRiffWave(file);

    const bool riffWave =
        size >= 12 && std::memcmp(data, "RIFF", 4) == 0 && std::memcmp(data + 8, "WAVE", 4) == 0;
    require(wave.isRiffWave == riffWave, "RIFF WAVE is told by the first twelve bytes");
    if (!riffWave) {
        require(wave.problems.size() == 1 && wave.chunks.empty() && !wave.format && !wave.data,
                "a file of another kind gives one problem and nothing else");
        return 0;
    }
    require(wave.riffDeclaredSize == littleEndian32(file, 4), "the RIFF size is the file's");
    checkChunks(file, wave);
    checkFirstOfTheirKind(file, wave);
    require(wave.complete() == (wave.format && wave.data), "complete means format and data");
    for (const std::string& problem : wave.problems) {
        require(!problem.empty(), "a problem is a sentence");
    }
    return 0;
}
