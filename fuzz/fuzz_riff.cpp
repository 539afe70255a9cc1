// SPDX-License-Identifier: MIT
// The RIFF WAVE reader over any bytes. It must never throw nor read outside the file (the input
// lies in a buffer of exactly its size), and what it reports must match the bytes: each chunk
// header where the walk puts it, each size within the file, the format and the data chunk taken
// from the first chunks of their kind. Read as a stream in small pieces, the file gives the same
// structure, hands over exactly the samples, and gets the same survey as the whole file.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/riff.h"
#include "core/sound_survey.h"
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

// The file a few bytes at a time, so that every field and sample can fall across a piece's end.
class Trickle : public vornelik::ByteSource {
  public:
    explicit Trickle(std::span<const std::uint8_t> file) : file_(file) {}
    std::size_t read(std::uint8_t* into, std::size_t room) override {
        const std::size_t count = std::min({room, file_.size(), 1 + step_++ % 7});
        std::copy_n(file_.begin(), count, into);
        file_ = file_.subspan(count);
        return count;
    }

  private:
    std::span<const std::uint8_t> file_;
    std::size_t step_ = 0;
};

class Collected : public vornelik::SampleSink {
  public:
    void startSamples(const vornelik::RiffWave&, std::uint64_t at) override {
        require(!offset, "the samples start once");
        offset = at;
    }
    void takeSamples(std::span<const std::uint8_t> bytes) override {
        require(offset.has_value(), "the samples come after their start");
        samples.insert(samples.end(), bytes.begin(), bytes.end());
    }
    std::optional<std::uint64_t> offset;
    std::vector<std::uint8_t> samples;
};

bool sameChunks(const vornelik::RiffWave& a, const vornelik::RiffWave& b) {
    return std::equal(a.chunks.begin(), a.chunks.end(), b.chunks.begin(), b.chunks.end(),
                      [](const auto& x, const auto& y) {
                          return x.id == y.id && x.offset == y.offset &&
                                 x.declaredSize == y.declaredSize && x.presentSize == y.presentSize;
                      });
}

void checkStreamed(std::span<const std::uint8_t> file, const vornelik::RiffWave& wave) {
    Trickle trickle(file);
    Collected collected;
    const vornelik::RiffWave streamed = vornelik::readRiffWave(trickle, collected);
    require(streamed.problems == wave.problems && streamed.notes == wave.notes &&
                sameChunks(streamed, wave) &&
                streamed.format.has_value() == wave.format.has_value(),
            "a stream read in pieces gives the whole file's structure");
    if (!wave.isRiffWave) {
        require(collected.offset == 0 && collected.samples.size() == file.size(),
                "every byte of a file that is not RIFF WAVE is a sample");
    } else if (wave.data) {
        require(collected.offset == wave.data->offset &&
                    std::equal(collected.samples.begin(), collected.samples.end(),
                               file.begin() + static_cast<std::ptrdiff_t>(wave.data->offset),
                               file.begin() + static_cast<std::ptrdiff_t>(wave.data->offset +
                                                                          wave.data->presentSize)),
                "the samples handed over are the data chunk's");
    } else {
        require(!collected.offset, "no data chunk, no samples");
    }

    Trickle again(file);
    const vornelik::SurveyedSound surveyed = vornelik::surveySound(again);
    const vornelik::SoundSurvey whole = vornelik::surveySound(file);
    const vornelik::SuggestedRange& a = surveyed.survey.range;
    const vornelik::SuggestedRange& b = whole.range;
    require(surveyed.survey.fileSize == whole.fileSize &&
                surveyed.survey.samplesOffset == whole.samplesOffset &&
                surveyed.survey.samplesLength == whole.samplesLength &&
                surveyed.survey.silenceRule == whole.silenceRule && a.start == b.start &&
                a.end == b.end && a.basis == b.basis && a.firstSoundByte == b.firstSoundByte &&
                a.lastSoundByte == b.lastSoundByte && a.shortened == b.shortened &&
                surveyed.survey.next == whole.next,
            "a survey read in pieces is the survey read at once");
    require(std::equal(surveyed.firstBytes.begin(), surveyed.firstBytes.end(), file.begin(),
                       file.begin() + static_cast<std::ptrdiff_t>(surveyed.firstBytes.size())) &&
                surveyed.firstBytes.size() == std::min(file.size(), vornelik::kFirstBytesKept),
            "the first bytes are kept");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const vornelik::RiffWave wave = vornelik::readRiffWave(file);

    checkStreamed(file, wave);

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
