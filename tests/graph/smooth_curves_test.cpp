// Curves as a paint strokes them, in screen pixels: implicit curves in short pieces that
// keep to the curve at any zoom, explicit ones broken at poles and domain edges.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "graph_session.h"
#include "headless_platform.h"
#include "recording_graph_canvas.h"

namespace kelvora::graph {
namespace {

using test::RecordingGraphCanvas;

constexpr int kWidth = 610;
constexpr int kHeight = 485;

// A view at a scale centred on a world point.
GraphView ViewOf(double scale, double x, double y) {
    GraphView view(scale);
    view.press(0, 0);
    view.move(static_cast<int>(std::lround(-x * scale)), static_cast<int>(std::lround(y * scale)), 1 << 30, 1 << 30);
    view.release();
    return view;
}

// The first curve's figures, in pixels, for a formula in a view.
std::vector<Polyline> Figures(const std::wstring& formula, const GraphView& view, int sampleCount = 500) {
    headless::Desktop desktop;
    GraphSession session;
    session.enterMode();
    session.view() = view;
    session.build(formula, desktop);
    RecordingGraphCanvas canvas;
    session.render(canvas, kWidth, kHeight, GraphSettings{sampleCount});
    return canvas.paths.empty() ? std::vector<Polyline>() : canvas.paths[0].figures;
}

using Piece = std::array<GraphPoint, 2>;

// Every step of every figure.
std::vector<Piece> Pieces(const std::vector<Polyline>& figures) {
    std::vector<Piece> pieces;
    for (const Polyline& figure : figures) {
        for (std::size_t i = 1; i < figure.size(); ++i) pieces.push_back({figure[i - 1], figure[i]});
    }
    return pieces;
}

struct Screen {
    PlotArea area;
    double x(float sx) const { return area.worldXAt(sx); }
    double y(float sy) const { return area.worldYAt(sy); }
    bool inside(GraphPoint p) const { return area.containsX(p.x) && area.containsY(p.y); }
};

// The circle x²+y²=25 at N = 500 in the start view, zoomed in 8× on its rim, on a point
// of it off the axes, and zoomed in 8× at the mouse: every piece within the view is at
// most 2 pixels long, and its ends and midpoint lie within half a pixel of the circle.
TEST(SmoothImplicitCurves, CirclePiecesAreShortAndOnTheCircleAtEveryZoom) {
    GraphView zoomedAtMouse;
    const PlotArea start = zoomedAtMouse.area(kWidth, kHeight);
    const float mouseX = start.screenX(3), mouseY = start.screenY(4);
    while (zoomedAtMouse.scale() < 8 * GraphView::kInitialScale) zoomedAtMouse.zoomAt(120, mouseX, mouseY, kWidth, kHeight);
    const GraphView views[] = {GraphView(), ViewOf(240, 0, 5), ViewOf(240, 3, 4), ViewOf(240, -4.8, -1.4),
                               zoomedAtMouse};
    // At N = 1 the coarse cells are as wide as they get (32 pixels): the same pieces.
    for (const int samples : {500, 1}) {
        for (const GraphView& view : views) {
            const Screen screen{view.area(kWidth, kHeight)};
            const double scale = view.scale();
            int shown = 0;
            for (const Piece& piece : Pieces(Figures(L"x^2+y^2=25", view, samples))) {
                if (!screen.inside(piece[0]) && !screen.inside(piece[1])) continue;
                ++shown;
                EXPECT_LE(std::hypot(piece[1].x - piece[0].x, piece[1].y - piece[0].y), 2.0) << scale;
                const GraphPoint mid{(piece[0].x + piece[1].x) / 2, (piece[0].y + piece[1].y) / 2};
                for (const GraphPoint& p : {piece[0], piece[1], mid}) {
                    EXPECT_NEAR(std::hypot(screen.x(p.x), screen.y(p.y)) * scale, 5 * scale, 0.5)
                        << "scale " << scale << " at " << p.x << ", " << p.y;
                }
            }
            EXPECT_GT(shown, 100) << scale << " " << view.centreX() << ", " << view.centreY() << " N = " << samples;
        }
    }
}

// Other curves keep to themselves as well: the distance of a world point from each.
TEST(SmoothImplicitCurves, MidpointsKeepToCurvesOfEveryShape) {
    const struct {
        const wchar_t* formula;
        double (*distance)(double x, double y);
        int minimumPieces;
    } cases[] = {
        {L"(x-1)^2+(y+2)^2=0.09", [](double x, double y) { return std::fabs(std::hypot(x - 1, y + 2) - 0.3); }, 20},
        {L"y=x+0.5", [](double x, double y) { return std::fabs(y - x - 0.5) / std::numbers::sqrt2; }, 200},
        // Bent only through the mixed derivative: tight at its vertex (0.1, 0.1).
        {L"x*y=0.01", [](double x, double y) { return std::fabs(x * y - 0.01) / std::hypot(x, y); }, 200},
        // A circle of 3 pixels whose function is far from straight between fine points:
        // straight-line crossings fall short of it, the midpoints find it.
        {L"(x*x+y*y)^16*10^32=1", [](double x, double y) { return std::fabs(std::hypot(x, y) - 0.1); }, 8},
        {L"x^2-y^2=0.0004", [](double x, double y) { return std::fabs(x * x - y * y - 0.0004) / (2 * std::hypot(x, y)); },
         200},
        {L"x^2/16+y^2/4=1",
         [](double x, double y) {
             // The nearest point of the ellipse, found along its parameter.
             double best = 1e9;
             for (int i = 0; i < 20000; ++i) {
                 const double t = i * 2 * std::numbers::pi / 20000;
                 best = std::min(best, std::hypot(x - 4 * std::cos(t), y - 2 * std::sin(t)));
             }
             return best;
         },
         200},
    };
    const GraphView view;
    const Screen screen{view.area(kWidth, kHeight)};
    for (const auto& c : cases) {
        const std::vector<Piece> pieces = Pieces(Figures(c.formula, view, 100));
        EXPECT_GE(static_cast<int>(pieces.size()), c.minimumPieces) << headless::ToUtf8(c.formula);
        for (const Piece& piece : pieces) {
            const GraphPoint mid{(piece[0].x + piece[1].x) / 2, (piece[0].y + piece[1].y) / 2};
            EXPECT_LE(std::hypot(piece[1].x - piece[0].x, piece[1].y - piece[0].y), 2.0);
            EXPECT_LE(c.distance(screen.x(mid.x), screen.y(mid.y)) * 30, 0.5) << headless::ToUtf8(c.formula);
        }
    }
}

// Explicit curves: broken (never joined across) at poles and jumps, ended at the edges of
// their domains, and in pieces of at most 2 pixels where they show.
TEST(SmoothExplicitCurves, BrokenAtPolesAndDomainEdgesAndShortElsewhere) {
    const double halfPi = std::numbers::pi / 2;
    const struct {
        const wchar_t* formula;
        std::vector<double> breaks;  // world x the curve must not cross
        double domainStart;           // where the curve must begin, or NaN
        std::size_t figures;
    } cases[] = {
        {L"1/x", {0}, NAN, 2},
        {L"tan(x)", {-3 * halfPi, -halfPi, halfPi, 3 * halfPi}, NAN, 7},
        {L"0-x^2+4", {}, NAN, 1},
        {L"sqrt(x-1)", {}, 1, 1},
        {L"1/(x-2)^2", {2}, NAN, 2},
        {L"(x-0.01)/abs(x-0.01)", {0.01}, NAN, 2},  // a jump, not a pole
    };
    const GraphView view;
    const Screen screen{view.area(kWidth, kHeight)};
    for (const auto& c : cases) {
        const std::vector<Polyline> figures = Figures(c.formula, view);
        EXPECT_EQ(figures.size(), c.figures) << headless::ToUtf8(c.formula);
        double first = 1e9;
        for (const Polyline& figure : figures) {
            for (std::size_t i = 0; i + 1 < figure.size(); ++i) {
                const double x0 = screen.x(figure[i].x), x1 = screen.x(figure[i + 1].x);
                first = std::min(first, x0);
                for (const double pole : c.breaks) {
                    EXPECT_FALSE(x0 < pole && x1 > pole) << headless::ToUtf8(c.formula) << " joined across " << pole;
                }
                if (screen.inside(figure[i]) && screen.inside(figure[i + 1])) {
                    EXPECT_LE(std::hypot(figure[i + 1].x - figure[i].x, figure[i + 1].y - figure[i].y), 2.0)
                        << headless::ToUtf8(c.formula) << " at " << x0;
                }
            }
        }
        if (!std::isnan(c.domainStart)) {
            EXPECT_NEAR(first, c.domainStart, 1e-3) << headless::ToUtf8(c.formula);
        }
    }
}

// Near a pole the curve runs out of the picture rather than stopping short of its edge;
// -x²+4 crosses the x axis at ±2.
TEST(SmoothExplicitCurves, ReachesThePictureEdgesAndCrossesWhereItShould) {
    const GraphView view;
    const Screen screen{view.area(kWidth, kHeight)};
    const std::vector<Polyline> hyperbola = Figures(L"1/x", view);
    ASSERT_EQ(hyperbola.size(), 2u);
    const auto [lowest, highest] = [&] {
        float low = 1e9f, high = -1e9f;
        for (const Polyline& figure : hyperbola) {
            for (const GraphPoint& p : figure) {
                low = std::min(low, p.y);
                high = std::max(high, p.y);
            }
        }
        return std::pair(low, high);
    }();
    EXPECT_LT(lowest, screen.area.top());
    EXPECT_GT(highest, screen.area.bottom());

    const std::vector<Polyline> parabola = Figures(L"0-x^2+4", view);
    ASSERT_EQ(parabola.size(), 1u);
    std::vector<double> crossings;
    const Polyline& line = parabola[0];
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const double y0 = screen.y(line[i].y), y1 = screen.y(line[i + 1].y);
        if ((y0 < 0) != (y1 < 0)) crossings.push_back(screen.x(line[i].x) + (screen.x(line[i + 1].x) - screen.x(line[i].x)) * y0 / (y0 - y1));
    }
    ASSERT_EQ(crossings.size(), 2u);
    EXPECT_NEAR(crossings[0], -2, 0.5 / 30);
    EXPECT_NEAR(crossings[1], 2, 0.5 / 30);
}

}  // namespace
}  // namespace kelvora::graph
