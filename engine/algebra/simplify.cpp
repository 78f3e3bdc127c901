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
    // A polynomial that leaves a part out is no simplified form of the text ((x+1)^10 is
    // no 0, x/(x+1) no 1).
    if (!notes.exact()) {
        report.Close(false);
        AppendResult(report, text::kExpressionTooComplex);
        return {{AnswerRow{std::wstring(), text::kExpressionTooComplex}}, report.Take(), KV_STATUS_TOO_COMPLEX};
    }
    report.Close(false).Blank().Title(text::kSimplifiedBanner);
    return {{AnswerRow{text::kSimplifiedLabel, simplified}}, report.Take(), KV_STATUS_ANSWERED};
}

}  // namespace abacor
