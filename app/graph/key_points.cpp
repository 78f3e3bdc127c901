#include "key_points.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "abacor.h"

namespace kelvora::graph {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kMostSteps = 200;

// The plane is searched on cells this many pixels wide: a curve smooth at that size
// cannot pass through a cell without leaving corners on both of its sides.
constexpr int kCellPixels = 6;
constexpr int kMostNewtonSteps = 40;
// Values at single points that Newton's method may take in one search, over all
// curves (a few milliseconds): a view crowded with curves (sin(5x) + sin(5y) = 0 and the
// like) would otherwise take seconds. The samples of the cells come by rows, uncounted.
constexpr long kMostPlaneValues = 20000;
// Lattice cells along one side of the view at most: far more than any screen has.
constexpr double kMostLatticeCells = 100000;
// Newton's method has converged once its step is this small against the coordinates or
// the cell: the next step would be far below a pixel and the rounding of the values.
constexpr double kConverged = 1e-9;
// A central difference balances truncation against rounding at about the cube root of
// the precision of doubles, relative to the size of the coordinates.
const double kDifferenceStep = std::cbrt(std::numeric_limits<double>::epsilon());
// Room for the exact roots of a first request; a polynomial with more is asked again.
constexpr int kRootsAtFirst = 16;

using Function = std::function<double(double)>;
using PlaneFunction = std::function<double(double, double)>;

struct PlanePoint {
    double x;
    double y;
};

bool OppositeSigns(double a, double b) { return (a < 0 && b > 0) || (a > 0 && b < 0); }

// ---- Exact roots of polynomial formulas -------------------------------------------------

struct PolynomialRoot {
    double x;
    int multiplicity;
};

// The real roots of the formula in x, or of its derivative, isolated exactly by the
// engine; nothing when the text is no polynomial in x or its roots crowd too closely.
std::optional<std::vector<PolynomialRoot>> PolynomialRoots(const std::wstring& formula, bool derivative) {
    std::vector<double> xs(kRootsAtFirst);
    std::vector<int> multiplicities(kRootsAtFirst);
    int count = GetPolynomialRoots(formula.c_str(), derivative ? 1 : 0, xs.data(), multiplicities.data(), kRootsAtFirst);
    if (count > kRootsAtFirst) {
        xs.resize(static_cast<std::size_t>(count));
        multiplicities.resize(static_cast<std::size_t>(count));
        count = GetPolynomialRoots(formula.c_str(), derivative ? 1 : 0, xs.data(), multiplicities.data(), count);
    }
    if (count < 0 || count > static_cast<int>(xs.size())) return std::nullopt;
    std::vector<PolynomialRoot> roots;
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) roots.push_back({xs[i], multiplicities[i]});
    return roots;
}

// Every ')' closes a '(' before it and every '(' is closed.
bool Balanced(std::wstring_view text) {
    int depth = 0;
    for (const wchar_t c : text) {
        if (c == L'(') ++depth;
        if (c == L')' && --depth < 0) return false;
    }
    return depth == 0;
}

// The roots of a derivative where it changes sign (of odd multiplicity): x³ is flat at 0
// without turning there.
std::vector<PolynomialRoot> SignChanges(const std::vector<PolynomialRoot>& roots) {
    std::vector<PolynomialRoot> changes;
    std::copy_if(roots.begin(), roots.end(), std::back_inserter(changes),
                 [](const PolynomialRoot& root) { return root.multiplicity % 2 == 1; });
    return changes;
}

// Where two explicit curves meet: the zeros of their difference. A surplus ')' closes
// everything before it, so inside brackets of its own a text with one would read
// otherwise than alone: such a pair has no difference text.
std::optional<std::wstring> DifferenceText(const std::wstring& f, const std::wstring& g) {
    if (!Balanced(f) || !Balanced(g)) return std::nullopt;
    return L"(" + f + L")-(" + g + L")";
}

// ---- Points of the plane ---------------------------------------------------------------

