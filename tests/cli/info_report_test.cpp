// SPDX-License-Identifier: MIT
#include "cli/info_report.h"

#include <gtest/gtest.h>

#include <string>

#include "cli/json_writer.h"
#include "cli/shell_quote.h"
#include "cli/suggested_command.h"
#include "support/wave_builder.h"

namespace vornelik {
namespace {

using namespace wave_builder;

Bytes counting(std::size_t count) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(1 + i);
    }
    return bytes;
}

TEST(InfoReport, describesAWaveWithAListChunk) {
    const Bytes file =
        riffWave({fmt16(), chunk("LIST", filled(26, 'x')),
                  chunk("data", join({filled(100, 128), counting(35), filled(100, 128)}))});
    EXPECT_EQ(
        infoReport("my sound.wav", file, false),
        "File: my sound.wav\n"
        "Size: 314 bytes\n"
        "Format: PCM, 1 channel, 8000 Hz, 8 bits (block align 1; \"fmt \" chunk of 16 bytes)\n"
        "Chunks: \"fmt \" at 12 (16 bytes), \"LIST\" at 36 (26 bytes), \"data\" at 70 (235 "
        "bytes)\n"
        "Data: 235 bytes at offset 78\n"
        "Duration: 0.029 s\n"
        "Suggested range: start 177, end 217\n"
        "  The sound runs from byte 178 to byte 212 (silent: within 2 of 128).\n"
        "Flash budget (PIC18F4620: 65536 bytes of program memory, 512 kept for the "
        "program):\n"
        "  quality  table bytes  played          fits\n"
        "  good              40  about 0.01 s    yes, 64984 bytes spare\n"
        "  poor              20  about 0.01 s    yes, 65004 bytes spare\n"
        "  One byte of program memory per value; about 125 us per value in good quality, "
        "250 us in poor (DelayUS 100 or 225 plus the loop).\n"
        "HEX player (68 bytes of program memory, the table up to 65468 bytes):\n"
        "  quality  table bytes  played          fits\n"
        "  good              40  0.005 s         yes, 65428 bytes spare\n"
        "  poor              20  0.005 s         yes, 65448 bytes spare\n"
        "  Exactly 125 us per value in good quality, 250 in poor: 8000 and 4000 values a "
        "second.\n"
        "vornelik-cli bas 'my sound.wav' -o 'my sound.bas' --start 177 --end 217\n"
        "vornelik-cli hex 'my sound.wav' -o 'my sound.hex' --start 177 --end 217\n");
}

struct ReportCase {
    const char* name;
    Bytes file;
    std::vector<std::string> lines;  // each must appear as a whole line
    std::string command;             // the last lines
    std::size_t warnings;
};

