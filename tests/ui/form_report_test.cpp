// SPDX-License-Identifier: MIT
// What the handlers tell a listener, step by step, as a user drives the window.

#include <gtest/gtest.h>

#include "form_harness.h"

namespace vornelik {
namespace {

struct Steps {
    const char* name;
    const char* sound;  // nullptr: the Open dialog is cancelled
    const char* end;
    Control quality;
    const char* output;  // nullptr: the Save dialog is cancelled
    const char* trail;
};

TEST(FormReport, TellsWhatEachHandlerDid) {
    const Steps steps[] = {
        {"written", "0123456789abcdef", "10", Control::Command1, "out.bas",
         "opened 16, passed, written"},
        {"poor quality, include file", "0123456789abcdef", "16", Control::Command5, "out.inc",
         "opened 16, passed, written"},
        {"end beyond the file: two rules", "0123456789abcdef", "20", Control::Command1, "out.bas",
         "opened 16, broken, broken"},
        {"a number too large for a real", "0123456789abcdef", "1e999", Control::Command1, "out.bas",
         "opened 16, failed, failed"},
        {"the output is a folder", "0123456789abcdef", "10", Control::Command1, "",
         "opened 16, passed, failed"},
        {"Save cancelled", "0123456789abcdef", "10", Control::Command1, nullptr,
         "opened 16, passed, failed"},
        {"Open cancelled", nullptr, "", Control::Command1, nullptr, "failed"},
    };
    for (const Steps& step : steps) {
        SCOPED_TRACE(step.name);
        Harness window(pointLocale());
        if (step.sound == nullptr) {
            window.dialog.cancel();
            window.click(Control::Command2);
            EXPECT_EQ(window.report.trail, step.trail);
            continue;
        }
        window.openSound(step.sound);
        window.type(Control::Text2, step.end);
        window.click(step.quality);
        window.click(Control::Command6);
        if (step.output == nullptr) {
            window.dialog.cancel();
        } else {
            window.dialog.answer(window.folder.path(step.output));
        }
        window.click(std::string_view(step.output ? step.output : "").ends_with(".inc")
                         ? Control::Command4
                         : Control::Command3);
        EXPECT_EQ(window.report.trail, step.trail);
    }
}

TEST(FormReport, AnUnreadableSoundIsAFailureNotAnOpening) {
    Harness window;
    window.dialog.answer(window.folder.path("missing.wav"));
    window.click(Control::Command2);
    EXPECT_EQ(window.report.trail, "failed");
}

}  // namespace
}  // namespace vornelik
