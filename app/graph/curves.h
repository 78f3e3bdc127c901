// The points of the curves: explicit functions sampled once per pixel column, implicit
// curves traced by marching squares over a grid and kept until the formulas change.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "graph_canvas.h"
#include "graph_formula.h"
#include "plot_area.h"

namespace kelvora::graph {

struct WorldRect {
    double x0;
    double x1;
    double y0;
    double y1;
};

// Broken where the function has no value or leaves the window far behind: polylines of
// screen points, one per pixel column of the plot area.
std::vector<Polyline> SampleExplicit(const GraphFunction& function, const PlotArea& area);

// Grid cells per side: the settings' count, but the finest grid when zoomed in closely.
int ImplicitGridSize(double scale, int sampleCount);

// The zero set of a function of x and y on a grid of n × n cells spanning three times the
// rectangle in each direction, as two-point polylines in world units. A cell with a
// corner without a value draws nothing.
std::vector<Polyline> TraceZeroSet(const GraphFunction& function, const WorldRect& rect, int gridSize);

struct CurveSlot {
    bool computed = false;
    std::vector<Polyline> polylines;  // world units
};

using CurveSlots = std::array<CurveSlot, kMaxCurves>;

// The implicit curves of the formulas, one slot per position in their list. Tracing is
// slow, so the result serves every paint until it is invalidated.
class CurveCache {
public:
    bool valid() const { return valid_; }
    const CurveSlots& curveSlots() const { return slots_; }

    // Traces every implicit formula (TraceZeroSet).
    void trace(const GraphFormulas& formulas, const WorldRect& rect, int gridSize);
    // The next paint traces again; the old curves stay until then.
    void invalidate() { valid_ = false; }
    // Empties every slot and invalidates.
    void clear();

private:
    CurveSlots slots_;
    bool valid_ = false;
};

}  // namespace kelvora::graph
