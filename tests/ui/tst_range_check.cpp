// Choosing a quality, the program-memory size in Label9, the five-rule check, and withdrawing it
// when the range is edited.

#include <QtTest>

#include "scripted_dialogs.h"

namespace vornelik {

const QString kRule1 = QStringLiteral("başlangıc byte boyutu  bitiş byte boyutundan büyük olamaz");
const QString kRule2 = QStringLiteral("bitiş bayt boyutu ses dosyası boyutundan büyük olamaz");
const QString kRule3 = QStringLiteral("başlangıç bayt boyutu sifidan küçük  olamaz");
const QString kRule4 = QStringLiteral("pic hafıza boyutu sıfır dan küçük olamaz");
const QString kRule5 = QStringLiteral("pic hafiza boyutu ses dosyası boyutundan büyük olamaz");
const QString kPassed = QStringLiteral(
    "herhangi bir sorun bulunamadı bas dosyası oluştur butonu ile bas dosyanızı gösterdiğiniz "
    "yere oluşturunuz");
const QString kGoodChosen = QStringLiteral(
    "iyi kalite ayarını sectiniz ses dosyası boyutu sorun değilse kontrol et butonuna basınız");
const QString kPoorChosen = QStringLiteral(
    "kötu kalite ayarını seçtiniz ses dosyası boyutu sorun değilse kontrol et butonuna basınız");
const QString kStartEdited = QStringLiteral(
    "başlangıç byte boyutunu değiştirdiniz kalite seçimi yapınız daha sonra kontrol et butonuna "
    "basınız");
const QString kEndEdited = QStringLiteral(
    "bitiş byte boyutunu değiştirdiniz kalite seçimi yapınız daha sonra kontrol et butonuna "
    "basınız");

// The rules broken in one press, by number: "14" for rules 1 and 4.
QString brokenRules(const QStringList& prompts) {
    const QStringList rules = {kRule1, kRule2, kRule3, kRule4, kRule5};
    QString numbers;
    for (const QString& prompt : prompts) {
        numbers += QString::number(rules.indexOf(prompt) + 1);
    }
    return numbers;
}

// A window with a sound of `size` bytes open and the range typed in.
struct Prepared : Harness {
    Prepared(int size, const QString& start, const QString& end, LocaleFacts locale = commaLocale())
        : Harness(std::move(locale)) {
        openSound(QByteArray(size, '\x80'));
        type(form->Text1, start);
        type(form->Text2, end);
    }
};

class RangeCheckTest : public QObject {
    Q_OBJECT

  private slots:
    void memorySize_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("poor");
        QTest::addColumn<QString>("comma");
        QTest::addColumn<QString>("point");
        QTest::newRow("whole, good") << 900 << "0"
                                     << "900" << false << "900  byte"
                                     << "900  byte";
        QTest::newRow("whole, poor") << 900 << "0"
                                     << "900" << true << "450  byte"
                                     << "450  byte";
        QTest::newRow("trimmed, good") << 900 << "100"
                                       << "900" << false << "800  byte"
                                       << "800  byte";
        QTest::newRow("trimmed, poor") << 900 << "100"
                                       << "900" << true << "400  byte"
                                       << "400  byte";
        QTest::newRow("reversed") << 900 << "500"
                                  << "100" << false << "-400  byte"
                                  << "-400  byte";
        QTest::newRow("odd, poor") << 901 << "0"
                                   << "901" << true << "450,5  byte"
                                   << "450.5  byte";
        QTest::newRow("fractional start") << 901 << "2.5"
                                          << "901" << true << "449,25  byte"
                                          << "449.25  byte";
        // The end goes through Label9 as text first: with a comma only its integer part returns.
        QTest::newRow("fractional end") << 901 << "0"
                                        << "900.5" << false << "900  byte"
                                        << "900.5  byte";
        QTest::newRow("blanks and letters") << 900 << " 1 0x"
                                            << "9 0" << false << "80  byte"
                                            << "80  byte";
        QTest::newRow("exponent") << 900 << "0"
                                  << "1E308" << false << "1E+308  byte"
                                  << "1E+308  byte";
    }
    void memorySize() {
        QFETCH(int, size);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(bool, poor);
        QFETCH(QString, comma);
        QFETCH(QString, point);
        for (const auto& [locale, expected] :
             {std::pair{commaLocale(), comma}, {pointLocale(), point}}) {
            Prepared p(size, start, end, locale);
            (poor ? p.form->Command5 : p.form->Command1)->click();
            QCOMPARE(p.form->Label9->text(), expected);
            QCOMPARE(p.form->currentQuality(), poor ? Quality::poor : Quality::good);
            QCOMPARE(p.form->mesaj->text(), poor ? kPoorChosen : kGoodChosen);
            QCOMPARE(p.enabledFlags(), QStringLiteral("00011111"));
        }
    }

