// SPDX-License-Identifier: MIT
// The window as the user first sees it, and opening the sound file.

#include <gtest/gtest.h>

#include "form_harness.h"
#include "support/held_sound.h"
#include "support/user_texts.h"

namespace vornelik {
namespace {

using shown::kSetRange;
using shown::kStart;

// The platform's files, except that the length of a file is not what reading it gives.
class MisreportingFiles : public ForwardingFileSystem {
  public:
    enum class Fault { reportsMore, vanishesAfterMeasuring };
    explicit MisreportingFiles(Fault fault)
        : ForwardingFileSystem(makeSystemFileSystem(1254)), fault_(fault) {}

    std::int64_t fileLength(const std::string& path) override {
        const std::int64_t length = inner().fileLength(path);
        if (fault_ == Fault::vanishesAfterMeasuring) {
            std::filesystem::remove(path);
            return length;
        }
        return length + 4000;
    }

  private:
    Fault fault_;
};

TEST(FormStart, OnlyTheOpenButtonTakesInputAndTheStartMessageShows) {
    Harness h;
    EXPECT_EQ(h.enabledFlags(), "10000000");
    EXPECT_EQ(h.text(Control::Text1), "0");
    EXPECT_EQ(h.text(Control::Text2), "0");
    EXPECT_EQ(h.text(Control::yer), "");
    EXPECT_EQ(h.text(Control::boyut), "");
    EXPECT_EQ(h.text(Control::Label9), "");
    EXPECT_EQ(h.text(Control::Command2), "ses dosyası aç");
    EXPECT_EQ(h.text(Control::mesaj), kStart);
    EXPECT_EQ(h.form.currentCheckState(), 1);
    EXPECT_EQ(h.form.currentQuality(), Quality::good);
    EXPECT_TRUE(bytesOf(h.form.currentSound()).empty());
    EXPECT_EQ(h.form.currentTableIndex(), 0);

    // Disabled controls take nothing.
    h.click(Control::Command1);
    h.click(Control::Command6);
    h.type(Control::Text1, "5");
    EXPECT_EQ(h.text(Control::Text1), "0");
    EXPECT_EQ(h.text(Control::mesaj), kStart);
    EXPECT_TRUE(h.messages.prompts.empty());
}

TEST(FormStart, CancelLeavesEverythingAsItWas) {
    Harness h;
    h.dialog.cancel();
    h.click(Control::Command2);
    EXPECT_EQ(h.dialog.shown, std::vector<std::string>{"open ses dosyaları|*.wav"});
    EXPECT_EQ(h.enabledFlags(), "10000000");
    EXPECT_EQ(h.text(Control::mesaj), kStart);
    EXPECT_EQ(h.text(Control::yer), "");
    EXPECT_TRUE(h.messages.prompts.empty());
}

TEST(FormStart, OpeningASoundShowsItAndHoldsItsBytesAndOneZero) {
    for (const int length : {900, 0, 123456}) {
        SCOPED_TRACE(length);
        Harness h;
        std::string bytes(static_cast<std::size_t>(length), '\0');
        for (int i = 0; i < length; ++i) {
            bytes[static_cast<std::size_t>(i)] = static_cast<char>((i * 7 + 3) % 256);
        }
        h.openSound(bytes);
        const std::string size = std::to_string(length);
        EXPECT_EQ(h.text(Control::yer), h.folder.path("sound.wav"));
        EXPECT_EQ(h.text(Control::boyut), size + " byte");
        EXPECT_EQ(h.text(Control::Text2), size);
        EXPECT_EQ(h.text(Control::Text1), "0");
        EXPECT_EQ(h.enabledFlags(), "00011110");
        EXPECT_EQ(h.text(Control::mesaj), kSetRange);
        const std::vector<std::uint8_t> data = bytesOf(h.form.currentSound());
        ASSERT_EQ(data.size(), bytes.size() + 1);
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), data.begin(),
                               [](char a, std::uint8_t b) { return std::uint8_t(a) == b; }));
        EXPECT_EQ(data.back(), 0);
        EXPECT_EQ(h.form.currentCheckState(), 1);

        // "ses dosyası aç" is disabled for good: a second open is impossible.
        h.click(Control::Command2);
        EXPECT_EQ(h.dialog.shown.size(), 1u);
    }
}

// A typed key beyond five characters is refused; a longer text the program set shows whole.
TEST(FormStart, TypingIsLimitedToFiveCharacters) {
    Harness h;
    h.openSound(std::string(123456, 'x'));
    EXPECT_EQ(h.text(Control::Text2), "123456");
    h.type(Control::Text1, "abc-+9x");
    EXPECT_EQ(h.text(Control::Text1), "abc-+");
    h.type(Control::Text1, "çış");
    EXPECT_EQ(h.text(Control::Text1), "çış");
}

TEST(FormStart, AMissingFileStopsAfterShowingItsPath) {
    Harness h;
    const std::string missing = h.folder.path("gone.wav");
    h.dialog.answer(missing);
    h.click(Control::Command2);
    EXPECT_EQ(h.text(Control::yer), missing);
    EXPECT_EQ(h.text(Control::boyut), "");
    EXPECT_EQ(h.enabledFlags(), "10000000");
    EXPECT_EQ(h.text(Control::mesaj), kStart);
}

// What was read is what the window shows and uses, so the check and the tables agree with it.
TEST(FormStart, AFileShorterThanItsLengthIsTakenAsRead) {
    Harness h(std::make_unique<MisreportingFiles>(MisreportingFiles::Fault::reportsMore),
              commaLocale());
    h.openSound(std::string(21, 'a'));
    EXPECT_EQ(h.text(Control::boyut), "21 byte");
    EXPECT_EQ(h.text(Control::Text2), "21");
    EXPECT_EQ(h.text(Control::mesaj), kSetRange);
    std::vector<std::uint8_t> expected(21, 'a');
    expected.push_back(0);
    EXPECT_EQ(bytesOf(h.form.currentSound()), expected);
    EXPECT_EQ(h.enabledFlags(), "00011110");
}

#ifdef __linux__
// A kernel file that reports 4096 bytes and holds a few.
TEST(FormStart, AKernelFileIsTakenAsRead) {
    const std::string kernelFile = "/sys/devices/system/cpu/online";
    std::error_code error;
    if (std::filesystem::file_size(kernelFile, error) != 4096) {
        GTEST_SKIP() << "no file here whose length and content disagree";
    }
    Harness h;
    h.dialog.answer(kernelFile);
    h.click(Control::Command2);
    const std::size_t held = bytesOf(h.form.currentSound()).size() - 1;
    EXPECT_GT(held, 0u);
    EXPECT_LT(held, 4096u);
    EXPECT_EQ(h.text(Control::boyut), std::to_string(held) + " byte");
    EXPECT_EQ(h.enabledFlags(), "00011110");
}
#endif

TEST(FormStart, AFileGoneBeforeItIsReadLetsTheUserChooseAgain) {
    Harness h(std::make_unique<MisreportingFiles>(MisreportingFiles::Fault::vanishesAfterMeasuring),
              commaLocale());
    h.openSound(std::string(900, 'a'));
    EXPECT_EQ(h.text(Control::boyut), "0 byte");
    EXPECT_EQ(h.text(Control::Text2), "0");
    EXPECT_EQ(bytesOf(h.form.currentSound()), std::vector<std::uint8_t>{0});
    EXPECT_EQ(h.enabledFlags(), "10011110");

    h.openSound(std::string(30, 'b'));
    EXPECT_EQ(h.dialog.shown.size(), 2u);
}

}  // namespace
}  // namespace vornelik
