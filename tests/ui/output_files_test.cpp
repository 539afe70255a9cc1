// SPDX-License-Identifier: MIT
// Writing the program and include files from the window, byte for byte.

#include <gtest/gtest.h>

#include <sstream>

#include "form_harness.h"
#include "support/sound_fixture.h"
#include "support/user_texts.h"

namespace vornelik {
namespace {

using shown::kIncludeWritten;
using shown::kProgramWritten;

// The platform's files, except that every output fails as a full disk does at the last step.
class FullDisk : public ForwardingFileSystem {
  public:
    FullDisk() : ForwardingFileSystem(makeSystemFileSystem(1254)) {}

    std::unique_ptr<OutputFile> createOutput(const std::string&) override {
        struct Failing : OutputFile {
            void write(std::string_view) override {}
            void writeBytes(std::string_view) override {}
            void commit() override { throw std::runtime_error("no space left on device"); }
        };
        return std::make_unique<Failing>();
    }
};

std::string soundText() {
    return {kSoundBytes.begin(), kSoundBytes.end()};
}

// The 26-byte sound open, the end trimmed to 25, a quality chosen and the check passed.
struct Checked : Harness {
    Checked(bool poor, LocaleFacts locale) : Harness(std::move(locale)) { prepare(poor); }
    Checked(bool poor, std::unique_ptr<FileSystem> files)
        : Harness(std::move(files), commaLocale()) {
        prepare(poor);
    }

    void prepare(bool poor) {
        openSound(soundText());
        type(Control::Text2, "25");
        click(poor ? Control::Command5 : Control::Command1);
        click(Control::Command6);
        if (!messages.prompts.empty() || !window.isEnabled(Control::Command3)) {
            ADD_FAILURE() << "the check did not pass";
        }
    }

    // Answers the Save dialog with a file in the test folder and presses the button.
    void save(Control command, const std::string& name) {
        dialog.answer(folder.path(name));
        click(command);
    }
};

struct FileCase {
    bool poor;
    LocaleFacts locale;
    const char* expected;
};

TEST(OutputFiles, ProgramFile) {
    const FileCase cases[] = {
        {false, commaLocale(), "program_good_0_25.bas"},
        {false, pointLocale(), "program_good_0_25.bas"},
        {true, commaLocale(), "program_poor_0_25_comma.bas"},
        {true, pointLocale(), "program_poor_0_25_point.bas"},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.expected + std::string(" ") + c.locale.decimalSeparator);
        Checked h(c.poor, c.locale);
        h.save(Control::Command3, "out.bas");
        EXPECT_EQ(h.dialog.shown.back(), "save proton basic dosyaları|*.bas");
        EXPECT_EQ(h.folder.read("out.bas"), expectedFile(c.expected));
        EXPECT_EQ(h.text(Control::mesaj), kProgramWritten);
        EXPECT_EQ(h.enabledFlags(), "00111111");
        EXPECT_EQ(h.form.currentCheckState(), 2);
    }
}

TEST(OutputFiles, IncludeFileInTheCodePage) {
    const FileCase cases[] = {
        {false, commaLocale(), "include_good_0_25.1254.inc"},
        {false, pointLocale(), "include_good_0_25.1252.inc"},
        {true, commaLocale(), "include_poor_0_25.1254.inc"},
        {true, pointLocale(), "include_poor_0_25.1252.inc"},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.expected);
        Checked h(c.poor, c.locale);
        h.save(Control::Command4, "out.inc");
        EXPECT_EQ(h.dialog.shown.back(), "save inc dosyaları|*.inc");
        EXPECT_EQ(h.folder.read("out.inc"), expectedFile(c.expected));
        EXPECT_EQ(h.text(Control::mesaj), kIncludeWritten);
        EXPECT_EQ(h.enabledFlags(), "01000000");
        EXPECT_EQ(h.form.currentCheckState(), 1);

        // The editing is over: typing reaches neither box.
        h.type(Control::Text1, "1");
        EXPECT_EQ(h.text(Control::Text1), "0");
    }
}

TEST(OutputFiles, AProgramFileReplacesAnExistingOne) {
    Checked h(false, commaLocale());
    h.folder.write("out.bas", std::string(5000, 'x'));
    h.save(Control::Command3, "out.bas");
    EXPECT_EQ(h.folder.read("out.bas"), expectedFile("program_good_0_25.bas"));
}

TEST(OutputFiles, TheProgramAfterTheIncludeHasTheSameTable) {
    Checked h(true, commaLocale());
    h.save(Control::Command4, "out.inc");
    h.save(Control::Command3, "out.bas");
    EXPECT_EQ(h.folder.read("out.bas"), expectedFile("program_poor_0_25_comma.bas"));
    EXPECT_EQ(h.enabledFlags(), "00000000");
}

TEST(OutputFiles, CancelWritesAndChangesNothing) {
    for (const Control command : {Control::Command3, Control::Command4}) {
        Checked h(false, commaLocale());
        const std::string message = h.text(Control::mesaj);
        h.dialog.cancel();
        h.click(command);
        EXPECT_EQ(h.folder.files(), std::vector<std::string>{"sound.wav"});
        EXPECT_EQ(h.enabledFlags(), "01111111");
        EXPECT_EQ(h.text(Control::mesaj), message);
        EXPECT_EQ(h.form.currentCheckState(), 2);
    }
}

