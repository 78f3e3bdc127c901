// Under a locale whose decimal separator is a comma the display still shows a point.
#include <clocale>

#include "control_ids.h"
#include "shell_harness.h"

using kelvora::test::Shell;

class LocaleTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void displayShowsPointUnderRussianLocale() {
        // Qt takes the process locale from LC_ALL; the test is only worth its name then.
        QCOMPARE(QString::fromLatin1(std::localeconv()->decimal_point), QStringLiteral(","));
        Shell shell;
        shell.press("5 ÷ 2 =");
        QCOMPARE(shell.text(KV_DISPLAY), QStringLiteral("2.5"));
        shell.press("2 , 5 × 2 =");
        QCOMPARE(shell.text(KV_DISPLAY), QStringLiteral("5"));
    }
};

QTEST_MAIN(LocaleTest)
#include "locale_test.moc"
