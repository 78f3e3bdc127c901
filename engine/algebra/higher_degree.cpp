#include "algebra/higher_degree.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <utility>

#include "algebra/divisors.h"
#include "algebra/exact_in_x.h"
#include "algebra/real_roots.h"
#include "core/number_format.h"
#include "core/report.h"
#include "core/report_terms.h"
#include "core/texts.h"

namespace abacor {

namespace {

using U64 = std::uint64_t;
// ---- The search for roots --------------------------------------------------------------

constexpr double kFreeTermZero = 1e-10;
constexpr double kRootValue = 1e-6;
constexpr double kDivisorDuplicate = 1e-8;
constexpr double kNewtonDuplicate = 1e-6;
constexpr double kFlatDerivative = 1e-15;
constexpr double kNewtonStep = 1e-12;
constexpr int kNewtonIterations = 100;
constexpr int kNewtonMaxDegree = 4;
constexpr int kNewtonStarts = 41;  // -10, -9.5, ..., 10
constexpr std::size_t kDivisorsPrinted = 20;
// Truncation to a 64-bit integer is defined below this magnitude only.
constexpr double kLargestFreeTerm = 9223372036854775808.0;  // 2^63
// Each candidate costs one evaluation per term of P; this many term evaluations keep
// the search well inside the time a solver may take.
constexpr std::size_t kTermEvaluationBudget = 500'000;
// A root the search finds stands for the exact root within this distance (relative
// beyond 1), so that a slow Newton run beside a multiple root does not add a second one.
constexpr double kSameRoot = 1e-6;

// The free term as x = 0 sees it: x^0 is read as a key of its own but is a constant.
double FreeTerm(const Polynomial& p) {
    double c = 0;
    for (const auto& [key, coefficient] : p) {
        if (IsFreeTermKey(key)) c += coefficient;
    }
    return c;
}

// P with one factor x taken out; the constant entries are the vanished free term.
Polynomial DivideByX(const Polynomial& p) {
    Polynomial q;
    for (const auto& [key, coefficient] : p) {
        if (IsFreeTermKey(key)) continue;
        const int x = VariableExponent(key, L'x');
        if (x == 0) {
            q[key] += coefficient;
            continue;
        }
        const MonomialKey lowered = MakeKey(x - 1, VariableExponent(key, L'y'), VariableExponent(key, L'z'));
        q[IsFreeTermKey(lowered) ? kConstKey : lowered] += coefficient;
    }
    RemoveZeroTerms(q);
    return q;
}

// " = 1/3" or " = (1 + √5)/2" beside the decimal; nothing for an integer, which its
// decimal already is, or for a form too long to read.
std::wstring ExactFormText(const RealRoot& root) {
    if (root.exact && root.exact->get_den() == 1) return L"";
    const std::wstring form = ReadableExactForm(root);
    return form.empty() ? L"" : L" = " + form;
}

class RootSearch {
public:
    // With exact roots the search only reports what it finds of them and the list shows
    // every one; without (a huge degree, a coefficient that is not finite), the search's
    // own finds are the answer.
    RootSearch(const Polynomial& p, int degree, std::optional<std::vector<RealRoot>> exact, ReportWriter& report)
        : p_(p), degree_(degree), exact_(std::move(exact)), report_(report) {
        if (exact_) found_.assign(exact_->size(), false);
    }

    std::vector<double> roots() const {
        if (!exact_) return roots_;
        std::vector<double> values;
        for (const RealRoot& root : *exact_) values.push_back(root.value);
        return values;
    }
    // The search goes on as a student would, until it has as many roots as the degree.
    bool complete() const { return roots_.size() >= static_cast<std::size_t>(std::max(degree_, 0)); }

    double FactorOutX() {
        report_.Line(text::kZeroFreeTerm);
        Accept(0.0);
        const Polynomial q = DivideByX(p_);
        report_.Line(text::kAfterFactoringX + WithSuperscripts(PolynomialToString(q)) + L") = 0").Gap();
        return FreeTerm(q);
    }

