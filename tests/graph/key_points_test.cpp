// Zeros, extrema and intersections read off the curves of a view, to full precision,
// and what a paint marks with them.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <numbers>
#include <string>

#include <gtest/gtest.h>

#include "graph_session.h"
#include "headless_platform.h"
#include "key_points.h"
#include "recording_graph_canvas.h"

namespace kelvora::graph {
namespace {

const PlotArea kDefaultArea(610, 485, 30, 0, 0);  // x in -10..10, y in -6.67..6.67

struct Expected {
    KeyPointKind kind;
    std::size_t curve;
    std::size_t other;
    double x;
    double y;
};

std::vector<KeyPoint> Found(const wchar_t* text) { return FindKeyPoints(GraphFormulas(text), kDefaultArea); }

TEST(FindKeyPoints, ZerosExtremaAndIntersectionsToFullPrecision) {
    constexpr auto Z = KeyPointKind::Zero, E = KeyPointKind::Extremum, I = KeyPointKind::Intersection;
    const double pi = std::numbers::pi;
    const struct {
        const wchar_t* text;
        std::vector<Expected> points;  // in the order found
        double tolerance;
    } cases[] = {
        {L"x^2-4", {{Z, 0, 0, -2, 0}, {Z, 0, 0, 2, 0}, {E, 0, 0, 0, -4}}, 1e-7},
        // x² touches the axis at a sample: a zero as well as the extremum.
        {L"x^2;x+2", {{Z, 0, 0, 0, 0}, {E, 0, 0, 0, 0}, {I, 0, 1, -1, 1}, {I, 0, 1, 2, 4}, {Z, 1, 1, -2, 0}}, 1e-7},
        {L"sin(x)", {{Z, 0, 0, -3 * pi, 0}, {Z, 0, 0, -2 * pi, 0}, {Z, 0, 0, -pi, 0}, {Z, 0, 0, 0, 0},
                     {Z, 0, 0, pi, 0},      {Z, 0, 0, 2 * pi, 0},  {Z, 0, 0, 3 * pi, 0},
                     {E, 0, 0, -2.5 * pi, -1}, {E, 0, 0, -1.5 * pi, 1}, {E, 0, 0, -0.5 * pi, -1},
                     {E, 0, 0, 0.5 * pi, 1}, {E, 0, 0, 1.5 * pi, -1}, {E, 0, 0, 2.5 * pi, 1}}, 1e-6},
        // Across a pole the sign changes but there is no zero, nor an extremum in view.
        {L"1/x", {}, 0},
        {L"1/(x-1)-1", {{Z, 0, 0, 2, 0}}, 1e-9},
        // An implicit curve: where it crosses the x axis, where it turns and where it meets
        // explicit curves.
        {L"x^2+y^2=25;x", {{Z, 0, 0, -5, 0}, {Z, 0, 0, 5, 0}, {E, 0, 0, 0, -5}, {E, 0, 0, 0, 5}, {Z, 1, 1, 0, 0},
                            {I, 1, 0, -std::sqrt(12.5), -std::sqrt(12.5)}, {I, 1, 0, std::sqrt(12.5), std::sqrt(12.5)}},
         1e-7},
        // "1)-x" is 1-x alone, but its surplus bracket would close "(x^2)-(1" in a text of
        // the difference: the pair is searched numerically.
        {L"x^2;1)-x", {{Z, 0, 0, 0, 0}, {E, 0, 0, 0, 0}, {I, 0, 1, -(1 + std::sqrt(5.0)) / 2, (3 + std::sqrt(5.0)) / 2},
                       {I, 0, 1, (std::sqrt(5.0) - 1) / 2, (3 - std::sqrt(5.0)) / 2}, {Z, 1, 1, 1, 0}}, 1e-7},
        // Only what shows: the zeros of x-20 and the extremum at (0, 10) are out of view.
        {L"x-20;10-x^2", {{Z, 1, 1, -std::sqrt(10.0), 0}, {Z, 1, 1, std::sqrt(10.0), 0}}, 1e-7},
    };
    for (const auto& c : cases) {
        const std::vector<KeyPoint> found = Found(c.text);
        ASSERT_EQ(found.size(), c.points.size()) << headless::ToUtf8(c.text);
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].kind, c.points[i].kind) << headless::ToUtf8(c.text) << " #" << i;
            EXPECT_EQ(found[i].curve, c.points[i].curve) << headless::ToUtf8(c.text) << " #" << i;
            EXPECT_EQ(found[i].other, c.points[i].other) << headless::ToUtf8(c.text) << " #" << i;
            EXPECT_NEAR(found[i].x, c.points[i].x, c.tolerance) << headless::ToUtf8(c.text) << " #" << i;
            EXPECT_NEAR(found[i].y, c.points[i].y, c.tolerance) << headless::ToUtf8(c.text) << " #" << i;
        }
    }
}

