// An implicit curve traced for one view, smooth at any zoom: a coarse grid finds the
// cells the curve crosses, each of those is sampled again finely, and a piece whose
// midpoint strays from the curve is split further.
#pragma once

#include <vector>

#include "cancellation.h"
#include "graph_canvas.h"
#include "graph_formula.h"
#include "plot_area.h"

namespace kelvora::graph {

// What a traced piece keeps to, in pixels.
inline constexpr double kLongestPiecePixels = 2;
inline constexpr double kFarthestMidpointPixels = 0.5;

// The zero set of the function over the view's plot area and one coarse cell beyond
// it, as two-point pieces in world units. gridSize coarse cells span the longer side of
// the plot area; a curve passing between the corners of one coarse cell is missed. A
// cancelled trace stops early with what it has.
std::vector<Polyline> TraceCurve(const GraphFunction& function, const PlotArea& area, int gridSize,
                                 const Cancellation& cancel = {});

}  // namespace kelvora::graph
