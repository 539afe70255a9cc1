// The window as the user first sees it, the typing limit, and opening the sound file.

#include <QFontInfo>
#include <QtTest>

#include "scripted_dialogs.h"

namespace vornelik {

const QString kStartMessage = QStringLiteral(
    "önceden 8 bit 8 khz pcm formatında kaydetdiğiniz ses dosyasını ses dosyası aç butonu ile "
    "seçerek açınız eğer ses dosyası formatı değişik olursa mikrodenetleyici doğru "
    "çalışmayacaktır değişik formattaki ses dosyalarınızı windows ses kaydedicisi ile açıp "
    "farklı kaydet seçeneğiyle formatını 8 bit 8 khz pcm formatında yapabilirsiniz");
const QString kSetRangeMessage = QStringLiteral(
    "ses dosyalarında kayıt esnasında boşluklar oluşur bunun mikro denetleyicinin program "
    "hafızasında fazladan yer tutmaması için baslangıc boyutu ve bitiş boyutu değerlerini "
    "ayarlayınız oluşturduğunuz dosyayı mikrodenetleyici ye kaydettikten sonra dinleyerek en "
    "kısa zamanı tutturunuz kalite seçim butonları ile seçim yapınız ");

class FormStartTest : public QObject {
    Q_OBJECT

