#include "algebra/exact_in_x.h"

#include <algorithm>
#include <cmath>

#include "core/texts.h"

namespace abacor {

namespace {

// Relative distance within which a shown root counts as right.
const mpq_class kShownRootTolerance(1, 1'000'000'000);

// Exact forms longer than this say nothing to a student; the decimal alone is shown.
constexpr std::size_t kLongestExactForm = 24;

bool Shows(const RealRoot& root, const mpq_class& v) {
    return std::max(abs(root.lower - v), abs(root.upper - v)) <= kShownRootTolerance * abs(v);
}

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

bool IsShownRoot(const std::vector<RealRoot>& roots, double value) { return ShownExactRoot(roots, value) != nullptr; }

const RealRoot* ShownExactRoot(const std::vector<RealRoot>& roots, double value) {
    if (!std::isfinite(value)) return nullptr;
    const mpq_class v(value);
    const auto found = std::find_if(roots.begin(), roots.end(), [&](const RealRoot& root) { return Shows(root, v); });
    return found == roots.end() ? nullptr : &*found;
}

std::wstring ReadableExactForm(const RealRoot& root) {
    std::wstring form = ExactRootText(root);
    return form.size() > kLongestExactForm ? std::wstring() : form;
}

std::wstring MultiplicityText(int multiplicity) {
    if (multiplicity == 1) return L"";
    return text::kMultiplicityOpen + std::to_wstring(multiplicity) + text::kMultiplicityClose;
}

std::optional<std::vector<RealRoot>> CommonZeros(const std::vector<Polynomial>& polynomials) {
    // The zeros of the product are those of every factor, and the isolation lists each once.
    ExactPolynomial product(std::vector<mpq_class>{1});
    for (const Polynomial& p : polynomials) {
        const std::optional<ExactPolynomial> exact = ExactInX(p);
        if (!exact) return std::nullopt;
        product = product * *exact;
    }
    if (product.Degree() > kExactSearchMaxDegree) return std::nullopt;
    return FindRealRootsWithin(product, kRootWorkAllowance);
}

}  // namespace abacor
