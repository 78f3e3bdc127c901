// What is drawn over the curves and around them: axes over the grid, the legend, the
// cursor's coordinates, the marker a click snaps to a curve, the grid at close zoom, and
// the same picture as an SVG document.
#include <algorithm>
#include <clocale>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "graph_session.h"
#include "headless_platform.h"
#include "recording_graph_canvas.h"
#include "render_graph.h"
#include "svg_graph_canvas.h"

namespace kelvora::graph {
namespace {

using test::RecordingGraphCanvas;

class OverlayTest : public ::testing::Test {
protected:
    OverlayTest() { session.enterMode(); }

    RecordingGraphCanvas paint() {
        RecordingGraphCanvas canvas;
        session.render(canvas, 610, 485, GraphSettings{});  // the origin at (305, 280), 30 px a unit
        return canvas;
    }

    const test::TextCall* text(const RecordingGraphCanvas& canvas, const std::wstring& wanted) const {
        for (const test::TextCall& call : canvas.leftTexts) {
            if (call.text == wanted) return &call;
        }
        return nullptr;
    }

    headless::Desktop desktop;
    GraphSession session;
};

TEST_F(OverlayTest, AxesAreDrawnOverTheGrid) {
    const RecordingGraphCanvas canvas = paint();
    std::size_t lastGrid = 0, firstAxis = canvas.lines.size();
    for (std::size_t i = 0; i < canvas.lines.size(); ++i) {
        if (canvas.lines[i].color == kGridColour) lastGrid = i;
        if (canvas.lines[i].color == kAxisColour) firstAxis = std::min(firstAxis, i);
    }
    EXPECT_GT(lastGrid, 0u);
    EXPECT_LT(lastGrid, firstAxis);
}

// Each formula in its colour, an explicit one as "y = …", with a stroke of its pen.
TEST_F(OverlayTest, TheLegendNamesEachFormulaInItsColour) {
    session.build(L"x^2;;x^2+y^2=25;sin(x)", desktop);
    const RecordingGraphCanvas canvas = paint();
    const std::wstring entries[] = {L"y = x^2", L"x^2+y^2=25", L"y = sin(x)"};
    float previousTop = 0;
    for (std::size_t k = 0; k < std::size(entries); ++k) {
        const test::TextCall* entry = text(canvas, entries[k]);
        ASSERT_NE(entry, nullptr) << k;
        EXPECT_EQ(entry->color, kCurveColours[k]);
        EXPECT_GT(entry->rect.top, previousTop);  // one under the other
        previousTop = entry->rect.top;
        EXPECT_EQ(canvas.linesOf(kCurveColours[k]).size(), 1u);  // its stroke
    }
    EXPECT_FALSE(canvas.rects.empty());  // on a background of its own
    session.build(L"x+*1", desktop);     // rejected: nothing plotted, no legend
    EXPECT_TRUE(paint().leftTexts.empty());
}

TEST_F(OverlayTest, TheCursorsCoordinatesShowInTheCorner) {
    const struct { GraphPoint at; std::wstring text; } cases[] = {
        {{305, 280}, L"x = 0   y = 0"},
        {{335, 220}, L"x = 1.00   y = 2.00"},
        {{5, 480}, L"x = -10.00   y = -6.67"},
    };
    for (const auto& c : cases) {
        session.hover(c.at);
        const RecordingGraphCanvas canvas = paint();
        const test::TextCall* shown = text(canvas, c.text);
        ASSERT_NE(shown, nullptr) << headless::ToUtf8(c.text);
        EXPECT_GT(shown->rect.left, 305);  // in the lower right corner
        EXPECT_GT(shown->rect.top, 400);
    }
    session.hover(GraphPoint{305, 40});  // over the formula input: not on the plot
    EXPECT_TRUE(paint().leftTexts.empty());
    session.hover(std::nullopt);
    EXPECT_TRUE(paint().leftTexts.empty());
}

// A click within reach of a curve puts a marker on it, with the formula and the point.
TEST_F(OverlayTest, AClickSnapsTheMarkerToTheNearestCurve) {
    session.build(L"x^2;y=0-x", desktop);
    paint();
    const struct {
        GraphPoint click;
        bool snapped;
        std::size_t curve;
        double x;
        double y;
        std::wstring label;
    } cases[] = {
        {{335, 253}, true, 0, 1, 1, L"y = x^2  (1, 1)"},        // 3 pixels below x² at x = 1
        {{246, 219}, true, 1, -2, 2, L"y=0-x  (-2, 2)"},        // 1.4 pixels off y = -x, square to it
        {{365, 100}, false, 0, 0, 0, L""},                       // far from both
        {{305, 40}, false, 0, 0, 0, L""},                        // not on the plot
    };
    for (const auto& c : cases) {
        EXPECT_EQ(session.pick(c.click, 610, 485), c.snapped) << c.click.x << ", " << c.click.y;
        if (!c.snapped) {
            EXPECT_TRUE(paint().dots.empty());
            continue;
        }
        const Marker marker = *session.marker();
        EXPECT_EQ(marker.curve, c.curve);
        EXPECT_NEAR(marker.x, c.x, 0.05);
        EXPECT_NEAR(marker.y, c.y, 0.05);
        const RecordingGraphCanvas canvas = paint();
        ASSERT_EQ(canvas.dots.size(), 1u);
        EXPECT_EQ(canvas.dots[0].color, kCurveColours[c.curve]);
        EXPECT_NE(text(canvas, c.label), nullptr) << headless::ToUtf8(c.label);
    }
    session.pick({335, 253}, 610, 485);
    session.build(L"x^2", desktop);  // a new build takes the marker away
    EXPECT_FALSE(session.marker().has_value());
}

// Where a note stands against its dot: which way horizontally and vertically.
struct NoteSide {
    bool right;
    bool below;
    bool operator==(const NoteSide&) const = default;
};

// The side of the labelled text from the dot, and whether the note's background lies
// wholly in the plot area (5..605 × 80..480).
std::pair<NoteSide, bool> NoteBesideDot(const RecordingGraphCanvas& canvas, const test::TextCall& note, GraphPoint dot) {
    const NoteSide side{note.rect.left > dot.x, note.rect.top >= dot.y};
    const auto holds = [&note](const test::RectCall& call) {
        return call.rect.left <= note.rect.left && note.rect.right <= call.rect.right && call.rect.top == note.rect.top;
    };
    const auto background = std::find_if(canvas.rects.begin(), canvas.rects.end(), holds);
    const bool inside = background != canvas.rects.end() && background->rect.left >= 5 && background->rect.right <= 605 &&
                        background->rect.top >= 80 && background->rect.bottom <= 480;
    return {side, inside};
}

// A key point's label stands right of and above its dot, a marker's right of and below
// it; near an edge of the plot each turns over to stay whole in the view.
TEST_F(OverlayTest, NotesTurnOverAtTheEdgesOfThePlot) {
    session.showKeyPoints(true);
    const struct { std::wstring formula; std::wstring label; NoteSide side; } keyPoints[] = {
        {L"x^2-4", L"(2, 0)", {true, false}},
        {L"x-9.5", L"(9.5, 0)", {false, false}},           // at the right edge
        {L"6.5-x^2", L"(0, 6.5)", {true, true}},           // at the top
        {L"6.5-(x-9.5)^2", L"(9.5, 6.5)", {false, true}},  // in the corner
    };
    for (const auto& c : keyPoints) {
        session.build(c.formula, desktop);
        const RecordingGraphCanvas canvas = paint();
        const test::TextCall* note = text(canvas, c.label);
        ASSERT_NE(note, nullptr) << headless::ToUtf8(c.label);
        const auto dot = std::find_if(canvas.dots.begin(), canvas.dots.end(), [&](const test::DotCall& d) {
            return std::fabs(d.centre.x - note->rect.left) < 120 && std::fabs(d.centre.y - note->rect.top) < 25;
        });
        ASSERT_NE(dot, canvas.dots.end()) << headless::ToUtf8(c.label);
        EXPECT_EQ(NoteBesideDot(canvas, *note, dot->centre), std::make_pair(c.side, true)) << headless::ToUtf8(c.label);
    }
    session.showKeyPoints(false);

    const struct { std::wstring formula; GraphPoint click; std::wstring label; NoteSide side; } markers[] = {
        {L"x/2", {365, 250}, L"y = x/2  (2, 1)", {true, true}},
        {L"x/2", {593, 136}, L"y = x/2  (9.6, 4.8)", {false, true}},         // at the right edge
        {L"x/2-6.3", {305, 469}, L"y = x/2-6.3  (0, -6.3)", {true, false}},  // at the bottom
    };
    for (const auto& c : markers) {
        session.build(c.formula, desktop);
        paint();
        ASSERT_TRUE(session.pick(c.click, 610, 485)) << headless::ToUtf8(c.label);
        const RecordingGraphCanvas canvas = paint();
        ASSERT_EQ(canvas.dots.size(), 1u);
        const test::TextCall* note = text(canvas, c.label);
        ASSERT_NE(note, nullptr) << headless::ToUtf8(c.label);
        EXPECT_EQ(NoteBesideDot(canvas, *note, canvas.dots[0].centre), std::make_pair(c.side, true))
            << headless::ToUtf8(c.label);
    }
}

// Zoomed in far, the grid keeps a handful of lines, each labelled.
TEST_F(OverlayTest, TheGridFollowsCloseZoom) {
    const std::pair<double, double> steps[] = {{2.49, 0.2}, {1, 0.2}, {0.9, 0.1}, {0.006, 0.001}, {0.0049, 0.0005}};
    for (const auto& [worldWidth, step] : steps) EXPECT_NEAR(GridStep(worldWidth), step, step * 1e-9) << worldWidth;
    session.view() = GraphView(6000);  // 0.1 units across
    const RecordingGraphCanvas canvas = paint();
    EXPECT_GE(canvas.linesOf(kGridColour).size(), 8u);
    std::vector<std::wstring> labels;
    for (const test::TextCall& call : canvas.texts) labels.push_back(call.text);
    for (const wchar_t* label : {L"-0.04", L"-0.02", L"0.02", L"0.04"}) {
        EXPECT_NE(std::find(labels.begin(), labels.end(), label), labels.end()) << headless::ToUtf8(label);
    }
}

TEST(OverlayTexts, NumbersAndFormulasAsShown) {
    const struct { std::wstring text; std::wstring expected; } cases[] = {
        {CoordinateText(1.23456, 30), L"1.23"},      {CoordinateText(-0.001, 30), L"0"},
        {CoordinateText(2.5, 5), L"2.5"},            {CoordinateText(0.123456, 2000), L"0.1235"},
        {PointText(2, 0, 30), L"(2, 0)"},            {PointText(-3e-8, -4, 30), L"(0, -4)"},
        {PointText(-3e-8, -4, 1e6), L"(-3e-08, -4)"}, {PointText(1.41421356, 1e6, 30), L"(1.41421, 1e+06)"},
        {LegendText(L"x^2"), L"y = x^2"},            {LegendText(L"x^2+y^2=25"), L"x^2+y^2=25"},
        {LegendText(L"y=2x"), L"y=2x"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, c.expected);
}

// A Qt program runs under the locale of its environment; numbers on the picture and in
// the SVG document keep their decimal point under one that writes a comma.
TEST(OverlayTexts, NumbersKeepTheirPointUnderACommaLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") && !std::setlocale(LC_NUMERIC, "ru_RU.utf8")) {
        GTEST_SKIP() << "no Russian locale on this machine";
    }
    const std::wstring shown[] = {CoordinateText(1.23456, 30), PointText(1.41421356, -2.5, 30)};
    SvgGraphCanvas canvas(200, 100);
    canvas.line({5.25f, 50}, {195, 50.5f}, kNoteBackground, 1.5f);
    const std::string svg = canvas.document();
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(shown[0], L"1.23");
    EXPECT_EQ(shown[1], L"(1.41421, -2.5)");
    EXPECT_NE(svg.find("x1=\"5.25\" y1=\"50\" x2=\"195\" y2=\"50.5\""), std::string::npos) << svg;
    EXPECT_NE(svg.find("stroke-opacity=\"0.85\" stroke-width=\"1.5\""), std::string::npos) << svg;
}

// The SVG document: the same calls as elements, text escaped, clips closed.
TEST(SvgGraphCanvas, WritesEachCallAsAnElement) {
    SvgGraphCanvas canvas(200, 100);
    canvas.clear(kBackgroundColour);
    canvas.pushClip({5, 10, 195, 95});
    canvas.line({5, 50}, {195, 50}, kAxisColour, 2);
    canvas.strokePath({{{10, 10}, {20.5f, 30.25f}}, {}}, kCurveColours[1], 2);
    canvas.leftText({10, 10, 100, 30}, L"y = x<2 & \"б\"", GraphFont{L"Segoe UI", 400, 12}, kCurveColours[0]);
    canvas.fillRect({0, 0, 10, 10}, kNoteBackground);
    canvas.dot({50, 50}, 4, kKeyPointColour);
    const std::string svg = canvas.document();
    const char* parts[] = {
        "width=\"200\" height=\"100\" viewBox=\"0 0 200 100\"",
        "<clipPath id=\"clip1\"><rect x=\"5\" y=\"10\" width=\"190\" height=\"85\"/></clipPath>",
        "<line x1=\"5\" y1=\"50\" x2=\"195\" y2=\"50\" stroke=\"rgb(0,0,0)\" stroke-width=\"2\"/>",
        "<path d=\"M10 10 L20.5 30.25 \" fill=\"none\" stroke=\"rgb(0,0,255)\"",
        ">y = x&lt;2 &amp; &quot;\xD0\xB1&quot;</text>",
        "fill=\"rgb(255,255,255)\" fill-opacity=\"0.85\"",
        "<circle cx=\"50\" cy=\"50\" r=\"4\"",
        "</g>\n</svg>\n",
    };
    for (const char* part : parts) EXPECT_NE(svg.find(part), std::string::npos) << part << "\n" << svg;
}

}  // namespace
}  // namespace kelvora::graph
