#pragma once

#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "core/sample_table.h"
#include "ui/common_dialog.h"
#include "ui/locale_facts.h"
#include "ui/message_box.h"
#include "ui/range_box.h"

class QLabel;
class QPushButton;

namespace vornelik {

// The program's one window. The controls keep their designer names; the handlers are named
// control, underscore, event, and each runs its steps in order on the controls and the four
// form-level variables.
class Form1 : public QWidget {
  public:
    Form1(CommonDialog& commonDialog, MessageBox& messageBox, LocaleFacts locale,
          QWidget* parent = nullptr);

    // The controls, in tab order.
    QPushButton* const Command2;
    QLabel* const yer;
    QLabel* const Label2;
    QLabel* const Label3;
    QPushButton* const Command3;
    QPushButton* const Command4;
    QLabel* const boyut;
    QLabel* const Label1;
    QLabel* const Label4;
    RangeBox* const Text1;
    QLabel* const Label5;
    RangeBox* const Text2;
    QLabel* const Label6;
    QLabel* const Label7;
    QPushButton* const Command1;
    QPushButton* const Command5;
    QLabel* const Label8;
    QLabel* const Label9;
    QPushButton* const Command6;
    QLabel* const mesaj;

    // The form-level variables, for looking at.
    const std::vector<std::uint8_t>& currentSoundData() const { return soundData; }
    Quality currentQuality() const { return quality; }
    std::uint8_t currentCheckState() const { return checkState; }
    std::int32_t currentTableIndex() const { return tableIndex; }

  private:
    void Form_Load();
    void Command2_Click();
    void Command1_Click();
    void Command5_Click();
    void Command6_Click();
    void Text1_Change();
    void Text2_Change();
    void Command3_Click();
    void Command4_Click();

    void setUpWindow();
    void connectHandlers();
    void chooseQuality(Quality chosen, const QString& message);
    void reportBrokenRule(const QString& message);
    using OutputWriter = void (*)(TextSink&, const TableSource&, std::string_view memorySizeText,
                                  std::string_view decimalSeparator, std::int32_t& tableIndex);
    void saveOutputFile(const QString& filter, OutputWriter write);
    QString realText(double value) const;

    CommonDialog& CommonDialog1;
    MessageBox& messageBox_;
    const LocaleFacts locale_;

    std::vector<std::uint8_t> soundData;
    Quality quality = Quality::good;
    std::uint8_t checkState = 0;
    std::int32_t tableIndex = 0;
};

}  // namespace vornelik