    void theLastQualityPressWins() {
        Prepared p(900, "0", "900");
        p.form->Command5->click();
        p.form->Command1->click();
        QCOMPARE(p.form->currentQuality(), Quality::good);
        QCOMPARE(p.form->Label9->text(), QStringLiteral("900  byte"));
    }

    void check_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("poor");
        QTest::addColumn<QString>("broken");
        QTest::newRow("whole file") << 900 << "0"
                                    << "900" << false << "";
        QTest::newRow("start = end = size") << 900 << "900"
                                            << "900" << false << "";
        QTest::newRow("odd range, poor") << 901 << "0"
                                         << "901" << true << "";
        QTest::newRow("start after end, good") << 900 << "500"
                                               << "100" << false << "14";
        QTest::newRow("start after end, poor") << 900 << "500"
                                               << "100" << true << "14";
        QTest::newRow("end one past the size") << 900 << "0"
                                               << "901" << false << "25";
        QTest::newRow("end one past, poor") << 900 << "0"
                                            << "901" << true << "2";
        QTest::newRow("start -1, end = size") << 900 << "-1"
                                              << "900" << false << "35";
        QTest::newRow("start -1, end below size") << 900 << "-1"
                                                  << "899" << false << "3";
        QTest::newRow("three at once") << 900 << "-5"
                                       << "-10" << false << "134";
        QTest::newRow("huge end") << 900 << "0"
                                  << "1E308" << false << "25";
    }
    void check() {
        QFETCH(int, size);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(bool, poor);
        QFETCH(QString, broken);
        Prepared p(size, start, end);
        (poor ? p.form->Command5 : p.form->Command1)->click();
        const QString quality = p.form->mesaj->text();
        p.form->Command6->click();

        QCOMPARE(brokenRules(p.messages.prompts), broken);
        const bool passed = broken.isEmpty();
        QCOMPARE(p.form->currentCheckState(), std::uint8_t(passed ? 2 : 1));
        QCOMPARE(p.enabledFlags(),
                 passed ? QStringLiteral("01111111") : QStringLiteral("00011111"));
        QCOMPARE(p.form->mesaj->text(), passed ? kPassed : quality);
    }

    void editingWithdrawsAPassedCheck_data() {
        QTest::addColumn<bool>("editStart");
        QTest::newRow("start") << true;
        QTest::newRow("end") << false;
    }
    void editingWithdrawsAPassedCheck() {
        QFETCH(bool, editStart);
        Prepared p(900, "0", "900");
        p.form->Command1->click();
        p.form->Command6->click();
        QCOMPARE(p.enabledFlags(), QStringLiteral("01111111"));

        QTest::keyClick(editStart ? p.form->Text1 : p.form->Text2, Qt::Key_Backspace);
        QCOMPARE(p.enabledFlags(), QStringLiteral("00011110"));
        QCOMPARE(p.form->mesaj->text(), editStart ? kStartEdited : kEndEdited);
        QCOMPARE(p.form->currentCheckState(), std::uint8_t{2});
        QCOMPARE(p.form->Label9->text(), QStringLiteral("900  byte"));

        // A quality brings the check back, not the output buttons.
        p.form->Command5->click();
        QCOMPARE(p.enabledFlags(), QStringLiteral("00011111"));
    }

    void aQualityAfterAPassedCheckKeepsTheOutputs() {
        Prepared p(900, "100", "900");
        p.form->Command1->click();
        p.form->Command6->click();
        p.form->Command5->click();
        QCOMPARE(p.enabledFlags(), QStringLiteral("01111111"));
        QCOMPARE(p.form->Label9->text(), QStringLiteral("400  byte"));
        QCOMPARE(p.form->currentCheckState(), std::uint8_t{2});
    }

    // A number too large for a real stops the handler at that step; the window stays usable.
    void anOverflowStopsTheHandlerOnly() {
        Prepared p(900, "0", "9E999");
        p.form->Command1->click();
        QCOMPARE(p.form->currentQuality(), Quality::good);
        QVERIFY(p.form->Label9->text().isEmpty());
        QCOMPARE(p.form->mesaj->text(), kEndEdited);
        QVERIFY(p.form->Command6->isEnabled());

        p.form->Command6->click();
        QVERIFY(p.messages.prompts.isEmpty());
        QCOMPARE(p.enabledFlags(), QStringLiteral("00011111"));

        Harness::type(p.form->Text2, QStringLiteral("900"));
        p.form->Command5->click();
        QCOMPARE(p.form->Label9->text(), QStringLiteral("450  byte"));
    }

    void anOverflowInTheStartStopsAtTheSecondReading() {
        Prepared p(900, "9E999", "900");
        p.form->Command1->click();
        QCOMPARE(p.form->Label9->text(), QStringLiteral("900"));
        QCOMPARE(p.form->mesaj->text(), kEndEdited);
    }
};

}  // namespace vornelik

QTEST_MAIN(vornelik::RangeCheckTest)
#include "tst_range_check.moc"
