#include "marching_squares.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <deque>
#include <algorithm>

namespace kelvora::graph {

namespace {

constexpr double kEqualValues = 1e-15;

// Where the straight line through (a, va) and (b, vb) crosses zero.
double Crossing(double va, double a, double vb, double b) {
    if (std::fabs(va - vb) < kEqualValues) return (a + b) / 2;
    const double crossing = a - (b - a) * va / (vb - va);
    if (std::isfinite(crossing)) return crossing;
    // Values near the largest double overflow the product or the difference: the same
    // point as the share of the way from a, halved values keeping it in range.
    return a + (b - a) * ((va / 2) / (va / 2 - vb / 2));
}

// The edges a case joins; case = 1·[f0<0] + 2·[f1<0] + 4·[f2<0] + 8·[f3<0]. Edge 0 is the
// lower row, 1 the right column, 2 the upper row, 3 the left column.
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

GraphPoint Point(double x, double y) { return {static_cast<float>(x), static_cast<float>(y)}; }

}  // namespace

int CellPieces(const Cell& cell, Piece pieces[2]) {
    if (!cell.allFinite()) return 0;
    const double* f = cell.f;
    const CellSegments& segments = kCases[(f[0] < 0) + 2 * (f[1] < 0) + 4 * (f[2] < 0) + 8 * (f[3] < 0)];
    if (segments.count == 0) return 0;
    const GraphPoint edgePoints[4] = {
        Point(Crossing(f[0], cell.x0, f[1], cell.x1), cell.y0),
        Point(cell.x1, Crossing(f[1], cell.y0, f[2], cell.y1)),
        Point(Crossing(f[3], cell.x0, f[2], cell.x1), cell.y1),
        Point(cell.x0, Crossing(f[0], cell.y0, f[3], cell.y1)),
    };
    for (int s = 0; s < segments.count; ++s) {
        pieces[s] = {edgePoints[segments.edges[s][0]], edgePoints[segments.edges[s][1]]};
    }
    return segments.count;
}

}  // namespace kelvora::graph

namespace kelvora::graph {

namespace {

std::uint64_t Key(GraphPoint point) {
    return static_cast<std::uint64_t>(std::bit_cast<std::uint32_t>(point.x)) << 32 |
           std::bit_cast<std::uint32_t>(point.y);
}

}  // namespace

std::vector<Polyline> JoinPieces(const std::vector<Piece>& pieces) {
    // Both ends of every piece by point, in a table open at each point: at most two
    // pieces end at a point of a curve, more where curves cross.
    struct End {
        std::int32_t piece;
        std::int32_t next;  // the next end at the same point, or -1
    };
    struct Point {
        std::uint64_t key;
        std::int32_t first = -1;  // -1: a free slot
    };
    // About one point per piece: the table at most half full.
    std::size_t slots = 16;
    while (slots < pieces.size() * 2) slots *= 2;
    std::vector<Point> points(slots);
    std::vector<End> ends;
    ends.reserve(pieces.size() * 2);
    const auto slotOf = [&](std::uint64_t key) {
        std::size_t slot = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & (slots - 1);
        while (points[slot].first >= 0 && points[slot].key != key) slot = (slot + 1) & (slots - 1);
        return slot;
    };
    // In reverse, so that each point lists its pieces in their order.
    for (std::size_t i = pieces.size(); i-- > 0;) {
        for (const GraphPoint end : {pieces[i].to, pieces[i].from}) {
            Point& point = points[slotOf(Key(end))];
            point.key = Key(end);
            ends.push_back({static_cast<std::int32_t>(i), point.first});
            point.first = static_cast<std::int32_t>(ends.size() - 1);
        }
    }
    std::vector<bool> used(pieces.size(), false);
    // The other end of an unused piece ending at `point`, marking it used.
    const auto next = [&](GraphPoint point, GraphPoint& other) {
        const std::uint64_t key = Key(point);
        for (std::int32_t e = points[slotOf(key)].first; e >= 0; e = ends[static_cast<std::size_t>(e)].next) {
            const auto i = static_cast<std::size_t>(ends[static_cast<std::size_t>(e)].piece);
            if (used[i]) continue;
            used[i] = true;
            other = Key(pieces[i].from) == key ? pieces[i].to : pieces[i].from;
            return true;
        }
        return false;
    };
    std::vector<Polyline> joined;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (used[i]) continue;
        used[i] = true;
        std::deque<GraphPoint> line{pieces[i].from, pieces[i].to};
        for (GraphPoint other{}; next(line.back(), other);) line.push_back(other);
        for (GraphPoint other{}; next(line.front(), other);) line.push_front(other);
        joined.emplace_back(line.begin(), line.end());
    }
    return joined;
}

}  // namespace kelvora::graph
