// The Graphs mode without a display: a build, the curves a paint strokes, the resources
// by mode, and the cache of implicit curves.
#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "graph_session.h"
#include "headless_platform.h"
#include "recording_graph_canvas.h"
#include "render_graph.h"

namespace kelvora::graph {
namespace {

using test::RecordingGraphCanvas;

class GraphSessionTest : public ::testing::Test {
protected:
    GraphSessionTest() {
        settings.SampleCount = 100;
        session.enterMode();
    }

    RecordingGraphCanvas build(const std::wstring& text) {
        session.build(text, desktop);
        return paint();
    }

    RecordingGraphCanvas paint() {
        RecordingGraphCanvas canvas;
        session.render(canvas, 610, 485, settings);  // the origin at (305, 280)
        return canvas;
    }

    const CurveSlot& slot(std::size_t k) const { return session.curves().curveSlots()[k]; }

    headless::Desktop desktop;
    GraphSettings settings;
    GraphSession session;
};

TEST_F(GraphSessionTest, CurvesTakeTheColoursOfTheirPositions) {
    settings.LineThickness = 3;
    const RecordingGraphCanvas canvas = build(L"x^2;;y=x");
    ASSERT_EQ(canvas.paths.size(), 2u);
    EXPECT_EQ(canvas.paths[0].color, (GraphColor{1, 0, 0}));
    EXPECT_EQ(canvas.paths[1].color, (GraphColor{0, 0, 1}));
    EXPECT_EQ(canvas.paths[0].figures.size(), 1u);    // one unbroken parabola
    ASSERT_EQ(canvas.paths[1].figures.size(), 1u);  // traced, and the pieces joined
    EXPECT_GT(canvas.paths[1].figures[0].size(), 100u);
    for (const GraphPoint& point : canvas.paths[1].figures[0]) {
        EXPECT_NEAR(point.x - 305, 280 - point.y, 1e-2);  // on y = x
    }
    EXPECT_EQ(canvas.paths[0].width, 3);
    EXPECT_EQ(canvas.paths[1].width, 3);

    const RecordingGraphCanvas six = build(L"x;x+1;x+2;y=x+3;x+4;x+5");
    ASSERT_EQ(six.paths.size(), 5u);
    for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(six.paths[k].color, kCurveColours[k]);
    EXPECT_TRUE(desktop.messageBoxes().empty());
}

TEST_F(GraphSessionTest, ARejectedBuildPlotsNothingAndKeepsTheView) {
    build(L"x^2;y=x");
    session.view().zoom(120);
    const RecordingGraphCanvas canvas = build(L"x+*1");
    ASSERT_EQ(desktop.messageBoxes().size(), 1u);
    EXPECT_TRUE(canvas.paths.empty());
    EXPECT_FALSE(canvas.lines.empty());
    EXPECT_EQ(session.formulaText(), L"");
    EXPECT_FALSE(slot(1).computed);
    EXPECT_NEAR(session.view().scale(), 36, 1e-12);

    const std::wstring tooLong = std::wstring(253, L' ') + L"x;y=x";
    EXPECT_EQ(build(tooLong).paths.size(), 1u);  // "y=x" is cut off
    EXPECT_EQ(session.formulaText(), tooLong.substr(0, 255));
}

// A formula without a value at the check's point builds, and is drawn only where it has
// one: from its domain's left end rightwards, on the curve.
TEST_F(GraphSessionTest, AFormulaUndefinedSomewhereIsDrawnWhereItHasAValue) {
    const struct {
        const wchar_t* text;
        double from;  // the domain's left end
        double (*value)(double);
    } cases[] = {
        {L"sqrt(x-5)", 5, [](double x) { return std::sqrt(x - 5); }},
        {L"ln(x-3)", 3, [](double x) { return std::log(x - 3); }},
    };
    for (const auto& c : cases) {
        const RecordingGraphCanvas canvas = build(c.text);
        EXPECT_TRUE(desktop.messageBoxes().empty()) << headless::ToUtf8(c.text);
        ASSERT_EQ(canvas.paths.size(), 1u) << headless::ToUtf8(c.text);
        const double scale = session.view().scale();
        double left = 1e9, right = -1e9;
        for (const Polyline& figure : canvas.paths[0].figures) {
            for (const auto& point : figure) {
                const double x = (point.x - 305) / scale;
                left = std::min(left, x);
                right = std::max(right, x);
                EXPECT_GE(x, c.from - 1e-6) << headless::ToUtf8(c.text);
                if (x > c.from + 0.5) {
                    EXPECT_NEAR((280 - point.y) / scale, c.value(x), 0.05) << headless::ToUtf8(c.text) << " at " << x;
                }
            }
        }
        EXPECT_LT(left, c.from + 0.5) << headless::ToUtf8(c.text);  // starts near the left end
        EXPECT_GT(right * scale, 610 - 305 - scale) << headless::ToUtf8(c.text);  // and runs to the right edge
    }
}

// A graph reads its formula as the solvers do: -x^2+4 opens downwards and crosses the
// axis at ±2, where the equation solver finds its roots.
TEST_F(GraphSessionTest, SignsAndColonsAreReadAsTheSolversReadThem) {
    const struct {
        const wchar_t* text;
        double (*value)(double);
        std::vector<double> zeros;
    } cases[] = {
        {L"-x^2+4", [](double x) { return 4 - x * x; }, {-2, 2}},
        {L"-x", [](double x) { return -x; }, {0}},
        {L"2*-x+1", [](double x) { return 1 - 2 * x; }, {0.5}},
        {L"x:2-1", [](double x) { return x / 2 - 1; }, {2}},
        {L"-(x-1)^(2)", [](double x) { return -(x - 1) * (x - 1); }, {1}},
    };
    for (const auto& c : cases) {
        const RecordingGraphCanvas canvas = build(c.text);
        EXPECT_TRUE(desktop.messageBoxes().empty()) << headless::ToUtf8(c.text);
        ASSERT_EQ(canvas.paths.size(), 1u) << headless::ToUtf8(c.text);
        const double scale = session.view().scale();
        std::vector<double> crossings;
        for (const Polyline& figure : canvas.paths[0].figures) {
            for (std::size_t k = 0; k < figure.size(); ++k) {
                const double x = (figure[k].x - 305) / scale;
                const double y = (280 - figure[k].y) / scale;
                if (std::fabs(y) < 20) EXPECT_NEAR(y, c.value(x), 0.05) << headless::ToUtf8(c.text) << " at " << x;
                if (k == 0) continue;
                const double before = (280 - figure[k - 1].y) / scale;
                if ((before > 0) != (y > 0) || y == 0) crossings.push_back(x);
            }
        }
        for (const double zero : c.zeros) {
            const bool near = std::any_of(crossings.begin(), crossings.end(),
                                          [&](double x) { return std::fabs(x - zero) < 0.1; });
            EXPECT_TRUE(near) << headless::ToUtf8(c.text) << " crosses at " << zero;
        }
    }
}

TEST_F(GraphSessionTest, NothingIsDrawnWithoutResources) {
    build(L"x^2;y=x");
    EXPECT_TRUE(slot(1).computed);
    session.releaseResources();
    EXPECT_FALSE(session.curves().valid());
    EXPECT_FALSE(slot(1).computed);
    EXPECT_TRUE(paint().clears.empty());

    session.enterMode();  // entering Graphs again traces again
    EXPECT_EQ(paint().paths.size(), 2u);
    EXPECT_TRUE(slot(1).computed);
}

// Every view change traces again for the new view; the next build traces anew too.
TEST_F(GraphSessionTest, ImplicitCurvesAreTracedAgainForEveryView) {
    build(L"x^2+y^2=25");
    const std::vector<Polyline> traced = slot(0).polylines;
    ASSERT_FALSE(traced.empty());

    session.view().press(300, 300);
    session.view().move(420, 300, 610, 485);  // four units to the left
    session.view().zoom(-120);                 // scale 25
    const RecordingGraphCanvas panned = paint();
    EXPECT_NE(slot(0).polylines, traced);
    EXPECT_TRUE(session.curves().current(session.viewKey(610, 485, settings)));
    // On the circle centred at (305 + 4 · 25, 280) in the new view, within half a pixel.
    ASSERT_FALSE(panned.paths[0].figures.empty());
    for (const Polyline& piece : panned.paths[0].figures) {
        for (const GraphPoint& end : piece) EXPECT_NEAR(std::hypot(end.x - 405, end.y - 280), 125, 0.5);
    }

    const std::vector<Polyline> beforeBuild = slot(0).polylines;
    build(L"x^2+y^2=16");
    EXPECT_NE(slot(0).polylines, beforeBuild);
}

// Compiling is slow: a build compiles each of its formulas once, whatever its kind, and
// no paint compiles any; a rejected text compiles nothing.
TEST_F(GraphSessionTest, ABuildCompilesEachFormulaOnceAndPaintsCompileNone) {
    const struct { std::wstring text; std::size_t compiled; } cases[] = {
        {L"x^2", 1},
        {L"x^2;;y=x", 2},
        {L"x^2+y^2=25;sin(x)", 2},
        {L"x;x+1;x+2;y=x+3;x+4;x+5", 5},  // the sixth is never plotted
        {L"x+*1", 0},
    };
    for (const auto& c : cases) {
        const std::size_t before = GraphFunction::compilations();
        session.build(c.text, desktop);
        paint();
        session.view().zoom(120);
        paint();
        EXPECT_EQ(GraphFunction::compilations() - before, c.compiled) << c.text;
    }
}

// Leaving Graphs drops the traced curves, not the compiled formulas they are traced from.
TEST_F(GraphSessionTest, TracingAgainAfterAModeSwitchCompilesNothing) {
    build(L"x^2;y=x");
    const std::size_t before = GraphFunction::compilations();
    session.releaseResources();
    session.enterMode();
    EXPECT_EQ(paint().paths.size(), 2u);
    EXPECT_TRUE(slot(1).computed);
    EXPECT_EQ(GraphFunction::compilations(), before);
}

// However coarse the grid and however close the zoom, pieces stay within two pixels;
// the settings' grid decides which small features are found at all.
TEST_F(GraphSessionTest, PiecesStayShortAndTheGridFromTheSettingsFindsSmallFeatures) {
    const auto traced = [this](const wchar_t* formula, int sampleCount, int wheelSteps) {
        GraphSession fresh;
        fresh.enterMode();
        for (int i = 0; i < wheelSteps; ++i) fresh.view().zoom(120);
        fresh.build(formula, desktop);
        RecordingGraphCanvas canvas;
        fresh.render(canvas, 610, 485, GraphSettings{sampleCount});
        return canvas.paths.empty() ? std::vector<Polyline>() : canvas.paths[0].figures;
    };
    const struct { int sampleCount; int wheelSteps; } views[] = {{100, 0}, {100, 6}, {300, 6}, {100, 7}, {500, 12}};
    for (const auto& v : views) {
        const std::vector<Polyline> pieces = traced(L"x^2+y^2=1", v.sampleCount, v.wheelSteps);
        ASSERT_FALSE(pieces.empty()) << v.sampleCount << " " << v.wheelSteps;
        for (const Polyline& line : pieces) {
            for (std::size_t i = 1; i < line.size(); ++i) {
                EXPECT_LE(std::hypot(line[i].x - line[i - 1].x, line[i].y - line[i - 1].y), 2) << v.sampleCount;
            }
        }
    }
    // A circle 3 pixels across between the corners of 6-pixel cells; 1.2-pixel cells find it.
    EXPECT_TRUE(traced(L"(x-0.1)^2+(y-0.1)^2=0.0025", 100, 0).empty());
    EXPECT_FALSE(traced(L"(x-0.1)^2+(y-0.1)^2=0.0025", 500, 0).empty());
}

}  // namespace
}  // namespace kelvora::graph
