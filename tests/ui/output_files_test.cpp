// SPDX-License-Identifier: MIT
// Writing the program and include files from the window, byte for byte.

#include <gtest/gtest.h>

#include "core/sound_fixture.h"
#include "form_harness.h"
#include "ui/form_texts.h"

namespace vornelik {
namespace {

using texts::kIncludeWrittenMessage;
using texts::kProgramWrittenMessage;

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
        EXPECT_EQ(h.text(Control::mesaj), kProgramWrittenMessage);
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
        EXPECT_EQ(h.text(Control::mesaj), kIncludeWrittenMessage);
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

}  // namespace
}  // namespace vornelik
