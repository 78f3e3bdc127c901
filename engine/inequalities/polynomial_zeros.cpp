#include "inequalities/polynomial_zeros.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>

#include "algebra/divisors.h"

namespace abacor {

namespace {

// Integers up to 2^53 are exact in a double, and so is integer arithmetic whose every
// intermediate stays below it.
constexpr double kExactIntegers = 9007199254740992.0;
// Free terms whose divisors are tried: those that fit an unsigned 64-bit integer.
constexpr double kLargestDivided = 18446744073709551616.0;  // 2^64
// Integer zeros up to this magnitude are divided out exactly before the numeric search.
constexpr double kMostDivisorsTried = 100000;
constexpr int kRefineSteps = 300;
// A numeric zero this close to an integer (relative to its size) may be that integer.
constexpr double kSnapDistance = 1e-7;
// Keeps the outer search interval finite, so that the bisection never meets infinity.
constexpr double kLargestBound = 1e300;

int Degree(const Coefficients& c) { return static_cast<int>(c.size()) - 1; }

void TrimHighZeros(Coefficients& c) {
    while (!c.empty() && c.back() == 0.0) c.pop_back();
}

// The sum of |c_k| |x|^k: the size of the terms that add up to f(x), and so the scale of
// the rounding error in f(x).
double TermScale(const Coefficients& c, double x) {
    const double ax = std::fabs(x);
    double scale = 0;
    for (auto it = c.rbegin(); it != c.rend(); ++it) scale = scale * ax + std::fabs(*it);
    return scale;
}

// Zero as far as the evaluation can tell: within the rounding error bound of Horner's
// rule. This is what recognises a zero where f only touches the axis.
bool IsNegligible(const Coefficients& c, double x, double fx) {
    if (fx == 0) return true;
    const double bound = 4.0 * Degree(c) * DBL_EPSILON * TermScale(c, x);
    return std::isfinite(bound) && std::fabs(fx) <= bound;
}

// Fujiwara's bound, widened a little: every zero lies strictly inside (-bound, bound).
double ZeroBound(const Coefficients& c) {
    const int n = Degree(c);
    const double lead = std::fabs(c[static_cast<std::size_t>(n)]);
    double bound = 0;
    for (int k = 1; k <= n; ++k) {
        double ratio = std::fabs(c[static_cast<std::size_t>(n - k)]) / lead;
        if (k == n) ratio /= 2;
        if (ratio > 0) bound = std::max(bound, std::exp(std::log(ratio) / k));
    }
    return std::min(1.01 * std::max(2 * bound, 1.0), kLargestBound);
}

Coefficients Derivative(const Coefficients& c) {
    Coefficients d;
    for (std::size_t k = 1; k < c.size(); ++k) d.push_back(static_cast<double>(k) * c[k]);
    return d;
}

// The same zeros with coefficients of at most 1 in magnitude: repeated derivatives of a
// high degree would otherwise overflow.
void Normalise(Coefficients& c) {
    double largest = 0;
    for (double v : c) largest = std::max(largest, std::fabs(v));
    for (double& v : c) v /= largest;
}

// Every evaluation of the search is paid for with its number of terms.
double Evaluate(const Coefficients& c, double x, ZeroSearchBudget& budget) {
    budget.remaining -= static_cast<long long>(c.size());
    return EvaluateAt(c, x);
}

bool IsWholeNumber(double v) { return v == std::trunc(v); }

// With integer coefficients, an integer r and every intermediate below 2^53, Horner's
// rule is exact: the value is 0 exactly when r is a zero. Beyond that the coefficients
// themselves are rounded, and r is a zero when f(r) is within the rounding error.
bool IsIntegerZero(const Coefficients& c, double r, ZeroSearchBudget& budget) {
    const double value = Evaluate(c, r, budget);
    if (TermScale(c, r) < kExactIntegers) return value == 0;
    return IsNegligible(c, r, value);
}

// c / (x - r) for a zero r (synthetic division; exact in the exact case above).
Coefficients Deflated(const Coefficients& c, double r) {
    const std::size_t n = c.size() - 1;
    Coefficients q(n);
    q[n - 1] = c[n];
    for (std::size_t k = n - 1; k >= 1; --k) q[k - 1] = c[k] + r * q[k];
    return q;
}

// The divisors of the free term inside the zero bound, ascending; integer zeros beyond
// the tried range are still found by the numeric search.
std::vector<double> IntegerCandidates(const Coefficients& c) {
    const double bound = std::min(ZeroBound(c), kMostDivisorsTried);
    std::vector<double> candidates;
    for (const std::uint64_t d : DivisorsOf(static_cast<std::uint64_t>(std::fabs(c[0])))) {
        if (static_cast<double>(d) > bound) break;
        candidates.push_back(static_cast<double>(d));
    }
    return candidates;
}

// Integer zeros divide the free term of an integer polynomial; each one found is divided
// out, as often as it is a zero, smallest first (which keeps the division stable), so
// that multiple zeros leave nothing behind for the numeric search.
void DivideOutIntegerZeros(Coefficients& c, std::vector<double>& zeros, ZeroSearchBudget& budget) {
    if (!std::all_of(c.begin(), c.end(), IsWholeNumber) || std::fabs(c[0]) >= kLargestDivided) return;
    for (const double d : IntegerCandidates(c)) {
        if (budget.remaining < 0) return;
        for (const double r : {-d, d}) {
            while (Degree(c) >= 1 && IsIntegerZero(c, r, budget)) {
                zeros.push_back(r);
                c = Deflated(c, r);
            }
        }
    }
}

// Halves the bracket on the scale of asinh, which is logarithmic for large magnitudes:
// a zero anywhere between 1e-300 and 1e300 is then reached in a few dozen halvings.
double Middle(double lo, double hi) {
    const double middle = std::sinh((std::asinh(lo) + std::asinh(hi)) / 2);
    return middle > lo && middle < hi ? middle : lo + (hi - lo) / 2;
}

// The zero in (lo, hi), where f changes sign exactly once: Newton's method where it
// converges, halving the bracket where it does not.
double Refine(const Coefficients& c, const Coefficients& d, double lo, double hi, ZeroSearchBudget& budget) {
    const bool lowNegative = Evaluate(c, lo, budget) < 0;
    double x = Middle(lo, hi);
    double lastStep = hi - lo;
    for (int i = 0; i < kRefineSteps && budget.remaining >= 0; ++i) {
        const double fx = Evaluate(c, x, budget);
        if (fx == 0) return x;
        if ((fx < 0) == lowNegative) lo = x;
        else hi = x;
        const double newton = x - fx / Evaluate(d, x, budget);
        const bool converging = newton > lo && newton < hi && std::fabs(newton - x) <= lastStep / 2;
        const double next = converging ? newton : Middle(lo, hi);
        if (next == x) return x;
        lastStep = std::fabs(next - x);
        x = next;
    }
    return x;
}

// Between two neighbouring zeros of f' the polynomial is monotone, so each such piece
// holds at most one zero: at an end where f vanishes (a zero where f touches the axis or
// turns flat), or inside where the signs at the ends differ.
std::vector<double> NumericZeros(Coefficients c, ZeroSearchBudget& budget) {
    const int n = Degree(c);
    if (n < 1 || budget.remaining < 0) return {};
    Normalise(c);
    if (n == 1) return {-c[0] / c[1]};
    const Coefficients d = Derivative(c);
    const double bound = ZeroBound(c);
    std::vector<double> ends{-bound};
    for (const double p : NumericZeros(d, budget)) {
        if (p > ends.back() && p < bound) ends.push_back(p);
    }
    ends.push_back(bound);

    std::vector<double> values;
    std::vector<bool> vanishes;
    std::vector<double> zeros;
    for (std::size_t i = 0; i < ends.size(); ++i) {
        values.push_back(Evaluate(c, ends[i], budget));
        const bool inner = i > 0 && i + 1 < ends.size();
        vanishes.push_back(inner && IsNegligible(c, ends[i], values[i]));
        if (vanishes[i]) zeros.push_back(ends[i]);
    }
    for (std::size_t i = 0; i + 1 < ends.size(); ++i) {
        if (vanishes[i] || vanishes[i + 1] || (values[i] < 0) == (values[i + 1] < 0)) continue;
        zeros.push_back(Refine(c, d, ends[i], ends[i + 1], budget));
    }
    std::sort(zeros.begin(), zeros.end());
    return zeros;
}

// A numeric zero next to an integer at which f vanishes is that integer.
double SnapToInteger(const Coefficients& c, double z) {
    const double m = std::nearbyint(z);
    if (std::fabs(m) >= kExactIntegers || std::fabs(z - m) > kSnapDistance * std::max(1.0, std::fabs(m))) return z;
    return IsNegligible(c, m, EvaluateAt(c, m)) ? m : z;
}

std::vector<double> Thinned(std::vector<double> zeros) {
    std::sort(zeros.begin(), zeros.end());
    std::vector<double> kept;
    for (const double z : zeros) {
        if (kept.empty() || z - kept.back() >= kSameZero) kept.push_back(z + 0.0);  // never -0
    }
    return kept;
}

}  // namespace

std::optional<Coefficients> CoefficientsInX(const Polynomial& f) {
    Coefficients c;
    for (const auto& [key, value] : f) {
        int power = 0;
        bool vanishes = false;
        for (const auto& [letter, exponent] : ReadKey(key)) {
            if (letter == L'x') power = AddExponents(power, exponent);
            if (letter == L'y' && exponent > 0) vanishes = true;
        }
        if (vanishes) continue;
        if (power > kMaxZeroSearchDegree) return std::nullopt;
        const auto index = static_cast<std::size_t>(power);
        if (c.size() <= index) c.resize(index + 1, 0.0);
        c[index] += value;
    }
    for (double& v : c) {
        if (std::fabs(v) < kZeroTolerance) v = 0;
    }
    TrimHighZeros(c);
    return c;
}

double EvaluateAt(const Coefficients& c, double x) {
    double value = 0;
    for (auto it = c.rbegin(); it != c.rend(); ++it) value = value * x + *it;
    return value;
}

std::optional<std::vector<double>> RealZeros(Coefficients c, ZeroSearchBudget& budget) {
    TrimHighZeros(c);
    if (Degree(c) < 1 || !std::all_of(c.begin(), c.end(), [](double v) { return std::isfinite(v); })) {
        return std::vector<double>{};
    }
    std::vector<double> zeros;
    const auto lowest = std::find_if(c.begin(), c.end(), [](double v) { return v != 0; });
    if (lowest != c.begin()) {
        zeros.push_back(0.0);
        c.erase(c.begin(), lowest);
    }
    DivideOutIntegerZeros(c, zeros, budget);
    for (const double z : NumericZeros(c, budget)) zeros.push_back(SnapToInteger(c, z));
    if (budget.remaining < 0) return std::nullopt;
    return Thinned(std::move(zeros));
}

}  // namespace abacor
