// The points worth reading off a graph: where each curve crosses the x axis, where it
// turns, and where two curves meet, found in the visible part of the view.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "cancellation.h"
#include "graph_formula.h"
#include "plot_area.h"

namespace kelvora::graph {

enum class KeyPointKind { Zero, Extremum, Intersection };

struct KeyPoint {
    KeyPointKind kind;
    std::size_t curve;  // position in the formula list
    std::size_t other;  // the second curve of an intersection; curve otherwise
    double x;
    double y;
};

// Explicit curves give all three kinds, an implicit curve its zeros, its highest and
// lowest points along the curve and where it meets other curves. Where an explicit curve
// is a polynomial in x (and for two such curves, their difference), the engine isolates
// the roots exactly and each point is the double nearest to it, on the curve's drawn
// value. Otherwise a point is bracketed on the samples of the pixel columns (a change of
// sign of the function, of its steps or of the difference of two curves) and narrowed to
// full precision by halving, or by golden sections for an extremum; a change of sign
// across a pole is no zero: the value there must be smaller than at both ends of the
// bracket. Where an implicit curve meets another curve, or turns, cells of a few pixels
// in which both equations change sign are refined by Newton's method. Only points inside
// the view are kept, curve by curve: zeros, turning points, then meetings, each kind from
// the left (a meeting of an explicit and an implicit curve under the explicit one); a
// cancelled search stops early with what it has.
std::vector<KeyPoint> FindKeyPoints(const GraphFormulas& formulas, const PlotArea& area,
                                    const Cancellation& cancel = {});

// Where a function of x changes sign between a and b (values fa, fb of opposite signs),
// to full precision; NaN when the change is a pole or a gap.
double Root(const std::function<double(double)>& f, double a, double fa, double b, double fb);

// The x of the largest value of f in [a, b] by golden sections.
double Maximum(const std::function<double(double)>& f, double a, double b);

}  // namespace kelvora::graph
