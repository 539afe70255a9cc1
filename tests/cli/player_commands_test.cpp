// SPDX-License-Identifier: MIT
// hex and asm: the window's checks and messages, the room beside the player, standard output.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/player_program.h"
#include "support/command_run.h"
#include "support/sound_fixture.h"
#include "support/test_folder.h"

namespace vornelik {
namespace {

TEST(PlayerCommands, writeWhatFitsAndRefuseTheRest) {
    TestFolder folder;
    const std::string sound = folder.write("s.raw", std::string(140000, '\x50'));
    // Tables come in lines of ten values: the largest that fits and one line more.
    const std::int64_t largest = playerTableRoom() / 10 * 10;
    const struct {
        const char* name;
        const char* command;
        std::vector<std::string> options;
        int status;
        const char* said;  // on standard error
    } cases[] = {
        {"the largest table", "hex", {"--end", std::to_string(largest)}, kOk, "wrote "},
        {"one line more",
         "hex",
         {"--end", std::to_string(largest + 10)},
         kCheckFailed,
         "bytes of program memory, but the PIC18F4620 has "},
        {"one line more, poor",
         "asm",
         {"--end", std::to_string(2 * largest + 20), "--quality", "poor"},
         kCheckFailed,
         "bytes of program memory, but the PIC18F4620 has "},
        {"the window's check", "asm", {"--start", "90", "--end", "50"}, kCheckFailed, ""},
        {"an empty table", "asm", {"--start", "5", "--end", "9"}, kOk, "wrote "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> arguments = {c.command, sound, "-o", folder.path("out")};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const CommandRun run = runCommand(arguments);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
        EXPECT_EQ(folder.files().size(), c.status == kOk ? 2U : 1U);
        if (c.status == kCheckFailed && *c.said != '\0') {
            // Both sizes: the table's and the room's.
            EXPECT_NE(run.err.find(std::to_string(playerTableRoom())), std::string::npos);
        }
        std::filesystem::remove(folder.path("out"));
    }
}

// GoogleTest reads its capture of standard output back in text mode on Windows, where CR LF
// comes back as LF; tests/win32/command_line_test.cpp checks the program's own bytes there.
std::string asCaptured(std::string text) {
#ifdef _WIN32
    std::erase(text, '\r');
#endif
    return text;
}

// The files the Windows build must write byte for byte too (tests/win32/command_line_test.cpp).
TEST(PlayerCommands, writeTheExpectedFilesToAFileOrStandardOutput) {
    TestFolder folder;
    const std::string soundBytes(kSoundBytes.begin(), kSoundBytes.end());
    const std::string sound = folder.write("ses.wav", soundBytes);
    const struct {
        const char* command;
        const char* quality;
        const char* expected;
    } cases[] = {
        {"hex", "good", "player_good_0_25.hex"},
        {"asm", "poor", "player_poor_0_25.asm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        const CommandRun file = runCommand(
            {c.command, sound, "-o", folder.path("out"), "--end", "25", "--quality", c.quality});
        EXPECT_EQ(file.status, kOk);
        EXPECT_EQ(folder.read("out"), expectedFile(c.expected));
        const CommandRun out =
            runCommand({c.command, sound, "-o", "-", "--end", "25", "--quality", c.quality});
        EXPECT_EQ(out.status, kOk);
        EXPECT_EQ(out.out, asCaptured(expectedFile(c.expected)));
        EXPECT_EQ(out.err, "");
        EXPECT_EQ(runCommand({c.command, sound, "-o", sound}).status, kUsage);
        EXPECT_EQ(folder.read("ses.wav"), soundBytes);
        std::filesystem::remove(folder.path("out"));
    }
}

}  // namespace
}  // namespace vornelik