// A path below a regular file cannot be created, even by root.
TEST(OutputFiles, AFileThatCannotBeCreatedLeavesNothingAndCanBeTriedAgain) {
    for (const Control command : {Control::Command3, Control::Command4}) {
        Checked h(false, commaLocale());
        const std::string message = h.text(Control::mesaj);
        h.folder.write("plain", "keep");
        h.save(command, "plain/out.bas");
        EXPECT_EQ(h.folder.files(), (std::vector<std::string>{"plain", "sound.wav"}));
        EXPECT_EQ(h.folder.read("plain"), "keep");
        EXPECT_TRUE(h.messages.prompts.empty());
        EXPECT_EQ(h.enabledFlags(), "01111111");
        EXPECT_EQ(h.text(Control::mesaj), message);

        h.save(command, "out");
        EXPECT_EQ(h.folder.files(), (std::vector<std::string>{"out", "plain", "sound.wav"}));
    }
}

// A file that cannot be completed is no success: no message, the button stays for another try.
TEST(OutputFiles, AFailedCommitIsNoSuccess) {
    for (const Control command : {Control::Command3, Control::Command4}) {
        Checked h(false, std::make_unique<FullDisk>());
        const std::string message = h.text(Control::mesaj);
        h.save(command, "out");
        EXPECT_EQ(h.text(Control::mesaj), message);
        EXPECT_EQ(h.enabledFlags(), "01111111");
        EXPECT_EQ(h.form.currentCheckState(), 2);
    }
}

TEST(OutputFiles, ARangeShorterThanALineEndsWithTheLabel) {
    Harness h(pointLocale());
    h.openSound(std::string(9, '\x80'));
    h.click(Control::Command1);
    h.click(Control::Command6);
    h.dialog.answer(h.folder.path("short.bas"));
    h.click(Control::Command3);
    const std::string written = h.folder.read("short.bas");
    EXPECT_TRUE(written.ends_with("GoTo oku\r\nses:\r\n")) << written;
}

// A folder path far over Windows' old limit of 260 characters: both files are written whole and
// nothing is left beside them.
TEST(OutputFiles, AFolderPathOfAnyLength) {
    std::string folder;
    for (int level = 0; level < 6; ++level) {
        folder += std::string(60, static_cast<char>('k' + level)) + "/";
    }
    for (const Control command : {Control::Command3, Control::Command4}) {
        Checked h(false, commaLocale());
        std::filesystem::create_directories(h.folder.path(folder));
        ASSERT_GT(h.folder.path(folder).size(), 300u);
        h.save(command, folder + "out");
        EXPECT_EQ(h.folder.read(folder + "out"),
                  expectedFile(command == Control::Command3 ? "program_good_0_25.bas"
                                                            : "include_good_0_25.1254.inc"));
        // With the file gone the folder is empty: a folder with anything left in it stays.
        std::filesystem::remove(h.folder.path(folder + "out"));
        std::error_code error;
        EXPECT_TRUE(std::filesystem::remove(h.folder.path(folder), error)) << error.message();
    }
}

// Offsets with fractions are reckoned in IEEE doubles on every build, so that the loop's limit
// has the same last digits and a size that rounds below zero is refused alike.
TEST(OutputFiles, FractionalRangesAreReckonedAlike) {
    struct FractionCase {
        const char* start;
        const char* end;
        const char* line10;  // empty: refused, the memory size below zero
    };
    const FractionCase cases[] = {
        {"0", "0.1", "For sayi=0 To 0.100000000000023 Step 1 "},
        {"0.3", "0.3", ""},
        {"0.1", "0.3", "For sayi=0 To 0.199999999999955 Step 1 "},
        {"0.2", "0.7", "For sayi=0 To 0.500000000000045 Step 1 "},
        {"1.1", "2.2", "For sayi=0 To 1.10000000000005 Step 1 "},
        {"0.7", "100.3", "For sayi=0 To 99.6 Step 1 "},
        {"3.3", "9.9", "For sayi=0 To 6.59999999999998 Step 1 "},
        {"0.1", "0.2", "For sayi=0 To 0.100000000000045 Step 1 "},
        {"2.675", "4.35", "For sayi=0 To 1.67500000000002 Step 1 "},
        {"1.7", "1.7", "For sayi=0 To 49960036108132E-27 Step 1 "},
        {"0.1", "0.1", "For sayi=0 To 229954943975486E-28 Step 1 "},
        {"10.2", "10.9", "For sayi=0 To 0.700000000000001 Step 1 "},
    };
    for (const FractionCase& c : cases) {
        SCOPED_TRACE(c.start + std::string(" ") + c.end);
        Harness h(pointLocale());
        h.openSound(std::string(900, '\x80'));
        h.type(Control::Text1, c.start);
        h.type(Control::Text2, c.end);
        h.click(Control::Command1);
        h.click(Control::Command6);
        if (std::string_view(c.line10).empty()) {
            EXPECT_EQ(h.messages.prompts,
                      std::vector<std::string>{std::string(shown::kBrokenRules[3])});
            continue;
        }
        ASSERT_TRUE(h.messages.prompts.empty()) << h.messages.prompts.front();
        h.dialog.answer(h.folder.path("out.bas"));
        h.click(Control::Command3);
        std::istringstream lines(h.folder.read("out.bas"));
        std::string line;
        for (int i = 0; i < 10; ++i) {
            std::getline(lines, line);
        }
        EXPECT_EQ(line, std::string(c.line10) + "\r");
    }
}

}  // namespace
}  // namespace vornelik