TEST(InfoReport, warnsAndExplainsWhatItFinds) {
    const Bytes good = plainWave(join({filled(10, 128), counting(30), filled(10, 128)}));
    const ReportCase cases[] = {
        {"8-bit 8 kHz mono",
         good,
         {"Format: PCM, 1 channel, 8000 Hz, 8 bits (block align 1; \"fmt \" chunk of 16 bytes)"},
         "vornelik-cli bas s.wav -o s.bas --start 53 --end 93\n"
         "vornelik-cli hex s.wav -o s.hex --start 53 --end 93",
         0},
        {"44.1 kHz",
         riffWave({fmt16({1, 1, 44100, 8}), chunk("data", filled(8, 10))}),
         {"Warning: The file holds 44100 bytes a second and the chip plays about 8000, so it will "
          "play 5.5 times too slow.",
          "The chip plays 8-bit 8000 Hz mono PCM: convert the file first; the report of the "
          "result suggests its range."},
         "vornelik-cli convert s.wav -o s-8k.wav",
         1},
        {"16-bit",
         riffWave({fmt16({1, 1, 8000, 16}), chunk("data", filled(8, 0))}),
         {"Warning: 16-bit samples: the chip plays every byte as an 8-bit sample, so the low bytes "
          "will sound as loud noise.",
          "Warning: The file holds 16000 bytes a second and the chip plays about 8000, so it will "
          "play 2 times too slow.",
          "  The samples are silent throughout (silent: each sample's top byte within 2 of 0): "
          "this is all of them."},
         "Nothing to write: the file holds nothing to play.",
         2},
        {"stereo at 4 kHz",
         riffWave({fmt16({1, 2, 4000, 8}), chunk("data", filled(8, 128))}),
         {"Warning: 2 channels: the chip plays their samples one after another as a single "
          "sound."},
         "Nothing to write: the file holds nothing to play.",
         1},
        {"mono at 4 kHz",
         riffWave({fmt16({1, 1, 4000, 8}), chunk("data", filled(8, 128))}),
         {"Warning: The file holds 4000 bytes a second and the chip plays about 8000, so it will "
          "play 2 times too fast."},
         "Nothing to write: the file holds nothing to play.",
         1},
        {"mu-law",
         riffWave({fmt16({7, 1, 8000, 8}), chunk("data", filled(8, 1))}),
         {"Warning: The samples are coded as mu-law: the chip plays the bytes as they are, so they "
          "will sound as noise.",
          "  Silence is not looked for in samples of this format: this is all of them."},
         "vornelik-cli convert s.wav -o s-8k.wav",
         1},
        {"cut inside a chunk header",
         Bytes(good.begin(), good.begin() + 40),
         {"Problem: The file ends inside a chunk header at offset 36: 4 of its 8 bytes are "
          "present.",
          "Problem: The file has no \"data\" chunk.",
          "First bytes: 52 49 46 46 56 00 00 00 57 41 56 45 66 6d 74 20",
          "  No samples were found: this is the whole file, header included, as the window "
          "proposes it."},
         "Nothing to write: the file holds nothing to play.",
         0},
        {"data larger than the file",
         Bytes(good.begin(), good.begin() + 70),
         {"Data: 26 bytes at offset 44 (50 declared; the file ends early)",
          "Problem: The \"data\" chunk at offset 36 declares 50 bytes but only 26 are present: "
          "the file ends early.",
          "Suggested range: start 49, end 69"},
         "vornelik-cli bas s.wav -o s.bas --start 49 --end 69\n"
         "vornelik-cli hex s.wav -o s.hex --start 49 --end 69",
         0},
        {"not RIFF",
         join({filled(3, 128), counting(20)}),
         {"RIFF WAVE: no. The file does not start with \"RIFF\": it is not a RIFF WAVE file.",
          "Data: 23 bytes at offset 0 (the whole file)", "Duration: 0.003 s at 8000 bytes a second",
          "First bytes: 80 80 80 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d",
          "Warning: The file is not RIFF WAVE: every byte is taken as an 8-bit sample, header or "
          "not."},
         "vornelik-cli bas s.wav -o s.bas --start 2 --end 22\n"
         "vornelik-cli hex s.wav -o s.hex --start 2 --end 22",
         1},
        {"empty file",
         {},
         {"Size: 0 bytes", "First bytes: (none)",
          "  The samples hold no bytes: there is nothing to play."},
         "Nothing to write: the file holds nothing to play.",
         1},
        {"sound at the first byte",
         counting(12),
         {"  The sound begins at the file's first byte, which the table cannot hold: it starts "
          "one byte after the start offset.",
          "  The last byte of sound does not fill a table line and is left out."},
         "vornelik-cli bas s.wav -o s.bas --start 0 --end 10\n"
         "vornelik-cli hex s.wav -o s.hex --start 0 --end 10",
         1},
        {"too large for the chip: the stretch that fits",
         plainWave(join({Bytes{10}, filled(99, 128), filled(70000, 10)})),
         {"  That is 70100 bytes, more than the chip holds: its table has room for 65024 bytes "
          "beside the program, so this range is the stretch of 65020 bytes, from byte 144 to "
          "byte 65163, that holds the most of the sound.",
          "  good           65020  about 8.13 s    yes, 4 bytes spare",
          "  poor           32510  about 8.13 s    yes, 32514 bytes spare"},
         "vornelik-cli bas s.wav -o s.bas --start 143 --end 65163\n"
         "vornelik-cli hex s.wav -o s.hex --start 143 --end 65163",
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = infoReport("s.wav", c.file, false);
        for (const auto& line : c.lines) {
            EXPECT_NE(("\n" + text).find("\n" + line + "\n"), std::string::npos)
                << "missing: " << line << "\n"
                << text;
        }
        EXPECT_TRUE(text.ends_with("\n" + c.command + "\n")) << text;
        std::size_t warnings = 0;
        for (std::size_t at = 0; (at = text.find("\nWarning: ", at)) != std::string::npos; ++at) {
            ++warnings;
        }
        EXPECT_EQ(warnings, c.warnings);
    }
}

TEST(InfoReport, givesTheSameFactsAsJson) {
    const Bytes file = {128, 128, 200, 60,  128, 129, 128, 128,
                        128, 128, 128, 128, 128, 128, 128, 128};
    EXPECT_EQ(
        infoReport("raw.pcm", file, true),
        R"({"file":"raw.pcm","size":16,"firstBytesHex":"8080c83c808180808080808080808080",)"
        R"("riffWave":false,"riffDeclaredSize":null,"format":null,"chunks":[],"data":null,)"
        R"("samples":{"offset":0,"length":16,"headerless":true,"silenceRule":"unsignedByte"},)"
        R"("durationSeconds":0.002000,)"
        R"("problems":["The file does not start with \"RIFF\": it is not a RIFF WAVE file."],)"
        R"("notes":[],)"
        R"("warnings":["The file is not RIFF WAVE: every byte is taken as an 8-bit sample, )"
        R"(header or not."],)"
        R"("suggestion":{"start":1,"end":11,"basis":"sound","firstSoundByte":2,"lastSoundByte":3,)"
        R"("firstByteOutOfReach":false,"shortened":false,"silenceThreshold":2},)"
        R"("budget":{"flashBytes":65536,"programBytes":512,"qualities":[)"
        R"({"quality":"good","tableLines":1,"tableBytes":10,"playedValues":11,)"
        R"("microsecondsPerValue":125,"secondsPlayed":0.001375,"fits":true,"spareBytes":65014},)"
        R"({"quality":"poor","tableLines":0,"tableBytes":0,"playedValues":6,)"
        R"("microsecondsPerValue":250,"secondsPlayed":0.001500,"fits":true,"spareBytes":65024}]},)"
        R"("hexBudget":{"programBytes":68,"tableRoomBytes":65468,"qualities":[)"
        R"({"quality":"good","tableLines":1,"tableBytes":10,"playedValues":10,)"
        R"("microsecondsPerValue":125,"secondsPlayed":0.001250,"fits":true,"spareBytes":65458},)"
        R"({"quality":"poor","tableLines":0,"tableBytes":0,"playedValues":0,)"
        R"("microsecondsPerValue":250,"secondsPlayed":0.000000,"fits":true,"spareBytes":65468}]},)"
        R"("next":"bas","command":"vornelik-cli bas raw.pcm -o raw.bas --start 1 --end 11",)"
        R"("hexCommand":"vornelik-cli hex raw.pcm -o raw.hex --start 1 --end 11"})"
        "\n");

    const Bytes wave = riffWave({fmt40({1, 2, 44100, 16}, 1, 16, 3), chunk("da\nt", {1, 2, 3}),
                                 chunk("data", filled(4, 0x40))});
    const std::string json = infoReport("ses\t\"1\"\\\xC3\xBC\xFF.wav", wave, true);
    for (const std::string fragment : {
             R"("file":"ses\t\"1\"\\ü\ufffd.wav")",
             R"("id":"da?t","idHex":"64610a74")",
             R"("encodingTag":1,"encoding":"PCM","channels":2,"sampleRate":44100)",
             R"("validBitsPerSample":16,"channelMask":3,"standardSubFormat":true)",
             R"("next":"convert","command":"vornelik-cli convert 'ses\t\"1\"\\ü\ufffd.wav' )"
             R"(-o 'ses\t\"1\"\\ü\ufffd-8k.wav'")",
         }) {
        EXPECT_NE(json.find(fragment), std::string::npos) << fragment << "\n" << json;
    }
    EXPECT_EQ(json.find_first_of(std::string("\x00\x01\t\n\r\x1f", 6)), json.size() - 1);
}

