#include "key_points.h"

#include <cmath>
#include <limits>

namespace kelvora::graph {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kMostSteps = 200;

using Function = std::function<double(double)>;

bool OppositeSigns(double a, double b) { return (a < 0 && b > 0) || (a > 0 && b < 0); }

class Finder {
public:
    Finder(const GraphFormulas& formulas, const PlotArea& area, const Cancellation& cancel)
        : formulas_(formulas), area_(area), cancel_(cancel) {
        for (int column = PlotArea::kMargin; column <= area.width - PlotArea::kMargin; ++column) {
            xs_.push_back(area.worldX(column));
        }
    }

    std::vector<KeyPoint> find() {
        for (std::size_t k = 0; k < formulas_.size() && !cancel_.cancelled(); ++k) {
            const GraphFunction& f = formulas_[k].function;
            if (formulas_[k].implicit) {
                zeros(KeyPointKind::Zero, k, k, [&f](double x) { return f.implicitAt(x, 0); }, [](double) { return 0.0; });
                continue;
            }
            const Function value = [&f](double x) { return f.explicitAt(x); };
            zeros(KeyPointKind::Zero, k, k, value, value);
            extrema(k, value);
            for (std::size_t other = 0; other < formulas_.size(); ++other) {
                if (other == k || (!formulas_[other].implicit && other < k)) continue;
                const GraphFunction& g = formulas_[other].function;
                const Function difference = formulas_[other].implicit
                                                ? Function([&f, &g](double x) { return g.implicitAt(x, f.explicitAt(x)); })
                                                : Function([&f, &g](double x) { return f.explicitAt(x) - g.explicitAt(x); });
                zeros(KeyPointKind::Intersection, k, other, difference, value);
            }
        }
        return std::move(points_);
    }

private:
    // Where f changes sign, or is zero at a sample between two non-zero neighbours; the
    // point's ordinate is y there.
    void zeros(KeyPointKind kind, std::size_t k, std::size_t other, const Function& f, const Function& y) {
        const std::vector<double> values = Values(f);
        for (std::size_t i = 0; i + 1 < values.size(); ++i) {
            double x = kNaN;
            if (values[i] == 0 && i > 0 && values[i - 1] != 0 && values[i + 1] != 0) x = xs_[i];
            else if (OppositeSigns(values[i], values[i + 1])) x = Root(f, xs_[i], values[i], xs_[i + 1], values[i + 1]);
            if (!std::isnan(x)) keep(kind, k, other, x, y(x));
        }
    }

    // Where the steps between samples change sign, skipping flat steps.
    void extrema(std::size_t k, const Function& f) {
        const std::vector<double> values = Values(f);
        std::size_t lastStep = 0;  // where the last rising or falling step began
        int lastSign = 0;
        for (std::size_t i = 0; i + 1 < values.size(); ++i) {
            if (!std::isfinite(values[i]) || !std::isfinite(values[i + 1])) {
                lastSign = 0;
                continue;
            }
            const double step = values[i + 1] - values[i];
            const int sign = (step > 0) - (step < 0);
            if (sign == 0) continue;
            if (lastSign != 0 && sign != lastSign) {
                const bool maximum = lastSign > 0;
                const Function toRaise = maximum ? f : Function([&f](double x) { return -f(x); });
                const double x = Maximum(toRaise, xs_[lastStep], xs_[i + 1]);
                keep(KeyPointKind::Extremum, k, k, x, f(x));
            }
            lastStep = i;
            lastSign = sign;
        }
    }

    std::vector<double> Values(const Function& f) const {
        std::vector<double> values;
        values.reserve(xs_.size());
        for (const double x : xs_) values.push_back(f(x));
        return values;
    }

    void keep(KeyPointKind kind, std::size_t k, std::size_t other, double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y)) return;
        if (x < area_.xmin || x > area_.xmax || y < area_.ymin || y > area_.ymax) return;
        points_.push_back({kind, k, other, x, y});
    }

    const GraphFormulas& formulas_;
    const PlotArea& area_;
    const Cancellation& cancel_;
    std::vector<double> xs_;
    std::vector<KeyPoint> points_;
};

}  // namespace

double Root(const Function& f, double a, double fa, double b, double fb) {
    const double bound = std::min(std::fabs(fa), std::fabs(fb));
    for (int i = 0; i < kMostSteps; ++i) {
        const double m = a + (b - a) / 2;
        if (m <= a || m >= b) break;
        const double fm = f(m);
        if (!std::isfinite(fm)) return kNaN;
        if (fm == 0) return m;
        if (OppositeSigns(fa, fm)) {
            b = m;
            fb = fm;
        } else {
            a = m;
            fa = fm;
        }
    }
    const double x = std::fabs(fa) <= std::fabs(fb) ? a : b;
    const double value = f(x);
    return std::isfinite(value) && std::fabs(value) <= bound ? x : kNaN;
}

double Maximum(const Function& f, double a, double b) {
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    double c = b - ratio * (b - a), d = a + ratio * (b - a);
    double fc = f(c), fd = f(d);
    for (int i = 0; i < kMostSteps && c < d; ++i) {
        if (fc >= fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - ratio * (b - a);
            fc = f(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + ratio * (b - a);
            fd = f(d);
        }
    }
    return fc >= fd ? c : d;
}

std::vector<KeyPoint> FindKeyPoints(const GraphFormulas& formulas, const PlotArea& area, const Cancellation& cancel) {
    return Finder(formulas, area, cancel).find();
}

}  // namespace kelvora::graph
