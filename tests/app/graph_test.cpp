// The Graphs mode in the real program, offscreen: building through the button, the
// message box, the mouse, the resources by mode, the settings reaching the picture, the
// window answering while curves are traced, the view's tools and the saved pictures.
#include <QDir>
#include <QPainter>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>

#include "graph_harness.h"
#include "control_ids.h"
#include "qt_graph_canvas.h"
#include "svg_graph_canvas.h"
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

// Clicks the visible button with this text.
void ClickButton(Shell& shell, const char* text) {
    for (QPushButton* button : shell.window.findChildren<QPushButton*>()) {
        if (button->isVisible() && button->text() == QString::fromUtf8(text)) return QTest::mouseClick(button, Qt::LeftButton);
    }
    QTest::qFail(qPrintable(QStringLiteral("no visible button ") + QString::fromUtf8(text)), __FILE__, __LINE__);
}

// How many pixels of an image are close to the colour.
int PixelsNear(const QImage& image, QColor colour, int tolerance = 40) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
                         std::abs(pixel.blue() - colour.blue()) <
                     tolerance;
        }
    }
    return count;
}

// Names in the order their elements open, and the texts, of an XML document; empty
// when it is not well formed.
struct XmlOutline {
    QStringList elements;
    QStringList texts;
    QXmlStreamAttributes rootAttributes;
};

XmlOutline Outline(const QByteArray& document) {
    XmlOutline outline;
    QXmlStreamReader reader(document);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            if (outline.elements.isEmpty()) outline.rootAttributes = reader.attributes();
            outline.elements << reader.name().toString();
        }
        if (reader.isCharacters() && !reader.isWhitespace()) outline.texts << reader.text().toString();
    }
    if (reader.hasError()) return {};
    return outline;
}

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
// At 335 × 510 the grid lines fall on pixel centres and show their full colour.
const QColor kGrid(191, 209, 230);

// How much red ink covers a pixel of a white picture: 0 none, 1 full.
double RedInk(const QImage& image, int x, int y) { return 1 - image.pixelColor(x, y).greenF(); }

// The distance from a point to the nearest piece of the figures.
double DistanceToFigures(QPointF p, const std::vector<graph::Polyline>& figures) {
    double nearest = 1e9;
    for (const graph::Polyline& figure : figures) {
        for (std::size_t i = 1; i < figure.size(); ++i) {
            const QPointF a(figure[i - 1].x, figure[i - 1].y), b(figure[i].x, figure[i].y), ab = b - a;
            const double t = std::clamp(QPointF::dotProduct(p - a, ab) / QPointF::dotProduct(ab, ab), 0.0, 1.0);
            const QPointF off = p - (a + t * ab);
            nearest = std::min(nearest, std::hypot(off.x(), off.y()));
        }
    }
    return nearest;
}

// A circle of radius 40 about (100, 100) in steps of about two pixels.
graph::Polyline Circle() {
    graph::Polyline circle;
    for (int i = 0; i <= 126; ++i) {
        const double angle = 2 * M_PI * i / 126;
        circle.push_back({static_cast<float>(100 + 40 * std::cos(angle)), static_cast<float>(100 + 40 * std::sin(angle))});
    }
    return circle;
}

// The same figure as separate two-point pieces, as a trace may leave them.
std::vector<graph::Polyline> Pieces(const graph::Polyline& figure) {
    std::vector<graph::Polyline> pieces;
    for (std::size_t i = 1; i < figure.size(); ++i) pieces.push_back({figure[i - 1], figure[i]});
    return pieces;
}

}  // namespace

class GraphTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The Qt canvas strokes curves at the pen's width, inked all along the figures and
    // nowhere else, the outer side of a sharp join closed; whether a figure comes as one
    // run of points or as separate pieces.
    void canvasStrokesCurvesWithoutGaps() {
        const graph::Polyline corner{{20, 20}, {60, 20}, {60, 60}, {20, 60}};
        const struct {
            const char* name;
            std::vector<graph::Polyline> figures;
            float width;
            QPoint outerCorner;
        } cases[] = {
            {"circle", {Circle()}, 2, {-1, -1}},
            {"thick circle", {Circle()}, 3, {-1, -1}},
            {"circle in pieces", Pieces(Circle()), 2, {-1, -1}},
            {"right angles", {corner}, 4, {61, 18}},  // beyond (60, 20), up and to the right
        };
        for (const auto& c : cases) {
            QImage image(200, 200, QImage::Format_ARGB32_Premultiplied);
            QPainter painter(&image);
            QtGraphCanvas canvas(painter);
            canvas.clear(graph::kBackgroundColour);
            canvas.pushClip({0, 0, 200, 200});
            canvas.strokePath(c.figures, graph::kCurveColours[0], c.width);
            canvas.popClip();
            painter.end();

            double length = 0;
            for (const graph::Polyline& figure : c.figures) {
                for (std::size_t i = 1; i < figure.size(); ++i) {
                    const QPointF a(figure[i - 1].x, figure[i - 1].y), b(figure[i].x, figure[i].y);
                    length += std::hypot(b.x() - a.x(), b.y() - a.y());
                    for (double t = 0; t <= 1; t += 0.1) {  // every pixel the centre line crosses
                        const QPointF p = a + t * (b - a);
                        QVERIFY2(RedInk(image, int(p.x()), int(p.y())) > 0.5, c.name);
                    }
                }
            }
            double ink = 0;
            for (int y = 0; y < 200; ++y) {
                for (int x = 0; x < 200; ++x) {
                    ink += RedInk(image, x, y);
                    if (DistanceToFigures(QPointF(x + 0.5, y + 0.5), c.figures) > c.width / 2 + 1.5) {
                        QVERIFY2(RedInk(image, x, y) < 0.02, qPrintable(QStringLiteral("%1 at %2, %3").arg(c.name).arg(x).arg(y)));
                    }
                }
            }
            // Separate pieces overlap at their ends and ink the antialiased edges twice there.
            QVERIFY2(std::abs(ink / (length * c.width) - 1) < 0.2, qPrintable(QStringLiteral("%1: %2 of ink for %3").arg(c.name).arg(ink).arg(length * c.width)));
            if (c.outerCorner.x() >= 0) QVERIFY2(RedInk(image, c.outerCorner.x(), c.outerCorner.y()) > 0.9, c.name);
        }
    }

    // Lines along the pixels come out sharp: whole columns or rows of full colour and
    // nothing beside them, wherever within a pixel they fall.
    void canvasDrawsGridLinesSharp() {
        const struct { float at; float width; int first; int count; } cases[] = {
            {50, 1, 50, 1}, {50.5f, 1, 50, 1}, {50.3f, 1, 50, 1}, {50, 2, 49, 2}, {50.5f, 2, 49, 2},
        };
        for (const auto& c : cases) {
            for (const bool vertical : {true, false}) {
                QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
                QPainter painter(&image);
                QtGraphCanvas canvas(painter);
                canvas.clear(graph::kBackgroundColour);
                if (vertical) canvas.line({c.at, 10}, {c.at, 90}, graph::kAxisColour, c.width);
                else canvas.line({10, c.at}, {90, c.at}, graph::kAxisColour, c.width);
                painter.end();
                const QString where = QStringLiteral("%1 px at %2, %3").arg(c.width).arg(c.at).arg(vertical ? "x" : "y");
                int first = -1, count = 0;
                for (int across = 0; across < 100; ++across) {
                    const QColor pixel = vertical ? image.pixelColor(across, 50) : image.pixelColor(50, across);
                    if (pixel == Qt::white) continue;
                    QVERIFY2(pixel == Qt::black, qPrintable(where));
                    if (first < 0) first = across;
                    ++count;
                }
                QVERIFY2(std::abs(first - c.first) <= 1, qPrintable(where));
                QVERIFY2(count == c.count, qPrintable(where));
            }
        }
    }

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
        QCOMPARE(boxes.seen[0].caption, QStringLiteral("Ошибка"));
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

    // While heavy implicit curves are traced, a queued call and a timer still run within
    // a few turns of the event loop, and the wheel still zooms.
    void answersInputWhileHeavyCurvesAreTraced() {
        Shell shell;
        shell.choose(KV_CMD_GRAPHS);
        shell.window.resize(1600, 1000);
        for (int i = 0; i < 5; ++i) kelvora::test::Wheel(&shell.window, QPoint(800, 500), -120);
        Build(shell, "sin(x*y)+cos(x)=0.5;sin(x*x+y*y)=0.2;cos(x*y)=sin(x+y);sin(x)*sin(y)=0.1*x*y;tan(x*y)=x+y");
        shell.window.repaint();  // asks the worker for the curves
        QVERIFY(shell.window.graphSession().computing());

        bool queued = false, timed = false;
        QMetaObject::invokeMethod(&shell.window, [&] { queued = true; }, Qt::QueuedConnection);
        QTimer::singleShot(0, &shell.window, [&] { timed = true; });
        int turns = 0;
        while (!(queued && timed) && turns < 5) {
            QCoreApplication::processEvents();
            ++turns;
        }
        QVERIFY(queued && timed);
        QVERIFY(turns <= 2);
        const double scale = shell.window.graphSession().view().scale();
        kelvora::test::Wheel(&shell.window, QPoint(800, 500), 120);
        QVERIFY(shell.window.graphSession().view().scale() > scale);
        QVERIFY(shell.window.graphSession().computing());  // all of it while the trace goes on

        // The newest view's curves arrive in the end.
        kelvora::test::SettledPicture(shell.window, 120000);
        QVERIFY(!shell.window.graphSession().computing());
        QVERIFY(shell.window.graphSession().curves().current(
            shell.window.graphSession().viewKey(shell.window.width(), shell.window.height(), shell.window.graphSettings())));
    }

    // Ordinary curves come with the very first picture of a build, without waiting for
    // the event loop; a later view shows the previous curves until its own arrive.
    void theFirstPictureOfABuildHasItsCurves() {
        Shell shell;
        shell.choose(KV_CMD_GRAPHS);
        Build(shell, "x^2;y=x");
        const QImage first = shell.window.grab().toImage();
        QVERIFY(PixelsNear(first, kRed) > 50);
        QVERIFY(PixelsNear(first, kBlue) > 50);
        kelvora::test::Wheel(&shell.window, QPoint(150, 300), -120);
        const QImage scaled = shell.window.grab().toImage();
        QVERIFY(PixelsNear(scaled, kRed) > 50);
        QVERIFY(PixelsNear(scaled, kBlue) > 50);
    }

    // "Исходный вид" (the button or Home) undoes zooming and panning; a click on a
    // curve puts the marker on it; "Точки" marks the key points.
    void toolsOfTheView() {
        Shell shell;
        shell.choose(KV_CMD_GRAPHS);
        const graph::GraphSession& graph = shell.window.graphSession();
        kelvora::test::Wheel(&shell.window, QPoint(100, 200), 120);
        kelvora::test::Drag(&shell.window, QPoint(160, 300), {QPoint(200, 330)});
        QVERIFY(graph.view().scale() != 30 && graph.view().centreX() != 0);
        ClickButton(shell, "Исходный вид");
        QCOMPARE(graph.view().scale(), 30.0);
        QCOMPARE(graph.view().centreX(), 0.0);
        QCOMPARE(graph.view().centreY(), 0.0);

        kelvora::test::Wheel(&shell.window, QPoint(100, 200), 120);
        shell.window.setFocus();
        QTest::keyClick(&shell.window, Qt::Key_Home);
        QCOMPARE(graph.view().scale(), 30.0);
        QCOMPARE(graph.view().centreX(), 0.0);

        Build(shell, "x^2-4");
        kelvora::test::SettledPicture(shell.window);
        const graph::PlotArea area = graph.view().area(shell.window.width(), shell.window.height());
        const QPoint onCurve(qRound(area.screenX(1)), qRound(area.screenY(-3)) + 2);
        QTest::mouseClick(&shell.window, Qt::LeftButton, Qt::NoModifier, onCurve);
        QVERIFY(graph.marker().has_value());
        QVERIFY(std::abs(graph.marker()->x - 1) < 0.05);

        QVERIFY(!graph.keyPointsShown());
        ClickButton(shell, "Точки");
        QVERIFY(graph.keyPointsShown());
        kelvora::test::SettledPicture(shell.window);
        QCOMPARE(graph.curves().keyPoints().size(), std::size_t{3});  // (±2, 0) and (0, -4)

        shell.choose(KV_CMD_STANDARD);  // the tools belong to Graphs
        for (QPushButton* button : shell.window.findChildren<QPushButton*>()) {
            QVERIFY(!(button->isVisible() && button->text() == QString::fromUtf8("Точки")));
        }
    }

    // The picture is saved at the view's size: a PNG, and an SVG that is well-formed XML
    // with the curves as paths and the legend as text.
    void savesThePictureAsPngAndSvg() {
        Shell shell;
        shell.choose(KV_CMD_GRAPHS);
        shell.window.resize(700, 560);
        Build(shell, "x^2;x^2+y^2=25");
        kelvora::test::Wheel(&shell.window, QPoint(350, 320), 120);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());

        const QString png = dir.filePath(QStringLiteral("graph.png"));
        QVERIFY(shell.window.saveGraphPicture(png));
        const QImage image(png);
        QCOMPARE(image.size(), QSize(700, 560));
        QVERIFY(PixelsNear(image, kRed) > 50);
        QVERIFY(PixelsNear(image, kBlue) > 50);

        const QString svg = dir.filePath(QStringLiteral("graph.svg"));
        QVERIFY(shell.window.saveGraphPicture(svg));
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const XmlOutline outline = Outline(file.readAll());
        QVERIFY(!outline.elements.isEmpty());
        QCOMPARE(outline.elements.first(), QStringLiteral("svg"));
        QCOMPARE(outline.rootAttributes.value(QStringLiteral("width")).toString(), QStringLiteral("700"));
        QCOMPARE(outline.rootAttributes.value(QStringLiteral("height")).toString(), QStringLiteral("560"));
        QCOMPARE(outline.elements.count(QStringLiteral("path")), 2);
        QVERIFY(outline.texts.contains(QStringLiteral("y = x^2")));
        QVERIFY(outline.texts.contains(QStringLiteral("x^2+y^2=25")));
        QVERIFY(!shell.window.saveGraphPicture(dir.filePath(QStringLiteral("no/such/folder/graph.png"))));
    }

    // Whatever a formula holds, the SVG document stays well-formed XML that reads back
    // the same texts, with the size a browser needs to lay it out.
    void svgDocumentIsWellFormedWithItsTextsEscaped() {
        const std::wstring texts[] = {L"x<2 & y>1", L"\"a\" & 'b'", L"x&lt;1", L"у = х²", L"]]> <!-- -->"};
        graph::SvgGraphCanvas canvas(320, 240);
        canvas.clear(graph::kBackgroundColour);
        canvas.pushClip({5, 80, 315, 235});
        canvas.pushClip({10, 90, 300, 200});  // left open: the document closes it
        const graph::GraphFont font{L"Segoe & <UI>", 400, 12};
        for (const std::wstring& text : texts) canvas.leftText({10, 90, 300, 110}, text, font, graph::kNoteText);
        canvas.centredText({10, 120, 300, 140}, L"a\x01" L"b", font, graph::kNoteText);  // not allowed in XML
        const XmlOutline outline = Outline(QByteArray::fromStdString(canvas.document()));
        QVERIFY(!outline.elements.isEmpty());
        QCOMPARE(outline.elements.first(), QStringLiteral("svg"));
        QCOMPARE(outline.rootAttributes.value(QStringLiteral("width")).toString(), QStringLiteral("320"));
        QCOMPARE(outline.rootAttributes.value(QStringLiteral("height")).toString(), QStringLiteral("240"));
        QCOMPARE(outline.rootAttributes.value(QStringLiteral("viewBox")).toString(), QStringLiteral("0 0 320 240"));
        QStringList expected;
        for (const std::wstring& text : texts) expected << QString::fromStdWString(text);
        expected << QStringLiteral("ab");
        QCOMPARE(outline.texts, expected);
    }

    // Pictures for a person to look at, under the build folder: zoomed in at the mouse,
    // with the legend, the cursor's coordinates, a marker and the key points.
    void picturesAfterZoom() {
        Shell shell;
        shell.choose(KV_CMD_GRAPHS);
        shell.window.resize(900, 650);
        Build(shell, "x^2-4;x+2;x^2+y^2=25;sin(x)*cos(y)=0.5;1/x");
        ClickButton(shell, "Точки");
        for (int i = 0; i < 4; ++i) kelvora::test::Wheel(&shell.window, QPoint(520, 330), 120);
        const graph::PlotArea area = shell.window.graphSession().view().area(900, 650);
        QTest::mouseMove(&shell.window, QPoint(qRound(area.screenX(1.5)), qRound(area.screenY(1))));
        QTest::mouseClick(&shell.window, Qt::LeftButton, Qt::NoModifier,
                          QPoint(qRound(area.screenX(-0.5)), qRound(area.screenY(-3.75))));
        QVERIFY(shell.window.graphSession().marker().has_value());
        QTest::mouseMove(&shell.window, QPoint(qRound(area.screenX(1.5)), qRound(area.screenY(1))));
        const QImage zoomed = kelvora::test::SettledPicture(shell.window);
        QDir().mkpath(QStringLiteral("graph-pictures"));
        QVERIFY(zoomed.save(QStringLiteral("graph-pictures/zoomed-with-points.png")));

        for (int i = 0; i < 8; ++i) kelvora::test::Wheel(&shell.window, QPoint(qRound(area.screenX(3)), qRound(area.screenY(4))), 120);
        QVERIFY(kelvora::test::SettledPicture(shell.window).save(QStringLiteral("graph-pictures/circle-close.png")));
        QVERIFY(shell.window.saveGraphPicture(QStringLiteral("graph-pictures/circle-close.svg")));
    }
};

QTEST_MAIN(GraphTest)
#include "graph_test.moc"
