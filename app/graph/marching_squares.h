// One cell of marching squares: where the zero set of a function crosses a rectangle,
// from the values at its corners.
#pragma once

#include <cmath>
#include <vector>

#include "graph_canvas.h"

namespace kelvora::graph {

// f[0] lower left, f[1] lower right, f[2] upper right, f[3] upper left.
struct Cell {
    double x0;
    double x1;
    double y0;
    double y1;
    double f[4];

    bool allFinite() const {
        return std::isfinite(f[0]) && std::isfinite(f[1]) && std::isfinite(f[2]) && std::isfinite(f[3]);
    }
    // Both signs among the finite corners: the curve may pass through.
    bool crossed() const {
        bool below = false, above = false;
        for (const double value : f) {
            if (!std::isfinite(value)) continue;
            (value < 0 ? below : above) = true;
        }
        return below && above;
    }
};

struct Piece {
    GraphPoint from;
    GraphPoint to;
};

// The pieces of the zero set in the cell, joining the edges where the sign changes at
// the straight-line zeros; saddles give two. None when a corner has no value: counted as
// zero it would draw a border around every region where the function is not defined.
int CellPieces(const Cell& cell, Piece pieces[2]);

}  // namespace kelvora::graph

namespace kelvora::graph {

// Two-point pieces that meet end to end, chained into longer polylines: a traced curve
// is stroked in one go instead of piece by piece. Ends must be equal to the bit.
std::vector<Polyline> JoinPieces(const std::vector<Piece>& pieces);

}  // namespace kelvora::graph
