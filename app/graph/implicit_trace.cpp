#include "implicit_trace.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "marching_squares.h"

namespace kelvora::graph {

namespace {

// A piece crossing a cell is at most the cell's diagonal: under two pixels.
constexpr double kFineCellPixels = 1.4;
// Coarse cells are at most this wide, whatever the grid size: a crossed cell is
// re-sampled on a fine lattice that grows with the square of its width.
constexpr double kLargestCellPixels = 32;
// Splits of a fine cell whose piece strays: down to a sixteenth of it.
constexpr int kMostSplits = 4;
// Coarse rows evaluated between two looks at the cancellation.
constexpr int kRowsPerBand = 16;
// A coarse cell crossed more often than this many times per fine cell along its side
// holds a curve finer than the pixels (sin(x*y) far out): drawn at the coarse grid, as
// noise would be, rather than in a flood of pieces.
constexpr int kMostPiecesPerSide = 3;
// Split evaluations of one trace at most; past them pieces are kept as they are.
constexpr long kMostSplitEvaluations = 200000;
// A piece still this far from the curve after the last split is no curve: the sign
// changes across a pole there (tan(x*y)).
constexpr double kPolePixels = 1;
constexpr double kUnknownBend = std::numeric_limits<double>::infinity();

// Every point the trace evaluates on lies on one lattice, fine step h: the coarse grid
// takes every perCell-th point, so neighbouring cells compute their shared edges alike.
class Tracer {
public:
    Tracer(const GraphFunction& function, const PlotArea& area, int gridSize, const Cancellation& cancel)
        : function_(function), scale_(area.plotWidth / area.worldWidth), cancel_(cancel) {
        const double cellPixels = std::min(std::max(area.plotWidth, area.plotHeight) / gridSize, kLargestCellPixels);
        const double cellWorld = cellPixels / scale_;
        perCell_ = std::max(1, static_cast<int>(std::ceil(cellPixels / kFineCellPixels)));
        h_ = cellWorld / perCell_;
        // Whole cells from the plane's origin, so that panning does not shift the grid.
        x0_ = (std::floor(area.xmin / cellWorld) - 1) * cellWorld;
        y0_ = (std::floor(area.ymin / cellWorld) - 1) * cellWorld;
        columns_ = static_cast<int>(std::ceil((area.xmax - x0_) / cellWorld)) + 1;
        rows_ = static_cast<int>(std::ceil((area.ymax - y0_) / cellWorld)) + 1;
    }

    std::vector<Polyline> trace() {
        if (!evaluateCoarseGrid()) return {};
        const std::vector<unsigned char> wanted = WantedCells();
        std::vector<int> cells;
        for (int r = 0; r < rows_ && !cancel_.cancelled(); ++r) {
            cells.clear();
            const unsigned char* row = wanted.data() + static_cast<std::size_t>(r) * columns_;
            for (int c = 0; c < columns_; ++c) {
                // Eight cells at a time: most of a row is empty.
                if (c + 8 <= columns_) {
                    std::uint64_t eight = 0;
                    std::memcpy(&eight, row + c, sizeof eight);
                    if (eight == 0) {
                        c += 7;
                        continue;
                    }
                }
                if (row[c]) cells.push_back(c);
            }
            if (!cells.empty()) refineRow(r, cells);
        }
        return JoinPieces(pieces_);
    }

private:
    double x(long i) const { return x0_ + static_cast<double>(i) * h_; }
    double y(long j) const { return y0_ + static_cast<double>(j) * h_; }

