// SPDX-License-Identifier: MIT
// preview: the WAV holds exactly the table inc writes, at the rate the program plays it.

#include <gtest/gtest.h>

#include <sstream>

#include "core/riff.h"
#include "support/command_run.h"
#include "support/test_folder.h"
#include "support/wave_builder.h"

namespace vornelik {
namespace {

using namespace wave_builder;

// The values of the "CDATA  " lines of an output file, read as a person would.
std::vector<std::uint8_t> tableOf(const std::string& file) {
    std::vector<std::uint8_t> values;
    std::istringstream lines(file);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("CDATA  ", 0) != 0) {
            continue;
        }
        std::istringstream fields(line.substr(7));
        for (std::string field; std::getline(fields, field, ',');) {
            values.push_back(static_cast<std::uint8_t>(std::stoi(field)));
        }
    }
    return values;
}

struct PreviewCase {
    const char* name;
    std::vector<std::string> options;  // --start, --end, --quality, --loop-cycles
    std::uint32_t rate;
    std::size_t values;
};

TEST(Preview, holdsTheTableAtThePlayedRate) {
    TestFolder folder;
    Bytes samples(300);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    const Bytes wave = plainWave(samples);
    const std::string sound = folder.write("s.wav", std::string(wave.begin(), wave.end()));

    const PreviewCase cases[] = {
        {"defaults as bas: the whole file, good", {}, 8000, 340},
        {"good", {"--start", "43", "--end", "113"}, 8000, 70},
        {"poor", {"--start", "43", "--end", "113", "--quality", "poor"}, 4000, 30},
        {"texts as the window reads them", {"--start", "&H2B", "--end", "1 1 3"}, 8000, 70},
        {"a start of 2.5 is 2", {"--start", "2.5", "--end", "22"}, 8000, 20},
        {"no loop time", {"--end", "40", "--loop-cycles", "0"}, 10000, 40},
        {"no loop time, poor",
         {"--end", "40", "--quality", "poor", "--loop-cycles", "0"},
         4444,
         20},
        {"shorter than a line", {"--start", "50", "--end", "59"}, 8000, 0},
        {"the HEX player: exactly 8000", {"--end", "40", "--program", "hex"}, 8000, 40},
        {"the HEX player: exactly 4000",
         {"--start", "43", "--end", "113", "--quality", "poor", "--program", "hex"},
         4000,
         30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> preview = {"preview", sound, "-o", folder.path("p.wav")};
        std::vector<std::string> include = {"inc", sound, "-o", folder.path("t.inc")};
        preview.insert(preview.end(), c.options.begin(), c.options.end());
        for (std::size_t i = 0; i < c.options.size(); i += 2) {
            if (c.options[i] != "--loop-cycles" && c.options[i] != "--program") {
                include.push_back(c.options[i]);
                include.push_back(c.options[i + 1]);
            }
        }
        const CommandRun run = runCommand(preview);
        ASSERT_EQ(run.status, kOk) << run.err;
        ASSERT_EQ(runCommand(include).status, kOk);

        const std::string file = folder.read("p.wav");
        const Bytes bytes(file.begin(), file.end());
        const RiffWave read = readRiffWave(bytes);
        ASSERT_TRUE(read.complete());
        EXPECT_TRUE(read.problems.empty());
        EXPECT_EQ(read.data->offset, 44U);
        EXPECT_EQ(read.format->formatTag, wave_tag::pcm);
        EXPECT_EQ(read.format->channels, 1);
        EXPECT_EQ(read.format->bitsPerSample, 8);
        EXPECT_EQ(read.format->sampleRate, c.rate);
        EXPECT_EQ(bytes.size(), 44 + c.values + c.values % 2);

        const std::vector<std::uint8_t> table = tableOf(folder.read("t.inc"));
        EXPECT_EQ(table.size(), c.values);
        const auto data = std::span(bytes).subspan(44, read.data->presentSize);
        EXPECT_TRUE(std::equal(data.begin(), data.end(), table.begin(), table.end()));
    }
}

TEST(Preview, refusesWhatBasRefusesAndLeavesNoFile) {
    TestFolder folder;
    const Bytes wave = plainWave(Bytes(100, 128));
    const std::string sound = folder.write("s.wav", std::string(wave.begin(), wave.end()));
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        int status;
    } cases[] = {
        {"start after end", {"--start", "90", "--end", "50"}, kCheckFailed},
        {"end past the file", {"--end", "1000"}, kCheckFailed},
        {"missing sound", {}, kInputOutput},
        {"standard output", {}, kUsage},
        {"negative loop", {"--loop-cycles", "-1"}, kUsage},
        {"the HEX player has no loop to estimate",
         {"--program", "hex", "--loop-cycles", "20"},
         kUsage},
        {"no such program", {"--program", "asm"}, kUsage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> arguments = {
            "preview", std::string(c.name) == "missing sound" ? folder.path("none.wav") : sound,
            "-o", std::string(c.name) == "standard output" ? "-" : folder.path("p.wav")};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const CommandRun run = runCommand(arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(folder.files(), std::vector<std::string>{"s.wav"});
    }
}

}  // namespace
}  // namespace vornelik