// Lists `found` against `expected` in order: x always exactly, y within yTolerance
// (0: exactly as well).
void ExpectPoints(const wchar_t* text, const std::vector<KeyPoint>& found, const std::vector<Expected>& expected,
                  double xTolerance, double yTolerance) {
    ASSERT_EQ(found.size(), expected.size()) << headless::ToUtf8(text);
    for (std::size_t i = 0; i < found.size(); ++i) {
        const std::string where = headless::ToUtf8(text) + " #" + std::to_string(i);
        EXPECT_EQ(found[i].kind, expected[i].kind) << where;
        EXPECT_EQ(found[i].curve, expected[i].curve) << where;
        EXPECT_EQ(found[i].other, expected[i].other) << where;
        EXPECT_NEAR(found[i].x, expected[i].x, xTolerance) << where;
        EXPECT_NEAR(found[i].y, expected[i].y, yTolerance) << where;
        if (xTolerance == 0) {
            EXPECT_EQ(found[i].x, expected[i].x) << where;  // -0 against 0 as well
        }
    }
}

// Where an explicit curve is a polynomial in x the engine isolates the roots exactly:
// each x is the double nearest to the root, and y the curve's drawn value there.
TEST(FindKeyPoints, PolynomialPointsAreExactDoubles) {
    constexpr auto Z = KeyPointKind::Zero, E = KeyPointKind::Extremum, I = KeyPointKind::Intersection;
    const double root2 = std::sqrt(2.0);  // correctly rounded, as the exact roots are
    const struct {
        const wchar_t* text;
        std::vector<Expected> points;
        double yTolerance;  // where the drawn value is taken at x rounded to ten digits
    } cases[] = {
        {L"x^2-4", {{Z, 0, 0, -2, 0}, {Z, 0, 0, 2, 0}, {E, 0, 0, 0, -4}}, 0},
        // x² touches the axis without crossing it: still a zero, found without a sample there.
        {L"x^2;x+2", {{Z, 0, 0, 0, 0}, {E, 0, 0, 0, 0}, {I, 0, 1, -1, 1}, {I, 0, 1, 2, 4}, {Z, 1, 1, -2, 0}}, 0},
        {L"x^2-0.01;2-x^2", {{Z, 0, 0, -0.1, 0}, {Z, 0, 0, 0.1, 0}, {E, 0, 0, 0, -0.01},
                             {I, 0, 1, -std::sqrt(1.005), 1.005 - 0.01}, {I, 0, 1, std::sqrt(1.005), 1.005 - 0.01},
                             {Z, 1, 1, -root2, 0}, {Z, 1, 1, root2, 0}, {E, 1, 1, 0, 2}}, 1e-8},
        // x³ is flat at 0 without turning; x⁴ turns there.
        {L"x^3", {{Z, 0, 0, 0, 0}}, 0},
        {L"x^4", {{Z, 0, 0, 0, 0}, {E, 0, 0, 0, 0}}, 0},
        {L"(x-1)^3+2", {{Z, 0, 0, 1 - std::cbrt(2.0), 0}}, 1e-8},
        {L"x^4-2x^2", {{Z, 0, 0, -root2, 0}, {Z, 0, 0, 0, 0}, {Z, 0, 0, root2, 0},
                       {E, 0, 0, -1, -1}, {E, 0, 0, 0, 0}, {E, 0, 0, 1, -1}}, 1e-8},
        // Decimal roots are the decimals they are, not neighbours of them.
        {L"(x-0.1)(x-0.2)", {{Z, 0, 0, 0.1, 0}, {Z, 0, 0, 0.2, 0}, {E, 0, 0, 0.15, (0.15 - 0.1) * (0.15 - 0.2)}}, 0},
        // The same curve twice meets itself everywhere: no point to mark.
        {L"x^2-1;x*x-1", {{Z, 0, 0, -1, 0}, {Z, 0, 0, 1, 0}, {E, 0, 0, 0, -1},
                          {Z, 1, 1, -1, 0}, {Z, 1, 1, 1, 0}, {E, 1, 1, 0, -1}}, 0},
    };
    for (const auto& c : cases) ExpectPoints(c.text, Found(c.text), c.points, 0, c.yTolerance);
}