  private slots:
    void startState() {
        Harness h;
        Form1& f = *h.form;
        QCOMPARE(f.windowTitle(), QStringLiteral(" Vornelik"));
        QCOMPARE(h.enabledFlags(), QStringLiteral("10000000"));
        QCOMPARE(f.Text1->text(), QStringLiteral("0"));
        QCOMPARE(f.Text2->text(), QStringLiteral("0"));
        QVERIFY(f.yer->text().isEmpty() && f.boyut->text().isEmpty() && f.Label9->text().isEmpty());
        QCOMPARE(f.mesaj->text(), kStartMessage);
        QCOMPARE(kStartMessage.size(), 330);
        QCOMPARE(f.mesaj->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(f.mesaj->wordWrap());
        QCOMPARE(f.currentCheckState(), std::uint8_t{1});
        QCOMPARE(f.currentQuality(), Quality::good);
        QVERIFY(f.currentSoundData().empty());
        QCOMPARE(f.currentTableIndex(), 0);
        QVERIFY(h.messages.prompts.isEmpty());
    }

    void windowIsFixedAtItsDesignedSize() {
        Harness h;
        Form1& f = *h.form;
        const double scale = f.logicalDpiX() / 96.0;
        QCOMPARE(f.minimumSize(), f.maximumSize());
        QCOMPARE(f.size(), QSize(qRound(782 * scale), qRound(378 * scale)));
        QVERIFY(!(f.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(f.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(f.windowFlags() & Qt::WindowCloseButtonHint);
        if (scale == 1.0) {
            QCOMPARE(f.Command2->geometry(), QRect(8, 8, 161, 33));
            QCOMPARE(f.mesaj->geometry(), QRect(8, 240, 769, 129));
            QCOMPARE(f.Text2->geometry(), QRect(512, 200, 81, 33));
        }
        QCOMPARE(f.Command1->font().pixelSize(), qRound(18 * scale));
        QCOMPARE(f.mesaj->font().pixelSize(), qRound(16 * scale));
        QVERIFY(f.Label4->font().bold());
    }

    void tabOrderFollowsTheDesign() {
        Harness h;
        Form1& f = *h.form;
        const QList<QWidget*> expected = {f.Command2, f.Command3, f.Command4, f.Text1,
                                          f.Text2,    f.Command1, f.Command5, f.Command6};
        QList<QWidget*> chain;
        QWidget* w = f.Command2;
        do {
            if (w->focusPolicy() & Qt::TabFocus) {
                chain << w;
            }
            w = w->nextInFocusChain();
        } while (w != f.Command2);
        QCOMPARE(chain, expected);
    }

    void theFocusStartsOnTheOpenButton() {
        Harness h;
        h.form->show();
        QVERIFY(QTest::qWaitForWindowActive(h.form.get()));
        QCOMPARE(QApplication::focusWidget(), h.form->Command2);
    }

    void cancelLeavesEverythingAsItWas() {
        Harness h;
        h.dialog.cancel();
        h.form->Command2->click();
        QCOMPARE(h.dialog.shown, QStringList{QStringLiteral("open ses dosyaları (*.wav)")});
        QCOMPARE(h.enabledFlags(), QStringLiteral("10000000"));
        QCOMPARE(h.form->mesaj->text(), kStartMessage);
        QVERIFY(h.form->yer->text().isEmpty());
        QVERIFY(h.messages.prompts.isEmpty());
    }

    void openingASound_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("size");
        QTest::newRow("900 bytes") << 900 << QStringLiteral("900");
        QTest::newRow("empty") << 0 << QStringLiteral("0");
        QTest::newRow("six digits") << 123456 << QStringLiteral("123456");
    }
    void openingASound() {
        QFETCH(int, length);
        QFETCH(QString, size);
        Harness h;
        QByteArray bytes(length, '\0');
        for (int i = 0; i < length; ++i) {
            bytes[i] = static_cast<char>((i * 7 + 3) % 256);
        }
        h.openSound(bytes);
        Form1& f = *h.form;
        QCOMPARE(f.yer->text(), h.folder.filePath(QStringLiteral("sound.wav")));
        QCOMPARE(f.boyut->text(), size + QStringLiteral(" byte"));
        QCOMPARE(f.Text2->text(), size);
        QCOMPARE(f.Text1->text(), QStringLiteral("0"));
        QCOMPARE(h.enabledFlags(), QStringLiteral("00011110"));
        QCOMPARE(f.mesaj->text(), kSetRangeMessage);
        const auto& data = f.currentSoundData();
        QCOMPARE(data.size(), std::size_t(length) + 1);
        QVERIFY(std::equal(bytes.begin(), bytes.end(), data.begin(),
                           [](char a, std::uint8_t b) { return std::uint8_t(a) == b; }));
        QCOMPARE(data.back(), std::uint8_t{0});
        QCOMPARE(f.currentCheckState(), std::uint8_t{1});

        // "ses dosyası aç" is disabled for good: a second open is impossible.
        f.Command2->click();
        QCOMPARE(h.dialog.shown.size(), 1);
    }

    // A text longer than the limit, set by the program, is shown whole; typing cannot lengthen
    // it, though it can shorten it.
    void typingIsLimitedToFiveCharacters() {
        Harness h;
        h.openSound(QByteArray(123456, 'x'));
        QLineEdit* box = h.form->Text2;
        QCOMPARE(box->text(), QStringLiteral("123456"));
        box->end(false);
        QTest::keyClicks(box, QStringLiteral("7"));
        QCOMPARE(box->text(), QStringLiteral("123456"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("12345"));
        QTest::keyClicks(box, QStringLiteral("6"));
        QCOMPARE(box->text(), QStringLiteral("12345"));

        QLineEdit* start = h.form->Text1;
        start->selectAll();
        QTest::keyClicks(start, QStringLiteral("abc-+9x"));
        QCOMPARE(start->text(), QStringLiteral("abc-+"));
    }

    void aFileThatCannotBeReadWholeLeavesNoSound() {
        // A kernel file claims 4096 bytes and holds a few: the read comes up short.
        const QString shortFile = QStringLiteral("/sys/devices/system/cpu/online");
        if (QFileInfo(shortFile).size() != 4096) {
            QSKIP("no file here whose length and content disagree");
        }
        Harness h;
        h.dialog.answer(shortFile);
        h.form->Command2->click();
        QCOMPARE(h.form->boyut->text(), QStringLiteral("4096 byte"));
        QCOMPARE(h.enabledFlags(), QStringLiteral("00011110"));
        QVERIFY(h.form->currentSoundData().empty());
    }

    void aMissingFileStopsAfterShowingItsPath() {
        Harness h;
        const QString missing = h.folder.filePath(QStringLiteral("gone.wav"));
        h.dialog.answer(missing);
        h.form->Command2->click();
        QCOMPARE(h.form->yer->text(), missing);
        QVERIFY(h.form->boyut->text().isEmpty());
        QCOMPARE(h.enabledFlags(), QStringLiteral("10000000"));
        QCOMPARE(h.form->mesaj->text(), kStartMessage);
    }
};

}  // namespace vornelik

QTEST_MAIN(vornelik::FormStartTest)
#include "tst_form_start.moc"