    void SearchDivisors(double c) {
        report_.Line(text::kDivisorSearch).Line(text::kDivisorSearchCont).Gap();
        if (!(std::fabs(c) > kFreeTermZero)) return;
        if (std::fabs(c) >= kLargestFreeTerm) {
            report_.Line(text::kFreeTermPrefix + Ng(c) + text::kFreeTermTooLarge);
        } else {
            TryDivisors(DivisorsOf(static_cast<U64>(std::fabs(c))));
        }
        report_.Line(text::kValuesTested + std::to_wstring(tested_));
    }

    // A root Newton's method finds that is exactly rational (1/2, beyond the divisors of
    // the free term) is listed before the search for irrational roots, not under it.
    void SearchNewton() {
        if (complete() || degree_ > kNewtonMaxDegree) return;
        const Polynomial derivative = DerivePolynomial(p_);
        std::vector<const RealRoot*> rational;
        std::vector<double> other;
        for (int i = 0; i < kNewtonStarts && !complete(); ++i) {
            const double x1 = Newton(derivative, -10.0 + 0.5 * i);
            if (!std::isfinite(x1) || HasRootNear(x1, kNewtonDuplicate)) continue;
            // Beside a multiple root Newton's method stops short (0.5000000038 for 1/2):
            // the line shows the root it is converging to.
            const std::optional<double> root = Accept(x1);
            if (!root) continue;
            const RealRoot* known = ExactRootAt(*root);
            if (known && known->exact) rational.push_back(known);
            else other.push_back(*root);
        }
        if (!rational.empty()) report_.Gap();
        for (const RealRoot* root : rational) {
            report_.Line(text::kRationalRootFound + FormatAnswer(root->value) + ExactFormText(*root));
        }
        report_.Gap().Line(text::kNewtonSearch);
        for (double root : other) report_.Line(text::kNewtonRootFound + FormatAnswer(root));
    }

    void Close() {
        std::sort(roots_.begin(), roots_.end());
        report_.Gap();
        if (exact_) {
            CloseWithExactRoots();
        } else if (roots_.empty()) {
            report_.Line(text::kNoRationalRoots);
        } else {
            report_.Line(text::kRootsFound);
            for (std::size_t i = 0; i < roots_.size(); ++i) ListRoot(i, FormatAnswer(roots_[i]));
        }
        report_.Close(false);
    }

private:
    void ListRoot(std::size_t i, const std::wstring& shown) { report_.Line(L"  x" + std::to_wstring(i + 1) + L" = " + shown); }

    void CloseWithExactRoots() {
        if (exact_->empty()) {
            report_.Line(text::kNoRationalRoots).Line(text::kNoRealRoots);
            return;
        }
        if (roots_.size() < exact_->size()) report_.Line(text::kRootsByIsolation).Gap();
        report_.Line(text::kRootsFound);
        for (std::size_t i = 0; i < exact_->size(); ++i) {
            const RealRoot& root = (*exact_)[i];
            ListRoot(i, FormatAnswer(root.value) + ExactFormText(root) + MultiplicityText(root.multiplicity));
        }
    }

    // Records a root the search found and returns it; with exact roots known only one of
    // them counts, each once, and it is the exact root's value that is recorded.
    std::optional<double> Accept(double r) {
        if (!exact_) {
            roots_.push_back(r);
            return r;
        }
        std::size_t nearest = exact_->size();
        double distance = INFINITY;
        for (std::size_t i = 0; i < exact_->size(); ++i) {
            const double d = std::fabs((*exact_)[i].value - r);
            if (d < distance) {
                distance = d;
                nearest = i;
            }
        }
        if (nearest == exact_->size() || found_[nearest]) return std::nullopt;
        if (distance > kSameRoot * std::max(1.0, std::fabs(r))) return std::nullopt;
        found_[nearest] = true;
        roots_.push_back((*exact_)[nearest].value);
        return roots_.back();
    }

