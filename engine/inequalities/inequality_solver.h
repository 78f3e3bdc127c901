// One polynomial inequality in x by the interval method, with its six-step report.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "abacor.h"
#include "algebra/formula.h"
#include "algebra/polynomial.h"
#include "inequalities/polynomial_zeros.h"

namespace abacor {

enum InequalityKind : int { kGreater = 0, kLess = 1, kGreaterOrEqual = 2, kLessOrEqual = 3 };

struct InequalityResult {
    std::vector<double> points;           // ascending
    std::vector<bool> closed;             // one per point: it belongs to the solution
    std::vector<std::int32_t> selection;  // one per interval: +1 shaded, -1 not
    std::wstring answer;                  // or an error text
    InequalityKind kind = kGreater;
    KvStatus status = KV_STATUS_ANSWERED;  // what the answer text is
};

// A solution set on the number line: the points cut it into points.size() + 1 open
// intervals (interval 0 left of the first point); each point and each interval either
// belongs to the set or not.
struct SolutionSet {
    std::vector<double> points;
    std::vector<bool> pointIn;
    std::vector<bool> intervalIn;
};

// Why an inequality is not solved, and the message shown instead of an answer.
struct InequalityRefusal {
    KvStatus status;
    const wchar_t* message;
};

// An inequality brought to f(x) ⋚ 0 and solved.
struct InequalityAnalysis {
    InequalityKind kind = kGreater;
    Polynomial f;            // f = numerator / denominator when the text divides by x
    Polynomial denominator;  // empty when f is a polynomial
    ExpansionNotes notes;
    std::optional<InequalityRefusal> refusal;  // then nothing below is filled
    bool identicallyZero = false;
    std::vector<double> testPoints;  // one per interval
    std::vector<double> values;      // f at each test point
    SolutionSet set;                 // its points are the zeros of f and of its denominator
    std::vector<bool> excluded;      // one per point: a zero of the denominator
};

// f(x) as the report writes it: the polynomial, or (numerator) / (denominator).
std::wstring FunctionText(const InequalityAnalysis& a);

bool IsGreater(InequalityKind kind);
bool IsInclusive(InequalityKind kind);

// A bound or a value of f: "-∞" or "+∞" for an infinity only, otherwise FormatSignificant
// (every finite number as itself, a zero of either sign as 0).
std::wstring FormatBound(double value);

// The sign of the text: ">", "<", "≥" or "≤".
const wchar_t* SignText(InequalityKind kind);

// Nothing when the text has no inequality sign. The budget is shared by the
// inequalities of one system.
std::optional<InequalityAnalysis> AnalyzeInequality(const std::wstring& text, ZeroSearchBudget& budget);

// The set as "(a, b] ∪ [c, c] ∪ …" in ascending order, "∅" when it is empty.
// Neighbouring intervals are written separately, each with its own brackets.
std::wstring AnswerText(const SolutionSet& set);

// The point at which interval i of the points is tested: 1 outside the outer points,
// halfway between two; 0 without points. With all zeros known it is never a zero.
double TestPoint(const std::vector<double>& points, std::size_t i);

// A point of the set whose neighbouring intervals are both outside it, and its text "[p, p]".
bool IsIsolatedPoint(const SolutionSet& set, std::size_t i);
std::wstring IsolatedPointText(double point);

// Interval i of the points, always in parentheses: "(-∞, 2)", "(2, 3)", "(-∞, +∞)".
std::wstring IntervalText(const std::vector<double>& points, std::size_t i);

// The number-line form of a set, with the answer text and the kind filled in.
InequalityResult ResultOf(const SolutionSet& set, InequalityKind kind);

// A result with an answer text and nothing to draw: a message, or "∅" of a system.
InequalityResult AnswerOnly(KvStatus status, const wchar_t* message);
InequalityResult ResultOfRefusal(const InequalityRefusal& refusal);

inline constexpr const wchar_t* kInequalitySigns = L"<>≤≥";

// Solves one inequality and replaces the step log with its report (not when the sign is
// missing). A system (IsInequalitySystem) goes to SolveInequalitySystem.
InequalityResult SolveInequality(const std::wstring& text);

}  // namespace abacor
