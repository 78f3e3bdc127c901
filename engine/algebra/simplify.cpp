#include "algebra/equation_solver.h"
#include "algebra/polynomial.h"
#include "core/texts.h"

namespace abacor {

EquationResult SimplifyExpression(const std::wstring& typed) {
    ReportWriter report;
    OpenReport(report, text::kSimplificationTitle, text::kOriginalExpression, typed);
    ExpansionNotes notes;
    const std::wstring simplified =
        CaretToSuperscript(PolynomialToString(ExpandExpression(SuperscriptToCaret(typed), &notes)));
    report.Open(text::kSimplifyHeading).Line(text::kSimplifiedResult + simplified);
    AppendExpansionNotes(report, notes);
    report.Close(false).Blank().Title(text::kSimplifiedBanner);
    return {{AnswerRow{text::kSimplifiedLabel, simplified}}, report.Take(), KV_STATUS_ANSWERED};
}

}  // namespace abacor
