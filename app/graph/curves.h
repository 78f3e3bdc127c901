// The points of the curves: the plain samplers (one sample per pixel column, marching
// squares over a grid), and the curves of one view, computed together and kept until a
// newer view's replace them.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "cancellation.h"
#include "graph_canvas.h"
#include "graph_formula.h"
#include "key_points.h"
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

// The zero set of a function of x and y on a grid of n × n cells spanning three times the
// rectangle in each direction, as two-point polylines in world units. A cell with a
// corner without a value draws nothing.
std::vector<Polyline> TraceZeroSet(const GraphFunction& function, const WorldRect& rect, int gridSize);

struct CurveSlot {
    bool computed = false;
    std::vector<Polyline> polylines;  // world units
};

using CurveSlots = std::array<CurveSlot, kMaxCurves>;

// Everything the curves of a picture depend on besides the formulas: the view, the
// client size, the implicit grid, whether key points are wanted, and the build.
struct ViewKey {
    int width = 0;
    int height = 0;
    double scale = 0;
    double centreX = 0;
    double centreY = 0;
    int gridSize = 0;
    bool keyPoints = false;
    unsigned build = 0;

    PlotArea area() const;
    bool operator==(const ViewKey&) const = default;
};

// One formula list's curves for a view: explicit ones sampled (PlotExplicit), implicit
// ones traced (TraceCurve), and the key points when asked for.
struct CurveSet {
    ViewKey key;
    CurveSlots curveSlots;
    std::vector<KeyPoint> keyPoints;
};

// A cancelled computation returns what it has; it is of no use.
CurveSet ComputeCurves(const GraphFormulas& formulas, const ViewKey& key, const Cancellation& cancel = {});

// The last curves computed. Until a newer view's curves arrive, a paint draws these in
// its own view: the previous picture moved and scaled.
class CurveCache {
public:
    bool valid() const { return valid_; }
    // Whether the curves were computed for exactly this view.
    bool current(const ViewKey& key) const { return valid_ && set_.key == key; }
    const ViewKey& key() const { return set_.key; }
    const CurveSlots& curveSlots() const { return set_.curveSlots; }
    const std::vector<KeyPoint>& keyPoints() const { return set_.keyPoints; }

    // Computes on the calling thread.
    void compute(const GraphFormulas& formulas, const ViewKey& key);
    void store(CurveSet set);
    // Empties every slot and invalidates.
    void clear();

private:
    CurveSet set_;
    bool valid_ = false;
};

}  // namespace kelvora::graph
