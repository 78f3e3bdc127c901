// The keyboard and the clipboard end to end: keys typed wherever the focus is, editing
// keys on the display and in the fields, the shortcut table's tooltips and help page, and
// the names a screen reader reads.
#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>

#include "abacor.h"
#include "control_ids.h"
#include "modes.h"
#include "shell_harness.h"

using namespace kelvora;
using kelvora::test::MessageBoxes;
using kelvora::test::Shell;
using kelvora::test::TypeText;

namespace {

// Where the keys go: the display, a key the user clicked, or the window itself.
enum class Focus { Display, Key, Window };

QWidget* FocusTarget(Shell& shell, Focus focus) {
    switch (focus) {
        case Focus::Display: return shell.get(KV_DISPLAY);
        case Focus::Key: return shell.get(shell.window.appMode() == kScientificMode ? int{KV_SCI_7} : int{KV_STD_7});
        case Focus::Window: return &shell.window;
    }
    return nullptr;
}

// Keys by name, as QTest::keyClick presses them; characters as typed.
void Press(QWidget* target, const QString& keys) {
    for (const QString& key : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (key == "Enter") QTest::keyClick(target, Qt::Key_Return);
        else if (key == "NumEnter") QTest::keyClick(target, Qt::Key_Enter, Qt::KeypadModifier);
        else if (key == "Esc") QTest::keyClick(target, Qt::Key_Escape);
        else if (key == "Del") QTest::keyClick(target, Qt::Key_Delete);
        else if (key == "BS") QTest::keyClick(target, Qt::Key_Backspace);
        else if (key == "Num+") QTest::sendKeyEvent(QTest::Click, target, Qt::Key_Plus, QStringLiteral("+"), Qt::KeypadModifier);
        else if (key == "Num5") QTest::sendKeyEvent(QTest::Click, target, Qt::Key_5, QStringLiteral("5"), Qt::KeypadModifier);
        else if (key == "^A") QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        else if (key == "^C") QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
        else if (key == "^X") QTest::keyClick(target, Qt::Key_X, Qt::ControlModifier);
        else if (key == "^V") QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        else if (key == "^Z") QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier);
        else if (key == "^+Z") QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        else TypeText(target, key);
    }
}

}  // namespace

Q_DECLARE_METATYPE(Focus)

class KeyboardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { SetPrecision(-1); }

    void typedKeys_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<Focus>("focus");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        for (const auto& [mode, name] : {std::pair{int(KV_CMD_STANDARD), "standard"}, {int(KV_CMD_SCIENTIFIC), "scientific"}}) {
            const QByteArray prefix = QByteArray(name) + ": ";
            QTest::newRow(prefix + "12+3 Enter on the display") << mode << Focus::Display << "12+3 Enter" << "15";
            QTest::newRow(prefix + "12+3 Enter on a key") << mode << Focus::Key << "12+3 Enter" << "15";
            QTest::newRow(prefix + "12+3 = on the window") << mode << Focus::Window << "12+3=" << "15";
            QTest::newRow(prefix + "digits after C") << mode << Focus::Display << "9 Esc 12" << "12";
            QTest::newRow(prefix + "numpad") << mode << Focus::Display << "(5) Num+ Num5 NumEnter" << "10";
            QTest::newRow(prefix + "operators") << mode << Focus::Display << "7*6/2-1 Enter" << "20";
            QTest::newRow(prefix + "typed signs") << mode << Focus::Display << "7×6÷2−1" << "7×6÷2-1";
            QTest::newRow(prefix + "comma and point") << mode << Focus::Display << "1,5+1.5 Enter" << "3";
            QTest::newRow(prefix + "power") << mode << Focus::Display << "2^10 Enter" << "1024";
            QTest::newRow(prefix + "power inside an expression") << mode << Focus::Display << "1+2^3 Enter" << "9";
            QTest::newRow(prefix + "square after typing") << mode << Focus::Display << "(1+2)*3 Enter" << "9";
            QTest::newRow(prefix + "percent of what is added") << mode << Focus::Display << "200+10%" << "200+20";
            QTest::newRow(prefix + "backspace") << mode << Focus::Display << "123 BS" << "12";
            QTest::newRow(prefix + "escape clears") << mode << Focus::Display << "12+3 Esc" << "0";
            QTest::newRow(prefix + "delete clears the entry") << mode << Focus::Display << "12 Del 4" << "4";
            QTest::newRow(prefix + "letters do nothing") << mode << Focus::Display << "1a2" << "12";
        }
    }
    void typedKeys() {
        QFETCH(int, mode);
        QFETCH(Focus, focus);
        QFETCH(QString, keys);
        QFETCH(QString, display);
        Shell shell;
        shell.choose(mode);
        QWidget* target = FocusTarget(shell, focus);
        target->setFocus();
        Press(target, keys);
        QCOMPARE(shell.text(KV_DISPLAY), display);
    }

    // A click on a key gives the focus to the display, so the next typed key counts.
    void clickedKeyLeavesTheFocusOnTheDisplay() {
        Shell shell;
        auto* display = shell.get<QLineEdit>(KV_DISPLAY);
        shell.get(KV_STD_9)->setFocus();  // reached with Tab
        shell.click(KV_STD_2);
        QVERIFY(display->hasFocus());
        shell.click(KV_STD_PLUS);
        QVERIFY(display->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), "3");
        shell.click(KV_STD_SQUARE);
        QCOMPARE(shell.text(KV_DISPLAY), QStringLiteral("2+9"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(shell.text(KV_DISPLAY), QStringLiteral("11"));
    }

    void displayEditing_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::newRow("paste after C") << "(1+2)*3" << "Esc ^V" << "(1+2)*3";
        QTest::newRow("paste after C, then =") << "(1+2)*3" << "Esc ^V Enter" << "9";
        QTest::newRow("paste over a result") << "7" << "1+1 Enter ^V" << "7";
        QTest::newRow("paste onto an entry") << "3" << "12+ ^V Enter" << "15";
        QTest::newRow("select all, then type") << "" << "12+3 ^A 7" << "7";
        QTest::newRow("select all, then backspace") << "" << "12+3 ^A BS 5" << "5";
        QTest::newRow("select all, then paste") << "8" << "12+3 ^A ^V" << "8";
        QTest::newRow("undo restores the expression") << "" << "12+3 Enter ^Z" << "12+3";
        QTest::newRow("undo, then the entry goes on") << "" << "12+3 Enter ^Z 4 Enter" << "46";
        QTest::newRow("redo") << "" << "12+3 Enter ^Z ^+Z" << "15";
        QTest::newRow("undo a paste") << "99" << "12+ ^V ^Z" << "12+";
        QTest::newRow("cut everything") << "" << "12+3 ^X" << "0";
    }
    void displayEditing() {
        QFETCH(QString, clipboard);
        QFETCH(QString, keys);
        QFETCH(QString, display);
        Shell shell;
        QGuiApplication::clipboard()->setText(clipboard);
        auto* edit = shell.get<QLineEdit>(KV_DISPLAY);
        edit->setFocus();
        Press(edit, keys);
        QCOMPARE(shell.text(KV_DISPLAY), display);
    }

    void copyTakesTheResultOrTheSelection_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("copied");
        QTest::newRow("nothing selected: the result") << "12+3 Enter ^C" << "15";
        QTest::newRow("everything selected") << "12+3 ^A ^C" << "12+3";
        QTest::newRow("cut") << "12+3 ^X" << "12+3";
    }
    void copyTakesTheResultOrTheSelection() {
        QFETCH(QString, keys);
        QFETCH(QString, copied);
        Shell shell;
        QGuiApplication::clipboard()->setText(QStringLiteral("-"));
        auto* edit = shell.get<QLineEdit>(KV_DISPLAY);
        edit->setFocus();
        Press(edit, keys);
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    }

    void pasteLongerThanTheDisplayIsRefused() {
        Shell shell;
        QGuiApplication::clipboard()->setText(QStringLiteral("1+").repeated(400) + QStringLiteral("1"));
        auto* edit = shell.get<QLineEdit>(KV_DISPLAY);
        edit->setFocus();
        Press(edit, "5");
        MessageBoxes boxes;
        Press(edit, "^V");
        QTRY_COMPARE(boxes.seen.size(), std::size_t{1});
        QVERIFY(boxes.seen[0].text.contains(QStringLiteral("255")));
        QCOMPARE(shell.text(KV_DISPLAY), QStringLiteral("5"));
    }

    // Every field: Ctrl+A then typing replaces, Ctrl+Z brings the text back, Ctrl+Shift+Z
    // redoes, and a paste longer than the field holds is refused with a message.
    void fieldEditing_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<int>("limit");
        QTest::newRow("fraction line") << int(KV_CMD_FRACTIONS) << int(KV_FRACTION_LINE) << "1/2" << "3/4" << 255;
        QTest::newRow("equation") << int(KV_CMD_EQUATIONS) << int(KV_EQ_INPUT) << "2x=4" << "x=1" << 1023;
        QTest::newRow("inequality") << int(KV_CMD_INEQUALITIES) << int(KV_INEQ_INPUT) << "x>1" << "x<2" << 1024;
        QTest::newRow("quadratic a") << int(KV_CMD_QUADRATIC) << int(KV_QUADRATIC_A) << "-2.5" << "3" << 255;
        QTest::newRow("system row") << int(KV_CMD_SYSTEM) << int(KV_SYS_FIRST_ROW) << "x=1" << "y=2" << 255;
        QTest::newRow("graph") << int(KV_CMD_GRAPHS) << int(KV_GRAPH_INPUT) << "x^2" << "x+1" << 255;
    }
    void fieldEditing() {
        QFETCH(int, mode);
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, replacement);
        QFETCH(int, limit);
        Shell shell;
        shell.choose(mode);
        auto* edit = shell.get<QLineEdit>(field);
        edit->setFocus();
        Press(edit, typed);
        QCOMPARE(edit->text(), typed);
        Press(edit, "^A");
        TypeText(edit, replacement);
        QCOMPARE(edit->text(), replacement);
        Press(edit, "^Z");
        QCOMPARE(edit->text(), typed);
        Press(edit, "^+Z");
        QCOMPARE(edit->text(), replacement);

        MessageBoxes boxes;
        QGuiApplication::clipboard()->setText(QString(limit, QLatin1Char('1')));
        Press(edit, "^A ^V");
        QCOMPARE(edit->text().size(), limit);  // exactly the limit fits
        QGuiApplication::clipboard()->setText(QString(limit + 1, QLatin1Char('1')));
        Press(edit, "^A ^V");
        QCOMPARE(edit->text().size(), limit);  // one more is refused whole
        QTRY_COMPARE(boxes.seen.size(), std::size_t{1});
        QVERIFY(boxes.seen[0].text.contains(QString::number(limit)));
    }

    void inequalityFieldTakesComparisons_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("answer");
        QTest::newRow("< and >") << "x>1&x<3" << "(1, 3)";
        QTest::newRow("<= and >=") << "x>=1&x<=3" << "[1, 3]";
        QTest::newRow("≤ and ≥") << "x≥1&x≤3" << "[1, 3]";
    }
    void inequalityFieldTakesComparisons() {
        QFETCH(QString, typed);
        QFETCH(QString, answer);
        Shell shell;
        shell.choose(KV_CMD_INEQUALITIES);
        auto* edit = shell.get<QLineEdit>(KV_INEQ_INPUT);
        edit->setFocus();
        TypeText(edit, typed);
        QCOMPARE(edit->text(), typed);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(shell.text(KV_INEQ_ANSWER), answer);
    }

    void tooltipsShowTheShortcut_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("equals") << int(KV_STD_EQUALS) << "равно (Enter, =)";
        QTest::newRow("clear") << int(KV_SCI_CLEAR) << "очистить (Esc)";
        QTest::newRow("clear entry") << int(KV_STD_CLEAR_ENTRY) << "очистить ввод (Delete)";
        QTest::newRow("point") << int(KV_STD_POINT) << "десятичная запятая (, .)";
        QTest::newRow("digit") << int(KV_SCI_7) << "цифра 7 (7)";
        QTest::newRow("power") << int(KV_SCI_POWER) << "степень (^)";
        QTest::newRow("no shortcut") << int(KV_STD_SQRT) << "квадратный корень";
    }
    void tooltipsShowTheShortcut() {
        QFETCH(int, key);
        QFETCH(QString, tooltip);
        Shell shell;
        QCOMPARE(shell.get(key)->toolTip(), tooltip);
    }

    void helpPageListsTheShortcuts() {
        Shell shell;
        MessageBoxes boxes;
        QAction* help = nullptr;
        for (QAction* action : shell.window.findChildren<QAction*>()) {
            if (action->text() == QStringLiteral("Клавиши")) help = action;
        }
        QVERIFY(help);
        help->trigger();
        QTRY_COMPARE(boxes.seen.size(), std::size_t{1});
        QCOMPARE(boxes.seen[0].caption, QStringLiteral("Клавиши"));
        for (const char* line : {"0–9 — цифры", ", . — десятичная запятая", "Enter, = — равно", "Esc — очистить", "Delete — очистить ввод", "Ctrl+Z — отменить",
                                 "Ctrl+V — вставить", "Enter — Вычислить, Решить или Построить"}) {
            QVERIFY2(boxes.seen[0].text.contains(QString::fromUtf8(line)), line);
        }
    }

    // Every key and field a mode shows has a name a screen reader can read: its own
    // words, never a bare symbol.
    void everyKeyAndFieldHasAName_data() {
        QTest::addColumn<int>("mode");
        for (int mode : {KV_CMD_STANDARD, KV_CMD_SCIENTIFIC, KV_CMD_FRACTIONS, KV_CMD_EQUATIONS, KV_CMD_INEQUALITIES,
                         KV_CMD_QUADRATIC, KV_CMD_SYSTEM, KV_CMD_GRAPHS, KV_CMD_SETTINGS}) {
            QTest::newRow(QByteArray::number(mode)) << mode;
        }
    }
    void everyKeyAndFieldHasAName() {
        QFETCH(int, mode);
        Shell shell;
        shell.choose(mode);
        int checked = 0;
        for (QWidget* widget : shell.window.findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                                 qobject_cast<QComboBox*>(widget);
            if (!control || !widget->isVisible()) continue;
            ++checked;
            // A drop-down list's accessible text is its value; its name is its own.
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            const QString name = qobject_cast<QComboBox*>(widget) || !accessible ? widget->accessibleName()
                                                                                 : accessible->text(QAccessible::Name);
            int letters = 0;
            for (const QChar c : name) letters += c.isLetter();
            QVERIFY2(letters >= 2, qPrintable(QStringLiteral("'%1' of %2").arg(name, widget->metaObject()->className())));
        }
        QVERIFY(checked >= 3);  // the graph page has the fewest: mode key, formula, build
    }

    void screenReaderNames_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        QTest::newRow("square root") << int(KV_STD_SQRT) << "квадратный корень";
        QTest::newRow("natural logarithm") << int(KV_SCI_LN) << "натуральный логарифм";
        QTest::newRow("memory list key") << int(KV_MEMORY_SHOW_LIST) << "список памяти";
        QTest::newRow("display") << int(KV_DISPLAY) << "табло";
        QTest::newRow("coefficient") << int(KV_QUADRATIC_B) << "коэффициент b";
        QTest::newRow("greater or equal") << int(KV_INEQ_GREATER_EQUAL) << "больше или равно";
        QTest::newRow("digit of the equation keypad") << int(KV_EQ_3) << "цифра 3";
    }
    void screenReaderNames() {
        QFETCH(int, id);
        QFETCH(QString, name);
        Shell shell;
        QCOMPARE(shell.get(id)->accessibleName(), name);
    }

    // Tab walks each page as it is laid out: row by row, left to right.
    void tabFollowsTheLayout_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("standard keypad") << int(KV_CMD_STANDARD)
                                         << QList<int>{KV_STD_RECIPROCAL, KV_STD_SQUARE, KV_STD_SQRT, KV_STD_DIVIDE,
                                                       KV_STD_1, KV_STD_2};
        QTest::newRow("display to the memory row") << int(KV_CMD_SCIENTIFIC)
                                                   << QList<int>{KV_DISPLAY, KV_MEMORY_CLEAR, KV_MEMORY_RECALL};
        QTest::newRow("scientific keypad") << int(KV_CMD_SCIENTIFIC)
                                           << QList<int>{KV_SCI_BACKSPACE, KV_SCI_SQUARE, KV_SCI_RECIPROCAL};
        QTest::newRow("equation field to its keys") << int(KV_CMD_EQUATIONS)
                                                    << QList<int>{KV_EQ_INPUT, KV_EQ_X, KV_EQ_OPEN, KV_EQ_CLOSE};
        QTest::newRow("quadratic coefficients") << int(KV_CMD_QUADRATIC)
                                                << QList<int>{KV_QUADRATIC_A, KV_QUADRATIC_SIGN_B, KV_QUADRATIC_B,
                                                              KV_QUADRATIC_SIGN_C, KV_QUADRATIC_C, KV_QUADRATIC_SOLVE};
    }
    void tabFollowsTheLayout() {
        QFETCH(int, mode);
        QFETCH(QList<int>, order);
        Shell shell;
        shell.choose(mode);
        shell.get(order.front())->setFocus();
        for (qsizetype i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), shell.get(order[i]));
        }
    }

    void systemRowsTabInOrder() {
        Shell shell;
        shell.choose(KV_CMD_SYSTEM);
        shell.click({KV_SYS_ADD, KV_SYS_ADD});
        shell.get(KV_SYS_FIRST_ROW)->setFocus();
        for (int id : {KV_SYS_FIRST_ROW + 1, KV_SYS_FIRST_ROW + 2, int{KV_SYS_SOLVE}, int{KV_SYS_STEPS}}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), shell.get(id));
        }
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