    // The exact root a recorded root stands for; null without exact roots.
    const RealRoot* ExactRootAt(double value) const {
        if (!exact_) return nullptr;
        for (const RealRoot& root : *exact_) {
            if (root.value == value) return &root;
        }
        return nullptr;
    }

    bool HasRootNear(double r, double tolerance) const {
        return std::any_of(roots_.begin(), roots_.end(), [&](double root) { return std::fabs(root - r) < tolerance; });
    }

    void PrintDivisors(const std::vector<U64>& divisors) {
        std::wstring line = text::kDivisorsOfFreeTerm;
        for (std::size_t i = 0; i < std::min(divisors.size(), kDivisorsPrinted); ++i) {
            if (i > 0) line += L", ";
            line += std::to_wstring(divisors[i]);
        }
        if (divisors.size() > kDivisorsPrinted) line += L", ...";
        report_.Line(line + L")").Gap();
    }

    // Tries −k, then +k; true when the list of roots is complete.
    bool TryDivisor(U64 k) {
        for (const double r : {-static_cast<double>(k), static_cast<double>(k)}) {
            ++tested_;
            if (std::fabs(EvaluatePolynomial(p_, r, 0)) < kRootValue && !HasRootNear(r, kDivisorDuplicate) && Accept(r)) {
                report_.Line(text::kDivisorRootFound + Ng(r));
                if (complete()) return true;
            }
        }
        return false;
    }

    void TryDivisors(const std::vector<U64>& divisors) {
        if (divisors.empty()) return;
        PrintDivisors(divisors);
        const std::size_t terms = std::max<std::size_t>(p_.size(), 1);
        const std::size_t limit = std::max<std::size_t>(kTermEvaluationBudget / (2 * terms), 1);
        for (std::size_t i = 0; i < divisors.size(); ++i) {
            if (i == limit) {
                report_.Line(text::kDivisorsAbove + std::to_wstring(divisors[i - 1]) + text::kDivisorsNotTried +
                             std::to_wstring(divisors.size()) + L")");
                return;
            }
            if (TryDivisor(divisors[i])) return;
        }
    }

    // The root Newton's method reaches from x, or NaN when it gives up or does not settle.
    double Newton(const Polynomial& derivative, double x) const {
        for (int i = 0; i < kNewtonIterations; ++i) {
            const double f = EvaluatePolynomial(p_, x, 0);
            const double slope = EvaluatePolynomial(derivative, x, 0);
            if (std::fabs(slope) < kFlatDerivative) break;
            const double x1 = x - f / slope;
            if (std::fabs(x1 - x) < kNewtonStep) {
                return std::fabs(EvaluatePolynomial(p_, x1, 0)) < kRootValue ? x1 : NAN;
            }
            x = x1;
        }
        return NAN;
    }

    const Polynomial& p_;
    int degree_;
    std::optional<std::vector<RealRoot>> exact_;
    std::vector<bool> found_;  // which exact roots the search found
    ReportWriter& report_;
    std::vector<double> roots_;
    long long tested_ = 0;
};

}  // namespace

std::vector<double> SolveHigherDegree(const Polynomial& p, int degree, ReportWriter& report) {
    return SolveHigherDegree(p, degree, ExactRootsInX(p), report);
}

std::vector<double> SolveHigherDegree(const Polynomial& p, int degree, const std::optional<std::vector<RealRoot>>& exact,
                                      ReportWriter& report) {
    report.Open(text::kHigherDegreeHeading).Line(text::kHigherDegreeType + std::to_wstring(degree)).Gap();
    RootSearch search(p, degree, exact, report);
    double c = FreeTerm(p);
    if (std::fabs(c) < kFreeTermZero) c = search.FactorOutX();
    search.SearchDivisors(c);
    search.SearchNewton();
    search.Close();
    return search.roots();
}

}  // namespace abacor
