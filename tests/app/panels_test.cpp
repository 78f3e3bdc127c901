// The input panels end to end: typed with their keys, solved by the library, answered
// in their result controls and painted by the window.
#include <QImage>

#include "abacor.h"
#include "control_ids.h"
#include "shell_harness.h"

using namespace kelvora;
using kelvora::test::CloseStepsWindowsAsTheyOpen;
using kelvora::test::MessageBoxes;
using kelvora::test::Shell;

namespace {

// Pixels that are clearly red (the number line's bands and labels) within the area.
int RedPixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 100 && c.blue() < 100) ++count;
        }
    }
    return count;
}

QImage Snapshot(QWidget& window) { return window.grab().toImage(); }

void Type(Shell& shell, int id, const QString& text) {
    auto* edit = shell.get<QLineEdit>(id);
    edit->setFocus();
    kelvora::test::TypeText(edit, text);
}

}  // namespace

class PanelsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { SetPrecision(-1); }

    void fractionLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("whole");  // empty: hidden
        QTest::addColumn<QString>("numerator");
        QTest::addColumn<QString>("denominator");
        QTest::newRow("proper fraction") << "1/2+1/3" << "" << "5" << "6";
        QTest::newRow("mixed number") << "3/2" << "1" << "1" << "2";
        QTest::newRow("whole number") << "4/2" << "2" << "" << "";
        QTest::newRow("precedence") << "1/2+1/2*1/2" << "" << "3" << "4";
    }
    void fractionLine() {
        QFETCH(QString, line);
        QFETCH(QString, whole);
        QFETCH(QString, numerator);
        QFETCH(QString, denominator);
        Shell shell;
        shell.choose(KV_CMD_FRACTIONS);
        Type(shell, KV_FRACTION_LINE, line);
        shell.click(KV_FRACTION_SOLVE);
        const auto shown = [&](int id) { return shell.visible(id) ? shell.text(id) : QString(); };
        QCOMPARE(shown(KV_FRACTION_WHOLE), whole);
        QCOMPARE(shown(KV_FRACTION_NUMERATOR), numerator);
        QCOMPARE(shown(KV_FRACTION_DENOMINATOR), denominator);
        QCOMPARE(shell.visible(KV_FRACTION_SEPARATOR), !numerator.isEmpty());
    }

    void equationWithTwoRootsAndSteps() {
        Shell shell;
        shell.choose(KV_CMD_EQUATIONS);
        shell.press("𝑥 ^ 2 - 5 × 𝑥 + 6 = 0");
        QCOMPARE(shell.text(KV_EQ_INPUT), QStringLiteral("x²-5*x+6=0"));
        shell.click(KV_EQ_SOLVE);
        QVERIFY(shell.visible(KV_EQ_ROW1_VALUE) && shell.visible(KV_EQ_ROW2_VALUE));
        QCOMPARE(QSet<QString>({shell.text(KV_EQ_ROW1_VALUE), shell.text(KV_EQ_ROW2_VALUE)}),
                 QSet<QString>({"2", "3"}));
        QCOMPARE(shell.text(KV_EQ_ROW1_LABEL), QStringLiteral("X₁ ="));
        QCOMPARE(shell.text(KV_EQ_ROW2_LABEL), QStringLiteral("X₂ ="));
        QVERIFY(shell.visible(KV_EQ_ROW2_LABEL));

        const auto seen = CloseStepsWindowsAsTheyOpen(shell.desktop, [&] { shell.click(KV_EQ_STEPS); });
        QCOMPARE(seen.size(), std::size_t{1});
        QCOMPARE(seen[0].title, QStringLiteral("Пошаговое решение"));
        QVERIFY(seen[0].text.contains(QStringLiteral("═══")));
        QVERIFY(!seen[0].text.contains(QLatin1Char('\r')));
        QVERIFY(shell.desktop.openTextWindows().empty());
    }

    void inequalityWritesAnswerAndPaintsNumberLine() {
        Shell shell;
        shell.choose(KV_CMD_INEQUALITIES);
        HideNumberLine();
        const QRect numberLine(160, 190, 240, 110);
        QCOMPARE(RedPixels(Snapshot(shell.window), numberLine), 0);

        shell.press("𝑥 ^ 2 - 4 > 0");
        shell.click(KV_INEQ_SOLVE);
        QVERIFY(!shell.text(KV_INEQ_ANSWER).isEmpty());
        QVERIFY(IsNumberLineVisible());
        QVERIFY(RedPixels(Snapshot(shell.window), numberLine) > 50);
        // Nothing of it outside its area.
        QCOMPARE(RedPixels(Snapshot(shell.window), QRect(200, 305, 200, 150)), 0);
    }

    void quadraticPanel_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<int>("signB");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("signC");
        QTest::addColumn<QString>("c");
        QTest::addColumn<QString>("x1");
        QTest::addColumn<QString>("x2");
        QTest::newRow("two roots") << "1" << 1 << "3" << 0 << "2" << "2.0000" << "1.0000";
        QTest::newRow("one root") << "1" << 0 << "2" << 0 << "1" << "-1.0000" << "—";
        QTest::newRow("no real roots") << "1" << 0 << "0" << 0 << "1" << "Нет действительных корней" << "";
        QTest::newRow("letters are not typed") << "1x" << 1 << "3" << 0 << "2" << "2.0000" << "1.0000";
        QTest::newRow("signed decimal") << "-2.5" << 0 << "0" << 0 << "10" << "-2.0000" << "2.0000";
        QTest::newRow("decimal comma") << "0,5" << 0 << "-1,5" << 0 << "+1" << "2.0000" << "1.0000";
    }
    void quadraticPanel() {
        QFETCH(QString, a);
        QFETCH(int, signB);
        QFETCH(QString, b);
        QFETCH(int, signC);
        QFETCH(QString, c);
        QFETCH(QString, x1);
        QFETCH(QString, x2);
        Shell shell;
        shell.choose(KV_CMD_QUADRATIC);
        Type(shell, KV_QUADRATIC_A, a);
        shell.pick(KV_QUADRATIC_SIGN_B, signB);
        Type(shell, KV_QUADRATIC_B, b);
        shell.pick(KV_QUADRATIC_SIGN_C, signC);
        Type(shell, KV_QUADRATIC_C, c);
        QCOMPARE(shell.get<QComboBox>(KV_QUADRATIC_SIGN_B)->currentText(),
                 signB ? QStringLiteral("−") : QStringLiteral("+"));
        shell.click(KV_QUADRATIC_SOLVE);
        QCOMPARE(shell.text(KV_QUADRATIC_ROOT1), x1);
        QCOMPARE(shell.text(KV_QUADRATIC_ROOT2), x2);
    }

    void systemPanelWithTwoRows() {
        Shell shell;
        shell.choose(KV_CMD_SYSTEM);
        QVERIFY(shell.visible(KV_SYS_FIRST_ROW));
        QVERIFY(!shell.visible(KV_SYS_REMOVE));  // nothing to remove yet
        Type(shell, KV_SYS_FIRST_ROW, "2x+y=5");
        shell.click(KV_SYS_ADD);
        QCOMPARE(shell.window.systemPanel().rowCount(), 2);
        QCOMPARE(shell.get(KV_SYS_FIRST_ROW + 1)->geometry(), QRect(70, 110, 255, 25));
        QCOMPARE(shell.get(KV_SYS_SOLVE)->geometry(), QRect(70, 145, 150, 30));
        QCOMPARE(shell.get(KV_SYS_ADD)->geometry().topLeft(), QPoint(330, 110));
        QVERIFY(shell.visible(KV_SYS_REMOVE));
        Type(shell, KV_SYS_FIRST_ROW + 1, "x-y=1");
        shell.click(KV_SYS_SOLVE);
        QCOMPARE(shell.window.systemPanel().answer(), QStringList({"  x = 2", "  y = 1"}));

        // The answer is painted under the rows: dark text where "Ответ:" stands.
        const QImage image = Snapshot(shell.window);
        int dark = 0;
        for (int y = 220; y < 240; ++y) {
            for (int x = 28; x < 90; ++x) dark += qGray(image.pixel(x, y)) < 100;
        }
        QVERIFY(dark > 20);
    }

    void systemPanelWithoutEquationsKeepsAnswer() {
        Shell shell;
        shell.choose(KV_CMD_SYSTEM);
        Type(shell, KV_SYS_FIRST_ROW, "x=3");
        shell.click(KV_SYS_SOLVE);
        QCOMPARE(shell.window.systemPanel().answer(), QStringList({"  x = 3"}));
        shell.get<QLineEdit>(KV_SYS_FIRST_ROW)->clear();
        MessageBoxes boxes;
        shell.click(KV_SYS_SOLVE);
        QCOMPARE(boxes.seen.size(), std::size_t{1});
        QCOMPARE(boxes.seen[0].text, QStringLiteral("Введите уравнения"));
        QCOMPARE(boxes.seen[0].caption, QStringLiteral("Ошибка"));
        QCOMPARE(boxes.seen[0].buttons, QStringList({"OK"}));
        QCOMPARE(shell.window.systemPanel().answer(), QStringList({"  x = 3"}));
    }

    void systemPanelRowLimits() {
        Shell shell;
        shell.choose(KV_CMD_SYSTEM);
        for (int i = 0; i < 4; ++i) shell.click(KV_SYS_ADD);
        QCOMPARE(shell.window.systemPanel().rowCount(), 5);
        QVERIFY(!shell.visible(KV_SYS_ADD));
        QCOMPARE(shell.get(KV_SYS_FIRST_ROW + 4)->geometry(), QRect(70, 200, 255, 25));
        for (int i = 0; i < 4; ++i) shell.click(KV_SYS_REMOVE);
        QCOMPARE(shell.window.systemPanel().rowCount(), 1);
        QVERIFY(!shell.visible(KV_SYS_REMOVE));
        QVERIFY(shell.visible(KV_SYS_ADD));
        QVERIFY(!shell.window.controls().widget(KV_SYS_FIRST_ROW + 1));  // removed rows are gone
        QCOMPARE(shell.get(KV_SYS_SOLVE)->geometry().topLeft(), QPoint(70, 115));
    }

    void systemPanelSaysWhyThereIsNoAnswer_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("reason");
        QTest::newRow("dependent") << QStringList{"x+y=2", "2x+2y=4"} << "⚠️ Система не имеет единственного решения";
        QTest::newRow("contradictory") << QStringList{"x+y=2", "x+y=3"} << "⚠️ Система не имеет единственного решения";
        QTest::newRow("no equals sign") << QStringList{"x+y"} << "Уравнение 1 не содержит =";
    }
    void systemPanelSaysWhyThereIsNoAnswer() {
        QFETCH(QStringList, rows);
        QFETCH(QString, reason);
        Shell shell;
        shell.choose(KV_CMD_SYSTEM);
        for (int i = 0; i < rows.size(); ++i) {
            if (i > 0) shell.click(KV_SYS_ADD);
            Type(shell, KV_SYS_FIRST_ROW + i, rows[i]);
        }
        QTest::keyClick(shell.get(KV_SYS_FIRST_ROW), Qt::Key_Return);
        QCOMPARE(shell.window.systemPanel().answer(), QStringList{reason});
    }

    void systemPanelStepsShowTheReport() {
        Shell shell;
        shell.choose(KV_CMD_SYSTEM);
        QVERIFY(shell.visible(KV_SYS_STEPS));
        // Before a solve there is no report of this panel to show.
        QVERIFY(CloseStepsWindowsAsTheyOpen(shell.desktop, [&] { shell.click(KV_SYS_STEPS); }).empty());
        Type(shell, KV_SYS_FIRST_ROW, "x+y=2");
        shell.click(KV_SYS_ADD);
        Type(shell, KV_SYS_FIRST_ROW + 1, "x+y=3");
        shell.click(KV_SYS_SOLVE);
        QCOMPARE(shell.get(KV_SYS_STEPS)->geometry().topLeft(), QPoint(230, 145));
        const auto seen = CloseStepsWindowsAsTheyOpen(shell.desktop, [&] { shell.click(KV_SYS_STEPS); });
        QCOMPARE(seen.size(), std::size_t{1});
        QVERIFY(seen[0].text.contains(QStringLiteral("Обратный ход")));
        QVERIFY(seen[0].text.contains(QStringLiteral("не имеет единственного решения")));
    }

    void reasonLine_data() {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("reason");
        QTest::newRow("one line") << "Не найдены переменные" << "Не найдены переменные";
        QTest::newRow("framed last line") << "══\r\n│ x\r\n│ ⚠️ Причина\r\n└────\r\n" << "⚠️ Причина";
        QTest::newRow("warning before its explanation")
            << "══\r\n│ x\r\n│ ⚠️ Причина\r\n│ Пояснение\r\n└────\r\n" << "⚠️ Причина";
        QTest::newRow("last words without a warning") << "══\r\n│ Первая\r\n│ Последняя\r\n└────\r\n" << "Последняя";
        QTest::newRow("nothing") << "" << "";
        QTest::newRow("only the frame") << "═══\n└──\n" << "";
    }
    void reasonLine() {
        QFETCH(QString, report);
        QFETCH(QString, reason);
        QCOMPARE(SystemPanel::ReasonLine(report), reason);
    }

    // Enter runs each panel wherever the focus is in it, Escape empties its field, and
    // typing on one of its keys goes into the field.
    void enterRunsThePanel_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("result");  // 0: the system panel's answer
        QTest::addColumn<QString>("expected");
        QTest::newRow("fractions") << int(KV_CMD_FRACTIONS) << int(KV_FRACTION_LINE) << "1/2+1/3"
                                   << int(KV_FRACTION_NUMERATOR) << "5";
        QTest::newRow("equations") << int(KV_CMD_EQUATIONS) << int(KV_EQ_INPUT) << "2x=4" << int(KV_EQ_ROW1_VALUE)
                                   << "2";
        QTest::newRow("inequalities") << int(KV_CMD_INEQUALITIES) << int(KV_INEQ_INPUT) << "x<=2"
                                      << int(KV_INEQ_ANSWER) << "(-∞, 2]";
        QTest::newRow("quadratic") << int(KV_CMD_QUADRATIC) << int(KV_QUADRATIC_A) << "-1" << int(KV_QUADRATIC_ROOT1)
                                   << "0.0000";
        QTest::newRow("system") << int(KV_CMD_SYSTEM) << int(KV_SYS_FIRST_ROW) << "x=3" << 0 << "  x = 3";
    }
    void enterRunsThePanel() {
        QFETCH(int, mode);
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(int, result);
        QFETCH(QString, expected);
        Shell shell;
        shell.choose(mode);
        Type(shell, field, typed);
        QTest::keyClick(shell.get(field), Qt::Key_Return);
        const auto answer = [&] { return result ? shell.text(result) : shell.window.systemPanel().answer().value(0); };
        QCOMPARE(answer(), expected);

        QTest::keyClick(shell.get(field), Qt::Key_Escape);
        QCOMPARE(shell.text(field), QString());
        shell.window.setFocus();
        kelvora::test::TypeText(&shell.window, typed);
        QCOMPARE(shell.text(field), typed);
        QTest::keyClick(&shell.window, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(answer(), expected);
    }

    void enterBuildsTheGraph() {
        Shell shell;
        shell.choose(KV_CMD_GRAPHS);
        Type(shell, KV_GRAPH_INPUT, "x^2");
        QTest::keyClick(shell.get(KV_GRAPH_INPUT), Qt::Key_Return);
        QCOMPARE(shell.window.graphSession().formulaText(), std::wstring(L"x^2"));
        QTest::keyClick(shell.get(KV_GRAPH_INPUT), Qt::Key_Escape);
        QCOMPARE(shell.text(KV_GRAPH_INPUT), QString());
    }

    // Typed on a key of the equation keypad, the text goes into the equation.
    void typingOnAPanelKeyGoesIntoTheField() {
        Shell shell;
        shell.choose(KV_CMD_EQUATIONS);
        QWidget* key = shell.get(KV_EQ_7);
        key->setFocus();
        kelvora::test::TypeText(key, "3x=9");
        QCOMPARE(shell.text(KV_EQ_INPUT), QStringLiteral("3x=9"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(shell.text(KV_EQ_ROW1_VALUE), QStringLiteral("3"));
    }

    void joinedRows_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("joined");
        QTest::newRow("first and third") << QStringList{"a=1", "", "b=2"} << "a=1;b=2";
        QTest::newRow("only the second") << QStringList{"", "b=2"} << ";b=2";
        QTest::newRow("all empty") << QStringList{"", ""} << "";
        QTest::newRow("all filled") << QStringList{"a", "b", "c"} << "a;b;c";
    }
    void joinedRows() {
        QFETCH(QStringList, rows);
        QFETCH(QString, joined);
        QCOMPARE(SystemPanel::JoinRows(rows), joined);
    }

    void answerLines_data() {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("two lines") << "  x = 2\n  y = 1\n" << QStringList{"  x = 2", "  y = 1"};
        QTest::newRow("unterminated last line is lost") << "  x = 2\n  y = 1" << QStringList{"  x = 2"};
        QTest::newRow("empty lines dropped") << "\n  x = 2\n\n" << QStringList{"  x = 2"};
        QTest::newRow("nothing") << "" << QStringList{};
    }
    void answerLines() {
        QFETCH(QString, result);
        QFETCH(QStringList, lines);
        QCOMPARE(SystemPanel::AnswerLines(result), lines);
    }
};

QTEST_MAIN(PanelsTest)
#include "panels_test.moc"
