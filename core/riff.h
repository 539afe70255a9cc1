// SPDX-License-Identifier: MIT
#pragma once

// A small reader for the RIFF WAVE layout: it walks the chunk headers of a file read once from
// its start, reads the `fmt ` chunk and locates the `data` chunk. It never throws for malformed
// input: what it could not read is described in plain English in `problems`, next to every fact
// it did find.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/byte_source.h"

namespace vornelik {

// Format tags of the `fmt ` chunk that the reports name.
namespace wave_tag {
inline constexpr std::uint16_t pcm = 0x0001;
inline constexpr std::uint16_t adpcm = 0x0002;
inline constexpr std::uint16_t ieeeFloat = 0x0003;
inline constexpr std::uint16_t aLaw = 0x0006;
inline constexpr std::uint16_t muLaw = 0x0007;
inline constexpr std::uint16_t imaAdpcm = 0x0011;
inline constexpr std::uint16_t mpegLayer3 = 0x0055;
inline constexpr std::uint16_t extensible = 0xFFFE;
}  // namespace wave_tag

// One chunk header as found in the file. Offsets are file offsets of the header's first byte.
struct RiffChunk {
    std::array<std::uint8_t, 4> id{};
    std::uint64_t offset = 0;
    std::uint32_t declaredSize = 0;  // the size field, without the pad byte
    std::uint64_t presentSize = 0;   // the body bytes actually in the file (at most declaredSize)
};

struct WaveFormat {
    std::uint32_t chunkSize = 0;  // 16, 18, 40 or another size of at least 16
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t byteRate = 0;  // as declared; not trusted for timing
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    // WAVE_FORMAT_EXTENSIBLE only, when its 22-byte extension is present.
    std::optional<std::uint16_t> validBitsPerSample;
    std::optional<std::uint32_t> channelMask;
    std::optional<std::uint16_t> subFormatTag;  // the tag carried in the sub-format GUID
    bool standardSubFormat = false;  // the GUID has the usual ...-0000-0010-8000-00AA00389B71 tail

    // The tag that says how the samples are coded: the sub-format's for an extensible format
    // with a standard sub-format GUID.
    std::uint16_t encoding() const {
        return formatTag == wave_tag::extensible && subFormatTag && standardSubFormat
                   ? *subFormatTag
                   : formatTag;
    }
};

struct DataChunk {
    std::uint64_t offset = 0;        // file offset of the first sample byte
    std::uint32_t declaredSize = 0;  // the chunk's size field
    std::uint64_t presentSize =
        0;  // the bytes actually present: the declared size clamped to the file
};

struct RiffWave {
    bool isRiffWave = false;             // "RIFF", a size and "WAVE" open the file
    std::uint32_t riffDeclaredSize = 0;  // the RIFF size field (bytes after the first 8)
    std::vector<RiffChunk> chunks;       // every chunk header read, in file order
    std::optional<WaveFormat> format;    // the first `fmt ` chunk, when it could be read
    std::optional<DataChunk> data;       // the first `data` chunk
    std::vector<std::string> problems;   // what is malformed, one English sentence each
    std::vector<std::string> notes;      // harmless oddities (a wrong RIFF size, trailing bytes)

    // Both the format and the sample bytes are known.
    bool complete() const { return isRiffWave && format && data; }
};

// Where a reader of a sound file hands the samples as they pass.
class SampleSink {
  public:
    virtual ~SampleSink() = default;
    // Once, before the samples: what was read before them (for a file that is not RIFF WAVE,
    // isRiffWave false) and the file offset of the first.
    virtual void startSamples(const RiffWave& before, std::uint64_t offset) = 0;
    // The samples in order, in pieces of any size.
    virtual void takeSamples(std::span<const std::uint8_t> bytes) = 0;
};

// Reads the RIFF WAVE structure of a whole file. Total: any byte sequence gives a result, with
// no exception and no read outside `file`. A file that is not RIFF WAVE at all gives
// isRiffWave == false and one problem. Chunks are walked to the end of the file (an odd-sized
// chunk is followed by its pad byte); the walk stops at a truncated chunk header, at a chunk whose
// body the file cuts short (a short `data` chunk is kept with its present size), or at the end
// of the declared RIFF size once both `fmt ` and `data` are found.
RiffWave readRiffWave(std::span<const std::uint8_t> file);

// The same, read from `file`'s first byte to its last, whose size shows only at its end; the
// first `data` chunk's present bytes (or, for a file that is not RIFF WAVE, every byte) go to
// `samples` as they pass. Only a failure of the source throws.
RiffWave readRiffWave(ByteSource& file, SampleSink& samples);

// "PCM", "IEEE float", "A-law", ... or "format 0x1234" for a tag without a name.
std::string encodingName(std::uint16_t tag);

// The four characters of a chunk id, each byte outside printable ASCII shown as '?'.
std::string chunkIdText(const std::array<std::uint8_t, 4>& id);

// The same in double quotes, as reports name a chunk: "\"fmt \"".
std::string quotedChunkId(const std::array<std::uint8_t, 4>& id);

}  // namespace vornelik
