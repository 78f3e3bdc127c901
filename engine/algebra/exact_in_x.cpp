#include "algebra/exact_in_x.h"

#include <algorithm>
#include <cmath>

namespace abacor {

namespace {

// Relative distance within which a shown root counts as right.
const mpq_class kShownRootTolerance(1, 1'000'000'000);

}  // namespace

bool IsFreeTermKey(const MonomialKey& key) { return key == kConstKey || TotalDegree(key) == 0; }

std::optional<ExactPolynomial> ExactInX(const Polynomial& p) {
    const int degree = DegreeInX(p);
    if (degree > kExactSearchMaxDegree) return std::nullopt;
    std::vector<mpq_class> coefficients(static_cast<std::size_t>(degree) + 1);
    for (const auto& [key, coefficient] : p) {
        const std::optional<mpq_class> exact = ExactFromDouble(coefficient);
        if (!exact) return std::nullopt;
        const int power = IsFreeTermKey(key) ? 0 : VariableExponent(key, L'x');
        coefficients[static_cast<std::size_t>(power)] += *exact;
    }
    return ExactPolynomial(std::move(coefficients));
}

std::optional<std::vector<RealRoot>> ExactRootsInX(const Polynomial& p) {
    const std::optional<ExactPolynomial> exact = ExactInX(p);
    if (!exact) return std::nullopt;
    return FindRealRootsWithin(*exact, kRootWorkAllowance);
}

bool IsShownRoot(const std::vector<RealRoot>& roots, double value) {
    if (!std::isfinite(value)) return false;
    const mpq_class v(value);
    const mpq_class allowed = kShownRootTolerance * abs(v);
    return std::any_of(roots.begin(), roots.end(), [&](const RealRoot& root) {
        return std::max(abs(root.lower - v), abs(root.upper - v)) <= allowed;
    });
}

}  // namespace abacor
