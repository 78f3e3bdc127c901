// The keypads, the memory row and the edit controls' key filters, clicked as a user does.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>

#include "abacor.h"
#include "control_ids.h"
#include "shell_harness.h"

using namespace kelvora;
using kelvora::test::Shell;

namespace {

// The one indicator that shows, or 0.
int ShownIndicator(const Shell& shell) {
    int shown = 0;
    for (int id = KV_MEMORY_INDICATOR_FIRST; id <= KV_MEMORY_INDICATOR_LAST; ++id) {
        if (shell.visible(id)) shown = shown ? -1 : id;
    }
    return shown;
}

}  // namespace

class KeypadTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { SetPrecision(-1); }

    void standardKeys_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::newRow("expression line") << "1 2 +" << "12+";
        QTest::newRow("equals") << "1 2 + 3 =" << "15";
        QTest::newRow("square") << "2 x²" << "4";
        QTest::newRow("square root") << "9 √" << "3";
        QTest::newRow("reciprocal") << "4 1/x" << "0.25";
        QTest::newRow("division") << "7 ÷ 2 =" << "3.5";
        QTest::newRow("multiplication") << "6 × 7 =" << "42";
        QTest::newRow("minus sign key") << "8 − 1 0 =" << "-2";
        QTest::newRow("decimal comma key") << "2 , 5 × 2 =" << "5";
        QTest::newRow("percent") << "5 0 %" << "0.5";
        QTest::newRow("sign change") << "3 +/−" << "-3";
        QTest::newRow("backspace") << "1 2 3 ⌫" << "12";
        QTest::newRow("clear") << "6 × 7 = C" << "0";
        QTest::newRow("clear entry") << "6 CE" << "0";
        QTest::newRow("result replaced by digit") << "1 + 1 = 4" << "4";
    }
    void standardKeys() {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        Shell shell;
        shell.press(keys);
        QCOMPARE(shell.text(KV_DISPLAY), display);
    }

    void scientificKeys_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::newRow("power") << "2 x^y 1 0 =" << "1024";
        QTest::newRow("remainder") << "7 mod 2 =" << "1";
        QTest::newRow("brackets and Latin x") << "( 2 + 3 ) x 4 =" << "20";
        QTest::newRow("hyphen minus") << "9 - 1 2 =" << "-3";
        QTest::newRow("factorial") << "5 n!" << "120";
        QTest::newRow("decimal logarithm") << "1 0 0 log" << "2";
        QTest::newRow("natural logarithm key 'ln'") << "1 ln" << "0";
        QTest::newRow("absolute value") << "5 +/- |x|" << "5";
        QTest::newRow("ten to the x") << "3 10^x" << "1000";
        QTest::newRow("pi") << "π" << "3.1415926535";
        QTest::newRow("square and root") << "3 x² √" << "3";
        QTest::newRow("reciprocal") << "8 1/x" << "0.125";
        QTest::newRow("backspace and clear") << "4 5 ⌫ CE 6 , 5 ÷ 2 =" << "3.25";
    }
    void scientificKeys() {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        Shell shell;
        shell.choose(KV_CMD_SCIENTIFIC);
        shell.press(keys);
        QCOMPARE(shell.text(KV_DISPLAY), display);
    }

    void storeThenRecall() {
        Shell shell;
        shell.click({KV_MEMORY_CLEAR, KV_STD_7, KV_MEMORY_STORE, KV_STD_CLEAR});
        QCOMPARE(shell.text(KV_DISPLAY), QStringLiteral("0"));
        shell.click(KV_MEMORY_RECALL);
        QCOMPARE(shell.text(KV_DISPLAY), QStringLiteral("7"));
        shell.press("8");
        QCOMPARE(shell.text(KV_DISPLAY), QStringLiteral("8"));
    }

    void memoryListRecallsRegister() {
        Shell shell;
        shell.click(
            {KV_MEMORY_CLEAR, KV_STD_5, KV_MEMORY_STORE, KV_STD_CLEAR, KV_STD_8, KV_MEMORY_STORE, KV_STD_CLEAR});
        QVERIFY(!shell.visible(KV_MEMORY_LIST));
        shell.click(KV_MEMORY_SHOW_LIST);
        auto* list = shell.get<QComboBox>(KV_MEMORY_LIST);
        QVERIFY(list->isVisible());
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->itemText(0), QStringLiteral("[1] 5"));
        QCOMPARE(list->currentIndex(), 1);
        shell.pick(KV_MEMORY_LIST, 0);
        QCOMPARE(shell.text(KV_DISPLAY), QStringLiteral("5"));
        QVERIFY(!list->isVisible());
    }

    void memoryIndicators_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("indicator");
        QTest::addColumn<QString>("text");
        QTest::newRow("MC") << int(KV_MEMORY_CLEAR) << int(KV_MEMORY_INDICATOR_MC) << "MC";
        QTest::newRow("MR") << int(KV_MEMORY_RECALL) << int(KV_MEMORY_INDICATOR_MR) << "MR";
        QTest::newRow("M+") << int(KV_MEMORY_ADD) << int(KV_MEMORY_INDICATOR_ADD) << "M+";
        QTest::newRow("M-") << int(KV_MEMORY_SUBTRACT) << int(KV_MEMORY_INDICATOR_SUBTRACT) << "M-";
        QTest::newRow("MS") << int(KV_MEMORY_STORE) << int(KV_MEMORY_INDICATOR_MS) << "MS";
    }
    void memoryIndicators() {
        QFETCH(int, button);
        QFETCH(int, indicator);
        QFETCH(QString, text);
        Shell shell;
        shell.click(KV_MEMORY_STORE);  // another indicator first: the new one replaces it
        shell.click(button);
        QCOMPARE(ShownIndicator(shell), indicator);
        QCOMPARE(shell.text(indicator), text);
        QCOMPARE(shell.get<QLabel>(indicator)->geometry(), QRect(240, 10, 30, 20));
    }

    void indicatorTimerHidesAllAfterMPlus() {
        Shell shell;
        QTimer& timer = shell.window.memoryIndicatorTimer();
        QVERIFY(!timer.isActive());
        shell.click(KV_MEMORY_ADD);
        QVERIFY(timer.isActive());
        QCOMPARE(timer.interval(), 10000);
        shell.click(KV_MEMORY_CLEAR);
        QCOMPARE(ShownIndicator(shell), int(KV_MEMORY_INDICATOR_MC));
        QTimerEvent tick(timer.timerId());
        QCoreApplication::sendEvent(&timer, &tick);
        QCOMPARE(ShownIndicator(shell), 0);
        QVERIFY(timer.isActive());  // it keeps clearing them every ten seconds
    }

    void displayTakesWhatTheKeypadTypes() {
        Shell shell;
        auto* display = shell.get<QLineEdit>(KV_DISPLAY);
        display->setFocus();
        display->end(false);
        kelvora::test::TypeText(display, "12a+3,5");
        QCOMPARE(display->text(), QStringLiteral("12+3.5"));
    }

    void formulaEditFilter_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("letters, digits, operators") << "2x+1=5" << "2x+1=5";
        QTest::newRow("comparison signs") << "x<2>1" << "x21";
        QTest::newRow("Cyrillic") << "хx" << "x";
        QTest::newRow("punctuation") << "a(b)*c/d^e&f;g:h.i,j k" << "a(b)*c/d^e&f;g:h.i,j k";
        QTest::newRow("others") << "x!#$%_'\"?[]{}|~`@" << "x";
    }
    void formulaEditFilter() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        Shell shell;
        shell.choose(KV_CMD_EQUATIONS);
        auto* edit = shell.get<QLineEdit>(KV_EQ_INPUT);
        edit->setFocus();
        kelvora::test::TypeText(edit, typed);
        QCOMPARE(edit->text(), kept);
    }

    void formulaEditEnterSolvesTabMovesOn() {
        Shell shell;
        shell.choose(KV_CMD_EQUATIONS);
        auto* edit = shell.get<QLineEdit>(KV_EQ_INPUT);
        edit->setFocus();
        kelvora::test::TypeText(edit, "2x=4");
        QSignalSpy returnPressed(edit, &QLineEdit::returnPressed);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(returnPressed.count(), 0);
        QCOMPARE(shell.text(KV_EQ_ROW1_VALUE), QStringLiteral("2"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("2x="));
        QTest::keyClick(edit, Qt::Key_Tab);
        QVERIFY(!edit->hasFocus());
    }

    void pasteIsNotFiltered() {
        Shell shell;
        shell.choose(KV_CMD_INEQUALITIES);
        auto* edit = shell.get<QLineEdit>(KV_INEQ_INPUT);
        edit->setFocus();
        QGuiApplication::clipboard()->setText(QStringLiteral("x<5"));
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("x<5"));
    }
};

QTEST_MAIN(KeypadTest)
#include "keypad_test.moc"
