#include "inequalities/inequality_solver.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <limits>
#include <tuple>

#include "algebra/equation_solver.h"
#include "algebra/exact_in_x.h"
#include "algebra/exact_reading.h"
#include "algebra/real_roots.h"
#include "core/number_format.h"
#include "core/steps_window.h"
#include "core/texts.h"
#include "inequalities/inequality_report.h"
#include "inequalities/inequality_system.h"
#include "inequalities/polynomial_zeros.h"

namespace abacor {

namespace {

constexpr double kOuterTestDistance = 1.0;
constexpr double kRelativeOuterTestDistance = 1e-6;

struct SignMatch {
    InequalityKind kind;
    std::size_t position;
    std::size_t length;
};

// ">=" and "<=" are how "≥" and "≤" are typed on a keyboard.
std::optional<SignMatch> FindSign(const std::wstring& text) {
    if (const auto p = text.find(L'≥'); p != std::wstring::npos) return SignMatch{kGreaterOrEqual, p, 1};
    if (const auto p = text.find(L'≤'); p != std::wstring::npos) return SignMatch{kLessOrEqual, p, 1};
    for (const auto& [sign, strict, inclusive] : {std::tuple{L'>', kGreater, kGreaterOrEqual},
                                                   std::tuple{L'<', kLess, kLessOrEqual}}) {
        const auto p = text.find(sign);
        if (p == std::wstring::npos) continue;
        if (p + 1 < text.size() && text[p + 1] == L'=') return SignMatch{inclusive, p, 2};
        return SignMatch{strict, p, 1};
    }
    return std::nullopt;
}

// The keypad writes "×" and "÷" and superscript powers; the expansion reads "*", "/", "^".
std::wstring FormulaText(std::wstring side) {
    for (wchar_t& c : side) {
        if (c == L'×') c = L'*';
        if (c == L'÷') c = L'/';
    }
    return SuperscriptToCaret(side);
}

// f is expanded from one text, left - (right), so that one inequality costs one
// expansion's work. Both sides are in the expansion's form (FormulaText).
// Each side in brackets of its own, so that no side can lend the other an operand.
std::wstring StandardFormText(const std::wstring& left, const std::wstring& right) {
    if (right.empty() || right == L"0") return left;
    return L"(" + left + L")-(" + right + L")";
}

// The zeros of the numerator and of the denominator together, ascending; a zero of the
// denominator is never part of the answer, also where the numerator is 0 too.
struct Points {
    std::vector<double> values;
    std::vector<bool> excluded;
};

bool SameZero(double a, double b) { return std::fabs(a - b) <= kSameZero * std::max(1.0, std::fabs(a)); }

// A system of two quotients asks for up to four zero searches: each gets a quarter of
// what one equation may spend, so that a solve stays well within 100 ms.
constexpr long long kExactZerosAllowance = kRootWorkAllowance / 4;

// Every real zero of the polynomial with coefficients c, ascending, once each: isolated
// exactly, from the text's own digits where it is a polynomial of that degree, when the
// exact module finishes within its allowance; else by the numerical search.
std::optional<std::vector<double>> Zeros(const Coefficients& c, const std::wstring* text, ZeroSearchBudget& budget) {
    if (c.size() <= 1) return std::vector<double>{};
    std::optional<ExactPolynomial> exact;
    if (text) exact = ReadExactInX(*text, kExactSearchMaxDegree);
    if (!exact || exact->Degree() != static_cast<int>(c.size()) - 1) exact = ExactPolynomial::FromDoubles(c);
    if (exact && exact->Degree() <= kExactSearchMaxDegree) {
        if (const auto roots = FindRealRootsWithin(*exact, kExactZerosAllowance)) {
            std::vector<double> values;
            for (const RealRoot& root : *roots) {
                if (std::isfinite(root.value)) values.push_back(root.value);
            }
            return values;
        }
    }
    return RealZeros(c, budget);
}

Points MergedZeros(const std::vector<double>& numerator, const std::vector<double>& denominator) {
    Points points;
    std::size_t i = 0, j = 0;
    while (i < numerator.size() || j < denominator.size()) {
        const bool fromDenominator = i == numerator.size() || (j < denominator.size() && denominator[j] <= numerator[i]);
        const double value = fromDenominator ? denominator[j++] : numerator[i++];
        if (!points.values.empty() && SameZero(points.values.back(), value)) {
            if (fromDenominator) points.excluded.back() = true;
            continue;
        }
        points.values.push_back(value);
        points.excluded.push_back(fromDenominator);
    }
    return points;
}

bool IsFormulaCharacter(wchar_t c) {
    return std::iswspace(c) || std::wstring_view(L"0123456789xX+-*/:^().,").find(c) != std::wstring_view::npos;
}

bool IsOtherLetter(wchar_t c) {
    return ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z')) && c != L'x' && c != L'X';
}

InequalityRefusal Unreadable(const wchar_t* message) { return {KV_STATUS_REFUSED, message}; }

// Why a side of the inequality cannot be read as written by the expansion.
std::optional<InequalityRefusal> SideProblem(const std::wstring& side) {
    if (side.find_first_of(kInequalitySigns) != std::wstring::npos) return Unreadable(text::kInequalityExtraSign);
    if (std::all_of(side.begin(), side.end(), IsFormulaCharacter)) return std::nullopt;
    const bool otherLetter = std::any_of(side.begin(), side.end(), IsOtherLetter);
    return Unreadable(otherLetter ? text::kInequalityOnlyX : text::kForeignCharacters);
}

// Whether rounding in Horner's scheme could have given v the wrong sign at x: huge
// coefficients of a polynomial with a multiple zero cancel far below their precision.
bool SignIsRoundingNoise(const Coefficients& c, double x, double v) {
    double magnitude = 0;
    for (auto it = c.rbegin(); it != c.rend(); ++it) magnitude = magnitude * std::fabs(x) + std::fabs(*it);
    const double bound = 2.0 * static_cast<double>(c.size()) * std::numeric_limits<double>::epsilon() * magnitude;
    return std::isnan(v) || std::fabs(v) <= bound;
}

// The sign of f on interval i of the zeros, from its value v at test point t. Where
// rounding decides that sign, it comes from other points of the interval, and beyond the
// outer zeros from the leading term, so that f > 0 and f < 0 still share the intervals
// out and (x-a)^5 < 0 is (-∞, a) even for a huge a.
int SignOnInterval(const Coefficients& c, const std::vector<double>& points, std::size_t i, double t, double v) {
    if (!SignIsRoundingNoise(c, t, v)) return v > 0 ? 1 : -1;
    std::size_t degree = c.size() - 1;
    while (degree > 0 && c[degree] == 0) --degree;
    if (i == points.size()) return c[degree] > 0 ? 1 : -1;
    if (i == 0) return (c[degree] > 0) == (degree % 2 == 0) ? 1 : -1;
    for (const double share : {0.25, 0.75, 0.125, 0.875}) {
        const double x = points[i - 1] + (points[i] - points[i - 1]) * share;
        const double value = EvaluateAt(c, x);
        if (!SignIsRoundingNoise(c, x, value)) return value > 0 ? 1 : -1;
    }
    return v > 0 ? 1 : -1;
}

Coefficients Product(const Coefficients& a, const Coefficients& b) {
    if (a.empty() || b.empty()) return {};
    Coefficients product(a.size() + b.size() - 1, 0.0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (std::size_t j = 0; j < b.size(); ++j) product[i + j] += a[i] * b[j];
    }
    return product;
}

bool Satisfies(InequalityKind kind, int sign) { return IsGreater(kind) ? sign > 0 : sign < 0; }

std::wstring IntervalAnswer(const SolutionSet& set, std::size_t i) {
    const std::size_t k = set.points.size();
    std::wstring text = i == 0 ? L"(-∞, " : (set.pointIn[i - 1] ? L"[" : L"(") + FormatBound(set.points[i - 1]) + L", ";
    text += i == k ? L"+∞)" : FormatBound(set.points[i]) + (set.pointIn[i] ? L"]" : L")");
    return text;
}

}  // namespace

bool IsGreater(InequalityKind kind) { return kind == kGreater || kind == kGreaterOrEqual; }

bool IsInclusive(InequalityKind kind) { return kind == kGreaterOrEqual || kind == kLessOrEqual; }

std::wstring FunctionText(const InequalityAnalysis& a) {
    if (a.denominator.empty()) return PolynomialToString(a.f);
    return L"(" + PolynomialToString(a.f) + L") / (" + PolynomialToString(a.denominator) + L")";
}

std::wstring FormatBound(double value) {
    if (std::isinf(value)) return value < 0 ? L"-∞" : L"+∞";
    return FormatSignificant(value);
}

const wchar_t* SignText(InequalityKind kind) {
    switch (kind) {
        case kGreater: return L">";
        case kLess: return L"<";
        case kGreaterOrEqual: return L"≥";
        case kLessOrEqual: return L"≤";
    }
    return L">";
}

std::optional<InequalityAnalysis> AnalyzeInequality(const std::wstring& text, ZeroSearchBudget& budget) {
    const std::optional<SignMatch> sign = FindSign(text);
    if (!sign) return std::nullopt;
    InequalityAnalysis a;
    a.kind = sign->kind;
    const std::wstring left = FormulaText(text.substr(0, sign->position));
    const std::wstring right = FormulaText(text.substr(sign->position + sign->length));
    a.refusal = SideProblem(left);
    if (!a.refusal) a.refusal = SideProblem(right);
    for (const std::wstring* side : {&left, &right}) {
        if (!a.refusal && !side->empty() && !HasAReading(*side)) a.refusal = Unreadable(text::kNotComputable);
    }
    if (a.refusal) return a;
    const std::wstring formula = StandardFormText(left, right);
    a.f = ExpandExpression(formula, &a.notes);
    const bool partLeftOut = !a.notes.skipped.empty();  // at a limit: it would count as 0
    // A text that divides by x is a quotient: its sign is that of numerator × denominator,
    // and the zeros of the denominator are cut out of the answer.
    if (a.notes.quotientOnly || a.notes.unread) {
        if (std::optional<RationalForm> q = ExpandRational(formula); q && HasVariableKey(q->denominator)) {
            a.f = std::move(q->numerator);
            a.denominator = std::move(q->denominator);
            a.notes = ExpansionNotes{};
        }
    }
    // A part that is no polynomial (x^0.5), or one past the limits of expansion ((x+1)^10
    // above the highest degree), would leave f without it: no answer then.
    if (a.notes.unread || partLeftOut) {
        a.refusal = InequalityRefusal{KV_STATUS_TOO_COMPLEX, text::kInequalityTooComplex};
        return a;
    }
    const std::optional<Coefficients> c = CoefficientsInX(a.f);
    const std::optional<Coefficients> d = a.denominator.empty() ? Coefficients{1.0} : CoefficientsInX(a.denominator);
    std::optional<std::vector<double>> zeros, poles;
    if (c && d) zeros = Zeros(*c, a.denominator.empty() ? &formula : nullptr, budget);
    if (zeros) poles = Zeros(*d, nullptr, budget);
    if (!zeros || !poles) {
        a.refusal = InequalityRefusal{KV_STATUS_TOO_COMPLEX, text::kInequalityTooComplex};
        return a;
    }
    a.identicallyZero = c->empty();
    Points points = MergedZeros(*zeros, *poles);
    a.set.points = std::move(points.values);
    a.excluded = std::move(points.excluded);
    for (std::size_t j = 0; j < a.set.points.size(); ++j) a.set.pointIn.push_back(IsInclusive(a.kind) && !a.excluded[j]);
    const Coefficients signs = a.denominator.empty() ? *c : Product(*c, *d);  // the sign of f where it is defined
    for (std::size_t i = 0; i <= a.set.points.size(); ++i) {
        const double t = TestPoint(a.set.points, i);
        a.testPoints.push_back(t);
        a.values.push_back(EvaluateAt(*c, t) / EvaluateAt(*d, t));
        // f ≡ 0 is 0 everywhere: only the inclusive kinds hold.
        a.set.intervalIn.push_back(a.identicallyZero
                                       ? IsInclusive(a.kind)
                                       : Satisfies(a.kind, SignOnInterval(signs, a.set.points, i, t, EvaluateAt(signs, t))));
    }
    return a;
}

InequalityResult AnswerOnly(KvStatus status, const wchar_t* message) {
    InequalityResult result;
    result.answer = message;
    result.status = status;
    return result;
}

InequalityResult ResultOfRefusal(const InequalityRefusal& refusal) {
    return AnswerOnly(refusal.status, refusal.message);
}

// 1 from an ordinary zero; from a huge one (1.5e21) a step of 1 is lost in rounding and
// would test the zero itself, whose sign is noise.
double OuterTestDistance(double point) {
    return std::max(kOuterTestDistance, std::fabs(point) * kRelativeOuterTestDistance);
}

double TestPoint(const std::vector<double>& points, std::size_t i) {
    if (points.empty()) return 0;
    if (i == 0) return points.front() - OuterTestDistance(points.front());
    if (i == points.size()) return points.back() + OuterTestDistance(points.back());
    return (points[i - 1] + points[i]) * 0.5;
}

bool IsIsolatedPoint(const SolutionSet& set, std::size_t i) {
    return set.pointIn[i] && !set.intervalIn[i] && !set.intervalIn[i + 1];
}

std::wstring IsolatedPointText(double point) {
    return L"[" + FormatBound(point) + L", " + FormatBound(point) + L"]";
}

std::wstring AnswerText(const SolutionSet& set) {
    std::wstring text;
    const auto add = [&text](const std::wstring& part) { text += (text.empty() ? L"" : L" ∪ ") + part; };
    for (std::size_t i = 0; i < set.intervalIn.size(); ++i) {
        if (set.intervalIn[i]) add(IntervalAnswer(set, i));
        if (i < set.points.size() && IsIsolatedPoint(set, i)) add(IsolatedPointText(set.points[i]));
    }
    return text.empty() ? text::kInequalityEmptySet : text;
}

std::wstring IntervalText(const std::vector<double>& points, std::size_t i) {
    const std::wstring low = i == 0 ? L"-∞" : FormatBound(points[i - 1]);
    const std::wstring high = i == points.size() ? L"+∞" : FormatBound(points[i]);
    return L"(" + low + L", " + high + L")";
}

InequalityResult ResultOf(const SolutionSet& set, InequalityKind kind) {
    InequalityResult result;
    result.points = set.points;
    result.closed = set.pointIn;
    for (const bool in : set.intervalIn) result.selection.push_back(in ? 1 : -1);
    result.answer = AnswerText(set);
    result.kind = kind;
    return result;
}

InequalityResult SolveInequality(const std::wstring& text) {
    if (IsInequalitySystem(text)) return SolveInequalitySystem(text);
    ZeroSearchBudget budget;
    const std::optional<InequalityAnalysis> analysis = AnalyzeInequality(text, budget);
    if (!analysis) return AnswerOnly(KV_STATUS_REFUSED, text::kInequalityNoSign);
    if (analysis->refusal) return ResultOfRefusal(*analysis->refusal);
    InequalityResult result = ResultOf(analysis->set, analysis->kind);
    SetStepsLog(InequalityReport(text, *analysis, result.answer));
    return result;
}

}  // namespace abacor
