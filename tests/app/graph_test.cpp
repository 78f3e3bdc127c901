// The Graphs mode in the real program, offscreen: building through the button, the
// message box, the mouse, the resources by mode, and the settings reaching the picture.
#include "graph_harness.h"
#include "control_ids.h"
#include "shell_harness.h"

using namespace kelvora;
using kelvora::test::MessageBoxes;
using kelvora::test::Shell;

namespace {

void Build(Shell& shell, const QString& formulas) {
    auto* input = shell.get<QLineEdit>(KV_GRAPH_INPUT);
    input->clear();
    input->setFocus();
    kelvora::test::TypeText(input, formulas);
    shell.click(KV_GRAPH_BUILD);
}

// How many pixels of the plot are close to the colour, once the curves are computed.
int PixelsNear(MainWindow& window, QColor colour, int tolerance = 40) {
    const QImage image = kelvora::test::SettledPicture(window);
    int count = 0;
    for (int y = 80; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
                         std::abs(pixel.blue() - colour.blue()) <
                     tolerance;
        }
    }
    return count;
}

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
// At 335 × 510 the grid lines fall on pixel centres and show their full colour.
const QColor kGrid(191, 209, 230);

}  // namespace

class GraphTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void buildsAndKeepsResourcesWhileInGraphs() {
        Shell shell;
        const graph::GraphSession& graph = shell.window.graphSession();
        QVERIFY(!graph.hasResources());
        shell.choose(KV_CMD_GRAPHS);
        QVERIFY(graph.hasResources());
        QVERIFY(shell.window.testAttribute(Qt::WA_OpaquePaintEvent));
        Build(shell, "x^2;;y=x");
        QCOMPARE(graph.formulaText(), std::wstring(L"x^2;;y=x"));
        QVERIFY(PixelsNear(shell.window, kRed) > 50);
        QVERIFY(PixelsNear(shell.window, kBlue) > 50);

        shell.choose(KV_CMD_SCIENTIFIC);
        QVERIFY(!graph.hasResources());
        QVERIFY(!graph.curves().curveSlots()[2].computed);
        QVERIFY(!shell.window.testAttribute(Qt::WA_OpaquePaintEvent));
        shell.choose(KV_CMD_GRAPHS);  // traced anew at the next paint
        QVERIFY(PixelsNear(shell.window, kBlue) > 50);
        QVERIFY(graph.curves().curveSlots()[1].computed);
    }

    void rejectsWithAWarning() {
        Shell shell;
        shell.choose(KV_CMD_GRAPHS);
        MessageBoxes boxes;
        Build(shell, "x^2");
        Build(shell, "1/ 0");
        QCOMPARE(boxes.seen.size(), std::size_t{1});
        QCOMPARE(boxes.seen[0].text, QStringLiteral("Деление на ноль"));
        QCOMPARE(boxes.seen[0].caption, QStringLiteral("Ошиибка"));
        QCOMPARE(boxes.seen[0].icon, QMessageBox::Warning);
        QCOMPARE(boxes.seen[0].buttons, QStringList{QStringLiteral("OK")});
        QCOMPARE(PixelsNear(shell.window, kRed), 0);
    }

    void wheelZoomsAndDragPans() {
        Shell shell;
        const graph::GraphView& view = shell.window.graphSession().view();
        kelvora::test::Wheel(&shell.window, QPoint(150, 300), 120);
        QCOMPARE(view.scale(), 30.0);  // not outside Graphs
        shell.choose(KV_CMD_GRAPHS);
        const int width = shell.window.width(), height = shell.window.height();
        const graph::PlotArea start = view.area(width, height);
        for (int i = 0; i < 5; ++i) kelvora::test::Wheel(&shell.window, QPoint(150, 300), 120);
        kelvora::test::Wheel(&shell.window, QPoint(150, 300), -120);
        QVERIFY(std::abs(view.scale() - 62.208) < 1e-9);
        // The point under the mouse stays under it.
        QVERIFY(std::abs(view.area(width, height).worldXAt(150) - start.worldXAt(150)) < 1e-12);
        QVERIFY(std::abs(view.area(width, height).worldYAt(300) - start.worldYAt(300)) < 1e-12);
        shell.choose(KV_CMD_STANDARD);  // the view outlives the mode
        shell.choose(KV_CMD_GRAPHS);
        QVERIFY(std::abs(view.scale() - 62.208) < 1e-9);

        // 335 wide: from 160 the mouse moves 175 pixels right, however far it goes.
        const double centreX = view.centreX(), centreY = view.centreY();
        kelvora::test::Drag(&shell.window, QPoint(160, 300), {QPoint(2000, 360)});
        QVERIFY(std::abs(view.centreX() - (centreX - 175 / 62.208)) < 1e-12);
        QVERIFY(std::abs(view.centreY() - (centreY + 60 / 62.208)) < 1e-12);
        QVERIFY(!view.dragging());
    }

    void settingsReachThePicture() {
        Shell shell;
        shell.choose(KV_CMD_GRAPHS);
        QVERIFY(PixelsNear(shell.window, kGrid, 12) > 100);
        Build(shell, "0");  // along the x axis: only the curve's own width shows
        const int normal = PixelsNear(shell.window, kRed);

        shell.choose(KV_CMD_SETTINGS);
        shell.pick(KV_SETTINGS_GRID, 1);  // "Скрыть"
        shell.pick(KV_SETTINGS_LINE, 2);  // "Жирная"
        shell.choose(KV_CMD_GRAPHS);
        QCOMPARE(PixelsNear(shell.window, kGrid, 12), 0);
        QVERIFY(PixelsNear(shell.window, kRed) > normal);
    }
};

QTEST_MAIN(GraphTest)
#include "graph_test.moc"