// More roots than a first request has room for: each still the double nearest to k/3,
// which no bracketing on the columns would give.
TEST(FindKeyPoints, EveryExactRootOfAPolynomialWithMany) {
    std::wstring text;
    std::vector<double> roots;
    for (int k = -10; k <= 10; ++k) {
        text += L"(x-(" + std::to_wstring(k) + L"/3))";
        roots.push_back(k / 3.0);
    }
    std::vector<double> zeros;
    for (const KeyPoint& point : Found(text.c_str())) {
        if (point.kind == KeyPointKind::Zero) zeros.push_back(point.x);
    }
    EXPECT_EQ(zeros, roots);
}

// Where an implicit curve turns or meets another curve: refined by Newton's method from
// the cells of the view where both equations change sign.
TEST(FindKeyPoints, ImplicitCurvesTurnAndMeet) {
    constexpr auto Z = KeyPointKind::Zero, E = KeyPointKind::Extremum, I = KeyPointKind::Intersection;
    const double r = std::sqrt(12.5);  // 3.5355339059...
    const struct {
        const wchar_t* text;
        std::vector<Expected> points;
        double tolerance;
    } cases[] = {
        {L"x^2+y^2=25;y=x", {{Z, 0, 0, -5, 0}, {Z, 0, 0, 5, 0}, {E, 0, 0, 0, -5}, {E, 0, 0, 0, 5},
                             {I, 0, 1, -r, -r}, {I, 0, 1, r, r}, {Z, 1, 1, 0, 0}}, 1e-9},
        {L"x^2+y^2=25;(x-6)^2+y^2=25", {{Z, 0, 0, -5, 0}, {Z, 0, 0, 5, 0}, {E, 0, 0, 0, -5}, {E, 0, 0, 0, 5},
                                        {I, 0, 1, 3, -4}, {I, 0, 1, 3, 4},
                                        {Z, 1, 1, 1, 0}, {E, 1, 1, 6, -5}, {E, 1, 1, 6, 5}}, 1e-9},
        {L"x^2/16+y^2/4=1", {{Z, 0, 0, -4, 0}, {Z, 0, 0, 4, 0}, {E, 0, 0, 0, -2}, {E, 0, 0, 0, 2}}, 1e-9},
        // y = x³ written as a curve of the plane: flat at 0 without turning.
        {L"y=x^3", {{Z, 0, 0, 0, 0}}, 1e-9},
        // y = 5 touches the circle: F(x, 5) never changes sign, yet the point is found.
        {L"x^2+y^2=25;5", {{Z, 0, 0, -5, 0}, {Z, 0, 0, 5, 0}, {E, 0, 0, 0, -5}, {E, 0, 0, 0, 5},
                           {I, 1, 0, 0, 5}}, 1e-6},
        // The x axis belongs to this curve: flat along it, it has no turning points there.
        {L"sin(3xy)=0", {}, 0},
        // Only what shows: (0, 8) lies above the view.
        {L"x^2+(y-3)^2=25", {{Z, 0, 0, -4, 0}, {Z, 0, 0, 4, 0}, {E, 0, 0, 0, -2}}, 1e-9},
    };
    for (const auto& c : cases) ExpectPoints(c.text, Found(c.text), c.points, c.tolerance, c.tolerance);
}

// A view that has moved on stops the search; a full one still finishes with points even
// with texts whose exact roots crowd beyond the engine's allowance, or curves that fill
// the view (its work is bounded by counts of values; its speed is measured in bench/).
TEST(FindKeyPoints, BoundedByCancellationAndByCounts) {
    const wchar_t* views[] = {
        L"x^2+y^2=25;(x-6)^2+y^2=25;sin(x);x^50-2(1000x-1)^2;x^2/16+y^2/4=1",
        L"sin(5x)+sin(5y)=0;cos(5x)=sin(5y);sin(3xy)=0;sin(x^2+y^2)=0;tan(x*y)=1",
    };
    std::atomic<unsigned> current{1};
    for (const wchar_t* five : views) {
        const GraphFormulas formulas(five);
        EXPECT_TRUE(FindKeyPoints(formulas, kDefaultArea, Cancellation(current, 0)).empty()) << headless::ToUtf8(five);
        EXPECT_FALSE(FindKeyPoints(formulas, kDefaultArea, Cancellation(current, 1)).empty()) << headless::ToUtf8(five);
    }
}

