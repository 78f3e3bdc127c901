// The view and its picture on a recording canvas: mapping, grid, axes, labels, zoom
// and pan.
#include <algorithm>

#include <gtest/gtest.h>

#include "recording_graph_canvas.h"
#include "render_graph.h"

namespace kelvora::graph {
namespace {

using test::RecordingGraphCanvas;

// A view centred on (x, y) at scale 30.
GraphView CentredOn(double x, double y) {
    GraphView view;
    view.press(0, 0);
    view.move(static_cast<int>(-x * 30), static_cast<int>(y * 30), 100000, 100000);
    return view;
}

RecordingGraphCanvas Render(int width, const GraphView& view = GraphView(), GraphSettings settings = {}) {
    RecordingGraphCanvas canvas;
    CurveCache curves;
    RenderGraph(canvas, width, 485, view, settings, GraphFormulas(), curves);
    return canvas;
}

std::vector<float> VerticalGridLines(const RecordingGraphCanvas& canvas) {
    std::vector<float> positions;
    for (const test::LineCall& line : canvas.linesOf(kGridColour)) {
        if (line.from.x == line.to.x) positions.push_back(line.from.x);
    }
    return positions;
}

// The tick labels under the x axis (50 pixels wide; those beside the y axis are 42).
std::vector<std::wstring> XLabels(const RecordingGraphCanvas& canvas) {
    std::vector<std::wstring> labels;
    for (const test::TextCall& text : canvas.texts) {
        if (text.color == kLabelColour && text.rect.right - text.rect.left == 50) labels.push_back(text.text);
    }
    return labels;
}

TEST(RenderGraph, DefaultViewHasTheOriginInTheMiddleAndStepOne) {
    const RecordingGraphCanvas canvas = Render(610);  // plot area 5..605 × 80..480
    EXPECT_EQ(canvas.clears, std::vector<GraphColor>{kBackgroundColour});
    EXPECT_EQ(canvas.clips, (std::vector<GraphRect>{{5, 80, 605, 480}}));
    EXPECT_EQ(canvas.clipDepth, 0);

    const std::vector<test::LineCall> axes = canvas.linesOf(kAxisColour);
    ASSERT_EQ(axes.size(), 2u);
    EXPECT_EQ(axes[0].from, (GraphPoint{305, 80}));
    EXPECT_EQ(axes[0].to, (GraphPoint{305, 480}));
    EXPECT_EQ(axes[1].from, (GraphPoint{5, 280}));
    EXPECT_EQ(axes[1].to, (GraphPoint{605, 280}));
    EXPECT_EQ(axes[0].width, 2);

    const std::vector<float> grid = VerticalGridLines(canvas);
    ASSERT_EQ(grid.size(), 21u);  // x = -10 .. 10
    for (std::size_t i = 0; i < grid.size(); ++i) EXPECT_FLOAT_EQ(grid[i], 5 + 30 * i);

    // 20 under the x axis, 12 beside the y axis, and the origin's "0".
    ASSERT_EQ(canvas.texts.size(), 33u);
    for (const test::TextCall& text : canvas.texts) {
        EXPECT_EQ(text.font, (GraphFont{L"Segoe UI", 400, 12}));
        EXPECT_EQ(text.color, text.text == L"0" ? kAxisColour : kLabelColour);
    }
    EXPECT_EQ(canvas.texts.back().rect, (GraphRect{285, 282, 325, 298}));  // "0"
    EXPECT_EQ(XLabels(canvas).front(), L"-10");
    EXPECT_EQ(canvas.texts[10].rect, (GraphRect{310, 282, 360, 298}));    // "1" under x = 1
    EXPECT_EQ(canvas.texts[26].rect, (GraphRect{260, 244, 302, 256}));    // "1" beside y = 1
}

TEST(RenderGraph, NarrowPlotUsesHalfStepsButLabelsOnlyWholeNumbers) {
    const RecordingGraphCanvas canvas = Render(110);  // 100 pixels of plot: 3.3 units
    const std::vector<float> grid = VerticalGridLines(canvas);
    ASSERT_EQ(grid.size(), 7u);  // x = -1.5 .. 1.5
    for (std::size_t i = 1; i < grid.size(); ++i) EXPECT_FLOAT_EQ(grid[i] - grid[i - 1], 15);
    EXPECT_EQ(XLabels(canvas), (std::vector<std::wstring>{L"-1", L"1"}));
    EXPECT_EQ(canvas.texts.front().font.size, 9);
}

// Panned far, an axis leaves the view but not its tick labels: they stay at the bottom
// or the left edge, zero among them, and the corner belongs to the bottom row.
TEST(RenderGraph, AnAxisOutsideThePlotAreaLeavesItsLabelsAtTheEdge) {
    const struct {
        double x;
        double y;
        std::size_t axes;
        std::size_t xLabels;
        std::size_t yLabels;
        float xRowTop;
        float yColumnLeft;
        std::size_t zeros;
    } cases[] = {
        {0, 0, 2, 20, 12, 282, 260, 1},     // beside the axes; the origin's own "0"
        {20, 0, 1, 21, 13, 282, 8, 1},      // the y axis left of the plot: -6..6 at the left edge
        {0, 10, 1, 21, 12, 462, 260, 1},    // the x axis below it: -10..10 along the bottom, 5..16 beside
        {30, -30, 0, 21, 12, 462, 8, 0},    // both: 20..40 along the bottom, -35..-24 at the left
    };
    for (const auto& c : cases) {
        const RecordingGraphCanvas canvas = Render(610, CentredOn(c.x, c.y));
        EXPECT_EQ(canvas.linesOf(kAxisColour).size(), c.axes) << c.x << ", " << c.y;
        std::size_t xLabels = 0, yLabels = 0, zeros = 0;
        for (const test::TextCall& text : canvas.texts) {
            const float width = text.rect.right - text.rect.left;
            if (width == 50) {
                ++xLabels;
                EXPECT_EQ(text.rect.top, c.xRowTop) << c.x << ", " << c.y;
            } else if (width == 42) {
                ++yLabels;
                EXPECT_EQ(text.rect.left, c.yColumnLeft) << c.x << ", " << c.y;
            }
            zeros += text.text == L"0";
        }
        EXPECT_EQ(xLabels, c.xLabels) << c.x << ", " << c.y;
        EXPECT_EQ(yLabels, c.yLabels) << c.x << ", " << c.y;
        EXPECT_EQ(zeros, c.zeros) << c.x << ", " << c.y;
    }
}

TEST(RenderGraph, SettingsHideTheGridOrTheLabels) {
    const RecordingGraphCanvas withoutGrid = Render(610, GraphView(), GraphSettings{300, 2, false, true});
    EXPECT_TRUE(withoutGrid.linesOf(kGridColour).empty());
    EXPECT_EQ(withoutGrid.linesOf(kAxisColour).size(), 2u);
    EXPECT_EQ(withoutGrid.texts.size(), 33u);

    const RecordingGraphCanvas withoutLabels = Render(610, GraphView(), GraphSettings{300, 2, true, false});
    EXPECT_TRUE(withoutLabels.texts.empty());
    EXPECT_EQ(withoutLabels.linesOf(kGridColour).size(), 34u);
    EXPECT_TRUE(Render(10).clears.empty());  // too small to draw
}

TEST(RenderGraph, StepsAndLabelTexts) {
    const std::pair<double, double> steps[] = {{4.99, 0.5}, {5, 1}, {50, 1}, {50.01, 5}, {100, 5}, {100.01, 10}};
    for (const auto& [worldWidth, step] : steps) EXPECT_EQ(GridStep(worldWidth), step) << worldWidth;
    const std::pair<double, std::wstring> labels[] = {{-10, L"-10"}, {2.5, L"2.5"}, {1e18, L"1000000000000000000"},
                                                      {1e19, L"1e+19"}};
    for (const auto& [value, text] : labels) EXPECT_EQ(TickLabel(value), text) << value;
    EXPECT_EQ(LabelFontSize(760), 15);
    EXPECT_EQ(LabelFontSize(1920), 18);
}

TEST(GraphView, WheelStepsZoomWithinTheLimits) {
    GraphView view;
    for (int i = 0; i < 5; ++i) view.zoom(120);
    EXPECT_NEAR(view.scale(), 74.6496, 1e-9);

    const struct { double scale; int delta; double zoomed; } cases[] = {
        {180, 120, 216}, {200, 1, 240}, {30, -120, 25}, {30, 0, 25}, {11, -120, 10}, {10, 120, 12},
        {90000, 120, GraphView::kMaxScale}, {GraphView::kMaxScale, 120, GraphView::kMaxScale},
    };
    for (const auto& c : cases) {
        GraphView from(c.scale);
        from.zoom(c.delta);
        EXPECT_NEAR(from.scale(), c.zoomed, 1e-12) << c.scale << " " << c.delta;
    }
}

// Scale 30, a client area of 400 × 300, the drag starting at (100, 100).
TEST(GraphView, DraggingPansPastTheRightAndBottomEdgesAsIfOnThem) {
    const struct { int x; int y; double centreX; double centreY; } cases[] = {
        {130, 160, -1, 2},
        {1000, 100, -10, 0},         // as at x = 400
        {100, 900, 0, 200.0 / 30},   // as at y = 300
        {-200, -50, 10, -5},         // left of and above the window the positions go on
    };
    for (const auto& c : cases) {
        GraphView view;
        view.press(100, 100);
        view.move(160, 400, 400, 300);  // each move counts from the start of the drag
        EXPECT_TRUE(view.move(c.x, c.y, 400, 300));
        EXPECT_NEAR(view.centreX(), c.centreX, 1e-12) << c.x << ", " << c.y;
        EXPECT_NEAR(view.centreY(), c.centreY, 1e-12) << c.x << ", " << c.y;
        EXPECT_TRUE(view.release());
        EXPECT_FALSE(view.move(0, 0, 400, 300));
        EXPECT_NEAR(view.centreX(), c.centreX, 1e-12);
    }
}

}  // namespace
}  // namespace kelvora::graph
