// Start-up, the mode menu with what each mode shows, and the settings page with its
// message boxes.
#include <QAction>

#include "abacor.h"
#include "application.h"
#include "modes.h"
#include "shell_harness.h"

using namespace kelvora;
using kelvora::test::MessageBoxes;
using kelvora::test::Shell;

namespace {

bool IsFixed(const QWidget& window) { return window.minimumSize() == window.maximumSize(); }

QList<int> CheckedItems(const MainWindow& window) {
    QList<int> checked;
    for (int command : {2001, 2400, 2003, 6000, 1400, 1402, 1401, 2006, 2005}) {
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
        QCOMPARE(CheckedItems(shell.window), QList<int>({2001}));
        QCOMPARE(shell.window.size(), QSize(335, 510));
        QCOMPARE(shell.window.minimumSize(), QSize(335, 510));
        QVERIFY(shell.visible(1001) && shell.visible(100) && shell.visible(12) && shell.visible(1600));
        QVERIFY(!shell.visible(2530));  // created visible, hidden by the first mode switch
        QCOMPARE(shell.text(100), QStringLiteral("0"));
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
        const QList<int> standard{0, 24, 1600, 1605, 100};
        QTest::newRow("Standard") << 2001 << 1 << "Стандартный  ▼" << QSize(335, 510) << false << standard
                                  << QList<int>{30, 150, 1700, 2100, 1420, 2505, 2200} << QList<int>{2001};
        QTest::newRow("Scientific") << 2400 << 2 << "Научный  ▼" << QSize(335, 510) << false
                                    << QList<int>{30, 64, 1600, 100} << QList<int>{0, 24, 150} << QList<int>{2400};
        QTest::newRow("Fractions") << 2003 << 3 << "Дроби ▼" << QSize(335, 510) << true
                                   << QList<int>{1203, 150, 1206, 1207, 1208, 154}
                                   << QList<int>{0, 100, 1600, 1700} << QList<int>{2003};
        QTest::newRow("Equations") << 1400 << 5 << "Уравнения  ▼" << QSize(335, 510) << false
                                   << QList<int>{1700, 1702, 1733, 1722, 1726, 1723, 1724}
                                   << QList<int>{1725, 1741, 1742, 1743, 1770, 1771, 1772, 100, 0} << QList<int>{};
        QTest::newRow("Inequalities") << 1402 << 4 << "Неравенства  ▼" << QSize(410, 510) << true
                                      << QList<int>{2100, 2101, 2128, 2129, 2130, 2132}
                                      << QList<int>{100, 1700, 0} << QList<int>{1402};
        QTest::newRow("Quadratic") << 1401 << 5 << "Квадратное уравнение  ▼" << QSize(335, 510) << true
                                   << QList<int>{1420, 1422, 1426, 1428, 1431, 1432}
                                   << QList<int>{100, 0, 1600, 1700, 2100} << QList<int>{1401};
        QTest::newRow("Systems") << 2006 << 8 << "Системы уравнений  ▼" << QSize(370, 510) << true
                                 << QList<int>{1800, 1805, 1807, 1810} << QList<int>{1806, 100, 0}
                                 << QList<int>{2006};
        QTest::newRow("Settings") << 2005 << 6 << "Настройки  ▼" << QSize(340, 510) << true
                                  << QList<int>{2503, 2505, 2507, 2508, 2509, 2514, 2522, 2524, 2526, 2530, 2532}
                                  << QList<int>{100, 0, 1600, 1610, 5004} << QList<int>{2005};
        QTest::newRow("Graphs") << 6000 << 7 << "Графики  ▼" << QSize(340, 510) << false << QList<int>{2200, 2201}
                                << QList<int>{2505, 100, 0} << QList<int>{6000};
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
        shell.click(1604);            // an indicator that only the memory modes keep
        shell.choose(2005);           // from a fixed size of its own: Graphs keeps the size
        shell.choose(command);
        QCOMPARE(shell.window.appMode(), mode);
        QCOMPARE(shell.window.caption(), caption);
        QCOMPARE(shell.window.size(), size);
        QCOMPARE(IsFixed(shell.window), fixed);
        for (int id : shown) QVERIFY2(shell.visible(id), qPrintable(QString::number(id)));
        for (int id : hidden) QVERIFY2(!shell.visible(id), qPrintable(QString::number(id)));
        QCOMPARE(CheckedItems(shell.window), checked);
        QVERIFY(shell.visible(1001));
    }

    // No menu item sends it: it names the formula modes and leaves every panel hidden.
    void formulasCommand() {
        Shell shell;
        shell.choose(kInequalitiesCommand);
        shell.window.command(kFormulasCommand, 0);
        QCOMPARE(shell.window.appMode(), 4);
        QCOMPARE(shell.window.caption(), QStringLiteral("Формулы  ▼"));
        QCOMPARE(shell.window.size(), QSize(335, 510));
        QVERIFY(!shell.visible(2100) && !shell.visible(2129));
        QCOMPARE(CheckedItems(shell.window), QList<int>());
    }

    void modeButtonOpensMenuAtItsCorner() {
        Shell shell;
        shell.click(1001);
        QWidget* popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        const QWidget* button = shell.get(1001);
        QCOMPARE(popup->pos(), button->mapToGlobal(QPoint(0, button->height())));
        popup->close();
    }

    void precisionListChangesEquals() {
        Shell shell;
        shell.press("1 ÷ 3 =");
        QCOMPARE(shell.text(100), QStringLiteral("0.3333333333"));
        shell.choose(2005);
        shell.pick(2505, 0);  // "2 знака"
        shell.choose(2001);
        shell.press("1 ÷ 3 =");
        QCOMPARE(shell.text(100), QStringLiteral("0.33"));
        shell.choose(2005);
        shell.pick(2505, 3);  // "Авто"
        shell.choose(2001);
        shell.press("1 ÷ 3 =");
        QCOMPARE(shell.text(100), QStringLiteral("0.3333333333"));
    }

    void graphLists_data() {
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("samples");
        QTest::addColumn<float>("thickness");
        QTest::addColumn<bool>("grid");
        QTest::addColumn<bool>("labels");
        QTest::newRow("grid hidden") << 2524 << 1 << 300 << 2.0f << false << true;
        QTest::newRow("labels hidden") << 2526 << 1 << 300 << 2.0f << true << false;
        QTest::newRow("thin line") << 2522 << 0 << 300 << 1.0f << true << true;
        QTest::newRow("bold line") << 2522 << 2 << 300 << 3.0f << true << true;
        QTest::newRow("low quality") << 2503 << 0 << 100 << 2.0f << true << true;
        QTest::newRow("high quality") << 2503 << 2 << 500 << 2.0f << true << true;
    }
    void graphLists() {
        QFETCH(int, list);
        QFETCH(int, index);
        QFETCH(int, samples);
        QFETCH(float, thickness);
        QFETCH(bool, grid);
        QFETCH(bool, labels);
        Shell shell;
        shell.choose(2005);
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
        QTest::newRow("degree 50") << 2530 << 2
                                   << "Внимание!\n\nСтепень 50+ может вызвать зависание на слабых ПК.\n"
                                      "Рекомендуется 9-25."
                                   << "Предупреждение" << int(QMessageBox::Warning) << 2;
        QTest::newRow("fraction format") << 2514 << 1 << "Формат дробей будет добавлен в следующей версии!"
                                         << "Пока не работает" << int(QMessageBox::Information) << 2;
        QTest::newRow("language") << 2532 << 1 << "English language will be added in the next version!"
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
        shell.choose(2005);
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
        shell.choose(2005);
        MessageBoxes boxes;
        shell.pick(2530, 1);
        QVERIFY(boxes.seen.empty());
    }

    void resetAnsweredNoChangesNothing() {
        Shell shell;
        shell.choose(2005);
        shell.pick(2524, 1);
        shell.pick(2505, 0);
        MessageBoxes boxes(QMessageBox::No);
        shell.click(2509);
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
        shell.choose(2005);
        shell.pick(2524, 1);
        shell.pick(2522, 2);
        shell.pick(2505, 0);
        shell.pick(2507, 1);
        {
            MessageBoxes boxes(QMessageBox::Yes);
            shell.pick(2530, 3);
            boxes.seen.clear();
            shell.click(2509);
            QCOMPARE(boxes.seen.size(), std::size_t{2});
            QCOMPARE(boxes.seen[1].text, QStringLiteral("Настройки сброшены!"));
            QCOMPARE(boxes.seen[1].caption, QStringLiteral("Успех"));
        }
        const QList<std::pair<int, int>> defaults{{2505, 3}, {2530, 0}, {2514, 2}, {2503, 1}, {2522, 1},
                                                  {2524, 0}, {2526, 0}, {2507, 0}, {2532, 0}};
        for (const auto& [list, index] : defaults) QCOMPARE(shell.get<QComboBox>(list)->currentIndex(), index);
        QCOMPARE(GetPrecision(), -1);
        const GraphSettings& settings = shell.window.graphSettings();
        QVERIFY(settings.ShowGrid && settings.ShowLabels);
        QCOMPARE(settings.LineThickness, 2.0f);
        QCOMPARE(settings.SampleCount, 300);
    }

    void aboutBox() {
        Shell shell;
        shell.choose(2005);
        MessageBoxes boxes;
        shell.click(2508);
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
