// SPDX-License-Identifier: MIT
// Choosing a quality, the program-memory size in Label9, the five-rule check, and withdrawing it
// when the range is edited.

#include <gtest/gtest.h>

#include "form_harness.h"
#include "support/user_texts.h"

namespace vornelik {
namespace {

using namespace shown;

// The rules broken in one press, by number: "14" for rules 1 and 4.
std::string brokenRules(const std::vector<std::string>& prompts) {
    std::string numbers;
    for (const std::string& prompt : prompts) {
        numbers +=
            std::to_string(std::find(std::begin(kBrokenRules), std::end(kBrokenRules), prompt) -
                           std::begin(kBrokenRules) + 1);
    }
    return numbers;
}

// A window with a sound of `size` bytes open and the range typed in.
struct Prepared : Harness {
    Prepared(int size, const std::string& start, const std::string& end,
             LocaleFacts locale = commaLocale())
        : Harness(std::move(locale)) {
        openSound(std::string(static_cast<std::size_t>(size), '\x80'));
        type(Control::Text1, start);
        type(Control::Text2, end);
    }
    void choose(bool poor) { click(poor ? Control::Command5 : Control::Command1); }
};

struct MemorySizeCase {
    const char* name;
    int size;
    const char* start;
    const char* end;
    bool poor;
    const char* comma;
    const char* point;
};

TEST(RangeCheck, MemorySizeInBothLocales) {
    const MemorySizeCase cases[] = {
        {"whole, good", 900, "0", "900", false, "900  byte", "900  byte"},
        {"whole, poor", 900, "0", "900", true, "450  byte", "450  byte"},
        {"trimmed, good", 900, "100", "900", false, "800  byte", "800  byte"},
        {"trimmed, poor", 900, "100", "900", true, "400  byte", "400  byte"},
        {"reversed", 900, "500", "100", false, "-400  byte", "-400  byte"},
        {"odd, poor", 901, "0", "901", true, "450,5  byte", "450.5  byte"},
        {"fractional start", 901, "2.5", "901", true, "449,25  byte", "449.25  byte"},
        // The end goes through Label9 as text first: with a comma only its integer part returns.
        {"fractional end", 901, "0", "900.5", false, "900  byte", "900.5  byte"},
        {"blanks and letters", 900, " 1 0x", "9 0", false, "80  byte", "80  byte"},
        {"hexadecimal", 900, "&H10", "&H100", false, "240  byte", "240  byte"},
        {"exponent", 900, "0", "1E308", false, "1E+308  byte", "1E+308  byte"},
    };
    for (const MemorySizeCase& c : cases) {
        for (const auto& [locale, expected] :
             {std::pair{commaLocale(), c.comma}, {pointLocale(), c.point}}) {
            SCOPED_TRACE(std::string(c.name) + " " + locale.decimalSeparator);
            Prepared p(c.size, c.start, c.end, locale);
            p.choose(c.poor);
            EXPECT_EQ(p.text(Control::Label9), expected);
            EXPECT_EQ(p.form.currentQuality(), c.poor ? Quality::poor : Quality::good);
            EXPECT_EQ(p.text(Control::mesaj), c.poor ? kPoorQuality : kGoodQuality);
            EXPECT_EQ(p.enabledFlags(), "00011111");
        }
    }
}

TEST(RangeCheck, TheLastQualityPressWins) {
    Prepared p(900, "0", "900");
    p.click(Control::Command5);
    p.click(Control::Command1);
    EXPECT_EQ(p.form.currentQuality(), Quality::good);
    EXPECT_EQ(p.text(Control::Label9), "900  byte");
}

struct CheckCase {
    const char* name;
    int size;
    const char* start;
    const char* end;
    bool poor;
    const char* broken;
};

TEST(RangeCheck, FiveRules) {
    const CheckCase cases[] = {
        {"whole file", 900, "0", "900", false, ""},
        {"start = end = size", 900, "900", "900", false, ""},
        {"odd range, poor", 901, "0", "901", true, ""},
        {"start after end, good", 900, "500", "100", false, "14"},
        {"start after end, poor", 900, "500", "100", true, "14"},
        {"end one past the size", 900, "0", "901", false, "25"},
        {"end one past, poor", 900, "0", "901", true, "2"},
        {"start -1, end = size", 900, "-1", "900", false, "35"},
        {"start -1, end below size", 900, "-1", "899", false, "3"},
        {"three at once", 900, "-5", "-10", false, "134"},
        {"huge end", 900, "0", "1E308", false, "25"},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        Prepared p(c.size, c.start, c.end);
        p.choose(c.poor);
        const std::string qualityMessage = p.text(Control::mesaj);
        p.click(Control::Command6);

        EXPECT_EQ(brokenRules(p.messages.prompts), c.broken);
        const bool passed = std::string_view(c.broken).empty();
        EXPECT_EQ(p.form.currentCheckState(), passed ? 2 : 1);
        EXPECT_EQ(p.enabledFlags(), passed ? "01111111" : "00011111");
        EXPECT_EQ(p.text(Control::mesaj), passed ? kCheckPassed : qualityMessage);
    }
}

TEST(RangeCheck, EditingWithdrawsAPassedCheck) {
    for (const Control edited : {Control::Text1, Control::Text2}) {
        Prepared p(900, "0", "900");
        p.click(Control::Command1);
        p.click(Control::Command6);
        ASSERT_EQ(p.enabledFlags(), "01111111");

        p.type(edited, "9");
        EXPECT_EQ(p.enabledFlags(), "00011110");
        EXPECT_EQ(p.text(Control::mesaj), edited == Control::Text1 ? kStartEdited : kEndEdited);
        EXPECT_EQ(p.form.currentCheckState(), 2);
        EXPECT_EQ(p.text(Control::Label9), "900  byte");

        // A quality brings the check back, not the output buttons.
        p.click(Control::Command5);
        EXPECT_EQ(p.enabledFlags(), "00011111");
    }
}

TEST(RangeCheck, AQualityAfterAPassedCheckKeepsTheOutputs) {
    Prepared p(900, "100", "900");
    p.click(Control::Command1);
    p.click(Control::Command6);
    p.click(Control::Command5);
    EXPECT_EQ(p.enabledFlags(), "01111111");
    EXPECT_EQ(p.text(Control::Label9), "400  byte");
    EXPECT_EQ(p.form.currentCheckState(), 2);
}

// A number too large for a real stops the handler at that step; the window stays usable.
TEST(RangeCheck, AnOverflowStopsTheHandlerOnly) {
    Prepared p(900, "0", "9E999");
    p.click(Control::Command1);
    EXPECT_EQ(p.form.currentQuality(), Quality::good);
    EXPECT_EQ(p.text(Control::Label9), "");
    EXPECT_EQ(p.text(Control::mesaj), kEndEdited);
    EXPECT_TRUE(p.window.isEnabled(Control::Command6));

    p.click(Control::Command6);
    EXPECT_TRUE(p.messages.prompts.empty());
    EXPECT_EQ(p.enabledFlags(), "00011111");

    p.type(Control::Text2, "900");
    p.click(Control::Command5);
    EXPECT_EQ(p.text(Control::Label9), "450  byte");
}

TEST(RangeCheck, AnOverflowInTheStartStopsAtTheSecondReading) {
    Prepared p(900, "9E999", "900");
    p.click(Control::Command1);
    EXPECT_EQ(p.text(Control::Label9), "900");
    EXPECT_EQ(p.text(Control::mesaj), kEndEdited);
}

}  // namespace
}  // namespace vornelik
