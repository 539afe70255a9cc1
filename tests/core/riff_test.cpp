// SPDX-License-Identifier: MIT
#include "core/riff.h"

#include <gtest/gtest.h>

#include <string>

#include "support/wave_builder.h"

namespace vornelik {
namespace {

using namespace wave_builder;

std::string ids(const RiffWave& wave) {
    std::string text;
    for (const auto& chunk : wave.chunks) {
        if (!text.empty()) {
            text += ',';
        }
        text += chunkIdText(chunk.id);
    }
    return text;
}

std::string allProblems(const RiffWave& wave) {
    std::string text;
    for (const auto& problem : wave.problems) {
        text += problem + "|";
    }
    return text;
}

struct FormatCase {
    const char* name;
    Bytes fmt;
    std::uint32_t chunkSize;
    std::uint16_t encoding;
    std::uint16_t channels;
    std::uint32_t sampleRate;
    std::uint16_t bits;
    std::uint16_t blockAlign;
    std::optional<std::uint32_t> channelMask;
    std::uint64_t dataOffset;
};

TEST(RiffWave, readsEachFormOfTheFormatChunk) {
    const FormatCase cases[] = {
        {"16 bytes", fmt16(), 16, wave_tag::pcm, 1, 8000, 8, 1, std::nullopt, 44},
        {"18 bytes", fmt18({1, 2, 11025, 16}), 18, wave_tag::pcm, 2, 11025, 16, 4, std::nullopt,
         46},
        {"40 bytes, PCM", fmt40({1, 2, 44100, 24}, wave_tag::pcm, 20, 0x3), 40, wave_tag::pcm, 2,
         44100, 24, 6, 0x3, 68},
        {"40 bytes, float", fmt40({1, 1, 48000, 32}, wave_tag::ieeeFloat, 32, 0x4), 40,
         wave_tag::ieeeFloat, 1, 48000, 32, 4, 0x4, 68},
        {"40 bytes, unknown GUID", fmt40({1, 1, 8000, 8}, wave_tag::pcm, 8, 0x4, false), 40,
         wave_tag::extensible, 1, 8000, 8, 1, 0x4, 68},
        {"16 bytes, mu-law", fmt16({7, 1, 8000, 8}), 16, wave_tag::muLaw, 1, 8000, 8, 1,
         std::nullopt, 44},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes file = riffWave({c.fmt, chunk("data", filled(10, 128))});
        const RiffWave wave = readRiffWave(file);
        ASSERT_TRUE(wave.complete()) << allProblems(wave);
        EXPECT_TRUE(wave.problems.empty()) << allProblems(wave);
        EXPECT_TRUE(wave.notes.empty());
        EXPECT_EQ(wave.format->chunkSize, c.chunkSize);
        EXPECT_EQ(wave.format->encoding(), c.encoding);
        EXPECT_EQ(wave.format->channels, c.channels);
        EXPECT_EQ(wave.format->sampleRate, c.sampleRate);
        EXPECT_EQ(wave.format->bitsPerSample, c.bits);
        EXPECT_EQ(wave.format->blockAlign, c.blockAlign);
        EXPECT_EQ(wave.format->channelMask, c.channelMask);
        EXPECT_EQ(wave.data->offset, c.dataOffset);
        EXPECT_EQ(wave.data->presentSize, 10U);
    }
}

struct LayoutCase {
    const char* name;
    Bytes file;
    std::string chunkIds;
    std::uint64_t dataOffset;
    std::uint64_t dataSize;
    std::size_t notes;
};

TEST(RiffWave, findsTheDataWhateverComesBeforeIt) {
    const Bytes info =
        chunk("LIST", join({Bytes{'I', 'N', 'F', 'O'}, chunk("INAM", {'a', 'b', 'c'})}));
    const LayoutCase cases[] = {
        {"LIST before data", riffWave({fmt16(), info, chunk("data", filled(6, 128))}),
         "fmt ,LIST,data", 44 + info.size(), 6, 0},
        // 3 bytes of "junk" and its pad byte: data's header starts 12 bytes after junk's.
        {"odd chunk and its pad byte",
         riffWave({chunk("junk", {1, 2, 3}), fmt16(), chunk("data", filled(5, 128))}),
         "junk,fmt ,data", 12 + 12 + 24 + 8, 5, 0},
        {"odd data chunk last, pad byte missing",
         join({riffWave({fmt16()}, 4 + 24 + 8 + 5), Bytes{'d', 'a', 't', 'a', 5, 0, 0, 0},
               filled(5, 1)}),
         "fmt ,data", 44, 5, 0},
        {"format after data", riffWave({chunk("data", filled(4, 128)), fmt16()}), "data,fmt ", 20,
         4, 0},
        {"chunks after data", riffWave({fmt16(), chunk("data", filled(4, 128)), info}),
         "fmt ,data,LIST", 44, 4, 0},
        {"RIFF size left at 0 by its writer", riffWave({fmt16(), chunk("data", filled(4, 128))}, 0),
         "fmt ,data", 44, 4, 1},
        {"bytes after the RIFF chunk",
         join({riffWave({fmt16(), chunk("data", filled(4, 128))}), Bytes{'I', 'D', '3', 3}}),
         "fmt ,data", 44, 4, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RiffWave wave = readRiffWave(c.file);
        ASSERT_TRUE(wave.complete()) << allProblems(wave);
        EXPECT_TRUE(wave.problems.empty()) << allProblems(wave);
        EXPECT_EQ(ids(wave), c.chunkIds);
        EXPECT_EQ(wave.data->offset, c.dataOffset);
        EXPECT_EQ(wave.data->presentSize, c.dataSize);
        EXPECT_EQ(wave.notes.size(), c.notes);
    }
}

struct MalformedCase {
    const char* name;
    Bytes file;
    bool isRiffWave;
    bool hasFormat;
    std::optional<std::uint64_t> dataPresent;  // present bytes of a data chunk that was found
    std::string problem;                       // part of the first problem's text
};

TEST(RiffWave, describesMalformedFilesWithoutReadingPastThem) {
    const Bytes good = plainWave(filled(100, 128));
    const MalformedCase cases[] = {
        {"empty file", {}, false, false, std::nullopt, "does not start with \"RIFF\""},
        {"raw samples", filled(900, 128), false, false, std::nullopt,
         "does not start with \"RIFF\""},
        {"RIFF cut inside its header", Bytes(good.begin(), good.begin() + 10), false, false,
         std::nullopt, "inside its 12-byte header"},
        {"big-endian RIFX", join({Bytes{'R', 'I', 'F', 'X'}, Bytes(good.begin() + 4, good.end())}),
         false, false, std::nullopt, "RIFX"},
        {"RIFF of another form",
         join({Bytes(good.begin(), good.begin() + 8), Bytes{'A', 'V', 'I', ' '}}), false, false,
         std::nullopt, "form \"AVI \""},
        {"cut inside a chunk header", Bytes(good.begin(), good.begin() + 40), true, true,
         std::nullopt, "ends inside a chunk header at offset 36: 4 of its 8 bytes"},
        {"data larger than the file", Bytes(good.begin(), good.begin() + 44 + 30), true, true, 30,
         "declares 100 bytes but only 30 are present"},
        {"data size of 4 GiB - 1", riffWave({fmt16(), chunk("data", filled(8, 128), 0xFFFFFFFF)}),
         true, true, 8, "declares 4294967295 bytes but only 8"},
        {"LIST size that wraps a 32-bit position",
         riffWave(
             {fmt16(), chunk("LIST", filled(4, 0), 0xFFFFFFF8), chunk("data", filled(8, 128))}),
         true, true, std::nullopt, "\"LIST\" chunk at offset 36 declares 4294967288 bytes"},
        {"no format chunk", riffWave({chunk("data", filled(8, 128))}), true, false, 8,
         "no \"fmt \" chunk"},
        {"format chunk of 14 bytes", riffWave({chunk("fmt ", filled(14, 1)), chunk("data", {})}),
         true, false, 0, "holds 14 bytes; at least 16"},
        {"format cut by the file's end", Bytes(good.begin(), good.begin() + 30), true, false,
         std::nullopt, "\"fmt \" chunk at offset 12 declares 16 bytes but only 10"},
        {"extensible without its extension",
         riffWave({fmt18({0xFFFE, 1, 8000, 8}), chunk("data", filled(2, 128))}), true, true, 2,
         "lacks its 22-byte extension"},
        {"no data chunk", riffWave({fmt16()}), true, true, std::nullopt, "no \"data\" chunk"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RiffWave wave = readRiffWave(c.file);
        EXPECT_EQ(wave.isRiffWave, c.isRiffWave);
        EXPECT_EQ(wave.format.has_value(), c.hasFormat);
        ASSERT_EQ(wave.data.has_value(), c.dataPresent.has_value());
        if (wave.data) {
            EXPECT_EQ(wave.data->presentSize, *c.dataPresent);
        }
        ASSERT_FALSE(wave.problems.empty());
        EXPECT_NE(wave.problems.front().find(c.problem), std::string::npos) << allProblems(wave);
    }
}

// Every prefix of a file, and the same file with each byte changed, stays inside its bytes:
// run under the sanitizers this catches any read past the end.
TEST(RiffWave, staysInsideEveryPrefixAndEveryDamagedByte) {
    const Bytes file = riffWave({chunk("junk", {1, 2, 3}), fmt40({1, 2, 8000, 16}, 1, 16, 3),
                                 chunk("LIST", filled(7, 'x')), chunk("data", filled(33, 128))});
    const auto checkInside = [](const Bytes& bytes) {
        const RiffWave wave = readRiffWave(bytes);
        for (const auto& chunk : wave.chunks) {
            EXPECT_LE(chunk.offset + 8 + chunk.presentSize, bytes.size());
        }
        if (wave.data) {
            EXPECT_LE(wave.data->offset + wave.data->presentSize, bytes.size());
        }
        EXPECT_TRUE(!wave.problems.empty() || wave.complete());
    };
    for (std::size_t length = 0; length <= file.size(); ++length) {
        checkInside(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length)));
    }
    for (std::size_t i = 0; i < file.size(); ++i) {
        for (const std::uint8_t value : {0x00, 0x01, 0x7F, 0xFF}) {
            Bytes damaged = file;
            damaged[i] = value;
            checkInside(damaged);
        }
    }
}

TEST(RiffWave, namesEncodingsAndChunkIds) {
    EXPECT_EQ(encodingName(wave_tag::pcm), "PCM");
    EXPECT_EQ(encodingName(wave_tag::ieeeFloat), "IEEE float");
    EXPECT_EQ(encodingName(0x1234), "format 0x1234");
    EXPECT_EQ(chunkIdText({'d', 'a', 't', 'a'}), "data");
    EXPECT_EQ(chunkIdText({'a', 0, 0x7F, 0xC3}), "a???");
}

}  // namespace
}  // namespace vornelik
