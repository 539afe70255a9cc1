// SPDX-License-Identifier: MIT
#include "core/riff.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string_view>

namespace vornelik {
namespace {

constexpr std::uint64_t kRiffHeaderSize = 12;  // "RIFF", size, "WAVE"
constexpr std::uint64_t kChunkHeaderSize = 8;  // id, size
constexpr std::uint32_t kPlainFmtSize = 16;
constexpr std::uint32_t kExtensibleFmtSize = 40;
constexpr std::uint16_t kExtensionSize = 22;  // cbSize of WAVE_FORMAT_EXTENSIBLE

// The GUID of an extensible sub-format is the format tag in its first two bytes followed by
// this fixed tail.
constexpr std::array<std::uint8_t, 14> kSubFormatTail = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                                         0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

// Fields are read through this view of bytes already in memory, whose callers have checked the
// length first.
class Bytes {
  public:
    explicit Bytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint64_t size() const { return bytes_.size(); }
    bool has(std::uint64_t offset, std::uint64_t length) const {
        return offset <= size() && length <= size() - offset;
    }
    std::uint16_t u16(std::uint64_t offset) const {
        return static_cast<std::uint16_t>(at(offset) | at(offset + 1) << 8);
    }
    std::uint32_t u32(std::uint64_t offset) const {
        return static_cast<std::uint32_t>(u16(offset)) | static_cast<std::uint32_t>(u16(offset + 2))
                                                             << 16;
    }
    std::array<std::uint8_t, 4> id(std::uint64_t offset) const {
        return {at(offset), at(offset + 1), at(offset + 2), at(offset + 3)};
    }
    std::uint8_t at(std::uint64_t offset) const { return bytes_[static_cast<std::size_t>(offset)]; }

  private:
    std::span<const std::uint8_t> bytes_;
};

// The file as it is read: chunks are sequential, so skipping a body is reading it. Keeps the
// offset of the next byte, which at the end is the file's size.
class Reader {
  public:
    explicit Reader(ByteSource& source) : source_(source) {}

    std::uint64_t position() const { return position_; }

    bool atEnd() {
        fill();
        return next_ == end_;
    }

    // Up to `count` bytes into `into`, fewer only at the end.
    std::size_t take(std::uint8_t* into, std::size_t count) {
        std::size_t done = 0;
        while (done < count && !atEnd()) {
            const std::size_t piece = std::min(count - done, end_ - next_);
            std::copy_n(buffer_.begin() + static_cast<std::ptrdiff_t>(next_), piece, into + done);
            advance(piece);
            done += piece;
        }
        return done;
    }

    // Passes over up to `count` bytes, handing them to `sink` when there is one; fewer only at
    // the end. Returns how many were passed.
    std::uint64_t pass(std::uint64_t count, SampleSink* sink) {
        std::uint64_t done = 0;
        while (done < count && !atEnd()) {
            const auto piece =
                static_cast<std::size_t>(std::min<std::uint64_t>(count - done, end_ - next_));
            if (sink != nullptr) {
                sink->takeSamples(std::span(buffer_).subspan(next_, piece));
            }
            advance(piece);
            done += piece;
        }
        return done;
    }

  private:
    void fill() {
        if (next_ == end_) {
            next_ = 0;
            end_ = source_.read(buffer_.data(), buffer_.size());
        }
    }
    void advance(std::size_t count) {
        next_ += count;
        position_ += count;
    }