// A curve as the zero set of a function of the plane: F itself for an implicit curve,
// y - f(x) for an explicit one. f is taken with the digits of implicit values (the text
// has no y), finer than the ten of drawn values, so that Newton's steps can see it.
PlaneFunction OnPlane(const GraphFormulas::Formula& formula) {
    const GraphFunction& f = formula.function;
    if (formula.implicit) return [&f](double x, double y) { return f.implicitAt(x, y); };
    return [&f](double x, double y) { return y - f.implicitAt(x, 0); };
}

double DifferenceStep(PlanePoint p, double floor) {
    return kDifferenceStep * std::max({std::fabs(p.x), std::fabs(p.y), floor});
}

// ∂F/∂x by a central difference; `floor` keeps the step from vanishing near the origin.
PlaneFunction SlopeInX(const PlaneFunction& f, double floor) {
    return [f, floor](double x, double y) {
        const double h = DifferenceStep({x, y}, floor);
        return (f(x + h, y) - f(x - h, y)) / (2 * h);
    };
}

struct Cell {
    double x0, x1, y0, y1;

    double size() const { return std::max(x1 - x0, y1 - y0); }
    bool contains(PlanePoint p, double margin) const {
        return p.x >= x0 - margin && p.x <= x1 + margin && p.y >= y0 - margin && p.y <= y1 + margin;
    }
};

// Newton's method on f = g = 0 from start, with partial derivatives by central
// differences; nothing when it does not converge, its steps stop shrinking (near a
// singular point of a curve they wander), it meets a singular system or a point without
// a value, or strays farther than a cell from `cell`.
std::optional<PlanePoint> SolvePair(const PlaneFunction& f, const PlaneFunction& g, PlanePoint start, const Cell& cell) {
    const double floor = cell.size();
    PlanePoint p = start;
    double lastStep = std::numeric_limits<double>::infinity();
    for (int step = 0; step < kMostNewtonSteps; ++step) {
        const double h = DifferenceStep(p, floor);
        const double fv = f(p.x, p.y), gv = g(p.x, p.y);
        const double fx = (f(p.x + h, p.y) - f(p.x - h, p.y)) / (2 * h);
        const double fy = (f(p.x, p.y + h) - f(p.x, p.y - h)) / (2 * h);
        const double gx = (g(p.x + h, p.y) - g(p.x - h, p.y)) / (2 * h);
        const double gy = (g(p.x, p.y + h) - g(p.x, p.y - h)) / (2 * h);
        const double det = fx * gy - fy * gx;
        if (!std::isfinite(fv) || !std::isfinite(gv) || !std::isfinite(det) || det == 0) return std::nullopt;
        const double dx = (fv * gy - gv * fy) / det, dy = (fx * gv - gx * fv) / det;
        p = {p.x - dx, p.y - dy};
        const double length = std::max(std::fabs(dx), std::fabs(dy));
        if (!cell.contains(p, cell.size()) || length >= lastStep) return std::nullopt;
        if (length <= kConverged * std::max({std::fabs(p.x), std::fabs(p.y), floor})) return p;
        lastStep = length;
    }
    return std::nullopt;
}

// The point of the curve f = 0 at x nearest to y, by the same method with x held.
std::optional<PlanePoint> CurveAt(const PlaneFunction& f, double x, double y, const Cell& cell) {
    return SolvePair(f, [x](double px, double) { return px - x; }, {x, y}, cell);
}

// Both signs among the corners, or a zero at one of them, all with values.
bool Straddles(const std::array<double, 4>& corners) {
    if (!std::all_of(corners.begin(), corners.end(), [](double v) { return std::isfinite(v); })) return false;
    const auto [low, high] = std::minmax_element(corners.begin(), corners.end());
    return *low <= 0 && *high >= 0 && (*low < 0 || *high > 0);
}

// The view sampled every kCellPixels pixels, and one cell beyond each side.
class PlaneGrid {
public:
    explicit PlaneGrid(const PlotArea& area)
        : xs_(Lattice(area.xmin, area.xmax, kCellPixels * area.worldWidth / area.plotWidth)),
          ys_(Lattice(area.ymin, area.ymax, kCellPixels * area.worldHeight / area.plotHeight)) {}

