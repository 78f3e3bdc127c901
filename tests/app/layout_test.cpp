// The standard and scientific keypads follow the window's client size.
#include <QResizeEvent>

#include "control_ids.h"
#include "shell_harness.h"

using namespace kelvora;
using kelvora::test::Shell;

namespace {

// What the window does when its client area takes this size.
void Resize(QWidget& window, QSize size) {
    QResizeEvent event(size, window.size());
    QCoreApplication::sendEvent(&window, &event);
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void standardLayout_data() {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("top");
        QTest::newRow("height 400") << QSize(335, 400) << 78 << 38 << 144;
        QTest::newRow("opening size") << QSize(335, 510) << 78 << 56 << 146;
        QTest::newRow("tiny: keys at least 40 x 30, top at least 125") << QSize(100, 200) << 40 << 30 << 125;
        QTest::newRow("huge: keys at most 380 x 120") << QSize(2000, 1200) << 380 << 120 << 452;
    }
    void standardLayout() {
        QFETCH(QSize, client);
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(int, top);
        Shell shell;
        Resize(shell.window, client);
        // Row 0 and row 5 bound the keypad; the digit rows swap (1 2 3 above 7 8 9).
        QCOMPARE(shell.get(KV_STD_PERCENT)->geometry(), QRect(3, top, w, h));
        QCOMPARE(shell.get(KV_STD_BACKSPACE)->geometry(), QRect(3 * (w + 5) + 3, top, w, h));
        QCOMPARE(shell.get(KV_STD_1)->geometry(), QRect(3, top + 2 * (h + 5), w, h));
        QCOMPARE(shell.get(KV_STD_7)->geometry(), QRect(3, top + 4 * (h + 5), w, h));
        QCOMPARE(shell.get(KV_STD_EQUALS)->geometry(), QRect(3 * (w + 5) + 3, top + 5 * (h + 5), w, h));
        QCOMPARE(shell.get(KV_DISPLAY)->geometry(), QRect(3, 55, 4 * w + 15, 60));
        for (int k = 0; k < 6; ++k) {
            QCOMPARE(shell.get(KV_MEMORY_FIRST + k)->geometry(), QRect(3 + 47 * k, top - 30, 45, 25));
        }
    }

    void scientificLayout_data() {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("displayY");
        QTest::addColumn<int>("memoryY");
        QTest::newRow("opening size") << QSize(335, 510) << 64 << 39 << 222 << 52 << 116;
        QTest::newRow("height 400") << QSize(335, 400) << 64 << 30 << 175 << 10 << 114;
        QTest::newRow("tall") << QSize(600, 900) << 117 << 94 << 227 << 57 << 116;
        QTest::newRow("tiny") << QSize(100, 200) << 40 << 30 << 120 << 10 << 95;
    }
    void scientificLayout() {
        QFETCH(QSize, client);
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(int, top);
        QFETCH(int, displayY);
        QFETCH(int, memoryY);
        Shell shell;
        shell.choose(KV_CMD_SCIENTIFIC);
        Resize(shell.window, client);
        QCOMPARE(shell.get(KV_SCI_PI)->geometry(), QRect(3, top, w, h));
        QCOMPARE(shell.get(KV_SCI_BACKSPACE)->geometry(), QRect(4 * (w + 2) + 3, top, w, h));
        QCOMPARE(shell.get(KV_SCI_EQUALS)->geometry(), QRect(4 * (w + 2) + 3, top + 6 * (h + 2), w, h));
        QCOMPARE(shell.get(KV_DISPLAY)->geometry(), QRect(3, displayY, 5 * w + 8, 60));
        QCOMPARE(shell.get(KV_MEMORY_SHOW_LIST)->geometry(), QRect(3 + 47 * 5, memoryY, 45, 25));
    }

    void enteringScientificLaysOutAtOnce() {
        Shell shell;
        QCOMPARE(shell.get(KV_SCI_PI)->geometry(), QRect(3, 125, 59, 30));  // as created
        shell.choose(KV_CMD_SCIENTIFIC);
        QCOMPARE(shell.get(KV_SCI_PI)->geometry(), QRect(3, 222, 64, 39));
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
