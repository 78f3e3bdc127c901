// What comes back at the next start: the settings page's choices with their effect and
// without their messages, the last mode and size; and the dark theme on every window.
#include <QSettings>

#include "abacor.h"
#include "control_ids.h"
#include "persistent_shell.h"
#include "settings_page.h"
#include "shell_harness.h"

using namespace kelvora;
using kelvora::test::MessageBoxes;
using kelvora::test::PersistentShell;
using kelvora::test::SettingsFile;

namespace {

void Pick(PersistentShell& shell, int listId, int index) {
    shell.choose(KV_CMD_SETTINGS);
    auto* list = shell.get<QComboBox>(listId);
    list->setFocus();
    const int steps = index - list->currentIndex();
    for (int i = 0; i < std::abs(steps); ++i) QTest::keyClick(list, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
    // A new palette reaches the windows through the event queue.
    QCoreApplication::processEvents();
}

// The share of a picture's pixels darker than mid grey.
double DarkShare(const QImage& image) {
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) dark += image.pixelColor(x, y).lightness() < 100;
    }
    return double(dark) / (image.width() * image.height());
}

}  // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        SetPrecision(-1);
        SetMaxDegree(9);
    }
    void cleanup() { QApplication::setPalette(QApplication::style()->standardPalette()); }

    void choicesComeBack_data() {
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("index");
        QTest::newRow("precision 2") << int(KV_SETTINGS_PRECISION) << 0;
        QTest::newRow("degree 100") << int(KV_SETTINGS_MAX_DEGREE) << 3;
        QTest::newRow("low quality") << int(KV_SETTINGS_QUALITY) << 0;
        QTest::newRow("bold line") << int(KV_SETTINGS_LINE) << 2;
        QTest::newRow("grid hidden") << int(KV_SETTINGS_GRID) << 1;
        QTest::newRow("labels hidden") << int(KV_SETTINGS_LABELS) << 1;
        QTest::newRow("dark theme") << int(KV_SETTINGS_THEME) << 1;
    }
    void choicesComeBack() {
        QFETCH(int, list);
        QFETCH(int, index);
        SettingsFile file;
        int precision = 0;
        GraphSettings graph;
        {
            PersistentShell shell(file.path());
            MessageBoxes boxes;
            Pick(shell, list, index);
            precision = GetPrecision();
            graph = shell.window.graphSettings();
        }
        // What the engine and the page hold now must come from the file, not from the last window.
        SetPrecision(-1);
        SetMaxDegree(9);
        MessageBoxes boxes;
        PersistentShell restarted(file.path());
        QCOMPARE(restarted.get<QComboBox>(list)->currentIndex(), index);
        QCOMPARE(GetPrecision(), precision);
        const GraphSettings& restored = restarted.window.graphSettings();
        QCOMPARE(restored.SampleCount, graph.SampleCount);
        QCOMPARE(restored.LineThickness, graph.LineThickness);
        QCOMPARE(restored.ShowGrid, graph.ShowGrid);
        QCOMPARE(restored.ShowLabels, graph.ShowLabels);
        QCOMPARE(IsDarkPalette(QApplication::palette()), list == KV_SETTINGS_THEME);
        QVERIFY(boxes.seen.empty());  // the degree warning is for the user's pick only
    }

    void precisionComesBackIntoEquals() {
        SettingsFile file;
        {
            PersistentShell shell(file.path());
            Pick(shell, KV_SETTINGS_PRECISION, 0);
        }
        SetPrecision(-1);
        PersistentShell restarted(file.path());
        restarted.choose(KV_CMD_STANDARD);
        for (int key : {KV_STD_1, KV_STD_DIVIDE, KV_STD_3, KV_STD_EQUALS}) restarted.click(key);
        QCOMPARE(restarted.get<QLineEdit>(KV_DISPLAY)->text(), QStringLiteral("0.33"));
    }

    void choicesThatOnlyInformAreNotKept() {
        SettingsFile file;
        {
            PersistentShell shell(file.path());
            MessageBoxes boxes;
            Pick(shell, KV_SETTINGS_FRACTION_FORMAT, 0);
            Pick(shell, KV_SETTINGS_LANGUAGE, 1);
        }
        PersistentShell restarted(file.path());
        QCOMPARE(restarted.get<QComboBox>(KV_SETTINGS_FRACTION_FORMAT)->currentIndex(), 2);
        QCOMPARE(restarted.get<QComboBox>(KV_SETTINGS_LANGUAGE)->currentIndex(), 0);
    }

    void resetIsKept() {
        SettingsFile file;
        {
            PersistentShell shell(file.path());
            Pick(shell, KV_SETTINGS_GRID, 1);
            Pick(shell, KV_SETTINGS_THEME, 1);
            MessageBoxes boxes(QMessageBox::Yes);
            shell.click(KV_SETTINGS_RESET);
            QVERIFY(!IsDarkPalette(QApplication::palette()));
        }
        PersistentShell restarted(file.path());
        QCOMPARE(restarted.get<QComboBox>(KV_SETTINGS_GRID)->currentIndex(), 0);
        QCOMPARE(restarted.get<QComboBox>(KV_SETTINGS_THEME)->currentIndex(), 0);
        QVERIFY(restarted.window.graphSettings().ShowGrid);
    }

    void damagedValuesFallBackToDefaults_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("index");
        QTest::newRow("beyond the list") << "settings/precision" << QVariant(7) << int(KV_SETTINGS_PRECISION) << 3;
        QTest::newRow("negative") << "settings/graphLine" << QVariant(-1) << int(KV_SETTINGS_LINE) << 1;
        QTest::newRow("no number") << "settings/theme" << QVariant("dark") << int(KV_SETTINGS_THEME) << 0;
    }
    void damagedValuesFallBackToDefaults() {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QFETCH(int, list);
        QFETCH(int, index);
        SettingsFile file;
        QSettings(file.path(), QSettings::IniFormat).setValue(key, value);
        PersistentShell shell(file.path());
        QCOMPARE(shell.get<QComboBox>(list)->currentIndex(), index);
    }

    // ---- Mode and size ------------------------------------------------------------------

    void lastModeComesBack_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("appMode");
        QTest::newRow("standard") << int(KV_CMD_STANDARD) << 1;
        QTest::newRow("scientific") << int(KV_CMD_SCIENTIFIC) << 2;
        QTest::newRow("fractions") << int(KV_CMD_FRACTIONS) << 3;
        QTest::newRow("inequalities") << int(KV_CMD_INEQUALITIES) << 4;
        QTest::newRow("equations") << int(KV_CMD_EQUATIONS) << 5;
        QTest::newRow("quadratic") << int(KV_CMD_QUADRATIC) << 5;
        QTest::newRow("settings") << int(KV_CMD_SETTINGS) << 6;
        QTest::newRow("graphs") << int(KV_CMD_GRAPHS) << 7;
        QTest::newRow("systems") << int(KV_CMD_SYSTEM) << 8;
    }
    void lastModeComesBack() {
        QFETCH(int, command);
        QFETCH(int, appMode);
        SettingsFile file;
        QString caption;
        {
            PersistentShell shell(file.path());
            shell.choose(command);
            caption = shell.window.caption();
        }
        PersistentShell restarted(file.path());
        QCOMPARE(restarted.window.appMode(), appMode);
        QCOMPARE(restarted.window.caption(), caption);
    }

    void lastSizeComesBack_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QSize>("size");
        QTest::newRow("standard") << int(KV_CMD_STANDARD) << QSize(420, 640);
        QTest::newRow("scientific") << int(KV_CMD_SCIENTIFIC) << QSize(500, 600);
        QTest::newRow("graphs") << int(KV_CMD_GRAPHS) << QSize(700, 520);
    }
    void lastSizeComesBack() {
        QFETCH(int, command);
        QFETCH(QSize, size);
        SettingsFile file;
        {
            PersistentShell shell(file.path());
            shell.choose(command);
            shell.window.resize(size);
        }
        PersistentShell restarted(file.path());
        QCOMPARE(restarted.window.size(), size);
    }

    void keptSizeShrinksToTheScreen() {
        SettingsFile file;
        const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
        QSettings(file.path(), QSettings::IniFormat).setValue("window/size", screen * 3);
        PersistentShell shell(file.path());
        QVERIFY2(shell.window.width() <= screen.width() && shell.window.height() <= screen.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(shell.window.width()).arg(shell.window.height())));
        QVERIFY(shell.window.width() > 335);  // the kept size still counts where it fits
    }

    // Without a kept theme the desktop's palette stays, dark or not.
    void noFileOpensAsBefore_data() {
        QTest::addColumn<bool>("darkDesktop");
        QTest::newRow("light desktop") << false;
        QTest::newRow("dark desktop") << true;
    }
    void noFileOpensAsBefore() {
        QFETCH(bool, darkDesktop);
        if (darkDesktop) QApplication::setPalette(DarkPalette());
        SettingsFile file;
        PersistentShell shell(file.path());
        QCOMPARE(shell.window.appMode(), 1);
        QCOMPARE(shell.window.size(), QSize(335, 510));
        QVERIFY(shell.window.history().history().entries().isEmpty());
        QCOMPARE(IsDarkPalette(QApplication::palette()), darkDesktop);
    }

    // ---- Dark theme ---------------------------------------------------------------------

    void darkThemeDarkensEveryMode_data() {
        QTest::addColumn<int>("command");
        for (int command : {KV_CMD_STANDARD, KV_CMD_SCIENTIFIC, KV_CMD_FRACTIONS, KV_CMD_EQUATIONS, KV_CMD_INEQUALITIES,
                            KV_CMD_QUADRATIC, KV_CMD_SYSTEM, KV_CMD_SETTINGS, KV_CMD_GRAPHS}) {
            QTest::newRow(qPrintable(QString::number(command))) << command;
        }
    }
    void darkThemeDarkensEveryMode() {
        QFETCH(int, command);
        SettingsFile file;
        PersistentShell shell(file.path());
        Pick(shell, KV_SETTINGS_THEME, 1);
        shell.choose(command);
        if (command == KV_CMD_GRAPHS) {
            shell.type(KV_GRAPH_INPUT, "x^2");
            shell.click(KV_GRAPH_BUILD);
        }
        const QImage picture = shell.window.grab().toImage();
        QVERIFY2(DarkShare(picture) > 0.6, qPrintable(QString::number(DarkShare(picture))));
        // And the text on it is light: the window is not merely black.
        QVERIFY(IsDarkPalette(shell.window.palette()));
    }

    void darkGraphHasLightAxes() {
        SettingsFile file;
        PersistentShell shell(file.path());
        Pick(shell, KV_SETTINGS_THEME, 1);
        shell.choose(KV_CMD_GRAPHS);
        const QImage picture = shell.window.grab().toImage();
        // The x axis is the one band of rows light across most of the picture (antialiased
        // over two rows); the grid lines are much darker.
        int axisRows = 0;
        for (int y = 0; y < picture.height(); ++y) {
            int light = 0;
            for (int x = 0; x < picture.width(); ++x) light += picture.pixelColor(x, y).lightness() > 110;
            axisRows += light > picture.width() * 3 / 4;
        }
        QVERIFY2(axisRows >= 1 && axisRows <= 3, qPrintable(QString::number(axisRows)));
        QVERIFY(picture.pixelColor(10, picture.height() - 10).lightness() < 60);
    }

    void stepsWindowFollowsTheTheme() {
        SettingsFile file;
        PersistentShell shell(file.path());
        Pick(shell, KV_SETTINGS_THEME, 1);
        shell.choose(KV_CMD_EQUATIONS);
        shell.type(KV_EQ_INPUT, "2x=4");
        shell.click(KV_EQ_SOLVE);
        QList<bool> dark;
        QTimer closer;
        closer.setInterval(5);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            for (QWidget* steps : shell.desktop.openTextWindows()) {
                dark << IsDarkPalette(steps->palette());
                steps->close();
            }
        });
        closer.start();
        shell.click(KV_EQ_STEPS);
        QCOMPARE(dark, QList<bool>{true});
    }
};

QTEST_MAIN(SettingsStoreTest)
#include "settings_store_test.moc"