    std::size_t columns() const { return xs_.empty() ? 0 : xs_.size() - 1; }  // of cells
    std::size_t rows() const { return ys_.empty() || xs_.empty() ? 0 : ys_.size() - 1; }
    Cell cell(std::size_t c, std::size_t r) const { return {xs_[c], xs_[c + 1], ys_[r], ys_[r + 1]}; }

    // The curve's plane function at every lattice point, row by row; explicit curves
    // from their drawn values.
    std::vector<double> sample(const GraphFormulas::Formula& formula) const {
        if (formula.implicit) return formula.function.implicitAt(xs_, ys_);
        const std::vector<double> fs = formula.function.explicitAt(xs_);
        std::vector<double> values;
        values.reserve(xs_.size() * ys_.size());
        for (const double y : ys_) {
            for (const double f : fs) values.push_back(y - f);
        }
        return values;
    }

    // Central differences along the rows (one-sided at the ends): their signs are those
    // of ∂F/∂x.
    std::vector<double> slopesInX(const std::vector<double>& values) const {
        const std::size_t n = xs_.size();
        std::vector<double> slopes(values.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            const std::size_t c = i % n;
            slopes[i] = values[c + 1 < n ? i + 1 : i] - values[c > 0 ? i - 1 : i];
        }
        return slopes;
    }

    std::array<double, 4> corners(const std::vector<double>& values, std::size_t c, std::size_t r) const {
        const std::size_t n = xs_.size(), i = r * n + c;
        return {values[i], values[i + 1], values[i + n], values[i + n + 1]};
    }

private:
    static std::vector<double> Lattice(double from, double to, double cell) {
        std::vector<double> points;
        // A view without a size in numbers (a window of no pixels, or one too large for
        // its scale) has no lattice.
        const double cells = std::ceil((to - from) / cell);
        if (!(cells >= 0 && cells <= kMostLatticeCells)) return points;
        const int count = static_cast<int>(cells) + 2;
        for (int i = 0; i <= count; ++i) points.push_back(from - cell + i * cell);
        return points;
    }

    std::vector<double> xs_;
    std::vector<double> ys_;
};

class Finder {
public:
    Finder(const GraphFormulas& formulas, const PlotArea& area, const Cancellation& cancel)
        : formulas_(formulas),
          area_(area),
          cancel_(cancel),
          grid_(area),
          samples_(formulas.size()),
          exactZeros_(formulas.size()) {
        for (int column = PlotArea::kMargin; column <= area.width - PlotArea::kMargin; ++column) {
            xs_.push_back(area.worldX(column));
        }
    }

    std::vector<KeyPoint> find() {
        for (std::size_t k = 0; k < formulas_.size() && !cancel_.cancelled(); ++k) {
            if (formulas_[k].implicit) implicitCurve(k);
            else explicitCurve(k);
        }
        return std::move(points_);
    }

private:
    // Its zeros, turning points and where it meets each explicit curve after it and each
    // implicit curve.
    void explicitCurve(std::size_t k) {
        const GraphFunction& f = formulas_[k].function;
        const Function value = [&f](double x) { return f.explicitAt(x); };
        const std::optional<std::vector<PolynomialRoot>>& exact = exactZeros(k);
        if (exact) keepRoots(KeyPointKind::Zero, k, k, *exact);
        else zeros(KeyPointKind::Zero, k, k, value, value);
        const auto turning = exact ? PolynomialRoots(f.text(), true) : std::nullopt;
        if (turning) keepRoots(KeyPointKind::Extremum, k, k, SignChanges(*turning));
        else extrema(k, value);
        for (std::size_t other = 0; other < formulas_.size() && !cancel_.cancelled(); ++other) {
            if (formulas_[other].implicit) crossings(k, other);
            else if (other > k) explicitPair(k, other);
        }
    }

