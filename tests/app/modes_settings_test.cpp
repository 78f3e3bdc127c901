// Start-up, the mode menu with what each mode shows, and the settings page with its
// message boxes.
#include <QAction>

#include "abacor.h"
#include "application.h"
#include "control_ids.h"
#include "shell_harness.h"

using namespace kelvora;
using kelvora::test::MessageBoxes;
using kelvora::test::Shell;

namespace {

bool IsFixed(const QWidget& window) { return window.minimumSize() == window.maximumSize(); }

QList<int> CheckedItems(const MainWindow& window) {
    QList<int> checked;
    for (int command : {KV_CMD_STANDARD, KV_CMD_SCIENTIFIC, KV_CMD_FRACTIONS, KV_CMD_GRAPHS, KV_CMD_EQUATIONS,
                        KV_CMD_INEQUALITIES, KV_CMD_QUADRATIC, KV_CMD_SYSTEM, KV_CMD_SETTINGS}) {
        if (window.menuItem(command)->isChecked()) checked << command;
    }
    return checked;
}

}  // namespace

class ModesSettingsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(InstallRussianTranslation(*qApp)); }
    void init() {
        SetPrecision(-1);
        SetMaxDegree(9);
    }

    void opensInStandardMode() {
        Shell shell;
        QCOMPARE(shell.window.windowTitle(), QStringLiteral("Калькулятор"));
        QCOMPARE(shell.window.appMode(), 1);
        QCOMPARE(shell.window.caption(), QStringLiteral("Стандартный  ▼"));
        QCOMPARE(CheckedItems(shell.window), QList<int>({KV_CMD_STANDARD}));
        QCOMPARE(shell.window.size(), QSize(335, 510));
        QCOMPARE(shell.window.minimumSize(), QSize(290, 360));
        QVERIFY(shell.visible(KV_MODE_BUTTON) && shell.visible(KV_DISPLAY) && shell.visible(KV_STD_EQUALS) &&
                shell.visible(KV_MEMORY_CLEAR));
        QVERIFY(!shell.visible(KV_SETTINGS_MAX_DEGREE));  // created visible, hidden by the first mode switch
        QCOMPARE(shell.text(KV_DISPLAY), QStringLiteral("0"));
    }

    void modes_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<QList<int>>("shown");
        QTest::addColumn<QList<int>>("hidden");
        QTest::addColumn<QList<int>>("checked");
        const QList<int> standard{KV_STD_FIRST, KV_STD_LAST, KV_MEMORY_FIRST, KV_MEMORY_LAST, KV_DISPLAY};
        QTest::newRow("Standard") << int(KV_CMD_STANDARD) << 1 << "Стандартный  ▼" << QSize(335, 510) << false
                                  << standard
                                  << QList<int>{KV_SCI_FIRST, KV_FRACTION_SOLVE, KV_EQ_INPUT, KV_INEQ_INPUT,
                                                KV_QUADRATIC_A, KV_SETTINGS_PRECISION, KV_GRAPH_INPUT}
                                  << QList<int>{KV_CMD_STANDARD};
        QTest::newRow("Scientific") << int(KV_CMD_SCIENTIFIC) << 2 << "Научный  ▼" << QSize(335, 510) << false
                                    << QList<int>{KV_SCI_FIRST, KV_SCI_LAST, KV_MEMORY_FIRST, KV_DISPLAY}
                                    << QList<int>{KV_STD_FIRST, KV_STD_LAST, KV_FRACTION_SOLVE}
                                    << QList<int>{KV_CMD_SCIENTIFIC};
        QTest::newRow("Fractions") << int(KV_CMD_FRACTIONS) << 3 << "Дроби ▼" << QSize(335, 510) << false
                                   << QList<int>{KV_FRACTION_LINE, KV_FRACTION_SOLVE, KV_FRACTION_WHOLE,
                                                 KV_FRACTION_NUMERATOR, KV_FRACTION_DENOMINATOR,
                                                 KV_FRACTION_SEPARATOR}
                                   << QList<int>{KV_STD_FIRST, KV_DISPLAY, KV_MEMORY_FIRST, KV_EQ_INPUT}
                                   << QList<int>{KV_CMD_FRACTIONS};
        QTest::newRow("Equations") << int(KV_CMD_EQUATIONS) << 5 << "Уравнения  ▼" << QSize(335, 510) << false
                                   << QList<int>{KV_EQ_INPUT, KV_EQ_KEYS_FIRST, KV_EQ_KEYS_LAST, KV_EQ_SOLVE,
                                                 KV_EQ_STEPS, KV_EQ_ROW1_LABEL, KV_EQ_ROW1_VALUE}
                                   << QList<int>{KV_EQ_ROW2_VALUE, KV_EQ_SPARE_LABEL, KV_EQ_ROW2_LABEL,
                                                 KV_EQ_ROW3_LABEL, KV_EQ_ROW3_VALUE, KV_EQ_ROW4_VALUE,
                                                 KV_EQ_SPARE_VALUE, KV_DISPLAY, KV_STD_FIRST}
                                   << QList<int>{};
        QTest::newRow("Inequalities") << int(KV_CMD_INEQUALITIES) << 4 << "Неравенства  ▼" << QSize(410, 510) << false
                                      << QList<int>{KV_INEQ_INPUT, KV_INEQ_KEYS_FIRST, KV_INEQ_KEYS_LAST,
                                                    KV_INEQ_SOLVE, KV_INEQ_STEPS, KV_INEQ_ANSWER}
                                      << QList<int>{KV_DISPLAY, KV_EQ_INPUT, KV_STD_FIRST}
                                      << QList<int>{KV_CMD_INEQUALITIES};
        QTest::newRow("Quadratic") << int(KV_CMD_QUADRATIC) << 5 << "Квадратное уравнение  ▼" << QSize(335, 510)
                                   << false
                                   << QList<int>{KV_QUADRATIC_A, KV_QUADRATIC_SIGN_B, KV_QUADRATIC_C,
                                                 KV_QUADRATIC_SOLVE, KV_QUADRATIC_ROOT1, KV_QUADRATIC_ROOT2}
                                   << QList<int>{KV_DISPLAY, KV_STD_FIRST, KV_MEMORY_FIRST, KV_EQ_INPUT,
                                                 KV_INEQ_INPUT}
                                   << QList<int>{KV_CMD_QUADRATIC};
        QTest::newRow("Systems") << int(KV_CMD_SYSTEM) << 8 << "Системы уравнений  ▼" << QSize(370, 510) << false
                                 << QList<int>{KV_SYS_FIRST_ROW, KV_SYS_ADD, KV_SYS_SOLVE, KV_SYS_HINT}
                                 << QList<int>{KV_SYS_REMOVE, KV_DISPLAY, KV_STD_FIRST}
                                 << QList<int>{KV_CMD_SYSTEM};
        QTest::newRow("Settings") << int(KV_CMD_SETTINGS) << 6 << "Настройки  ▼" << QSize(340, 510) << false
                                  << QList<int>{KV_SETTINGS_QUALITY, KV_SETTINGS_PRECISION, KV_SETTINGS_THEME,
                                                KV_SETTINGS_ABOUT, KV_SETTINGS_RESET, KV_SETTINGS_FRACTION_FORMAT,
                                                KV_SETTINGS_LINE, KV_SETTINGS_GRID, KV_SETTINGS_LABELS,
                                                KV_SETTINGS_MAX_DEGREE, KV_SETTINGS_LANGUAGE}
                                  << QList<int>{KV_DISPLAY, KV_STD_FIRST, KV_MEMORY_FIRST, KV_MEMORY_LIST,
                                                KV_MEMORY_INDICATOR_MS}
                                  << QList<int>{KV_CMD_SETTINGS};
        QTest::newRow("Graphs") << int(KV_CMD_GRAPHS) << 7 << "Графики  ▼" << QSize(335, 510) << false
                                << QList<int>{KV_GRAPH_INPUT, KV_GRAPH_BUILD}
                                << QList<int>{KV_SETTINGS_PRECISION, KV_DISPLAY, KV_STD_FIRST}
                                << QList<int>{KV_CMD_GRAPHS};
    }
    // Settings and Graphs draw their own title where the caption would stand.
    void captionGivesWayToPageTitles() {
        Shell shell;
        for (const int command : {KV_CMD_STANDARD, KV_CMD_SCIENTIFIC, KV_CMD_FRACTIONS, KV_CMD_EQUATIONS,
                                  KV_CMD_INEQUALITIES, KV_CMD_QUADRATIC, KV_CMD_SYSTEM, KV_CMD_SETTINGS,
                                  KV_CMD_GRAPHS}) {
            shell.choose(command);
            const bool ownTitle = command == KV_CMD_SETTINGS || command == KV_CMD_GRAPHS;
            QVERIFY2(shell.window.captionShown() == !ownTitle, qPrintable(QString::number(command)));
        }
    }
    void modes() {
        QFETCH(int, command);
        QFETCH(int, mode);
        QFETCH(QString, caption);
        QFETCH(QSize, size);
        QFETCH(bool, fixed);
        QFETCH(QList<int>, shown);
        QFETCH(QList<int>, hidden);
        QFETCH(QList<int>, checked);
        Shell shell;
        shell.click(KV_MEMORY_STORE);    // an indicator that only the memory modes keep
        shell.choose(KV_CMD_SETTINGS);  // wider than the user's size: every other mode returns to it
        shell.choose(command);
        QCOMPARE(shell.window.appMode(), mode);
        QCOMPARE(shell.window.caption(), caption);
        QCOMPARE(shell.window.size(), size);
        QCOMPARE(IsFixed(shell.window), fixed);
        for (int id : shown) QVERIFY2(shell.visible(id), qPrintable(QString::number(id)));
        for (int id : hidden) QVERIFY2(!shell.visible(id), qPrintable(QString::number(id)));
        QCOMPARE(CheckedItems(shell.window), checked);
        QVERIFY(shell.visible(KV_MODE_BUTTON));
    }

    // No menu item sends it: it names the formula modes and leaves every panel hidden.
    void formulasCommand() {
        Shell shell;
        shell.choose(KV_CMD_INEQUALITIES);
        shell.window.command(KV_CMD_FORMULAS, 0);
        QCOMPARE(shell.window.appMode(), 4);
        QCOMPARE(shell.window.caption(), QStringLiteral("Формулы  ▼"));
        QCOMPARE(shell.window.size(), QSize(335, 510));
        QVERIFY(!shell.visible(KV_INEQ_INPUT) && !shell.visible(KV_INEQ_SOLVE));
        QCOMPARE(CheckedItems(shell.window), QList<int>());
    }

    void modeButtonOpensMenuAtItsCorner() {
        Shell shell;
        shell.click(KV_MODE_BUTTON);
        QWidget* popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        const QWidget* button = shell.get(KV_MODE_BUTTON);
        QCOMPARE(popup->pos(), button->mapToGlobal(QPoint(0, button->height())));
        popup->close();
    }

    void precisionListChangesEquals() {
        Shell shell;
        shell.press("1 ÷ 3 =");
        QCOMPARE(shell.text(KV_DISPLAY), QStringLiteral("0.3333333333"));
        shell.choose(KV_CMD_SETTINGS);
        shell.pick(KV_SETTINGS_PRECISION, 0);  // "2 знака"
        shell.choose(KV_CMD_STANDARD);
        shell.press("1 ÷ 3 =");
        QCOMPARE(shell.text(KV_DISPLAY), QStringLiteral("0.33"));
        shell.choose(KV_CMD_SETTINGS);
        shell.pick(KV_SETTINGS_PRECISION, 3);  // "Авто"
        shell.choose(KV_CMD_STANDARD);
        shell.press("1 ÷ 3 =");
        QCOMPARE(shell.text(KV_DISPLAY), QStringLiteral("0.3333333333"));
    }

    void graphLists_data() {
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("samples");
        QTest::addColumn<float>("thickness");
        QTest::addColumn<bool>("grid");
        QTest::addColumn<bool>("labels");
        QTest::newRow("grid hidden") << int(KV_SETTINGS_GRID) << 1 << 300 << 2.0f << false << true;
        QTest::newRow("labels hidden") << int(KV_SETTINGS_LABELS) << 1 << 300 << 2.0f << true << false;
        QTest::newRow("thin line") << int(KV_SETTINGS_LINE) << 0 << 300 << 1.0f << true << true;
        QTest::newRow("bold line") << int(KV_SETTINGS_LINE) << 2 << 300 << 3.0f << true << true;
        QTest::newRow("low quality") << int(KV_SETTINGS_QUALITY) << 0 << 100 << 2.0f << true << true;
        QTest::newRow("high quality") << int(KV_SETTINGS_QUALITY) << 2 << 500 << 2.0f << true << true;
    }
    void graphLists() {
        QFETCH(int, list);
        QFETCH(int, index);
        QFETCH(int, samples);
        QFETCH(float, thickness);
        QFETCH(bool, grid);
        QFETCH(bool, labels);
        Shell shell;
        shell.choose(KV_CMD_SETTINGS);
        shell.pick(list, index);
        const GraphSettings& settings = shell.window.graphSettings();
        QCOMPARE(settings.SampleCount, samples);
        QCOMPARE(settings.LineThickness, thickness);
        QCOMPARE(settings.ShowGrid, grid);
        QCOMPARE(settings.ShowLabels, labels);
    }

    void notices_data() {
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("selectionAfter");
        QTest::newRow("degree 50") << int(KV_SETTINGS_MAX_DEGREE) << 2
                                   << "Внимание!\n\nСтепень 50+ может вызвать зависание на слабых ПК.\n"
                                      "Рекомендуется 9-25."
                                   << "Предупреждение" << int(QMessageBox::Warning) << 2;
        QTest::newRow("fraction format") << int(KV_SETTINGS_FRACTION_FORMAT) << 1
                                         << "Формат дробей будет добавлен в следующей версии!"
                                         << "Пока не работает" << int(QMessageBox::Information) << 2;
        QTest::newRow("language") << int(KV_SETTINGS_LANGUAGE) << 1
                                  << "English language will be added in the next version!"
                                  << "Coming soon" << int(QMessageBox::Information) << 0;
    }
    void notices() {
        QFETCH(int, list);
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        QFETCH(int, icon);
        QFETCH(int, selectionAfter);
        Shell shell;
        shell.choose(KV_CMD_SETTINGS);
        MessageBoxes boxes;
        shell.pick(list, index);
        QCOMPARE(boxes.seen.size(), std::size_t{1});
        QCOMPARE(boxes.seen[0].text, text);
        QCOMPARE(boxes.seen[0].caption, caption);
        QCOMPARE(int(boxes.seen[0].icon), icon);
        QCOMPARE(boxes.seen[0].buttons, QStringList({"OK"}));
        QCOMPARE(shell.get<QComboBox>(list)->currentIndex(), selectionAfter);
    }

    void degree25IsQuiet() {
        Shell shell;
        shell.choose(KV_CMD_SETTINGS);
        MessageBoxes boxes;
        shell.pick(KV_SETTINGS_MAX_DEGREE, 1);
        QVERIFY(boxes.seen.empty());
    }

    void resetAnsweredNoChangesNothing() {
        Shell shell;
        shell.choose(KV_CMD_SETTINGS);
        shell.pick(KV_SETTINGS_GRID, 1);
        shell.pick(KV_SETTINGS_PRECISION, 0);
        MessageBoxes boxes(QMessageBox::No);
        shell.click(KV_SETTINGS_RESET);
        QCOMPARE(boxes.seen.size(), std::size_t{1});
        QCOMPARE(boxes.seen[0].text, QStringLiteral("Сбросить все настройки к значениям по умолчанию?"));
        QCOMPARE(boxes.seen[0].caption, QStringLiteral("Подтверждение"));
        QCOMPARE(boxes.seen[0].icon, QMessageBox::Question);
        QCOMPARE(boxes.seen[0].buttons, QStringList({"Да", "Нет"}));
        QVERIFY(!shell.window.graphSettings().ShowGrid);
        QCOMPARE(GetPrecision(), 2);
    }

    void resetAnsweredYesRestoresDefaults() {
        Shell shell;
        shell.choose(KV_CMD_SETTINGS);
        shell.pick(KV_SETTINGS_GRID, 1);
        shell.pick(KV_SETTINGS_LINE, 2);
        shell.pick(KV_SETTINGS_PRECISION, 0);
        shell.pick(KV_SETTINGS_THEME, 1);
        {
            MessageBoxes boxes(QMessageBox::Yes);
            shell.pick(KV_SETTINGS_MAX_DEGREE, 3);
            boxes.seen.clear();
            shell.click(KV_SETTINGS_RESET);
            QCOMPARE(boxes.seen.size(), std::size_t{2});
            QCOMPARE(boxes.seen[1].text, QStringLiteral("Настройки сброшены!"));
            QCOMPARE(boxes.seen[1].caption, QStringLiteral("Успех"));
        }
        const QList<std::pair<int, int>> defaults{
            {KV_SETTINGS_PRECISION, 3}, {KV_SETTINGS_MAX_DEGREE, 0}, {KV_SETTINGS_FRACTION_FORMAT, 2},
            {KV_SETTINGS_QUALITY, 1},   {KV_SETTINGS_LINE, 1},       {KV_SETTINGS_GRID, 0},
            {KV_SETTINGS_LABELS, 0},    {KV_SETTINGS_THEME, 0},      {KV_SETTINGS_LANGUAGE, 0}};
        for (const auto& [list, index] : defaults) QCOMPARE(shell.get<QComboBox>(list)->currentIndex(), index);
        QCOMPARE(GetPrecision(), -1);
        const GraphSettings& settings = shell.window.graphSettings();
        QVERIFY(settings.ShowGrid && settings.ShowLabels);
        QCOMPARE(settings.LineThickness, 2.0f);
        QCOMPARE(settings.SampleCount, 300);
    }

    void aboutBox() {
        Shell shell;
        shell.choose(KV_CMD_SETTINGS);
        MessageBoxes boxes;
        shell.click(KV_SETTINGS_ABOUT);
        QCOMPARE(boxes.seen.size(), std::size_t{1});
        QCOMPARE(boxes.seen[0].caption, QStringLiteral("О программе"));
        QCOMPARE(boxes.seen[0].icon, QMessageBox::Information);
        QVERIFY(boxes.seen[0].text.startsWith(
            QStringLiteral("Kelvora 1.0\n\nМногофункциональный калькулятор\nдля школьников и студентов\n\n"
                           "• Стандартный и научный режимы\n")));
        QVERIFY(boxes.seen[0].text.contains(QStringLiteral("• Поддержка sin, cos, tan, log, ln, exp, sqrt")));
    }
};

QTEST_MAIN(ModesSettingsTest)
#include "modes_settings_test.moc"