TEST(InfoReport, escapesJsonStrings) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain", R"("plain")"},
        {"", R"("")"},
        {"a\"b\\c/d", R"("a\"b\\c/d")"},
        {"\b\f\n\r\t", R"("\b\f\n\r\t")"},
        {std::string("\x00\x01\x1f\x7f", 4), "\"\\u0000\\u0001\\u001f\x7f\""},
        {"ses dosyası \xF0\x9F\x94\x8A", "\"ses dosyası \xF0\x9F\x94\x8A\""},
        {"\xFF", R"("\ufffd")"},
        {"a\xC5", R"("a\ufffd")"},                              // sequence cut by the end
        {"\xC5x", R"("\ufffdx")"},                              // continuation missing
        {"\xC0\xAF", R"("\ufffd\ufffd")"},                      // overlong
        {"\xED\xA0\x80", R"("\ufffd\ufffd\ufffd")"},            // surrogate
        {"\xF4\x90\x80\x80", R"("\ufffd\ufffd\ufffd\ufffd")"},  // beyond U+10FFFF
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(jsonString(text), expected);
    }
}

TEST(InfoReport, quotesPathsForTheShellAndNamesTheProgram) {
    const std::pair<std::string, std::string> quoted[] = {
        {"ses.wav", "ses.wav"},
        {"dir/a-b_c+1,2:3@4%5=6.wav", "dir/a-b_c+1,2:3@4%5=6.wav"},
        {"my sound.wav", "'my sound.wav'"},
        {"it's.wav", "'it'\\''s.wav'"},
        {"$(rm -rf ~).wav", "'$(rm -rf ~).wav'"},
        {"şarkı.wav", "'şarkı.wav'"},
        {"-x.wav", "./-x.wav"},
        {"-x y.wav", "'./-x y.wav'"},
        {"", "''"},
    };
    for (const auto& [path, expected] : quoted) {
        EXPECT_EQ(shellQuotePath(path), expected);
    }
    const std::pair<std::string, std::string> programs[] = {
        {"ses.wav", "ses.bas"},     {"ses.WAV", "ses.bas"},           {"ses", "ses.bas"},
        {"a.b/ses", "a.b/ses.bas"}, {"dir\\ses.wav", "dir\\ses.bas"}, {".wav", ".wav.bas"},
        {"ses.bas", "ses.bas.bas"}, {"ses.BAS", "ses.BAS.bas"},       {"x.tar.wav", "x.tar.bas"},
    };
    for (const auto& [sound, expected] : programs) {
        EXPECT_EQ(programNameFor(sound), expected);
    }
}

}  // namespace
}  // namespace vornelik