    // Where two explicit curves meet: the exact roots of their difference when both are
    // polynomials, else its bracketed changes of sign.
    void explicitPair(std::size_t k, std::size_t other) {
        const GraphFunction& f = formulas_[k].function;
        const GraphFunction& g = formulas_[other].function;
        const std::optional<std::wstring> difference = DifferenceText(f.text(), g.text());
        const bool polynomials = difference && exactZeros(k) && exactZeros(other);
        if (const auto meetings = polynomials ? PolynomialRoots(*difference, false) : std::nullopt) {
            keepRoots(KeyPointKind::Intersection, k, other, *meetings);
            return;
        }
        zeros(KeyPointKind::Intersection, k, other, [&f, &g](double x) { return f.explicitAt(x) - g.explicitAt(x); },
              [&f](double x) { return f.explicitAt(x); });
    }

    // Where it crosses the x axis, its highest and lowest points along the curve and
    // where it meets each implicit curve after it.
    void implicitCurve(std::size_t k) {
        const GraphFunction& f = formulas_[k].function;
        zeros(KeyPointKind::Zero, k, k, [&f](double x) { return f.implicitAt(x, 0); }, [](double) { return 0.0; });
        implicitExtrema(k);
        for (std::size_t other = k + 1; other < formulas_.size() && !cancel_.cancelled(); ++other) {
            if (formulas_[other].implicit) crossings(k, other);
        }
    }

    // The exact zeros of an explicit curve, asked for once; nothing when it is no
    // polynomial, and then neither its derivative nor its difference with another curve
    // is tried.
    const std::optional<std::vector<PolynomialRoot>>& exactZeros(std::size_t k) {
        ExactZeros& entry = exactZeros_[k];
        if (!entry.asked) entry = {true, PolynomialRoots(formulas_[k].function.text(), false)};
        return entry.roots;
    }

    // Each root on the curve k as drawn.
    void keepRoots(KeyPointKind kind, std::size_t k, std::size_t other, const std::vector<PolynomialRoot>& roots) {
        for (const PolynomialRoot& root : roots) keep(kind, k, other, root.x, formulas_[k].function.explicitAt(root.x));
    }

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

    // Where two curves cross: cells where both change sign, each refined by Newton's
    // method on the pair and kept when it converges within its cell.
    void crossings(std::size_t k, std::size_t other) {
        const std::vector<double>& a = sample(k);
        const std::vector<double>& b = sample(other);
        const PlaneFunction f = onPlane(k), g = onPlane(other);
        std::vector<PlanePoint> found;
        for (std::size_t r = 0; r < grid_.rows() && searching(); ++r) {
            for (std::size_t c = 0; c < grid_.columns(); ++c) {
                if (!Straddles(grid_.corners(a, c, r)) || !Straddles(grid_.corners(b, c, r))) continue;
                if (const auto p = refineInCell(f, g, grid_.cell(c, r))) found.push_back(*p);
            }
        }
        keepDistinct(KeyPointKind::Intersection, k, other, std::move(found));
    }

    // Points of the curve with a horizontal tangent (F = 0 and ∂F/∂x = 0) where y is
    // highest or lowest along the curve: x² + y² = 25 turns at (0, ±5), y = x³ not at 0.
    void implicitExtrema(std::size_t k) {
        const std::vector<double>& values = sample(k);
        const std::vector<double> slopes = grid_.slopesInX(values);
        const PlaneFunction f = onPlane(k);
        std::vector<PlanePoint> found;
        for (std::size_t r = 0; r < grid_.rows() && searching(); ++r) {
            for (std::size_t c = 0; c < grid_.columns(); ++c) {
                if (!Straddles(grid_.corners(values, c, r)) || !Straddles(grid_.corners(slopes, c, r))) continue;
                const Cell cell = grid_.cell(c, r);
                const auto p = refineInCell(f, SlopeInX(f, cell.size()), cell);
                if (p && turns(f, *p, cell)) found.push_back(*p);
            }
        }
        keepDistinct(KeyPointKind::Extremum, k, k, std::move(found));
    }

    bool searching() const { return planeValuesLeft_ > 0 && !cancel_.cancelled(); }

