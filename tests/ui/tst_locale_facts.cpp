// The locale is read from the environment that CTest sets for each run of this test.

#include <QtTest>

#include "ui/locale_facts.h"

namespace vornelik {

class LocaleFactsTest : public QObject {
    Q_OBJECT

  private slots:
    void followsTheEnvironment() {
        const LocaleFacts facts = LocaleFacts::fromSystem();
        QCOMPARE(QString::fromStdString(facts.decimalSeparator),
                 qEnvironmentVariable("EXPECTED_SEPARATOR"));
        QCOMPARE(QString::fromLatin1(facts.codePage), qEnvironmentVariable("EXPECTED_CODE_PAGE"));
    }

    void codePagesOfLanguages_data() {
        QTest::addColumn<QLocale::Language>("language");
        QTest::addColumn<QByteArray>("codePage");
        QTest::newRow("Turkish") << QLocale::Turkish << QByteArray("windows-1254");
        QTest::newRow("English") << QLocale::English << QByteArray("windows-1252");
        QTest::newRow("German") << QLocale::German << QByteArray("windows-1252");
        QTest::newRow("French") << QLocale::French << QByteArray("windows-1252");
        QTest::newRow("C") << QLocale::C << QByteArray("windows-1252");
        QTest::newRow("Polish") << QLocale::Polish << QByteArray("windows-1250");
        QTest::newRow("Russian") << QLocale::Russian << QByteArray("windows-1251");
        QTest::newRow("Greek") << QLocale::Greek << QByteArray("windows-1253");
    }
    void codePagesOfLanguages() {
        QFETCH(QLocale::Language, language);
        QFETCH(QByteArray, codePage);
        QCOMPARE(ansiCodePageFor(language), codePage);
    }
};

}  // namespace vornelik

QTEST_MAIN(vornelik::LocaleFactsTest)
#include "tst_locale_facts.moc"
