// SPDX-License-Identifier: MIT
// The locale is read from the environment that CTest sets for each run of this test.

#include <QtTest>

#include "qt/qt_platform.h"

namespace vornelik {

class LocaleFactsTest : public QObject {
    Q_OBJECT

  private slots:
    void followsTheEnvironment() {
        const LocaleFacts facts = systemLocaleFacts();
        QCOMPARE(QString::fromStdString(facts.decimalSeparator),
                 qEnvironmentVariable("EXPECTED_SEPARATOR"));
        QCOMPARE(QStringLiteral("windows-%1").arg(facts.codePage),
                 qEnvironmentVariable("EXPECTED_CODE_PAGE"));
    }
};

}  // namespace vornelik

QTEST_GUILESS_MAIN(vornelik::LocaleFactsTest)
#include "tst_locale_facts.moc"