// Views with no plot in them, or one whose sides are beyond the doubles, have no points.
TEST(FindKeyPoints, ViewsWithoutAPlotHaveNone) {
    const PlotArea areas[] = {PlotArea(0, 0, 30, 0, 0), PlotArea(3, 700, 30, 0, 0),
                              PlotArea(610, 485, 10, 1.7e308, -1.7e308)};
    for (const PlotArea& area : areas) {
        EXPECT_TRUE(FindKeyPoints(GraphFormulas(L"x^2+y^2=25;(x-1)^2+y^2=16;sin(x);x^2-4"), area).empty())
            << area.width << " × " << area.height << " at " << area.xmin;
    }
}

TEST(FindKeyPoints, RootAndMaximumNarrowToFullPrecision) {
    const auto cubic = [](double x) { return x * x * x - 2; };
    EXPECT_NEAR(Root(cubic, 1, cubic(1), 2, cubic(2)), std::cbrt(2.0), 4e-16);
    EXPECT_TRUE(std::isnan(Root([](double x) { return 1 / x; }, -1, -1, 2, 0.5)));  // a pole
    EXPECT_TRUE(std::isnan(Root([](double x) { return x < 0 ? -1.0 : NAN; }, -1, -1, 1, 1)));
    EXPECT_NEAR(Maximum([](double x) { return -(x - 0.3) * (x - 0.3); }, -1, 2), 0.3, 1e-7);
    EXPECT_NEAR(Maximum([](double x) { return std::sin(x); }, 0, 3), std::numbers::pi / 2, 1e-7);
}

// With the points action on, each key point is a dot with its coordinates beside it.
TEST(KeyPointsOnThePicture, DotsWithTheirCoordinates) {
    headless::Desktop desktop;
    GraphSession session;
    session.enterMode();
    session.build(L"x^2-4", desktop);
    session.showKeyPoints(true);
    test::RecordingGraphCanvas canvas;
    session.render(canvas, 610, 485, GraphSettings{});
    const struct { float x; float y; std::wstring label; } expected[] = {
        {245, 280, L"(-2, 0)"}, {365, 280, L"(2, 0)"}, {305, 400, L"(0, -4)"},
    };
    ASSERT_EQ(canvas.dots.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_NEAR(canvas.dots[i].centre.x, expected[i].x, 1e-3);
        EXPECT_NEAR(canvas.dots[i].centre.y, expected[i].y, 1e-3);
        const bool labelled = std::any_of(canvas.leftTexts.begin(), canvas.leftTexts.end(),
                                          [&](const test::TextCall& t) { return t.text == expected[i].label; });
        EXPECT_TRUE(labelled) << headless::ToUtf8(expected[i].label);
    }
    session.showKeyPoints(false);
    test::RecordingGraphCanvas without;
    session.render(without, 610, 485, GraphSettings{});
    EXPECT_TRUE(without.dots.empty());
}

// Points too close for two labels keep their dots; only the first is labelled.
TEST(KeyPointsOnThePicture, LabelsDoNotCoverEachOther) {
    headless::Desktop desktop;
    GraphSession session;
    session.enterMode();
    session.build(L"x^2-4;x^2-4.01", desktop);  // zeros 0.0025 apart, extrema 0.01 apart
    session.showKeyPoints(true);
    test::RecordingGraphCanvas canvas;
    session.render(canvas, 610, 485, GraphSettings{});
    EXPECT_EQ(canvas.dots.size(), 6u);
    std::vector<std::wstring> labels;
    for (const test::TextCall& text : canvas.leftTexts) {
        if (text.text.starts_with(L"(")) labels.push_back(text.text);
    }
    EXPECT_EQ(labels, (std::vector<std::wstring>{L"(-2, 0)", L"(2, 0)", L"(0, -4)"}));
}

}  // namespace
}  // namespace kelvora::graph