    // The curve's plane function, NaN once the search has taken all the values it may:
    // Newton's method then gives up, and the search ends.
    PlaneFunction onPlane(std::size_t k) {
        return [this, f = OnPlane(formulas_[k])](double x, double y) {
            return --planeValuesLeft_ >= 0 ? f(x, y) : kNaN;
        };
    }

    // Newton's method from the middle of the cell; a point it reaches outside the cell
    // (a quarter of it beyond, for points on its sides) belongs to another cell.
    std::optional<PlanePoint> refineInCell(const PlaneFunction& f, const PlaneFunction& g, const Cell& cell) {
        const PlanePoint middle{(cell.x0 + cell.x1) / 2, (cell.y0 + cell.y1) / 2};
        const std::optional<PlanePoint> p = SolvePair(f, g, middle, cell);
        if (!p || !cell.contains(*p, cell.size() / 4)) return std::nullopt;
        return p;
    }

    // Whether the curve lies below p on both sides (a maximum) or above it on both
    // (a minimum), half a cell to the left and to the right, by more than Newton's
    // method can tell apart: along a flat piece (the x axis of sin(3xy) = 0) it does not.
    static bool turns(const PlaneFunction& f, PlanePoint p, const Cell& cell) {
        const double dx = (cell.x1 - cell.x0) / 2;
        const std::optional<PlanePoint> left = CurveAt(f, p.x - dx, p.y, cell);
        const std::optional<PlanePoint> right = CurveAt(f, p.x + dx, p.y, cell);
        if (!left || !right) return false;
        const double apart = kConverged * std::max({std::fabs(p.x), std::fabs(p.y), cell.size()});
        const auto side = [&](PlanePoint q) { return q.y < p.y - apart ? -1 : q.y > p.y + apart ? 1 : 0; };
        return side(*left) != 0 && side(*left) == side(*right);
    }

    const std::vector<double>& sample(std::size_t k) {
        if (samples_[k].empty()) samples_[k] = grid_.sample(formulas_[k]);
        return samples_[k];
    }

    std::vector<double> Values(const Function& f) const {
        std::vector<double> values;
        values.reserve(xs_.size());
        for (const double x : xs_) values.push_back(f(x));
        return values;
    }

    // Left to right by pixel column, bottom to top within one (3 ± 1e-15 are one column),
    // each point once: points within half a pixel of each other are one.
    void keepDistinct(KeyPointKind kind, std::size_t k, std::size_t other, std::vector<PlanePoint> points) {
        const auto column = [this](PlanePoint p) { return std::lround(area_.screenX(p.x)); };
        std::sort(points.begin(), points.end(), [&column](PlanePoint a, PlanePoint b) {
            return column(a) < column(b) || (column(a) == column(b) && a.y < b.y);
        });
        const double halfX = area_.worldWidth / area_.plotWidth / 2, halfY = area_.worldHeight / area_.plotHeight / 2;
        std::vector<PlanePoint> kept;
        for (const PlanePoint p : points) {
            const auto same = [&](PlanePoint q) { return std::fabs(p.x - q.x) <= halfX && std::fabs(p.y - q.y) <= halfY; };
            if (std::none_of(kept.begin(), kept.end(), same)) kept.push_back(p);
        }
        for (const PlanePoint p : kept) keep(kind, k, other, p.x, p.y);
    }

    void keep(KeyPointKind kind, std::size_t k, std::size_t other, double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y)) return;
        if (x < area_.xmin || x > area_.xmax || y < area_.ymin || y > area_.ymax) return;
        points_.push_back({kind, k, other, x, y});
    }

    const GraphFormulas& formulas_;
    const PlotArea& area_;
    const Cancellation& cancel_;
    PlaneGrid grid_;
    std::vector<std::vector<double>> samples_;  // by curve, once asked for
    struct ExactZeros {
        bool asked = false;
        std::optional<std::vector<PolynomialRoot>> roots;
    };
    std::vector<ExactZeros> exactZeros_;
    std::vector<double> xs_;
    std::vector<KeyPoint> points_;
    long planeValuesLeft_ = kMostPlaneValues;
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
