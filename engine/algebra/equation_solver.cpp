#include "algebra/equation_solver.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "algebra/denominators.h"
#include "algebra/exact_in_x.h"
#include "algebra/exact_reading.h"
#include "algebra/higher_degree.h"
#include "algebra/polynomial.h"
#include "core/blanks.h"
#include "core/evaluator.h"
#include "core/expression_syntax.h"
#include "core/number_format.h"
#include "core/report_terms.h"
#include "core/texts.h"

namespace abacor {

namespace {

constexpr std::size_t kAnswerRows = 4;

// Beyond exact work, a root whose two sides differ by less than this passes the
// substitution check.
constexpr double kCheckTolerance = 1e-6;

struct Sides {
    std::wstring left;
    std::wstring right;
};

// The two sides expanded, and P = left − right.
struct Expansion {
    // p is the equation's: no part left out at a limit, none without a polynomial reading
    // (x^0.5, 2^x), no quotient kept without its remainder (1/x inside brackets).
    bool exact = true;
    Polynomial left;
    Polynomial right;
    Polynomial p;
};

std::wstring Shown(const Polynomial& polynomial) { return WithSuperscripts(PolynomialToString(polynomial)); }

bool MentionsOtherVariable(const std::wstring& text) { return text.find_first_of(L"yYzZ") != std::wstring::npos; }

// The first row carries a verdict instead of a root; its label keeps its text.
EquationResult Verdict(ReportWriter& report, const wchar_t* verdict, KvStatus status) {
    return {{AnswerRow{std::nullopt, verdict}}, report.Take(), status};
}

void AppendSplitStep(ReportWriter& report, const Sides& sides) {
    report.Open(text::kSplitHeading)
        .Line(text::kLeftSide + WithSuperscripts(sides.left))
        .Line(text::kRightSide + WithSuperscripts(sides.right))
        .Close();
}

// Steps 2 and 3: both sides expanded, then everything moved to the left.
Expansion ExpandSides(ReportWriter& report, const Sides& sides) {
    Expansion e;
    ExpansionNotes notes;
    e.left = ExpandExpression(sides.left, &notes);
    e.right = ExpandExpression(sides.right, &notes);
    e.exact = notes.exact();
    // Sides that read exactly carry no rounding noise, and no number is lost however
    // small it is (x^2 = 0.00000000000001).
    const auto exactLeft = notes.skipped.empty() ? ReadExactInX(sides.left, kExactSearchMaxDegree) : std::nullopt;
    const auto exactRight = exactLeft ? ReadExactInX(sides.right, kExactSearchMaxDegree) : std::nullopt;
    if (exactRight) {
        e.left = NearestInDoubles(*exactLeft);
        e.right = NearestInDoubles(*exactRight);
    }
    report.Open(text::kExpandHeading)
        .Line(text::kLeftSide + Shown(e.left))
        .Line(text::kRightSide + Shown(e.right));
    AppendExpansionNotes(report, notes);
    report.Close();

    report.Open(text::kMoveLeftHeading).Line(L"(" + Shown(e.left) + L") - (" + Shown(e.right) + L") = 0");
    if (exactRight) {
        e.p = NearestInDoubles(*exactLeft - *exactRight);
    } else {
        AddPolynomials(e.p, e.left);
        SubtractPolynomials(e.p, e.right);
        RemoveZeroTerms(e.p);
    }
    report.Line(Shown(e.p) + L" = 0").Close();
    return e;
}

bool AllCoefficientsFinite(const Polynomial& p) {
    return std::all_of(p.begin(), p.end(), [](const auto& term) { return std::isfinite(term.second); });
}

// Numbers beyond the range of a double (.6^9339, or a discriminant of 1e200²) leave no
// root that could be shown.
EquationResult TooLarge(ReportWriter& report) {
    AppendResult(report, text::kTooLarge);
    return Verdict(report, text::kTooLarge, KV_STATUS_TOO_LARGE);
}

// The denominators with a letter of the equation as the user wrote it, before any
// rewrite multiplied them away.
std::vector<Polynomial> OriginalDenominators(const Sides& original) {
    std::vector<Polynomial> denominators;
    for (const std::wstring* side : {&original.left, &original.right}) {
        for (const std::wstring& text : DenominatorsWithLetters(*side)) {
            denominators.push_back(ExpandExpression(text, nullptr));
        }
    }
    return denominators;
}

std::wstring ExcludedValueText(const RealRoot& root) {
    const std::wstring form = ReadableExactForm(root);
    return text::kExcludedValue + (form.empty() ? FormatAnswer(root.value) : form);
}

// "x ∈ ℝ", or "x ∈ ℝ, x ≠ -1, x ≠ 0" where denominators of the equation as typed vanish:
// clearing them made an identity of an equation that has no value there. Zeros that cannot
// be found in time are still said to be excluded.
std::wstring EveryNumberInDomain(const Sides& original) {
    std::wstring answer = text::kEveryNumber;
    const std::vector<Polynomial> denominators = OriginalDenominators(original);
    if (denominators.empty()) return answer;
    const std::optional<std::vector<RealRoot>> excluded = CommonZeros(denominators);
    if (!excluded) return answer + text::kExceptDenominatorZeros;
    for (const RealRoot& root : *excluded) answer += ExcludedValueText(root);
    return answer;
}

// An identity: the report's result line names the domain when it is not every number.
EquationResult Identity(const Sides& original, const wchar_t* resultLine, ReportWriter& report) {
    const std::wstring answer = EveryNumberInDomain(original);
    AppendResult(report, answer == text::kEveryNumber
                             ? std::wstring(resultLine)
                             : text::kAlwaysHoldsInDomain + answer + text::kAlwaysHoldsInDomainClose);
    return {{AnswerRow{std::nullopt, answer}}, report.Take(), KV_STATUS_ANSWERED};
}

// No x left: either a false statement about numbers or one that always holds.
EquationResult WithoutX(const Polynomial& p, const Sides& original, ReportWriter& report) {
    const double c = Coefficient(p, kConstKey);
    if (std::fabs(c) < kZeroTolerance) return Identity(original, text::kAlwaysHolds, report);
    AppendResult(report, Ng(c) + text::kNeverHolds);
    return Verdict(report, text::kNoSolutions, KV_STATUS_ANSWERED);
}

bool IsLinearKey(const MonomialKey& key) {
    return key.find(L"x1") != std::wstring::npos && key.find(L"x2") == std::wstring::npos;
}

std::vector<double> SolveLinear(const Polynomial& p, ReportWriter& report) {
    double b = 0;
    for (const auto& [key, coefficient] : p) {
        if (IsLinearKey(key)) {
            b = coefficient;
            break;
        }
    }
    const double c = Coefficient(p, kConstKey);
    const double x = WithoutNegativeZero(-c / b);
    report.Open(text::kLinearHeading)
        .Line(text::kLinearType)
        .Gap()
        .Line(CoefficientTerm(b, L"x", Nf) + FollowingTerm(c, Ng) + L" = 0");
    // With b = 1 the moved term is already the answer, and x = 0 is one itself.
    if (b == 1) {
        if (c != 0) report.Gap().Line(L"x = " + FormatAnswer(x));
        report.Close(false);
        return {x};
    }
    const std::wstring moved = Ng(WithoutNegativeZero(-c));
    report.Gap();
    // Without a free term there is nothing to move: the line above already reads bx = 0.
    if (c != 0) report.Line(CoefficientTerm(b, L"x", Nf) + L" = " + moved).Gap();
    report.Line(L"x = " + Quotient(moved, Nf(b)))
        .Line(L"x = " + FormatAnswer(x))
        .Close(false);
    return {x};
}

// The coefficient of the last key (in key order) that passes the test; 0 when none does.
template <typename KeyTest>
double LastCoefficient(const Polynomial& p, KeyTest test) {
    double found = 0;
    for (const auto& [key, coefficient] : p) {
        if (test(key)) found = coefficient;
    }
    return found;
}

// "(2·3)", "(2·(-1))": the denominator 2a with a substituted.
std::wstring TwiceA(double a) { return L"(2·" + Operand(a, Ng) + L")"; }

// -b substituted, its sign folded: "5" for b = -5.
std::wstring MinusB(double b) { return Ng(WithoutNegativeZero(-b)); }

void AppendTwoRoots(ReportWriter& report, double a, double b, double s, double x1, double x2) {
    report.Line(text::kPositiveDiscriminant)
        .Gap()
        .Line(L"√D = " + Ng(s))
        .Gap()
        .Line(L"x₁ = (-b + √D) / (2a)")
        .Line(L"x₁ = (" + MinusB(b) + L" + " + Ng(s) + L") / " + TwiceA(a))
        .Line(L"x₁ = " + FormatAnswer(x1))
        .Gap()
        .Line(L"x₂ = (-b - √D) / (2a)")
        .Line(L"x₂ = (" + MinusB(b) + L" - " + Ng(s) + L") / " + TwiceA(a))
        .Line(L"x₂ = " + FormatAnswer(x2));
}

// The roots of a quadratic; none at all (not even an empty list) when D < 0.
// D is 0 when it is rounding noise of b² - 4ac, measured against those two: a fixed
// tolerance would call x² = 0.00000000000001 a double root.
bool IsZeroDiscriminant(double b, double fourAc, double d) {
    constexpr double kRelativeNoise = 1e-12;
    return std::isfinite(d) && std::fabs(d) <= kRelativeNoise * std::max(b * b, std::fabs(fourAc));
}

std::optional<std::vector<double>> SolveQuadratic(const Polynomial& p, ReportWriter& report) {
    const double a = LastCoefficient(p, [](const MonomialKey& key) { return key.find(L"x2") != std::wstring::npos; });
    const double b = LastCoefficient(p, IsLinearKey);
    const double c = Coefficient(p, kConstKey);
    const double d = b * b - (a * 4) * c;
    report.Open(text::kQuadraticHeading)
        .Line(text::kQuadraticType)
        .Gap()
        .Line(text::kQuadraticForm)
        .Gap()
        .Line(L"a = " + Ng(a))
        .Line(L"b = " + Ng(b))
        .Line(L"c = " + Ng(c))
        .Gap()
        .Line(text::kDiscriminantFormula)
        .Line(L"D = " + Operand(b, Ng) + L"² - 4·" + Operand(a, Ng) + L"·" + Operand(c, Ng));
    // With c = 0 the products leave nothing to add: D is b² at once.
    if (a * 4 * c != 0) report.Line(L"D = " + Nf(b * b) + FollowingTerm(-(a * 4 * c), Nf));
    report.Line(L"D = " + Nf(d)).Gap();
    const bool zero = IsZeroDiscriminant(b, a * 4 * c, d);
    if (d < 0 && !zero) {
        report.Line(text::kNegativeDiscriminant).Close(false);
        return std::nullopt;
    }
    std::vector<double> roots;
    if (zero) {
        const double x = WithoutNegativeZero(-b / (a + a));
        report.Line(text::kZeroDiscriminant)
            .Gap()
            .Line(L"x = -b / (2a)")
            .Line(L"x = " + MinusB(b) + L" / " + TwiceA(a))
            .Line(L"x = " + FormatAnswer(x) + MultiplicityText(2));
        roots = {x};
    } else {
        const double s = std::sqrt(d);
        const double x1 = WithoutNegativeZero((s - b) / (a + a));
        const double x2 = WithoutNegativeZero((-b - s) / (a + a));
        AppendTwoRoots(report, a, b, s, x1, x2);
        roots = {x1, x2};
    }
    report.Close(false);
    return roots;
}

std::optional<std::vector<double>> SolveByDegree(const Polynomial& p, int degree,
                                                 const std::optional<std::vector<RealRoot>>& exact, ReportWriter& report) {
    if (degree == 1) return SolveLinear(p, report);
    if (degree == 2) return SolveQuadratic(p, report);
    return SolveHigherDegree(p, degree, exact, report);
}

bool MakesADenominatorZero(double root, const std::vector<Polynomial>& denominators) {
    return std::any_of(denominators.begin(), denominators.end(), [root](const Polynomial& d) {
        return std::fabs(EvaluatePolynomial(d, root, 0)) < kZeroTolerance;
    });
}

void AppendExtraneous(ReportWriter& report, const std::vector<double>& rejected, bool noneLeft) {
    report.Blank().Open(text::kExtraneousHeading);
    for (double root : rejected) {
        report.Line(L"x = " + FormatFaithfully(root, FormatNumber, kNumberBufferText) + text::kExtraneousRoot);
    }
    if (noneLeft) report.Gap().Line(text::kNoOtherRoots);
    report.Close(false);
}

// Clearing denominators multiplies both sides by expressions that may vanish; a root
// where one of them does is not a solution of the equation that was asked.
std::vector<double> RejectExtraneous(const std::vector<double>& roots, const Sides& original, ReportWriter& report) {
    const std::vector<Polynomial> denominators = OriginalDenominators(original);
    std::vector<double> accepted;
    std::vector<double> rejected;
    for (double root : roots) (MakesADenominatorZero(root, denominators) ? rejected : accepted).push_back(root);
    if (!rejected.empty()) AppendExtraneous(report, rejected, accepted.empty());
    return accepted;
}

// No root is dropped without a word: when they do not fit, the last row counts the rest.
std::vector<AnswerRow> RootRows(const std::vector<double>& roots) {
    const bool overflow = roots.size() > kAnswerRows;
    const std::size_t n = overflow ? kAnswerRows - 1 : roots.size();
    std::vector<AnswerRow> rows;
    for (std::size_t i = 0; i < n; ++i) rows.push_back({RootLabel(i, roots.size()), FormatAnswer(roots[i])});
    if (overflow) {
        rows.push_back({text::kMoreRootsLabel,
                        text::kMoreRootsPrefix + std::to_wstring(roots.size() - n) + text::kMoreRootsSuffix});
    }
    return rows;
}

// Each root's exact form is that of the exact root it stands for, so a quadratic's
// formula root reads as "√2" although its decimal came from the formula.
std::vector<ShownRoot> ShownRoots(const std::vector<double>& roots, const std::optional<std::vector<RealRoot>>& exact) {
    std::vector<ShownRoot> shown;
    for (double root : roots) {
        const RealRoot* match = exact ? ShownExactRoot(*exact, root) : nullptr;
        const std::wstring form = match ? ReadableExactForm(*match) : std::wstring();
        const std::wstring decimal = FormatAnswer(root);
        shown.push_back({decimal, form.empty() ? decimal : form});
    }
    return shown;
}

// A root passes the check against P's exact roots where they are known, so that no false
// root is ever marked right; by the sides' difference otherwise.
bool PassesCheck(const std::optional<std::vector<RealRoot>>& exact, double root, double left, double right) {
    return exact ? IsShownRoot(*exact, root) : std::fabs(left - right) < kCheckTolerance;
}

// A side as the student typed it (caret powers), read once for every root checked.
struct TypedSide {
    std::wstring text;
    FormulaTree tree;
};

TypedSide ReadTypedSide(const std::wstring& text) {
    return {text, ReadFormula(std::wstring_view(text), "x")};
}

// The typed side's value at the root; the expanded side's where the typed one has none.
double SideValue(const TypedSide& side, const Polynomial& expanded, double root) {
    if (side.tree.read()) {
        const Evaluated value = EvaluateFormula(side.tree, root);
        if (value.fault == Fault::None) return value.value;
    }
    return EvaluatePolynomial(expanded, root, 0);
}

// The check is made on the equation as typed: a rewrite that cleared denominators would
// check an equation the student never wrote.
void AppendSubstitutionCheck(ReportWriter& report, const std::vector<double>& roots, const Sides& typed,
                             const Expansion& e, const std::optional<std::vector<RealRoot>>& exact) {
    const std::size_t n = roots.size();
    const TypedSide left = ReadTypedSide(typed.left);
    const TypedSide right = ReadTypedSide(typed.right);
    report.Blank().Open(text::kSubstitutionHeading);
    for (std::size_t j = 0; j < n; ++j) {
        const double v = roots[j];
        const std::wstring shown = FormatAnswer(v);
        const double vl = SideValue(left, e.left, v);
        const double vr = SideValue(right, e.right, v);
        const std::wstring name = n == 1 ? L"x" : L"x" + std::to_wstring(j + 1);
        report.Gap()
            .Line(name + L" = " + shown + L":")
            .Line(L"  " + Substituted(left.text, shown) + L" = " + Substituted(right.text, shown))
            .Line(L"  " + FormatCheckValue(vl) + L" = " + FormatCheckValue(vr) +
                  (PassesCheck(exact, v, vl, vr) ? text::kCheckPasses : text::kCheckFails));
    }
    report.Close(false);
}

// Steps 4 and 5 for an equation that still has x in it.
EquationResult SolveForX(const Sides& typed, const Sides& original, const Sides& sides, const Expansion& e,
                         ReportWriter& report) {
    const std::optional<std::vector<RealRoot>> exact = ExactRootsOfSides(sides.left, sides.right, e.p);
    const std::optional<std::vector<double>> roots = SolveByDegree(e.p, DegreeInX(e.p), exact, report);
    if (!roots) return {{AnswerRow{text::kRootLabel, text::kNoRealRoots}}, report.Take(), KV_STATUS_ANSWERED};
    if (!std::all_of(roots->begin(), roots->end(), [](double root) { return std::isfinite(root); })) {
        return TooLarge(report);
    }
    const std::vector<double> accepted = RejectExtraneous(*roots, original, report);
    EquationResult result;
    // Only exact isolation can say there is no real root; the search alone may miss some.
    if (roots->empty() && exact) result.rows = {AnswerRow{text::kRootLabel, text::kNoRealRoots}};
    if (accepted.empty() && !roots->empty()) result.rows = {AnswerRow{std::nullopt, text::kNoSolutions}};
    if (!accepted.empty()) {
        result.rows = RootRows(accepted);
        result.roots = ShownRoots(accepted, exact);
        AppendSubstitutionCheck(report, accepted, typed, e, exact);
    }
    result.report = report.Banner().Take();
    return result;
}

}  // namespace

std::wstring RootLabel(std::size_t index, std::size_t count) {
    if (count == 1) return text::kRootLabel;
    if (index < std::size(text::kRootLabels)) return text::kRootLabels[index];
    static constexpr wchar_t kSubscripts[] = L"₀₁₂₃₄₅₆₇₈₉";
    std::wstring number;
    for (wchar_t digit : std::to_wstring(index + 1)) number += kSubscripts[digit - L'0'];
    return text::kRootLabelLetter + number + text::kRootLabelEnd;
}

EquationResult SolveEquation(const std::wstring& typed) {
    const std::wstring t = SuperscriptToCaret(typed);
    const std::size_t equals = t.find(L'=');
    if (equals == std::wstring::npos) return SimplifyExpression(typed);

    ReportWriter report;
    OpenReport(report, text::kEquationTitle, text::kOriginalEquation, typed);
    if (t.find(L'=', equals + 1) != std::wstring::npos) return Verdict(report, text::kTwoEqualsSigns, KV_STATUS_REFUSED);
    if (MentionsOtherVariable(t)) {
        AppendResult(report, text::kOnlyX);
        return Verdict(report, text::kOnlyX, KV_STATUS_REFUSED);
    }
    const Sides typedSides{TrimBlanks(t.substr(0, equals)), TrimBlanks(t.substr(equals + 1))};
    const Sides original{WithExplicitDivisions(typedSides.left), WithExplicitDivisions(typedSides.right)};
    Sides sides = original;
    ClearDenominators(sides.left, sides.right, report);
    AppendSplitStep(report, sides);
    const Expansion e = ExpandSides(report, sides);
    // Otherwise what is left is another equation: a part left out counts as 0 ((x+1)^10 = 0
    // would read 0 = 0, x^0.5 = 2 would read 0 = 2).
    if (!e.exact) {
        AppendResult(report, text::kEquationTooComplex);
        return Verdict(report, text::kEquationTooComplex, KV_STATUS_TOO_COMPLEX);
    }
    if (!AllCoefficientsFinite(e.p)) return TooLarge(report);
    if (e.p.empty()) return Identity(original, text::kAlwaysHoldsForAll, report);
    if (DegreeInX(e.p) == 0) return WithoutX(e.p, original, report);
    return SolveForX(typedSides, original, sides, e, report);
}

}  // namespace abacor