    // The coarse cells the curve crosses, by their corners' signs, and their side
    // neighbours: a curve may cross one of them twice through the same side, unseen by
    // its corners, and leave a gap in the line. Row by row, in plain loops over bytes.
    std::vector<unsigned char> WantedCells() const {
        // Per grid point: 1 below zero, 2 at or above it, 0 without a value; a cell whose
        // corners together have both is crossed.
        std::vector<unsigned char> signs(coarse_.size());
        for (std::size_t i = 0; i < coarse_.size(); ++i) {
            const double value = coarse_[i];
            signs[i] = std::isfinite(value) ? (value < 0 ? 1 : 2) : 0;
        }
        const std::size_t columns = static_cast<std::size_t>(columns_), stride = columns + 1;
        std::vector<unsigned char> crossed(static_cast<std::size_t>(rows_) * columns);
        for (std::size_t r = 0; r < static_cast<std::size_t>(rows_); ++r) {
            const unsigned char* lower = signs.data() + r * stride;
            const unsigned char* upper = lower + stride;
            unsigned char* out = crossed.data() + r * columns;
            for (std::size_t c = 0; c < columns; ++c) out[c] = (lower[c] | lower[c + 1] | upper[c] | upper[c + 1]) == 3;
        }
        std::vector<unsigned char> wanted(crossed);
        for (std::size_t r = 0; r < static_cast<std::size_t>(rows_); ++r) {
            unsigned char* out = wanted.data() + r * columns;
            const unsigned char* row = crossed.data() + r * columns;
            if (r > 0) {
                const unsigned char* below = row - columns;
                for (std::size_t c = 0; c < columns; ++c) out[c] |= below[c];
            }
            if (r + 1 < static_cast<std::size_t>(rows_)) {
                const unsigned char* above = row + columns;
                for (std::size_t c = 0; c < columns; ++c) out[c] |= above[c];
            }
            for (std::size_t c = 1; c < columns; ++c) out[c] |= row[c - 1];
            for (std::size_t c = 0; c + 1 < columns; ++c) out[c] |= row[c + 1];
        }
        return wanted;
    }

    // False when cancelled.
    bool evaluateCoarseGrid() {
        std::vector<double> xs(static_cast<std::size_t>(columns_) + 1);
        for (int c = 0; c <= columns_; ++c) xs[static_cast<std::size_t>(c)] = x(static_cast<long>(c) * perCell_);
        coarse_.reserve(xs.size() * (static_cast<std::size_t>(rows_) + 1));
        for (int band = 0; band <= rows_; band += kRowsPerBand) {
            if (cancel_.cancelled()) return false;
            const int bandRows = std::min(kRowsPerBand, rows_ + 1 - band);
            std::vector<double> ys(static_cast<std::size_t>(bandRows));
            for (int r = 0; r < bandRows; ++r) ys[static_cast<std::size_t>(r)] = y(static_cast<long>(band + r) * perCell_);
            const std::vector<double> values = function_.implicitAt(xs, ys);
            coarse_.insert(coarse_.end(), values.begin(), values.end());
        }
        return true;
    }

    double coarseValue(int r, int c) const {
        return coarse_[static_cast<std::size_t>(r) * (columns_ + 1) + static_cast<std::size_t>(c)];
    }

    Cell coarseCell(int r, int c) const {
        return {x(static_cast<long>(c) * perCell_), x(static_cast<long>(c + 1) * perCell_),
                y(static_cast<long>(r) * perCell_), y(static_cast<long>(r + 1) * perCell_),
                {coarseValue(r, c), coarseValue(r, c + 1), coarseValue(r + 1, c + 1), coarseValue(r + 1, c)}};
    }

    // The wanted cells of one coarse row, sampled again on the fine lattice in one go:
    // each fine column once, however many cells share it.
    void refineRow(int r, const std::vector<int>& cells) {
        if (perCell_ == 1) {
            for (const int c : cells) {
                const Cell coarse = coarseCell(r, c);
                if (coarse.crossed()) fineCell(coarse, 0, kUnknownBend);
            }
            return;
        }
        std::vector<double> xs, ys(static_cast<std::size_t>(perCell_) + 1);
        std::vector<std::size_t> firstColumn;  // of each cell, in xs
        for (const int c : cells) {
            const long first = static_cast<long>(c) * perCell_;
            const bool shared = !xs.empty() && xs.back() == x(first);
            firstColumn.push_back(xs.size() - (shared ? 1 : 0));
            for (int k = shared ? 1 : 0; k <= perCell_; ++k) xs.push_back(x(first + k));
        }
        for (int k = 0; k <= perCell_; ++k) ys[static_cast<std::size_t>(k)] = y(static_cast<long>(r) * perCell_ + k);
        const std::vector<double> values = function_.implicitAt(xs, ys);
        const std::size_t side = ys.size();
        for (std::size_t i = 0; i < cells.size(); ++i) {
            block_.resize(side * side);
            for (std::size_t row = 0; row < side; ++row) {
                std::copy_n(values.begin() + static_cast<std::ptrdiff_t>(row * xs.size() + firstColumn[i]), side,
                            block_.begin() + static_cast<std::ptrdiff_t>(row * side));
            }
            refine(coarseCell(r, cells[i]), xs.data() + firstColumn[i], ys.data());
        }
    }

