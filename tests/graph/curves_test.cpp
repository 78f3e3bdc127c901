// Sampling explicit functions per pixel column and tracing implicit curves by marching
// squares: where the points land and where curves break.
#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "curves.h"
#include "marching_squares.h"

namespace kelvora::graph {
namespace {

// 600 × 400 pixels of plot at scale 30: x in -10..10, y in -6.67..6.67, the origin at
// (305, 280).
const PlotArea kDefaultArea(610, 485, 30, 0, 0);

std::vector<GraphPoint> Points(const std::vector<Polyline>& polylines) {
    std::vector<GraphPoint> points;
    for (const Polyline& line : polylines) points.insert(points.end(), line.begin(), line.end());
    return points;
}

TEST(SampleExplicit, PassesThroughThePointsOfTheFunction) {
    const struct {
        std::wstring formula;
        float column;  // x = (column - 305) / 30
        float row;     // y = (280 - row) / 30
    } cases[] = {{L"exp(x)", 305, 250}, {L"2x", 335, 220}, {L"2x", 5, 880}, {L"x^2", 365, 160}};
    for (const auto& c : cases) {
        const std::vector<GraphPoint> points = Points(SampleExplicit(GraphFunction(c.formula), kDefaultArea));
        const auto at = std::find_if(points.begin(), points.end(), [&](GraphPoint p) { return p.x == c.column; });
        ASSERT_NE(at, points.end()) << c.formula;
        EXPECT_NEAR(at->y, c.row, 1e-3) << c.formula;
    }
}

// A sample without a value, or one far outside the window, ends the polyline.
TEST(SampleExplicit, BreaksWhereTheFunctionHasNoPlottableValue) {
    const struct { std::wstring formula; std::size_t polylines; float firstColumn; float lastColumn; } cases[] = {
        {L"2x", 1, 5, 605},       // one point for every column of the plot area
        {L"x^0.5", 1, 305, 605},  // no value left of 0
        {L"1/x", 2, 5, 605},      // none at 0 either
        {L"x^2", 1, 49, 561},     // up to 1920 pixels above the window: y = 73.3
        {L"0-x^2", 1, 49, 561},   // and 1995 below it
        {L"0-x^2/2", 1, 5, 605},
        {L"1/(x-x)", 0, 0, 0},
    };
    for (const auto& c : cases) {
        const std::vector<Polyline> lines = SampleExplicit(GraphFunction(c.formula), kDefaultArea);
        ASSERT_EQ(lines.size(), c.polylines) << c.formula;
        if (lines.empty()) continue;
        EXPECT_EQ(lines.front().front().x, c.firstColumn) << c.formula;
        EXPECT_EQ(lines.back().back().x, c.lastColumn) << c.formula;
        EXPECT_EQ(Points(lines).size(), c.lastColumn - c.firstColumn + 2 - c.polylines) << c.formula;
    }
}

// A graph has no value where a function has none (sqrt(-1)), nor where a function's
// argument has none (ln(sqrt(x)) left of 0) or a function overflows.
TEST(SampleExplicit, BrokenWhereAFunctionIsNotDefined) {
    const struct {
        const wchar_t* formula;
        std::size_t polylines;
        float firstColumn;
    } cases[] = {
        {L"sqrt(x)", 1, 305},
        {L"ln(sqrt(x))+1", 1, 306},  // ln(0) is not defined either
        {L"2+sqrt(0-x)", 1, 5},
        {L"1/(1/sqrt(x-1))", 1, 336},
        {L"sqrt(x*x-4)", 2, 5},
        {L"x+0*exp(x*x*x*x)", 1, 151},  // exp overflows beyond |x| = 5.16
    };
    for (const auto& c : cases) {
        const std::vector<Polyline> lines = SampleExplicit(GraphFunction(c.formula), kDefaultArea);
        ASSERT_EQ(lines.size(), c.polylines) << c.formula;
        EXPECT_EQ(lines[0].front().x, c.firstColumn) << c.formula;
    }
    EXPECT_TRUE(std::isnan(GraphFunction(L"sqrt(x)").explicitAt(-1)));
    EXPECT_TRUE(std::isnan(GraphFunction(L"x+0*ln(0)").explicitAt(2)));
    EXPECT_EQ(GraphFunction(L"sqrt(x)").explicitAt(4), 2);
}

// Corner values of ±1.5e308 two units apart: the crossing's product overflows, yet the
// line is still found at x = 0.
TEST(TraceZeroSet, CrossesBetweenTheLargestValues) {
    const std::vector<Polyline> segments = TraceZeroSet(GraphFunction(L"x*1.5e308+0*y"), {-3, 3, -3, 3}, 9);
    ASSERT_FALSE(segments.empty());
    for (const Polyline& segment : segments) {
        for (const GraphPoint& point : segment) EXPECT_EQ(point.x, 0) << point.y;
    }
}

// y=sqrt(x) traced as y-(sqrt(x)): nothing where x < 0, not the line y = 0 there.
TEST(TraceZeroSet, NothingWhereTheFunctionIsNotDefined) {
    const std::vector<Polyline> segments = TraceZeroSet(GraphFunction(ZeroForm(L"y=sqrt(x)")), {-4, 4, -4, 4}, 60);
    ASSERT_FALSE(segments.empty());
    for (const Polyline& segment : segments) {
        for (const GraphPoint& point : segment) {
            EXPECT_GE(point.x, -0.21f);
            EXPECT_NEAR(point.y, std::sqrt(std::max(0.0f, point.x)), 0.25);
        }
    }
}

// Planes cut the one cell of a 1 × 1 grid (spanning -1..2 both ways) in every way but a
// saddle: the segment, if any, joins two points of the border at the exact zeros.
TEST(TraceZeroSet, JoinsTheEdgesWhereTheSignChanges) {
    const double coefficients[] = {-1.5, -0.4, 0, 0.3, 1.2};
    int traced = 0;
    for (double a : coefficients) {
        for (double b : coefficients) {
            for (double c : coefficients) {
                const auto f = [&](double x, double y) { return a + b * x + c * y; };
                const auto number = [](double v) { return L"(" + std::to_wstring(v) + L")"; };
                const std::wstring formula = number(a) + L"+" + number(b) + L"*x+" + number(c) + L"*y";
                const double corners[] = {f(-1, -1), f(2, -1), f(2, 2), f(-1, 2)};
                const bool mixed =
                    *std::min_element(corners, corners + 4) < 0 && *std::max_element(corners, corners + 4) >= 0;
                const std::vector<Polyline> segments = TraceZeroSet(GraphFunction(formula), {0, 1, 0, 1}, 1);
                ASSERT_EQ(segments.size(), mixed ? 1u : 0u) << a << " " << b << " " << c;
                if (!mixed) continue;
                ++traced;
                for (const GraphPoint& end : segments[0]) {
                    EXPECT_TRUE(end.x == -1 || end.x == 2 || end.y == -1 || end.y == 2) << end.x << ", " << end.y;
                    EXPECT_TRUE(end.x >= -1 && end.x <= 2 && end.y >= -1 && end.y <= 2) << end.x << ", " << end.y;
                    EXPECT_NEAR(f(end.x, end.y), 0, 1e-5);
                }
            }
        }
    }
    EXPECT_GT(traced, 50);
}

// Diagonally opposite corners of one sign make a saddle: two segments, each cutting off
// one of the corners below zero.
TEST(TraceZeroSet, SaddlesGiveTwoSegments) {
    const struct { std::wstring formula; std::vector<Polyline> segments; } cases[] = {
        {L"(x-0.4)*(y-0.6)", {{{0.4f, -1}, {2, 0.6f}}, {{0.4f, 2}, {-1, 0.6f}}}},
        {L"(0.4-x)*(y-0.6)", {{{0.4f, -1}, {-1, 0.6f}}, {{2, 0.6f}, {0.4f, 2}}}},
    };
    for (const auto& c : cases) {
        const std::vector<GraphPoint> ends = Points(TraceZeroSet(GraphFunction(c.formula), {0, 1, 0, 1}, 1));
        const std::vector<GraphPoint> expected = Points(c.segments);
        ASSERT_EQ(ends.size(), expected.size());
        for (std::size_t i = 0; i < ends.size(); ++i) {
            EXPECT_NEAR(ends[i].x, expected[i].x, 1e-6);
            EXPECT_NEAR(ends[i].y, expected[i].y, 1e-6);
        }
    }
}

TEST(TraceZeroSet, CoversThreeTimesTheRectangleAndCountsNoValueAsZero) {
    const std::vector<GraphPoint> ends = Points(TraceZeroSet(GraphFunction(L"y-(x)-0.01"), {0, 1, 0, 1}, 30));
    const auto [left, right] = std::minmax_element(ends.begin(), ends.end(),
                                                   [](GraphPoint a, GraphPoint b) { return a.x < b.x; });
    EXPECT_NEAR(left->x, -1, 0.011);
    EXPECT_NEAR(right->x, 2, 0.011);
    // Nowhere a value: zeros everywhere, nothing below zero, nothing traced.
    EXPECT_TRUE(TraceZeroSet(GraphFunction(L"y/(x-x)"), {0, 1, 0, 1}, 10).empty());
}

TEST(CurveCache, TracesTheCircleWithinTheTolerance) {
    CurveCache cache;
    // The default view of a 610 × 485 client, 300 coarse cells.
    cache.compute(GraphFormulas(L"x^2;x^2+y^2=25"), ViewKey{610, 485, 30, 0, 0, 300});
    ASSERT_TRUE(cache.current(ViewKey{610, 485, 30, 0, 0, 300}));
    EXPECT_FALSE(cache.current(ViewKey{610, 485, 36, 0, 0, 300}));
    // Explicit curves are kept with the implicit ones, on the parabola.
    ASSERT_TRUE(cache.curveSlots()[0].computed);
    for (const Polyline& line : cache.curveSlots()[0].polylines) {
        for (const GraphPoint& point : line) EXPECT_NEAR(point.y, point.x * point.x, 1e-4 * (1 + point.y));
    }
    const CurveSlot& circle = cache.curveSlots()[1];
    ASSERT_TRUE(circle.computed);
    // Traced pieces joined end to end: one closed line of steps of at most two pixels.
    ASSERT_EQ(circle.polylines.size(), 1u);
    const Polyline& line = circle.polylines[0];
    ASSERT_GT(line.size(), 400u);
    EXPECT_EQ(line.front(), line.back());
    bool quadrants[4] = {};
    for (std::size_t i = 0; i < line.size(); ++i) {
        const GraphPoint end = line[i];
        EXPECT_NEAR(std::hypot(end.x, end.y), 5, 0.5 / 30);  // half a pixel
        if (i > 0) {
            EXPECT_LE(std::hypot(end.x - line[i - 1].x, end.y - line[i - 1].y), 2.0 / 30);
        }
        quadrants[(end.x < 0) + 2 * (end.y < 0)] = true;
    }
    EXPECT_TRUE(quadrants[0] && quadrants[1] && quadrants[2] && quadrants[3]);
}

// Pieces that meet end to end become one line, whichever way round each was traced;
// separate curves stay separate, and a closed curve ends where it starts.
TEST(JoinPieces, ChainsPiecesThatMeet) {
    const struct { std::vector<Piece> pieces; std::vector<std::size_t> lengths; } cases[] = {
        {{{{0, 0}, {1, 0}}, {{1, 0}, {2, 1}}, {{3, 3}, {2, 1}}}, {4}},
        {{{{1, 0}, {2, 1}}, {{0, 0}, {1, 0}}}, {3}},
        {{{{0, 0}, {1, 0}}, {{5, 5}, {6, 5}}}, {2, 2}},
        {{{{0, 0}, {1, 0}}, {{1, 0}, {1, 1}}, {{1, 1}, {0, 0}}}, {4}},  // a triangle, closed
        {{}, {}},
    };
    for (const auto& c : cases) {
        const std::vector<Polyline> joined = JoinPieces(c.pieces);
        ASSERT_EQ(joined.size(), c.lengths.size());
        std::size_t points = 0;
        for (std::size_t i = 0; i < joined.size(); ++i) {
            EXPECT_EQ(joined[i].size(), c.lengths[i]);
            points += joined[i].size();
            for (std::size_t k = 1; k < joined[i].size(); ++k) {
                // Every step of a joined line is one of the pieces, in one direction or the other.
                const bool isPiece = std::any_of(c.pieces.begin(), c.pieces.end(), [&](const Piece& piece) {
                    return (piece.from == joined[i][k - 1] && piece.to == joined[i][k]) ||
                           (piece.to == joined[i][k - 1] && piece.from == joined[i][k]);
                });
                EXPECT_TRUE(isPiece) << i << " " << k;
            }
        }
        EXPECT_EQ(points, c.pieces.size() + c.lengths.size());
    }
    const std::vector<Polyline> triangle = JoinPieces({{{0, 0}, {1, 0}}, {{1, 0}, {1, 1}}, {{1, 1}, {0, 0}}});
    EXPECT_EQ(triangle[0].front(), triangle[0].back());
}

}  // namespace
}  // namespace kelvora::graph