    ByteSource& source_;
    std::array<std::uint8_t, 64 * 1024> buffer_;
    std::size_t next_ = 0;
    std::size_t end_ = 0;
    std::uint64_t position_ = 0;
};

bool isId(const std::array<std::uint8_t, 4>& id, std::string_view text) {
    return std::equal(
        id.begin(), id.end(), text.begin(), text.end(),
        [](std::uint8_t byte, char c) { return byte == static_cast<std::uint8_t>(c); });
}

std::string number(std::uint64_t value) {
    return std::to_string(value);
}

std::string notRiffWaveProblem(const Bytes& file) {
    if (file.has(0, 4)) {
        const auto magic = file.id(0);
        if (isId(magic, "RIFX")) {
            return "The file is a big-endian RIFX file, which is not read.";
        }
        if (isId(magic, "RF64")) {
            return "The file is an RF64 file, which is not read.";
        }
        if (isId(magic, "RIFF")) {
            if (!file.has(0, kRiffHeaderSize)) {
                return "The file starts with \"RIFF\" but ends after " + number(file.size()) +
                       " bytes, inside its 12-byte header.";
            }
            return "The file is a RIFF file of form " + quotedChunkId(file.id(8)) +
                   ", not a WAVE file.";
        }
    }
    return "The file does not start with \"RIFF\": it is not a RIFF WAVE file.";
}

// Reads the fields of a `fmt ` chunk from its body (the bytes present only).
std::optional<WaveFormat> readFormat(const Bytes& body, const RiffChunk& chunk, bool cutShort,
                                     std::vector<std::string>& problems) {
    if (chunk.presentSize < kPlainFmtSize) {
        if (cutShort) {
            return std::nullopt;  // already reported as cut short
        }
        problems.push_back("The \"fmt \" chunk at offset " + number(chunk.offset) + " holds " +
                           number(chunk.presentSize) + " bytes; at least 16 are needed.");
        return std::nullopt;
    }
    WaveFormat format;
    format.chunkSize = chunk.declaredSize;
    format.formatTag = body.u16(0);
    format.channels = body.u16(2);
    format.sampleRate = body.u32(4);
    format.byteRate = body.u32(8);
    format.blockAlign = body.u16(12);
    format.bitsPerSample = body.u16(14);
    if (format.formatTag != wave_tag::extensible) {
        return format;
    }
    const std::uint16_t extension = chunk.presentSize >= 18 ? body.u16(16) : 0;
    if (chunk.presentSize < kExtensibleFmtSize || extension < kExtensionSize) {
        problems.push_back("The \"fmt \" chunk at offset " + number(chunk.offset) +
                           " names the extensible format but lacks its 22-byte extension.");
        return format;
    }
    format.validBitsPerSample = body.u16(18);
    format.channelMask = body.u32(20);
    format.subFormatTag = body.u16(24);
    format.standardSubFormat = true;
    for (std::size_t i = 0; i < kSubFormatTail.size(); ++i) {
        format.standardSubFormat = format.standardSubFormat && body.at(26 + i) == kSubFormatTail[i];
    }
    return format;
}

// Reads the body of a chunk whose header was just read: the first data chunk's bytes go to
// `samples`, the first "fmt " chunk's fields into the wave, any other chunk is passed over. The
// chunk joins the wave's list. Returns false when the file ends inside the body.
bool readChunkBody(Reader& file, RiffChunk& chunk, RiffWave& wave, SampleSink& samples) {
    const std::uint64_t body = chunk.offset + kChunkHeaderSize;
    const bool isData = isId(chunk.id, "data");
    const bool isFormat = isId(chunk.id, "fmt ") && !wave.format;
    std::array<std::uint8_t, kExtensibleFmtSize> formatBody{};
    if (isData && !wave.data) {
        samples.startSamples(wave, body);
        chunk.presentSize = file.pass(chunk.declaredSize, &samples);
        wave.data = DataChunk{body, chunk.declaredSize, chunk.presentSize};
    } else if (isFormat) {
        // The fields lie in the first 40 bytes; the rest of a longer chunk is passed over.
        const std::size_t kept = file.take(
            formatBody.data(), std::min<std::size_t>(chunk.declaredSize, formatBody.size()));
        chunk.presentSize = kept + file.pass(chunk.declaredSize - kept, nullptr);
    } else {
        chunk.presentSize = file.pass(chunk.declaredSize, nullptr);
    }
    wave.chunks.push_back(chunk);

    const bool cutShort = chunk.presentSize < chunk.declaredSize;
    if (cutShort) {
        wave.problems.push_back("The " + quotedChunkId(chunk.id) + " chunk at offset " +
                                number(chunk.offset) + " declares " + number(chunk.declaredSize) +
                                " bytes but only " + number(chunk.presentSize) + " are present" +
                                (isData ? ": the file ends early." : "."));
    }
    if (isFormat) {
        const auto present =
            static_cast<std::size_t>(std::min<std::uint64_t>(chunk.presentSize, formatBody.size()));
        wave.format =
            readFormat(Bytes(std::span(formatBody).first(present)), chunk, cutShort, wave.problems);
    }
    return !cutShort;
}

}  // namespace

RiffWave readRiffWave(std::span<const std::uint8_t> file) {
    SpanSource source(file);
    class Ignored : public SampleSink {
        void startSamples(const RiffWave&, std::uint64_t) override {}
        void takeSamples(std::span<const std::uint8_t>) override {}
    } ignored;
    return readRiffWave(source, ignored);
}

RiffWave readRiffWave(ByteSource& source, SampleSink& samples) {
    Reader file(source);
    RiffWave wave;
    std::array<std::uint8_t, kRiffHeaderSize> header{};
    const std::size_t headerRead = file.take(header.data(), header.size());
    const Bytes start{std::span(header).first(headerRead)};
    if (!start.has(0, kRiffHeaderSize) || !isId(start.id(0), "RIFF") ||
        !isId(start.id(8), "WAVE")) {
        wave.problems.push_back(notRiffWaveProblem(start));
        samples.startSamples(wave, 0);
        samples.takeSamples(std::span(header).first(headerRead));
        file.pass(std::numeric_limits<std::uint64_t>::max(), &samples);
        return wave;
    }
    wave.isRiffWave = true;
    wave.riffDeclaredSize = start.u32(4);
    const std::uint64_t riffEnd = kChunkHeaderSize + std::uint64_t{wave.riffDeclaredSize};
    bool trailingBytes = false;

    // Positions are 64-bit so that a size field near 4 GiB cannot wrap them, whatever size_t is.
    std::uint64_t position = kRiffHeaderSize;
    while (!file.atEnd()) {
        // A RIFF size that ends the walk early is common in files whose writer never went back to
        // fill it in, so it only counts once the sound is found.
        if (position >= riffEnd && wave.format && wave.data) {
            const std::uint64_t after =
                file.pass(std::numeric_limits<std::uint64_t>::max(), nullptr);
            wave.notes.push_back(number(after) +
                                 " bytes after the end of the RIFF chunk, at offset " +
                                 number(position) + ", were not read.");
            trailingBytes = true;
            break;
        }
        std::array<std::uint8_t, kChunkHeaderSize> chunkHeader{};
        const std::size_t headerPresent = file.take(chunkHeader.data(), chunkHeader.size());
        if (headerPresent < kChunkHeaderSize) {
            wave.problems.push_back("The file ends inside a chunk header at offset " +
                                    number(position) + ": " + number(headerPresent) +
                                    " of its 8 bytes are present.");
            break;
        }
        const Bytes fields{chunkHeader};
        RiffChunk chunk;
        chunk.id = fields.id(0);
        chunk.offset = position;
        chunk.declaredSize = fields.u32(4);
        if (!readChunkBody(file, chunk, wave, samples)) {
            break;
        }
        file.pass(chunk.declaredSize & 1U, nullptr);  // the pad byte, where the file has it
        position += kChunkHeaderSize + chunk.declaredSize + (chunk.declaredSize & 1U);
    }
    file.pass(std::numeric_limits<std::uint64_t>::max(), nullptr);  // the size shows at the end
    const std::uint64_t size = file.position();

    if (riffEnd != size && !trailingBytes) {
        wave.notes.push_back("The RIFF header declares " + number(wave.riffDeclaredSize) +
                             " bytes after its first 8; the file holds " +
                             number(size - kChunkHeaderSize) + ".");
    }
    const bool hasFmtChunk = std::any_of(wave.chunks.begin(), wave.chunks.end(),
                                         [](const RiffChunk& c) { return isId(c.id, "fmt "); });
    if (!hasFmtChunk) {
        wave.problems.push_back("The file has no \"fmt \" chunk.");
    }
    if (!wave.data) {
        wave.problems.push_back("The file has no \"data\" chunk.");
    }
    return wave;
}

std::string encodingName(std::uint16_t tag) {
    switch (tag) {
        case wave_tag::pcm:
            return "PCM";
        case wave_tag::adpcm:
            return "Microsoft ADPCM";
        case wave_tag::ieeeFloat:
            return "IEEE float";
        case wave_tag::aLaw:
            return "A-law";
        case wave_tag::muLaw:
            return "mu-law";
        case wave_tag::imaAdpcm:
            return "IMA ADPCM";
        case wave_tag::mpegLayer3:
            return "MPEG layer 3";
        case wave_tag::extensible:
            return "extensible";
        default: {
            char text[16];
            std::snprintf(text, sizeof text, "format 0x%04X", static_cast<unsigned>(tag));
            return text;
        }
    }
}

std::string chunkIdText(const std::array<std::uint8_t, 4>& id) {
    std::string text;
    for (const std::uint8_t byte : id) {
        text += byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '?';
    }
    return text;
}

std::string quotedChunkId(const std::array<std::uint8_t, 4>& id) {
    return '"' + chunkIdText(id) + '"';
}

}  // namespace vornelik
