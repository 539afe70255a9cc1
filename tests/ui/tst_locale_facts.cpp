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
};

}  // namespace vornelik

QTEST_MAIN(vornelik::LocaleFactsTest)
#include "tst_locale_facts.moc"
