#include "ui/main_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/include_writer.h"
#include "core/numeric_text.h"
#include "core/program_writer.h"
#include "ui/ansi_text_file.h"
#include "ui/sound_file.h"

namespace vornelik {
namespace {

using namespace Qt::Literals::StringLiterals;

const QString kStartMessage =
    u"önceden 8 bit 8 khz pcm formatında kaydetdiğiniz ses dosyasını ses dosyası aç butonu ile "
    u"seçerek açınız eğer ses dosyası formatı değişik olursa mikrodenetleyici doğru "
    u"çalışmayacaktır değişik formattaki ses dosyalarınızı windows ses kaydedicisi ile açıp "
    u"farklı kaydet seçeneğiyle formatını 8 bit 8 khz pcm formatında yapabilirsiniz"_s;
const QString kSetRangeMessage =
    u"ses dosyalarında kayıt esnasında boşluklar oluşur bunun mikro denetleyicinin program "
    u"hafızasında fazladan yer tutmaması için baslangıc boyutu ve bitiş boyutu değerlerini "
    u"ayarlayınız oluşturduğunuz dosyayı mikrodenetleyici ye kaydettikten sonra dinleyerek en "
    u"kısa zamanı tutturunuz kalite seçim butonları ile seçim yapınız "_s;
const QString kGoodQualityMessage =
    u"iyi kalite ayarını sectiniz ses dosyası boyutu sorun değilse kontrol et butonuna basınız"_s;
const QString kPoorQualityMessage =
    u"kötu kalite ayarını seçtiniz ses dosyası boyutu sorun değilse kontrol et butonuna basınız"_s;
const QString kStartAfterEnd = u"başlangıc byte boyutu  bitiş byte boyutundan büyük olamaz"_s;
const QString kEndBeyondFile = u"bitiş bayt boyutu ses dosyası boyutundan büyük olamaz"_s;
const QString kStartBelowZero = u"başlangıç bayt boyutu sifidan küçük  olamaz"_s;
const QString kMemoryBelowZero = u"pic hafıza boyutu sıfır dan küçük olamaz"_s;
const QString kMemoryBeyondFile = u"pic hafiza boyutu ses dosyası boyutundan büyük olamaz"_s;
const QString kCheckPassedMessage =
    u"herhangi bir sorun bulunamadı bas dosyası oluştur butonu ile bas dosyanızı gösterdiğiniz "
    u"yere oluşturunuz"_s;
const QString kStartEditedMessage =
    u"başlangıç byte boyutunu değiştirdiniz kalite seçimi yapınız daha sonra kontrol et "
    u"butonuna basınız"_s;
const QString kEndEditedMessage =
    u"bitiş byte boyutunu değiştirdiniz kalite seçimi yapınız daha sonra kontrol et butonuna "
    u"basınız"_s;
const QString kProgramWrittenMessage =
    u" proton basic bas dosyasını oluşturdunuz dosyayı proton basic ile derleyip mikro "
    u"denetleyiciye kaydediniz "_s;
const QString kIncludeWrittenMessage =
    u"inc dosyanızı oluşturdunuz diger basic projelerinizde kullanabilirsiniz"_s;

std::string textOf(const QLabel* label) {
    return label->text().toStdString();
}
std::string textOf(const QLineEdit* box) {
    return box->text().toStdString();
}

template <typename Control>
double valueOf(const Control* control) {
    return Val(textOf(control));
}

// Reads the first control, then the second.
template <typename First, typename Second>
bool isBelow(const First* first, const Second* second) {
    const double left = valueOf(first);
    const double right = valueOf(second);
    return left < right;
}

}  // namespace

void Form1::Form_Load() {
    Command1->setEnabled(false);
    Command3->setEnabled(false);
    Command4->setEnabled(false);
    Command5->setEnabled(false);
    Command6->setEnabled(false);
    Text1->setEnabled(false);
    Text2->setEnabled(false);
    checkState = 1;
    mesaj->setText(kStartMessage);
}

void Form1::Command2_Click() {
    CommonDialog1.setCancelError(true);
    try {
        CommonDialog1.setFilter(u"ses dosyaları|*.wav"_s);
        CommonDialog1.showOpen();
        yer->setText(CommonDialog1.fileName());
        const std::string length = integerToText(fileLength(CommonDialog1.fileName()));
        boyut->setText(QString::fromStdString(length) + u" byte"_s);
        Command1->setEnabled(true);
        Command5->setEnabled(true);
        Text1->setEnabled(true);
        Text2->setEnabled(true);
        Text2->assign(realText(valueOf(boyut)));
        mesaj->setText(kSetRangeMessage);
        Command2->setEnabled(false);
        // Left empty unless the file is read whole, so that no output can carry zeros in place
        // of the sound.
        soundData.clear();
        soundData = readSoundFile(yer->text());
    } catch (const std::exception&) {
        // Cancel or a failure ends the command silently; what it did so far stays done.
    }
}

void Form1::Command1_Click() {
    chooseQuality(Quality::good, kGoodQualityMessage);
}

void Form1::Command5_Click() {
    chooseQuality(Quality::poor, kPoorQualityMessage);
}

void Form1::chooseQuality(Quality chosen, const QString& message) {
    try {
        Command6->setEnabled(true);
        quality = chosen;

        // The end offset, as size - (size - end), goes through Label9's text and is read back
        // from it: written with a comma, a fraction is lost on the way.
        const double size = valueOf(boyut);
        const double end = valueOf(Text2);
        const double sizeAgain = valueOf(boyut);
        Label9->setText(realText(requireFinite(sizeAgain - (size - end))));

        const double start = valueOf(Text1);
        const double shownEnd = valueOf(Label9);
        const double samples = chosen == Quality::good ? shownEnd - start : (shownEnd - start) / 2;
        Label9->setText(realText(requireFinite(samples)) + u"  byte"_s);

        mesaj->setText(message);
    } catch (const std::exception&) {
        // A number too large for a real stops the choice at that step; the program goes on.
    }
}

void Form1::Command6_Click() {
    try {
        checkState = 2;
        if (isBelow(Text2, Text1)) {
            reportBrokenRule(kStartAfterEnd);
        }
        if (isBelow(boyut, Text2)) {
            reportBrokenRule(kEndBeyondFile);
        }
        if (valueOf(Text1) < 0) {
            reportBrokenRule(kStartBelowZero);
        }
        if (valueOf(Label9) < 0) {
            reportBrokenRule(kMemoryBelowZero);
        }
        if (isBelow(boyut, Label9)) {
            reportBrokenRule(kMemoryBeyondFile);
        }
        if (checkState == 2) {
            Command3->setEnabled(true);
            Command4->setEnabled(true);
            mesaj->setText(kCheckPassedMessage);
        }
    } catch (const std::exception&) {
        // A number too large for a real stops the check at that rule; the program goes on.
    }
}

void Form1::reportBrokenRule(const QString& message) {
    messageBox_.show(message);
    checkState = 1;
}

void Form1::Text1_Change() {
    Command6->setEnabled(false);
    mesaj->setText(kStartEditedMessage);
    Command3->setEnabled(false);
    Command4->setEnabled(false);
}

void Form1::Text2_Change() {
    Command6->setEnabled(false);
    mesaj->setText(kEndEditedMessage);
    Command3->setEnabled(false);
    Command4->setEnabled(false);
}

void Form1::Command3_Click() {
    CommonDialog1.setCancelError(true);
    try {
        saveOutputFile(u"proton basic dosyaları|*.bas"_s, writeProgram);
        mesaj->setText(kProgramWrittenMessage);
        Command3->setEnabled(false);
    } catch (const std::exception&) {
        // Cancel or a failure ends the command silently; nothing appears under the chosen name.
    }
}

void Form1::Command4_Click() {
    CommonDialog1.setCancelError(true);
    try {
        saveOutputFile(u"inc dosyaları|*.inc"_s, writeInclude);
        Command1->setEnabled(false);
        Command4->setEnabled(false);
        Command5->setEnabled(false);
        Command6->setEnabled(false);
        Text1->setEnabled(false);
        Text2->setEnabled(false);
        checkState = 1;
        mesaj->setText(kIncludeWrittenMessage);
    } catch (const std::exception&) {
        // Cancel or a failure ends the command silently and leaves every control as it was.
    }
}

// Asks where to save, then writes the whole file there from the range, quality and memory size
// the controls hold now. The file appears only once it is complete.
void Form1::saveOutputFile(const QString& filter, OutputWriter write) {
    CommonDialog1.setFilter(filter);
    CommonDialog1.showSave();
    AnsiTextFile file(CommonDialog1.fileName(), locale_.codePage);
    const std::string start = textOf(Text1);
    const std::string end = textOf(Text2);
    const std::string memorySize = textOf(Label9);
    write(file, {soundData, quality, start, end}, memorySize, locale_.decimalSeparator, tableIndex);
    file.commit();
}

QString Form1::realText(double value) const {
    return QString::fromStdString(realToText(value, locale_.decimalSeparator));
}

}  // namespace vornelik
