#include "inequalities/inequality_system.h"

#include <algorithm>
#include <cmath>

#include "core/blanks.h"
#include "core/steps_window.h"
#include "core/texts.h"
#include "inequalities/inequality_report.h"
#include "inequalities/polynomial_zeros.h"

namespace abacor {

namespace {

// The inequalities between the separators; a separator is a run of "&" ("&&" included)
// with the blanks around it.
std::vector<std::wstring> SplitInequalities(const std::wstring& text) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t separator = text.find(L'&', start);
        parts.push_back(TrimBlanks(text.substr(start, separator - start)));
        if (separator == std::wstring::npos) return parts;
        start = text.find_first_not_of(L'&', separator);
        if (start == std::wstring::npos) start = text.size();
    }
}

// "1<x<3" (or "0≤2x+1<5") is the system 1<x & x<3: the middle part belongs to both. The
// first inequality ends before the second sign, the second starts after the first sign.
std::vector<std::wstring> SplitDoubleInequality(const std::wstring& text) {
    const std::size_t first = text.find_first_of(kInequalitySigns);
    const std::size_t second = text.find_first_of(kInequalitySigns, first + 1);
    const bool typedWithEquals = (text[first] == L'<' || text[first] == L'>') && text[first + 1] == L'=';
    const std::size_t afterFirst = first + (typedWithEquals ? 2 : 1);
    return {TrimBlanks(text.substr(0, second)), TrimBlanks(text.substr(afterFirst))};
}

bool IsInequalitySign(wchar_t c) { return std::wstring_view(kInequalitySigns).find(c) != std::wstring_view::npos; }

// Whether x, which is none of the set's points, lies in the set.
bool IntervalContains(const SolutionSet& set, double x) {
    const auto below = std::lower_bound(set.points.begin(), set.points.end(), x) - set.points.begin();
    return set.intervalIn[static_cast<std::size_t>(below)];
}

bool PointContained(const SolutionSet& set, double x) {
    for (std::size_t j = 0; j < set.points.size(); ++j) {
        if (std::fabs(set.points[j] - x) < kSameZero) return set.pointIn[j];
    }
    return IntervalContains(set, x);
}

std::vector<double> MergedPoints(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> points = a;
    for (const double p : b) {
        const bool known = std::any_of(a.begin(), a.end(), [p](double q) { return std::fabs(p - q) < kSameZero; });
        if (!known) points.push_back(p);
    }
    std::sort(points.begin(), points.end());
    return points;
}

bool IsEmpty(const SolutionSet& set) {
    const auto none = [](const std::vector<bool>& flags) {
        return std::find(flags.begin(), flags.end(), true) == flags.end();
    };
    return none(set.pointIn) && none(set.intervalIn);
}

}  // namespace

bool IsInequalitySystem(const std::wstring& text) {
    return text.find(L'&') != std::wstring::npos || std::count_if(text.begin(), text.end(), IsInequalitySign) == 2;
}

SolutionSet Intersect(const SolutionSet& a, const SolutionSet& b) {
    SolutionSet both;
    both.points = MergedPoints(a.points, b.points);
    for (const double p : both.points) both.pointIn.push_back(PointContained(a, p) && PointContained(b, p));
    for (std::size_t i = 0; i <= both.points.size(); ++i) {
        const double x = TestPoint(both.points, i);
        both.intervalIn.push_back(IntervalContains(a, x) && IntervalContains(b, x));
    }
    return both;
}

// A system is two inequalities: a solve must stay within the engine's time limit, and
// every inequality costs an expansion of its own.
InequalityResult SolveInequalitySystem(const std::wstring& text) {
    if (!IsInequalitySystem(text)) return SolveInequality(text);
    const std::vector<std::wstring> texts =
        text.find(L'&') != std::wstring::npos ? SplitInequalities(text) : SplitDoubleInequality(text);
    const InequalityRefusal badFormat{KV_STATUS_REFUSED, text::kInequalityBadSystem};
    if (texts.size() > 2) return ResultOfRefusal(badFormat);
    ZeroSearchBudget budget;
    std::optional<InequalityAnalysis> first = AnalyzeInequality(texts[0], budget);
    std::optional<InequalityAnalysis> second = AnalyzeInequality(texts[1], budget);
    if (!first || !second) return ResultOfRefusal(badFormat);
    if (first->refusal) return ResultOfRefusal(*first->refusal);
    if (second->refusal) return ResultOfRefusal(*second->refusal);

    const SolutionSet both = Intersect(first->set, second->set);
    const InequalityResult result =
        IsEmpty(both) ? AnswerOnly(KV_STATUS_ANSWERED, text::kInequalityEmptySet) : ResultOf(both, kGreater);
    SetStepsLog(SystemReport(text, {texts[0], *first}, {texts[1], *second}, result.answer));
    return result;
}

}  // namespace abacor
