#include "inequalities/inequality_report.h"

#include "algebra/equation_solver.h"
#include "core/report.h"
#include "core/report_terms.h"
#include "core/texts.h"

namespace abacor {

namespace {

void Opening(ReportWriter& report, const wchar_t* title, const std::wstring& text) {
    report.Title(title).Blank().Text(text::kInequalityOriginal + text).Blank();
}

void Notes(ReportWriter& report, const ExpansionNotes& notes) {
    std::wstring lines;
    AppendExpansionNotes(lines, notes);
    report.Append(lines);
}

std::wstring Count(std::size_t n) { return std::to_wstring(n); }

// f with superscript powers, as the equation reports write it.

std::wstring Restated(InequalityKind kind) { return std::wstring(L"f(x) ") + SignText(kind) + L" 0"; }

void StandardFormStep(ReportWriter& report, const InequalityAnalysis& a) {
    report.Open(text::kInequalityStandardFormHeading);
    report.Line(L"f(x) = " + WithSuperscripts(FunctionText(a)));
    report.Line(Restated(a.kind));
    Notes(report, a.notes);
    report.Close();
}

void ZerosStep(ReportWriter& report, const InequalityAnalysis& a) {
    report.Open(text::kInequalityZerosHeading);
    const std::vector<double>& points = a.set.points;
    if (a.identicallyZero) {
        report.Line(text::kInequalityZeroFunction).Line(text::kInequalityWholeLine);
    } else if (points.empty()) {
        report.Line(text::kInequalityNoZeros).Line(text::kInequalityWholeLine);
    } else {
        report.Line(text::kInequalitySolving + WithSuperscripts(FunctionText(a)) + L" = 0");
        for (std::size_t j = 0; j < points.size(); ++j) {
            report.Line(L"x" + Count(j + 1) + L" = " + FormatBound(points[j]) +
                        (a.excluded[j] ? text::kInequalityExcludedZero : L""));
        }
    }
    report.Close();
}

std::wstring IntervalLabel(std::size_t j) { return L"I" + Subscript(j); }

void IntervalsStep(ReportWriter& report, const InequalityAnalysis& a) {
    report.Open(text::kInequalityIntervalsHeading);
    const std::vector<double>& points = a.set.points;
    if (points.empty()) report.Line(text::kInequalityOneInterval);
    for (std::size_t i = 0; !points.empty() && i <= points.size(); ++i) {
        report.Line(IntervalLabel(i + 1) + L": " + IntervalText(points, i));
    }
    report.Close();
}

std::wstring SignVerdict(double v) {
    if (v > 0) return L" > 0  (+)";
    if (v < 0) return L" < 0  (-)";
    return L" = 0";
}

void SignsStep(ReportWriter& report, const InequalityAnalysis& a) {
    report.Open(text::kInequalitySignsHeading);
    const std::wstring f = FunctionText(a);
    for (std::size_t i = 0; i < a.testPoints.size(); ++i) {
        const std::wstring t = FormatBound(a.testPoints[i]);
        report.Line(IntervalLabel(i + 1) + L": f(" + t + L") = " + Substituted(f, t) + L" = " +
                    FormatBound(a.values[i]) + SignVerdict(a.values[i]));
    }
    report.Close();
}

void SelectionStep(ReportWriter& report, const InequalityAnalysis& a) {
    report.Open(text::kInequalitySelectionHeading);
    report.Line(text::kInequalityLabel + Restated(a.kind) +
                (IsInclusive(a.kind) ? text::kInequalityWithPoints : L""));
    report.Line(std::wstring(text::kInequalityChoosing) + (IsGreater(a.kind) ? L"(+)" : L"(-)") + L":");
    const SolutionSet& set = a.set;
    for (std::size_t i = 0; i < set.intervalIn.size(); ++i) {
        if (set.intervalIn[i]) report.Line(L"✓ " + IntervalText(set.points, i));
    }
    // A zero where f touches the axis belongs to a non-strict answer on its own: it
    // satisfies f(x) = 0, not the sign of the intervals.
    bool zeroPointsOpened = false;
    for (std::size_t i = 0; i < set.points.size(); ++i) {
        if (!IsIsolatedPoint(set, i)) continue;
        if (!zeroPointsOpened) report.Line(text::kInequalityZeroPoints);
        zeroPointsOpened = true;
        report.Line(L"✓ " + IsolatedPointText(set.points[i]));
    }
    report.Close();
}

void AnswerStep(ReportWriter& report, const InequalityAnalysis& a, const std::wstring& answer) {
    report.Open(text::kInequalityAnswerHeading);
    report.Line(L"x ∈ " + answer);
    if (IsInclusive(a.kind)) report.Line(text::kInequalityClosedPoints);
    else if (!a.set.points.empty()) report.Line(text::kInequalityOpenPoints);
    report.Close();
}

void SystemPartSection(ReportWriter& report, const wchar_t* heading, const SystemPart& part) {
    report.Open(heading);
    report.Line(part.text);
    const InequalityAnalysis& a = part.analysis;
    Notes(report, a.notes);
    const std::vector<double>& points = a.set.points;
    if (a.identicallyZero) {
        report.Line(text::kInequalityZeroFunction);
    } else if (points.empty()) {
        report.Line(text::kInequalityNoZerosShort);
    } else {
        report.Line(L"f(x) = " + WithSuperscripts(FunctionText(a)));
        std::wstring zeros = L"f(x) = 0 → x = " + FormatBound(points[0]);
        for (std::size_t j = 1; j < points.size(); ++j) zeros += L", x = " + FormatBound(points[j]);
        report.Line(zeros);
        report.Line(text::kInequalityFunctionSigns);
        for (std::size_t i = 0; i < a.values.size(); ++i) {
            report.Line(L"  " + IntervalText(points, i) + L": " + (a.values[i] > 0 ? L"(+)" : L"(-)"));
        }
    }
    report.Line(text::kInequalityPartSolution + AnswerText(a.set));
    report.Close();
}

// ∩ binds tighter than ∪: a union in an intersection stands in brackets.
std::wstring IntersectionOperand(const SolutionSet& set) {
    const std::wstring text = AnswerText(set);
    return text.find(L" ∪ ") == std::wstring::npos ? text : L"(" + text + L")";
}

}  // namespace

std::wstring InequalityReport(const std::wstring& text, const InequalityAnalysis& analysis,
                              const std::wstring& answer) {
    ReportWriter report;
    Opening(report, text::kInequalityTitle, text);
    StandardFormStep(report, analysis);
    ZerosStep(report, analysis);
    IntervalsStep(report, analysis);
    SignsStep(report, analysis);
    SelectionStep(report, analysis);
    AnswerStep(report, analysis, answer);
    return report.Title(text::kSolvedBanner).Take();
}

std::wstring SystemReport(const std::wstring& text, const SystemPart& first, const SystemPart& second,
                          const std::wstring& answer) {
    ReportWriter report;
    Opening(report, text::kInequalitySystemTitle, text);
    SystemPartSection(report, text::kInequalityFirstHeading, first);
    SystemPartSection(report, text::kInequalitySecondHeading, second);
    report.Open(text::kInequalityIntersectionHeading);
    report.Line(IntersectionOperand(first.analysis.set) + L" ∩ " + IntersectionOperand(second.analysis.set));
    report.Line(text::kInequalityIntersection);
    report.Line(answer);
    report.Close();
    return report.Title(text::kSolvedBanner).Take();
}

}  // namespace abacor
