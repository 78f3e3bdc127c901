#include "algebra/equation_report.h"

#include "core/texts.h"

namespace abacor {

void AppendExpansionNotes(ReportWriter& report, const ExpansionNotes& notes) {
    for (const std::wstring& note : notes.skipped) report.Line(text::kSkippedNote + note);
}

void AppendExpansionNotes(std::wstring& report, const ExpansionNotes& notes) {
    ReportWriter writer(std::move(report));
    AppendExpansionNotes(writer, notes);
    report = writer.Take();
}

void OpenReport(ReportWriter& report, std::wstring_view title, std::wstring_view inputLabel, std::wstring_view typed) {
    report.Title(title).Blank().Text(std::wstring(inputLabel) + std::wstring(typed)).Blank();
}

void AppendResult(ReportWriter& report, std::wstring_view line) {
    report.Open(text::kResultHeading).Line(line).Close(false);
}

}  // namespace abacor
