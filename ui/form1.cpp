// SPDX-License-Identifier: MIT
#include "ui/form1.h"

#include "core/failure.h"
#include "core/include_writer.h"
#include "core/longest_sound.h"
#include "core/numeric_text.h"
#include "core/program_writer.h"
#include "ui/form_texts.h"

namespace vornelik {
namespace {

std::int32_t soundLength(std::string_view name, std::int64_t length) {
    if (length < 0 || length > kLongestSound) {
        throw Failure(tooLongForASound(name));
    }
    return static_cast<std::int32_t>(length);
}

std::string sizeCaption(std::int32_t length) {
    return integerToText(length) + " byte";
}

// Reads the first text, then the second.
bool isBelow(const std::string& first, const std::string& second) {
    const double left = Val(first);
    const double right = Val(second);
    return left < right;
}

}  // namespace

Form1::Form1(ControlSurface& controls, CommonDialog& commonDialog, MsgBox& messageBox,
             WindowFiles& files, LocaleFacts locale, FormReport& report)
    : Command2(controls, Control::Command2),
      yer(controls, Control::yer),
      boyut(controls, Control::boyut),
      Command3(controls, Control::Command3),
      Command4(controls, Control::Command4),
      Text1(controls, Control::Text1),
      Text2(controls, Control::Text2),
      Command1(controls, Control::Command1),
      Command5(controls, Control::Command5),
      Label9(controls, Control::Label9),
      Command6(controls, Control::Command6),
      mesaj(controls, Control::mesaj),
      CommonDialog1(commonDialog),
      messageBox_(messageBox),
      files_(files),
      locale_(std::move(locale)),
      report_(report) {}

void Form1::Click(Control control) {
    switch (control) {
        case Control::Command2:
            return Command2_Click();
        case Control::Command1:
            return Command1_Click();
        case Control::Command5:
            return Command5_Click();
        case Control::Command6:
            return Command6_Click();
        case Control::Command3:
            return Command3_Click();
        case Control::Command4:
            return Command4_Click();
        default:
            return;
    }
}

void Form1::Change(Control control) {
    if (control == Control::Text1) {
        Text1_Change();
    } else if (control == Control::Text2) {
        Text2_Change();
    }
}

void Form1::Form_Load() {
    Command1.setEnabled(false);
    Command3.setEnabled(false);
    Command4.setEnabled(false);
    Command5.setEnabled(false);
    Command6.setEnabled(false);
    Text1.setEnabled(false);
    Text2.setEnabled(false);
    checkState = 1;
    mesaj.setCaption(texts::kStartMessage);
}

void Form1::Command2_Click() {
    CommonDialog1.setCancelError(true);
    try {
        CommonDialog1.setFilter(texts::kSoundFilter);
        CommonDialog1.showOpen();
        yer.setCaption(CommonDialog1.fileName());
        const std::string name = CommonDialog1.fileName();
        boyut.setCaption(sizeCaption(soundLength(name, files_.fileLength(name))));
        Command1.setEnabled(true);
        Command5.setEnabled(true);
        Text1.setEnabled(true);
        Text2.setEnabled(true);
        Text2.setText(realText(Val(boyut.caption())));
        mesaj.setCaption(texts::kSetRangeMessage);
        Command2.setEnabled(false);
        readSoundData();
    } catch (const std::exception& failure) {
        // Cancel or a failure ends the command silently; what it did so far stays done.
        report_.failed(failure);
    }
}

// The window works with the bytes the file holds when it is read. A file cut short, grown or
// gone since it was measured shows its size and end offset again as read, so that the check
// and the tables agree with soundData; with nothing read the user may choose another file.
void Form1::readSoundData() {
    soundData = SoundData();
    bool read = true;
    try {
        soundData = files_.openSound(yer.caption(), kLongestSound);
    } catch (const std::exception& failure) {
        soundData = SoundData(std::vector<std::uint8_t>{0});
        read = false;
        report_.failed(failure);
    }
    const auto length = static_cast<std::int32_t>(soundData.size() - 1);
    const bool asMeasured = Val(boyut.caption()) == length;
    if (!asMeasured) {
        boyut.setCaption(sizeCaption(length));
        Text2.setText(realText(Val(boyut.caption())));
        mesaj.setCaption(texts::kSetRangeMessage);
        Command2.setEnabled(length == 0);
    }
    if (read) {
        report_.soundOpened(length);
    }
}

void Form1::Command1_Click() {
    chooseQuality(Quality::good, texts::kGoodQualityMessage);
}

void Form1::Command5_Click() {
    chooseQuality(Quality::poor, texts::kPoorQualityMessage);
}

void Form1::chooseQuality(Quality chosen, std::string_view message) {
    try {
        Command6.setEnabled(true);
        quality = chosen;

        // The end offset, as size - (size - end), goes through Label9's text and is read back
        // from it: written with a comma, a fraction is lost on the way.
        const double size = Val(boyut.caption());
        const double end = Val(Text2.text());
        const double sizeAgain = Val(boyut.caption());
        Label9.setCaption(realText(requireFinite(sizeAgain - (size - end))));

        const double start = Val(Text1.text());
        const double shownEnd = Val(Label9.caption());
        const double samples = chosen == Quality::good ? shownEnd - start : (shownEnd - start) / 2;
        Label9.setCaption(realText(requireFinite(samples)) + "  byte");

        mesaj.setCaption(message);
    } catch (const std::exception& failure) {
        // A number too large for a real stops the choice at that step; the program goes on.
        report_.failed(failure);
    }
}

void Form1::Command6_Click() {
    try {
        checkState = 2;
        if (isBelow(Text2.text(), Text1.text())) {
            reportBrokenRule(texts::kStartAfterEnd);
        }
        if (isBelow(boyut.caption(), Text2.text())) {
            reportBrokenRule(texts::kEndBeyondFile);
        }
        if (Val(Text1.text()) < 0) {
            reportBrokenRule(texts::kStartBelowZero);
        }
        if (Val(Label9.caption()) < 0) {
            reportBrokenRule(texts::kMemoryBelowZero);
        }
        if (isBelow(boyut.caption(), Label9.caption())) {
            reportBrokenRule(texts::kMemoryBeyondFile);
        }
        if (checkState == 2) {
            Command3.setEnabled(true);
            Command4.setEnabled(true);
            mesaj.setCaption(texts::kCheckPassedMessage);
            report_.checkPassed();
        }
    } catch (const std::exception& failure) {
        // A number too large for a real stops the check at that rule; the program goes on.
        report_.failed(failure);
    }
}

void Form1::reportBrokenRule(std::string_view message) {
    messageBox_.show(message);
    checkState = 1;
    report_.ruleBroken(message);
}

void Form1::Text1_Change() {
    Command6.setEnabled(false);
    mesaj.setCaption(texts::kStartEditedMessage);
    Command3.setEnabled(false);
    Command4.setEnabled(false);
}

void Form1::Text2_Change() {
    Command6.setEnabled(false);
    mesaj.setCaption(texts::kEndEditedMessage);
    Command3.setEnabled(false);
    Command4.setEnabled(false);
}

void Form1::Command3_Click() {
    CommonDialog1.setCancelError(true);
    try {
        saveOutputFile(texts::kProgramFilter, writeProgram);
        mesaj.setCaption(texts::kProgramWrittenMessage);
        Command3.setEnabled(false);
        report_.fileWritten();
    } catch (const std::exception& failure) {
        // Cancel or a failure ends the command silently; nothing appears under the chosen name.
        report_.failed(failure);
    }
}

void Form1::Command4_Click() {
    CommonDialog1.setCancelError(true);
    try {
        saveOutputFile(texts::kIncludeFilter, writeInclude);
        Command1.setEnabled(false);
        Command4.setEnabled(false);
        Command5.setEnabled(false);
        Command6.setEnabled(false);
        Text1.setEnabled(false);
        Text2.setEnabled(false);
        checkState = 1;
        mesaj.setCaption(texts::kIncludeWrittenMessage);
        report_.fileWritten();
    } catch (const std::exception& failure) {
        // Cancel or a failure ends the command silently and leaves every control as it was.
        report_.failed(failure);
    }
}

// Asks where to save, then writes the whole file there from the range, quality and memory size
// the controls hold now. The file appears only once it is complete.
void Form1::saveOutputFile(std::string_view filter, OutputWriter write) {
    CommonDialog1.setFilter(filter);
    CommonDialog1.showSave();
    const auto file = files_.createOutput(CommonDialog1.fileName());
    const std::string start = Text1.text();
    const std::string end = Text2.text();
    const std::string memorySize = Label9.caption();
    write(*file, {soundData.bytes(), quality, start, end}, memorySize, locale_.decimalSeparator,
          tableIndex);
    file->commit();
}

std::string Form1::realText(double value) const {
    return realToText(value, locale_.decimalSeparator);
}

}  // namespace vornelik
