#include "explicit_plot.h"

#include <cmath>

namespace kelvora::graph {

namespace {

constexpr double kLongestPiecePixels = 2;
// Halvings of one column's step: down to 1/4096 of a pixel.
constexpr int kDeepestHalving = 12;
// A jump that keeps more than this share of itself through every halving is no slope.
constexpr double kJumpShare = 0.25;
// Refinement evaluations per column at most, so that wild curves (sin(1/x)) stay cheap.
constexpr int kEvaluationsPerColumn = 32;
// Samples this far outside the plot area are off the picture whatever the pen.
constexpr double kFarPixels = 2000;
constexpr double kLargestValue = 1e100;

struct Sample {
    double x;
    double y;
    double sy;  // screen row
    bool plottable;
};

class Plotter {
public:
    Plotter(const GraphFunction& function, const PlotArea& area)
        : function_(function), area_(area), budget_(kEvaluationsPerColumn * static_cast<long>(area.width)) {}

    Sample at(double x) {
        --budget_;
        return sample(x, function_.explicitAt(x));
    }

    Sample sample(double x, double y) const {
        const double sy = area_.screenY(y);
        const bool plottable = std::isfinite(y) && std::fabs(y) < kLargestValue && sy > area_.top() - kFarPixels &&
                               sy < area_.bottom() + kFarPixels;
        return {x, y, sy, plottable};
    }

    // Everything between a and b (a already added), then b itself.
    void between(const Sample& a, const Sample& b) {
        if (a.plottable && b.plottable) {
            joined(a, b, 0, std::fabs(b.sy - a.sy));
        } else if (a.plottable) {
            add(domainEdge(a, b));
            breakHere();
        } else if (b.plottable) {
            breakHere();
            add(domainEdge(b, a));
        }
        if (b.plottable) add(b);
    }

    void add(const Sample& s) { current_.push_back({static_cast<float>(s.x), static_cast<float>(s.y)}); }

    void breakHere() {
        if (current_.size() > 1) polylines_.push_back(std::move(current_));
        current_.clear();
    }

    std::vector<Polyline> finish() {
        breakHere();
        return std::move(polylines_);
    }

private:
    bool shortEnough(const Sample& a, const Sample& b) const {
        const double dx = (b.x - a.x) * area_.plotWidth / area_.worldWidth;
        if (std::hypot(dx, b.sy - a.sy) <= kLongestPiecePixels) return true;
        // Both above or both below the plot area: nothing of the piece shows.
        return (a.sy < area_.top() && b.sy < area_.top()) || (a.sy > area_.bottom() && b.sy > area_.bottom());
    }

    // The points between two plottable samples; a break where the jump does not shrink.
    void joined(const Sample& a, const Sample& b, int depth, double firstJump) {
        if (shortEnough(a, b) || budget_ <= 0) return;
        if (depth == kDeepestHalving) {
            if (std::fabs(b.sy - a.sy) > kJumpShare * firstJump) breakHere();
            return;
        }
        const Sample m = at((a.x + b.x) / 2);
        if (!m.plottable) {
            // A hole between two values (1/x at 0 itself, or a gap in the domain).
            add(domainEdge(a, m));
            breakHere();
            add(domainEdge(b, m));
            return;
        }
        joined(a, m, depth + 1, firstJump);
        add(m);
        joined(m, b, depth + 1, firstJump);
    }

    // The last plottable point from `inside` towards `outside`, found by halving.
    Sample domainEdge(Sample inside, Sample outside) {
        for (int i = 0; i < kDeepestHalving && budget_ > 0; ++i) {
            const Sample m = at((inside.x + outside.x) / 2);
            (m.plottable ? inside : outside) = m;
        }
        return inside;
    }

    const GraphFunction& function_;
    const PlotArea& area_;
    long budget_;
    Polyline current_;
    std::vector<Polyline> polylines_;
};

}  // namespace

std::vector<Polyline> PlotExplicit(const GraphFunction& function, const PlotArea& area, const Cancellation& cancel) {
    std::vector<double> xs;
    for (int column = PlotArea::kMargin; column <= area.width - PlotArea::kMargin; ++column) {
        xs.push_back(area.worldX(column));
    }
    if (xs.empty()) return {};
    const std::vector<double> ys = function.explicitAt(xs);
    Plotter plotter(function, area);
    Sample previous = plotter.sample(xs[0], ys[0]);
    if (previous.plottable) plotter.add(previous);
    for (std::size_t i = 1; i < xs.size() && !cancel.cancelled(); ++i) {
        const Sample next = plotter.sample(xs[i], ys[i]);
        plotter.between(previous, next);
        previous = next;
    }
    return plotter.finish();
}

}  // namespace kelvora::graph
