// The history: the bounded list and its file, what each mode's action records, taking a
// calculation back, copying, clearing, and the list surviving a restart.
#include <QClipboard>
#include <QDialog>
#include <QListWidget>
#include <QMenu>
#include <QSettings>

#include "abacor.h"
#include "control_ids.h"
#include "history.h"
#include "persistent_shell.h"
#include "shortcuts.h"
#include "shell_harness.h"
#include "system_panel.h"

using namespace kelvora;
using kelvora::test::MessageBoxes;
using kelvora::test::PersistentShell;
using kelvora::test::SettingsFile;

namespace {

Calculation Numbered(int n) {
    return {KV_CMD_STANDARD, {QString::number(n)}, QStringLiteral("%1+1").arg(n), QString::number(n + 1)};
}

QStringList Texts(const History& history) {
    QStringList texts;
    for (const Calculation& entry : history.entries()) texts << entry.text;
    return texts;
}

QStringList ListRows(PersistentShell& shell) {
    QStringList rows;
    const QListWidget* list = shell.window.history().list();
    for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
    return rows;
}

// One calculation of a mode as a user runs it: keys clicked, then texts typed into fields,
// then the action.
struct Run {
    int mode;
    QList<int> keys;
    QList<int> fields;
    QStringList typed;
    int action;
};

void Calculate(PersistentShell& shell, const Run& run) {
    shell.choose(run.mode);
    for (int key : run.keys) shell.click(key);
    for (qsizetype i = 0; i < run.fields.size(); ++i) shell.type(run.fields[i], run.typed[i]);
    shell.click(run.action);
}

}  // namespace

Q_DECLARE_METATYPE(Run)
Q_DECLARE_METATYPE(Calculation)

class HistoryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        SetPrecision(-1);
        SetMaxDegree(9);
    }

    // ---- The list ---------------------------------------------------------------------

    void keepsTheNewestHundredNewestFirst() {
        History history;
        for (int n = 1; n <= History::kCapacity + 5; ++n) history.add(Numbered(n));
        QCOMPARE(history.entries().size(), History::kCapacity);
        QCOMPARE(history.entries().front(), Numbered(History::kCapacity + 5));
        QCOMPARE(history.entries().back(), Numbered(6));
    }

    void repeatedCalculation_data() {
        QTest::addColumn<QList<int>>("added");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("twice in a row is kept once") << QList<int>{1, 1} << QStringList{"1+1"};
        QTest::newRow("again after another is kept") << QList<int>{1, 2, 1} << QStringList{"1+1", "2+1", "1+1"};
    }
    void repeatedCalculation() {
        QFETCH(QList<int>, added);
        QFETCH(QStringList, texts);
        History history;
        for (int n : added) history.add(Numbered(n));
        QCOMPARE(Texts(history), texts);
    }

    // What a field may hold must come back unchanged, however the file format quotes it.
    void savedAndLoadedAlike_data() {
        QTest::addColumn<Calculation>("calculation");
        QTest::newRow("quadratic fields") << Calculation{KV_CMD_QUADRATIC, {"1", "1", "3", "0", "2"},
                                                         "1x² − 3x + 2 = 0", "x₁ = 2; x₂ = 1"};
        QTest::newRow("system rows") << Calculation{KV_CMD_SYSTEM, {"x+y=3", "x-y=1"}, "x+y=3; x-y=1", "x = 2; y = 1"};
        QTest::newRow("decimal comma") << Calculation{KV_CMD_STANDARD, {"1,5+2"}, "1,5+2", "3,5"};
        QTest::newRow("comma between rows") << Calculation{KV_CMD_SYSTEM, {"x,y", ""}, "x,y", "x"};
        QTest::newRow("quotes and backslash")
            << Calculation{KV_CMD_EQUATIONS, {"\\\"x\"=2"}, "\\\"x\"=2", "\"2\""};
        QTest::newRow("empty input among others") << Calculation{KV_CMD_SYSTEM, {"", "x=1"}, "x=1", "x = 1"};
        QTest::newRow("at sign and brackets") << Calculation{KV_CMD_GRAPHS, {"@Invalid()"}, "@Invalid()", "[a]"};
    }
    void savedAndLoadedAlike() {
        QFETCH(Calculation, calculation);
        SettingsFile file;
        History saved;
        saved.add(calculation);
        saved.add(Numbered(7));
        {
            QSettings settings(file.path(), QSettings::IniFormat);
            saved.save(settings);
        }
        QSettings settings(file.path(), QSettings::IniFormat);
        History loaded;
        loaded.load(settings);
        QCOMPARE(loaded.entries(), saved.entries());
    }

    void damagedEntries_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("kept");
        QTest::newRow("sound") << "fractions" << "1/2+1/3" << true;
        QTest::newRow("unknown mode") << "abacus" << "1/2+1/3" << false;
        QTest::newRow("no text") << "fractions" << "" << false;
    }
    void damagedEntries() {
        QFETCH(QString, mode);
        QFETCH(QString, text);
        QFETCH(bool, kept);
        SettingsFile file;
        QSettings settings(file.path(), QSettings::IniFormat);
        settings.beginWriteArray("history/calculations", 2);
        settings.setArrayIndex(0);
        settings.setValue("mode", mode);
        settings.setValue("text", text);
        settings.setValue("result", "5/6");
        settings.setArrayIndex(1);
        settings.setValue("mode", "standard");
        settings.setValue("text", "2+3");
        settings.setValue("result", "5");
        settings.endArray();
        History history;
        history.load(settings);
        QCOMPARE(Texts(history), kept ? QStringList({text, "2+3"}) : QStringList({"2+3"}));
    }

    void loadsAtMostTheCapacity() {
        SettingsFile file;
        QSettings settings(file.path(), QSettings::IniFormat);
        settings.beginWriteArray("history/calculations");
        for (int i = 0; i < History::kCapacity + 20; ++i) {
            settings.setArrayIndex(i);
            settings.setValue("mode", "standard");
            settings.setValue("text", QString::number(i));
        }
        settings.endArray();
        History history;
        history.load(settings);
        QCOMPARE(history.entries().size(), History::kCapacity);
        QCOMPARE(history.entries().front().text, QStringLiteral("0"));
    }

    // ---- What the program records -----------------------------------------------------

    void recordsEveryMode_data() {
        QTest::addColumn<Run>("run");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::newRow("standard =") << Run{KV_CMD_STANDARD, {KV_STD_2, KV_STD_PLUS, KV_STD_3}, {}, {}, KV_STD_EQUALS}
                                    << "2+3" << "5";
        QTest::newRow("scientific =")
            << Run{KV_CMD_SCIENTIFIC, {KV_SCI_2, KV_SCI_TIMES, KV_SCI_OPEN, KV_SCI_1, KV_SCI_PLUS, KV_SCI_3, KV_SCI_CLOSE},
                   {}, {}, KV_SCI_EQUALS}
            << "2×(1+3)" << "8";
        QTest::newRow("fractions") << Run{KV_CMD_FRACTIONS, {}, {KV_FRACTION_LINE}, {"1/2+1/3"}, KV_FRACTION_SOLVE}
                                   << "1/2+1/3" << "5/6";
        QTest::newRow("mixed number") << Run{KV_CMD_FRACTIONS, {}, {KV_FRACTION_LINE}, {"3/2"}, KV_FRACTION_SOLVE}
                                      << "3/2" << "1 1/2";
        QTest::newRow("equation") << Run{KV_CMD_EQUATIONS, {}, {KV_EQ_INPUT}, {"x^2-5x+6=0"}, KV_EQ_SOLVE}
                                  << "x^2-5x+6=0" << "X₁ = 3; X₂ = 2";
        QTest::newRow("inequality") << Run{KV_CMD_INEQUALITIES, {KV_INEQ_2, KV_INEQ_X, KV_INEQ_GREATER, KV_INEQ_4},
                                           {}, {}, KV_INEQ_SOLVE}
                                    << "2x>4" << "(2, +∞)";
        QTest::newRow("quadratic") << Run{KV_CMD_QUADRATIC, {}, {KV_QUADRATIC_A, KV_QUADRATIC_B, KV_QUADRATIC_C},
                                          {"1", "3", "2"}, KV_QUADRATIC_SOLVE}
                                   << "1x² + 3x + 2 = 0" << "x₁ = -1.0000; x₂ = -2.0000";
        QTest::newRow("system") << Run{KV_CMD_SYSTEM, {KV_SYS_ADD}, {KV_SYS_FIRST_ROW, KV_SYS_FIRST_ROW + 1},
                                       {"x+y=3", "x-y=1"}, KV_SYS_SOLVE}
                                << "x+y=3; x-y=1" << "x = 2; y = 1";
        QTest::newRow("graph") << Run{KV_CMD_GRAPHS, {}, {KV_GRAPH_INPUT}, {"x^2"}, KV_GRAPH_BUILD} << "x^2"
                               << "график построен";
    }
    void recordsEveryMode() {
        QFETCH(Run, run);
        QFETCH(QString, text);
        QFETCH(QString, result);
        SettingsFile file;
        PersistentShell shell(file.path());
        Calculate(shell, run);
        const History& history = shell.window.history().history();
        QCOMPARE(history.entries().size(), 1);
        QCOMPARE(history.entries().front().command, run.mode);
        QCOMPARE(history.entries().front().text, text);
        QCOMPARE(history.entries().front().result, result);
        QCOMPARE(ListRows(shell), QStringList{text + " → " + result});
    }

    // Each fraction answer hides the parts it has not: a part left from before is not read.
    void fractionAnswersInARow() {
        SettingsFile file;
        PersistentShell shell(file.path());
        for (const QString line : {"3/2", "1/2+1/3", "4/2"}) {
            shell.get<QLineEdit>(KV_FRACTION_LINE)->clear();
            Calculate(shell, {KV_CMD_FRACTIONS, {}, {KV_FRACTION_LINE}, {line}, KV_FRACTION_SOLVE});
        }
        QCOMPARE(ListRows(shell), QStringList({"4/2 → 2", "1/2+1/3 → 5/6", "3/2 → 1 1/2"}));
    }

    // A calculation that brought no answer is no calculation to take back.
    void recordsNoFailure_data() {
        QTest::addColumn<Run>("run");
        QTest::newRow("= on a lone number") << Run{KV_CMD_STANDARD, {KV_STD_7}, {}, {}, KV_STD_EQUALS};
        QTest::newRow("division by zero") << Run{KV_CMD_STANDARD, {KV_STD_1, KV_STD_DIVIDE, KV_STD_0}, {}, {},
                                                 KV_STD_EQUALS};
        QTest::newRow("refused equation") << Run{KV_CMD_EQUATIONS, {}, {KV_EQ_INPUT}, {"x=="}, KV_EQ_SOLVE};
        QTest::newRow("empty fraction line") << Run{KV_CMD_FRACTIONS, {}, {}, {}, KV_FRACTION_SOLVE};
        QTest::newRow("quadratic with a = 0") << Run{KV_CMD_QUADRATIC, {}, {KV_QUADRATIC_A, KV_QUADRATIC_B},
                                                     {"0", "2"}, KV_QUADRATIC_SOLVE};
        QTest::newRow("rejected graph") << Run{KV_CMD_GRAPHS, {}, {KV_GRAPH_INPUT}, {"x+"}, KV_GRAPH_BUILD};
        QTest::newRow("empty system") << Run{KV_CMD_SYSTEM, {}, {}, {}, KV_SYS_SOLVE};
    }
    void recordsNoFailure() {
        QFETCH(Run, run);
        SettingsFile file;
        PersistentShell shell(file.path());
        MessageBoxes boxes;
        Calculate(shell, run);
        QVERIFY(shell.window.history().history().entries().isEmpty());
    }

    void survivesRestartNewestFirst() {
        SettingsFile file;
        {
            PersistentShell shell(file.path());
            Calculate(shell, {KV_CMD_STANDARD, {KV_STD_2, KV_STD_PLUS, KV_STD_3}, {}, {}, KV_STD_EQUALS});
            Calculate(shell, {KV_CMD_FRACTIONS, {}, {KV_FRACTION_LINE}, {"1/2+1/3"}, KV_FRACTION_SOLVE});
        }
        PersistentShell restarted(file.path());
        QCOMPARE(ListRows(restarted), QStringList({"1/2+1/3 → 5/6", "2+3 → 5"}));
    }

    void clearingEmptiesTheListAndTheFile() {
        SettingsFile file;
        {
            PersistentShell shell(file.path());
            Calculate(shell, {KV_CMD_STANDARD, {KV_STD_2, KV_STD_PLUS, KV_STD_3}, {}, {}, KV_STD_EQUALS});
            auto* clear = shell.window.history().window()->findChild<QPushButton*>();
            QVERIFY(clear);
            QCOMPARE(clear->text(), QStringLiteral("Очистить"));
            clear->click();
            QCOMPARE(ListRows(shell), QStringList());
        }
        PersistentShell restarted(file.path());
        QCOMPARE(ListRows(restarted), QStringList());
    }

    // ---- Taking back and copying ------------------------------------------------------

    void clickTakesTheTextBack_data() {
        QTest::addColumn<Run>("run");
        QTest::addColumn<int>("appMode");
        QTest::addColumn<QList<int>>("fields");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("standard") << Run{KV_CMD_STANDARD, {KV_STD_2, KV_STD_PLUS, KV_STD_3}, {}, {}, KV_STD_EQUALS} << 1
                                  << QList<int>{KV_DISPLAY} << QStringList{"2+3"};
        QTest::newRow("equation") << Run{KV_CMD_EQUATIONS, {}, {KV_EQ_INPUT}, {"2x=4"}, KV_EQ_SOLVE} << 5
                                  << QList<int>{KV_EQ_INPUT} << QStringList{"2x=4"};
        QTest::newRow("quadratic")
            << Run{KV_CMD_QUADRATIC, {}, {KV_QUADRATIC_A, KV_QUADRATIC_B, KV_QUADRATIC_C}, {"1", "3", "2"},
                   KV_QUADRATIC_SOLVE}
            << 5 << QList<int>{KV_QUADRATIC_A, KV_QUADRATIC_B, KV_QUADRATIC_C} << QStringList{"1", "3", "2"};
        QTest::newRow("system of two rows")
            << Run{KV_CMD_SYSTEM, {KV_SYS_ADD}, {KV_SYS_FIRST_ROW, KV_SYS_FIRST_ROW + 1}, {"x+y=3", "x-y=1"},
                   KV_SYS_SOLVE}
            << 8 << QList<int>{KV_SYS_FIRST_ROW, KV_SYS_FIRST_ROW + 1} << QStringList{"x+y=3", "x-y=1"};
        QTest::newRow("graph") << Run{KV_CMD_GRAPHS, {}, {KV_GRAPH_INPUT}, {"sin(x)"}, KV_GRAPH_BUILD} << 7
                               << QList<int>{KV_GRAPH_INPUT} << QStringList{"sin(x)"};
    }
    void clickTakesTheTextBack() {
        QFETCH(Run, run);
        QFETCH(int, appMode);
        QFETCH(QList<int>, fields);
        QFETCH(QStringList, shown);
        SettingsFile file;
        PersistentShell shell(file.path());
        Calculate(shell, run);
        shell.choose(KV_CMD_SETTINGS);
        // The user has typed over the old text meanwhile; nothing of it must stay.
        for (int field : fields) shell.get<QLineEdit>(field)->setText("9");
        shell.choose(KV_CMD_FRACTIONS);
        QListWidget* list = shell.window.history().list();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QCOMPARE(shell.window.appMode(), appMode);
        QStringList texts;
        for (int field : fields) {
            QVERIFY(shell.get(field)->isVisible());
            texts << shell.get<QLineEdit>(field)->text();
        }
        QCOMPARE(texts, shown);
    }

    void takenBackSumCalculatesAgain() {
        SettingsFile file;
        PersistentShell shell(file.path());
        Calculate(shell, {KV_CMD_STANDARD, {KV_STD_2, KV_STD_PLUS, KV_STD_3}, {}, {}, KV_STD_EQUALS});
        shell.click(KV_STD_CLEAR);
        shell.window.history().takeBack(0);
        shell.click(KV_STD_EQUALS);
        QCOMPARE(shell.get<QLineEdit>(KV_DISPLAY)->text(), QStringLiteral("5"));
    }

    void takenBackQuadraticKeepsItsSigns() {
        SettingsFile file;
        PersistentShell shell(file.path());
        shell.choose(KV_CMD_QUADRATIC);
        shell.get<QComboBox>(KV_QUADRATIC_SIGN_B)->setCurrentIndex(1);
        Calculate(shell, {KV_CMD_QUADRATIC, {}, {KV_QUADRATIC_A, KV_QUADRATIC_B, KV_QUADRATIC_C}, {"1", "3", "2"},
                          KV_QUADRATIC_SOLVE});
        QCOMPARE(shell.window.history().history().entries().front().text, QStringLiteral("1x² − 3x + 2 = 0"));
        shell.get<QComboBox>(KV_QUADRATIC_SIGN_B)->setCurrentIndex(0);
        shell.window.history().takeBack(0);
        QCOMPARE(shell.get<QComboBox>(KV_QUADRATIC_SIGN_B)->currentIndex(), 1);
        QCOMPARE(shell.get<QComboBox>(KV_QUADRATIC_SIGN_C)->currentIndex(), 0);
    }

    void contextMenuCopies_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("copied");
        QTest::newRow("the text") << "Копировать выражение" << "1/2+1/3";
        QTest::newRow("the result") << "Копировать результат" << "5/6";
    }
    void contextMenuCopies() {
        QFETCH(QString, item);
        QFETCH(QString, copied);
        SettingsFile file;
        PersistentShell shell(file.path());
        Calculate(shell, {KV_CMD_FRACTIONS, {}, {KV_FRACTION_LINE}, {"1/2+1/3"}, KV_FRACTION_SOLVE});
        Calculate(shell, {KV_CMD_STANDARD, {KV_STD_2, KV_STD_PLUS, KV_STD_3}, {}, {}, KV_STD_EQUALS});
        QApplication::clipboard()->clear();
        shell.window.history().list()->setCurrentRow(1);
        QAction* action = nullptr;
        for (QAction* candidate : shell.window.history().rowMenu()->actions()) {
            if (candidate->text() == item) action = candidate;
        }
        QVERIFY(action);
        action->trigger();
        QCOMPARE(QApplication::clipboard()->text(), copied);
    }

    // ---- The window ---------------------------------------------------------------------

    void menuItemAndCtrlHToggleTheWindow() {
        SettingsFile file;
        PersistentShell shell(file.path());
        QAction* toggle = shell.window.history().toggle();
        QCOMPARE(toggle->text(), QStringLiteral("История"));
        QCOMPARE(toggle->shortcut(), QKeySequence(QStringLiteral("Ctrl+H")));
        QVERIFY(KeysHelpText().endsWith(QStringLiteral("\n\nCtrl+H — показать или скрыть историю")));
        shell.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&shell.window));
        QTest::keyClick(&shell.window, Qt::Key_H, Qt::ControlModifier);
        QVERIFY(shell.window.history().window()->isVisible());
        QVERIFY(toggle->isChecked());
        // Beside the main window, not over it.
        QVERIFY(!shell.window.history().window()->frameGeometry().intersects(shell.window.geometry()));
        toggle->trigger();
        QVERIFY(!shell.window.history().window()->isVisible());
        toggle->trigger();
        shell.window.history().window()->close();
        QVERIFY(!toggle->isChecked());
    }
};

QTEST_MAIN(HistoryTest)
#include "history_test.moc"
