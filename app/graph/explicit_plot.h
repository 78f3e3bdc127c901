// An explicit curve sampled for one view: a sample per pixel column, more where
// neighbouring samples lie far apart, broken across poles and domain edges.
#pragma once

#include <vector>

#include "cancellation.h"
#include "graph_canvas.h"
#include "graph_formula.h"
#include "plot_area.h"

namespace kelvora::graph {

// Polylines in world units. Between two columns the curve is refined until each piece is
// at most two pixels long, or until the halves stop shrinking: a pole or a jump, where
// the curve is broken. Where the function has no value on one side, the edge of its
// domain is found by halving and the curve ends there.
std::vector<Polyline> PlotExplicit(const GraphFunction& function, const PlotArea& area,
                                   const Cancellation& cancel = {});

}  // namespace kelvora::graph
