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
    // Each distinct polynomial on its own: the product of several would take far longer
    // to isolate than its factors do, and the allowance is shared among them.
    std::vector<ExactPolynomial> distinct;
    for (const Polynomial& p : polynomials) {
        const std::optional<ExactPolynomial> exact = ExactInX(p);
        if (!exact) return std::nullopt;
        const ExactPolynomial primitive = exact->Primitive();
        if (std::find(distinct.begin(), distinct.end(), primitive) == distinct.end()) distinct.push_back(primitive);
    }
    std::vector<RealRoot> zeros;
    for (const ExactPolynomial& p : distinct) {
        const long long share = kRootWorkAllowance / static_cast<long long>(distinct.size());
        const std::optional<std::vector<RealRoot>> own = FindRealRootsWithin(p, share);
        if (!own) return std::nullopt;
        zeros.insert(zeros.end(), own->begin(), own->end());
    }
    // A zero two polynomials share is one value; the first found keeps its exact form.
    std::stable_sort(zeros.begin(), zeros.end(), [](const RealRoot& a, const RealRoot& b) { return a.value < b.value; });
    zeros.erase(std::unique(zeros.begin(), zeros.end(), [](const RealRoot& a, const RealRoot& b) { return a.value == b.value; }),
                zeros.end());
    return zeros;
}

}  // namespace abacor