    // One coarse cell from its fine lattice in block_, at xs and ys.
    void refine(const Cell& coarse, const double* xs, const double* ys) {
        const std::size_t side = static_cast<std::size_t>(perCell_) + 1;
        const auto at = [&](int row, int column) {
            return block_[static_cast<std::size_t>(row) * side + static_cast<std::size_t>(column)];
        };
        crossed_.clear();
        for (int j = 0; j < perCell_; ++j) {
            for (int i = 0; i < perCell_; ++i) {
                const Cell fine{xs[i], xs[i + 1], ys[j], ys[j + 1], {at(j, i), at(j, i + 1), at(j + 1, i + 1), at(j + 1, i)}};
                if (fine.crossed()) crossed_.push_back(fine);
            }
        }
        if (crossed_.empty()) return;  // a neighbour the curve kept out of
        if (static_cast<int>(crossed_.size()) > kMostPiecesPerSide * perCell_) return keep(coarse);
        const double bend = LargestSecondDifference(block_, side);
        for (const Cell& fine : crossed_) fineCell(fine, 0, bend);
    }

    void keep(const Cell& cell) {
        Piece pieces[2];
        const int count = CellPieces(cell, pieces);
        for (int p = 0; p < count; ++p) add(pieces[p]);
    }

    // A curve through a corner of the lattice gives pieces of no length there.
    void add(const Piece& piece) {
        if (!(piece.from == piece.to)) pieces_.push_back(piece);
    }

    // How far the function bends within a fine step of a square fine grid, in any
    // direction: the largest second difference along a row or a column plus the largest
    // mixed one; infinite where it has no value.
    static double LargestSecondDifference(const std::vector<double>& values, std::size_t side) {
        if (side < 3) return kUnknownBend;
        double along = 0, mixed = 0;
        const auto at = [&](std::size_t row, std::size_t column) { return values[row * side + column]; };
        for (std::size_t a = 0; a < side; ++a) {
            for (std::size_t b = 1; b + 1 < side; ++b) {
                along = std::max(along, std::fabs(at(a, b - 1) - 2 * at(a, b) + at(a, b + 1)));
                along = std::max(along, std::fabs(at(b - 1, a) - 2 * at(b, a) + at(b + 1, a)));
            }
        }
        for (std::size_t r = 0; r + 1 < side; ++r) {
            for (std::size_t c = 0; c + 1 < side; ++c) {
                mixed = std::max(mixed, std::fabs(at(r + 1, c + 1) - at(r + 1, c) - at(r, c + 1) + at(r, c)));
            }
        }
        const double bend = along + mixed;
        return std::isfinite(bend) ? bend : kUnknownBend;
    }

    // A piece whose cell bends too little for its midpoint to stray (the bend over four
    // times the gradient bounds both the curvature's and the interpolation's share) is
    // kept without evaluating the midpoint.
    bool plainlyStraight(const Cell& cell, double bend) const {
        const double gradient = Gradient(cell);
        return std::isfinite(bend) && gradient > 0 && bend / (4 * gradient) * scale_ <= kFarthestMidpointPixels / 2;
    }

    static double Gradient(const Cell& cell) {
        const double* f = cell.f;
        const double gx = ((f[1] - f[0]) + (f[2] - f[3])) / (2 * (cell.x1 - cell.x0));
        const double gy = ((f[3] - f[0]) + (f[2] - f[1])) / (2 * (cell.y1 - cell.y0));
        return std::sqrt(gx * gx + gy * gy);  // an overflow to infinity decides alike
    }

