#include "curves.h"

#include <cmath>

namespace kelvora::graph {

namespace {

// Samples this far above or below the window are dropped rather than stroked.
constexpr float kHighestOrdinate = -1920;
constexpr float kLowestOrdinateBelowWindow = 1995;
constexpr double kLargestValue = 1e100;
constexpr int kFinestGrid = 500;
constexpr double kFineGridScale = 100;
constexpr double kEqualValues = 1e-15;

bool IsPlottable(double y, float sy, int height) {
    return std::isfinite(y) && std::fabs(y) < kLargestValue && sy >= kHighestOrdinate &&
           sy <= static_cast<float>(height) + kLowestOrdinateBelowWindow;
}

// Where the straight line through (a, va) and (b, vb) crosses zero.
double Crossing(double va, double a, double vb, double b) {
    if (std::fabs(va - vb) < kEqualValues) return (a + b) / 2;
    const double crossing = a - (b - a) * va / (vb - va);
    if (std::isfinite(crossing)) return crossing;
    // Values near the largest double overflow the product or the difference: the same
    // point as the share of the way from a, halved values keeping it in range.
    return a + (b - a) * ((va / 2) / (va / 2 - vb / 2));
}

// The edges a marching-squares case joins; case = 1·[f0<0] + 2·[f1<0] + 4·[f2<0] + 8·[f3<0]
// with f0 lower left, f1 lower right, f2 upper right, f3 upper left. Edge 0 is the lower
// row, 1 the right column, 2 the upper row, 3 the left column. Saddles (5, 10) give two
// segments.
struct CellSegments {
    int count;
    int edges[2][2];
};

constexpr CellSegments kCases[16] = {
    {0, {}},         {1, {{0, 3}}},         {1, {{0, 1}}}, {1, {{1, 3}}},
    {1, {{1, 2}}},   {2, {{0, 3}, {1, 2}}}, {1, {{0, 2}}}, {1, {{2, 3}}},
    {1, {{2, 3}}},   {1, {{0, 2}}},         {2, {{0, 1}, {2, 3}}}, {1, {{1, 2}}},
    {1, {{1, 3}}},   {1, {{0, 1}}},         {1, {{0, 3}}}, {0, {}},
};

// The function at the (n + 1)² points of the region, rows upwards. A point without a
// value (NaN, infinite) gives no segment in its cells: counted as 0 it would draw a
// border around every region where the function is not defined (y=sqrt(x) would gain
// the line y = 0 for x < 0).
class Grid {
public:
    Grid(const GraphFunction& function, const WorldRect& rect, int n)
        : n_(n),
          startX_(rect.x0 - (rect.x1 - rect.x0)),
          startY_(rect.y0 - (rect.y1 - rect.y0)),
          stepX_(3 * (rect.x1 - rect.x0) / n),
          stepY_(3 * (rect.y1 - rect.y0) / n),
          values_(function.implicitAt(Coordinates(n, startX_, stepX_), Coordinates(n, startY_, stepY_))) {}

    void appendSegments(int r, int c, std::vector<Polyline>& out) const {
        const double f0 = value(r, c), f1 = value(r, c + 1), f2 = value(r + 1, c + 1), f3 = value(r + 1, c);
        if (!std::isfinite(f0) || !std::isfinite(f1) || !std::isfinite(f2) || !std::isfinite(f3)) return;
        const int caseNumber = (f0 < 0) + 2 * (f1 < 0) + 4 * (f2 < 0) + 8 * (f3 < 0);
        const CellSegments& segments = kCases[caseNumber];
        if (segments.count == 0) return;
        const double x0 = x(c), x1 = x(c + 1), y0 = y(r), y1 = y(r + 1);
        const GraphPoint edgePoints[4] = {
            Point(Crossing(f0, x0, f1, x1), y0),
            Point(x1, Crossing(f1, y0, f2, y1)),
            Point(Crossing(f3, x0, f2, x1), y1),
            Point(x0, Crossing(f0, y0, f3, y1)),
        };
        for (int s = 0; s < segments.count; ++s) {
            out.push_back({edgePoints[segments.edges[s][0]], edgePoints[segments.edges[s][1]]});
        }
    }

private:
    static GraphPoint Point(double x, double y) { return {static_cast<float>(x), static_cast<float>(y)}; }
    static std::vector<double> Coordinates(int n, double start, double step) {
        std::vector<double> coordinates(static_cast<std::size_t>(n) + 1);
        for (int i = 0; i <= n; ++i) coordinates[static_cast<std::size_t>(i)] = start + i * step;
        return coordinates;
    }
    std::size_t index(int r, int c) const { return static_cast<std::size_t>(r) * (n_ + 1) + c; }
    double value(int r, int c) const { return values_[index(r, c)]; }
    double x(int c) const { return startX_ + c * stepX_; }
    double y(int r) const { return startY_ + r * stepY_; }

    int n_;
    double startX_;
    double startY_;
    double stepX_;
    double stepY_;
    std::vector<double> values_;
};

}  // namespace

std::vector<Polyline> SampleExplicit(const GraphFunction& function, const PlotArea& area) {
    std::vector<Polyline> polylines;
    Polyline current;
    std::vector<double> xs;
    for (int column = PlotArea::kMargin; column <= area.width - PlotArea::kMargin; ++column) {
        xs.push_back(area.worldX(column));
    }
    const std::vector<double> ys = function.explicitAt(xs);
    for (int column = PlotArea::kMargin; column <= area.width - PlotArea::kMargin; ++column) {
        const double y = ys[static_cast<std::size_t>(column - PlotArea::kMargin)];
        const float sy = area.screenY(y);
        if (IsPlottable(y, sy, area.height)) {
            current.push_back({static_cast<float>(column), sy});
        } else if (!current.empty()) {
            polylines.push_back(std::move(current));
            current.clear();
        }
    }
    if (!current.empty()) polylines.push_back(std::move(current));
    return polylines;
}

int ImplicitGridSize(double scale, int sampleCount) { return scale > kFineGridScale ? kFinestGrid : sampleCount; }

std::vector<Polyline> TraceZeroSet(const GraphFunction& function, const WorldRect& rect, int gridSize) {
    std::vector<Polyline> segments;
    if (gridSize < 1) return segments;
    const Grid grid(function, rect, gridSize);
    for (int r = 0; r < gridSize; ++r) {
        for (int c = 0; c < gridSize; ++c) grid.appendSegments(r, c, segments);
    }
    return segments;
}

void CurveCache::trace(const GraphFormulas& formulas, const WorldRect& rect, int gridSize) {
    clear();
    for (std::size_t k = 0; k < formulas.size(); ++k) {
        if (!formulas[k].implicit) continue;
        slots_[k].polylines = TraceZeroSet(formulas[k].function, rect, gridSize);
        slots_[k].computed = true;
    }
    valid_ = true;
}

void CurveCache::clear() {
    slots_ = CurveSlots{};
    valid_ = false;
}

}  // namespace kelvora::graph
