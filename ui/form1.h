// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/sample_table.h"
#include "core/sound_data.h"
#include "files/window_files.h"
#include "ui/common_dialog.h"
#include "ui/controls.h"
#include "ui/form_report.h"
#include "ui/locale_facts.h"
#include "ui/msg_box.h"

namespace vornelik {

// The program's one window: its handlers, named control, underscore, event, each running its
// steps in order on the controls and the four form-level variables. It holds no widgets: a face
// shows the controls, forwards their events through Click and Change, and runs Form_Load once
// after creating them.
class Form1 {
  public:
    Form1(ControlSurface& controls, CommonDialog& commonDialog, MsgBox& messageBox,
          WindowFiles& files, LocaleFacts locale, FormReport& report = FormReport::nobody());

    void Form_Load();
    void Command2_Click();
    void Command1_Click();
    void Command5_Click();
    void Command6_Click();
    void Text1_Change();
    void Text2_Change();
    void Command3_Click();
    void Command4_Click();

    // An event of a control, as a face forwards it; events without a handler do nothing.
    void Click(Control control);
    void Change(Control control);

    // The form-level variables, for looking at.
    // The sound as read, held whole or read in pieces, and the 0 after it.
    SoundBytes currentSound() const { return soundData.bytes(); }
    Quality currentQuality() const { return quality; }
    std::uint8_t currentCheckState() const { return checkState; }
    std::int32_t currentTableIndex() const { return tableIndex; }
    const LocaleFacts& locale() const { return locale_; }

  private:
    void readSoundData();
    void chooseQuality(Quality chosen, std::string_view message);
    void reportBrokenRule(std::string_view message);
    using OutputWriter = void (*)(TextSink&, const TableSource&, std::string_view memorySizeText,
                                  std::string_view decimalSeparator, std::int32_t& tableIndex);
    void saveOutputFile(std::string_view filter, OutputWriter write);
    std::string realText(double value) const;

    // The designer's names, kept; each one's role in the window:
    CommandButton Command2;  // "ses dosyası aç": opens the sound
    Label yer;               // the opened sound's path, beside "dosya yeri"
    Label boyut;             // its size in bytes, beside "dosya boyutu"
    CommandButton Command3;  // "bas dosyası oluştur": writes the program file
    CommandButton Command4;  // "inc dosyası oluştur": writes the include file
    TextBox Text1;           // the start offset, under "baslangıç"
    TextBox Text2;           // the end offset, under "bitiş"
    CommandButton Command1;  // "iyi kalite cok yer": good quality, every byte
    CommandButton Command5;  // "kotu kalite az yer": poor quality, every second byte
    Label Label9;            // the table's memory size, beside "pic hafiza"
    CommandButton Command6;  // "kontrol et": checks the range
    Label mesaj;             // the message panel

    CommonDialog& CommonDialog1;
    MsgBox& messageBox_;
    WindowFiles& files_;
    const LocaleFacts locale_;
    FormReport& report_;

    SoundData soundData;
    Quality quality = Quality::good;
    std::uint8_t checkState = 0;
    std::int32_t tableIndex = 0;
};

}  // namespace vornelik