    void fineCell(const Cell& cell, int splits, double bend) {
        Piece pieces[2];
        const int count = CellPieces(cell, pieces);
        if (splits == 0 && plainlyStraight(cell, bend)) {
            for (int p = 0; p < count; ++p) add(pieces[p]);
            return;
        }
        if (budget_ <= 0) {
            for (int p = 0; p < count; ++p) add(pieces[p]);
            return;
        }
        for (int p = 0; p < count; ++p) {
            const double stray = strayPixels(cell, pieces[p]);
            if (stray <= kFarthestMidpointPixels) continue;
            if (splits < kMostSplits) return split(cell, splits + 1);
            if (stray > kPolePixels) return;
        }
        for (int p = 0; p < count; ++p) add(pieces[p]);
    }

    // How far the piece's midpoint is from the curve, to first order: its value over the
    // gradient there; infinite for a piece too long or a point without a value.
    double strayPixels(const Cell& cell, const Piece& piece) {
        constexpr double kInfinite = std::numeric_limits<double>::infinity();
        const double dx = piece.to.x - piece.from.x, dy = piece.to.y - piece.from.y;
        if (std::hypot(dx, dy) * scale_ > kLongestPiecePixels) return kInfinite;
        budget_ -= 9;
        const double x = (piece.from.x + piece.to.x) / 2.0, y = (piece.from.y + piece.to.y) / 2.0;
        const double step = (cell.x1 - cell.x0) / 16;
        // The midpoint and its neighbours on a grid of nine: one evaluation of the formula
        // instead of five.
        const std::vector<double> v = function_.implicitAt({x - step, x, x + step}, {y - step, y, y + step});
        const double value = v[4];
        const double gx = (v[5] - v[3]) / (2 * step);
        const double gy = (v[7] - v[1]) / (2 * step);
        const double gradient = std::sqrt(gx * gx + gy * gy);
        if (!std::isfinite(value) || !std::isfinite(gradient) || !(gradient > 0)) return kInfinite;
        return std::fabs(value) / gradient * scale_;
    }

    void split(const Cell& cell, int splits) {
        budget_ -= 9;
        const double xm = (cell.x0 + cell.x1) / 2, ym = (cell.y0 + cell.y1) / 2;
        const std::vector<double> v = function_.implicitAt({cell.x0, xm, cell.x1}, {cell.y0, ym, cell.y1});
        const double f[3][3] = {{v[0], v[1], v[2]}, {v[3], v[4], v[5]}, {v[6], v[7], v[8]}};  // [row][column]
        const double xs[3] = {cell.x0, xm, cell.x1}, ys[3] = {cell.y0, ym, cell.y1};
        for (int j = 0; j < 2; ++j) {
            for (int i = 0; i < 2; ++i) {
                const Cell quarter{xs[i], xs[i + 1], ys[j], ys[j + 1], {f[j][i], f[j][i + 1], f[j + 1][i + 1], f[j + 1][i]}};
                if (quarter.crossed()) fineCell(quarter, splits, kUnknownBend);
            }
        }
    }

    const GraphFunction& function_;
    double scale_;  // pixels per world unit
    const Cancellation& cancel_;
    int perCell_ = 1;
    double h_ = 1;
    double x0_ = 0;
    double y0_ = 0;
    int columns_ = 0;
    int rows_ = 0;
    long budget_ = kMostSplitEvaluations;
    std::vector<double> coarse_;  // (rows + 1) × (columns + 1), rows upwards
    std::vector<double> block_;   // the fine lattice of the cell being refined
    std::vector<Cell> crossed_;   // its crossed fine cells
    std::vector<Piece> pieces_;
};

}  // namespace

std::vector<Polyline> TraceCurve(const GraphFunction& function, const PlotArea& area, int gridSize,
                                 const Cancellation& cancel) {
    if (gridSize < 1 || area.plotWidth <= 0 || area.plotHeight <= 0) return {};
    return Tracer(function, area, gridSize, cancel).trace();
}

}  // namespace kelvora::graph
