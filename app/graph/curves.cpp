#include "curves.h"

#include <cmath>

#include "explicit_plot.h"
#include "implicit_trace.h"
#include "marching_squares.h"

namespace kelvora::graph {

namespace {

// Samples this far above or below the window are dropped rather than stroked.
constexpr float kHighestOrdinate = -1920;
constexpr float kLowestOrdinateBelowWindow = 1995;
constexpr double kLargestValue = 1e100;

bool IsPlottable(double y, float sy, int height) {
    return std::isfinite(y) && std::fabs(y) < kLargestValue && sy >= kHighestOrdinate &&
           sy <= static_cast<float>(height) + kLowestOrdinateBelowWindow;
}

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
        const Cell cell{x(c), x(c + 1), y(r), y(r + 1), {value(r, c), value(r, c + 1), value(r + 1, c + 1), value(r + 1, c)}};
        Piece pieces[2];
        const int count = CellPieces(cell, pieces);
        for (int p = 0; p < count; ++p) out.push_back({pieces[p].from, pieces[p].to});
    }

private:
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

std::vector<Polyline> TraceZeroSet(const GraphFunction& function, const WorldRect& rect, int gridSize) {
    std::vector<Polyline> segments;
    if (gridSize < 1) return segments;
    const Grid grid(function, rect, gridSize);
    for (int r = 0; r < gridSize; ++r) {
        for (int c = 0; c < gridSize; ++c) grid.appendSegments(r, c, segments);
    }
    return segments;
}

PlotArea ViewKey::area() const { return PlotArea(width, height, scale, centreX, centreY); }

CurveSet ComputeCurves(const GraphFormulas& formulas, const ViewKey& key, const Cancellation& cancel) {
    CurveSet set{key, {}, {}};
    const PlotArea area = key.area();
    for (std::size_t k = 0; k < formulas.size() && !cancel.cancelled(); ++k) {
        const GraphFunction& function = formulas[k].function;
        set.curveSlots[k].polylines = formulas[k].implicit ? TraceCurve(function, area, key.gridSize, cancel)
                                                      : PlotExplicit(function, area, cancel);
        set.curveSlots[k].computed = true;
    }
    if (key.keyPoints && !cancel.cancelled()) set.keyPoints = FindKeyPoints(formulas, area, cancel);
    return set;
}

void CurveCache::compute(const GraphFormulas& formulas, const ViewKey& key) { store(ComputeCurves(formulas, key)); }

void CurveCache::store(CurveSet set) {
    set_ = std::move(set);
    valid_ = true;
}

void CurveCache::clear() {
    set_ = CurveSet{};
    valid_ = false;
}

}  // namespace kelvora::graph
