// Report pieces shared by the equation, simplification and inequality reports.
#pragma once

#include <string>
#include <string_view>

#include "algebra/formula.h"
#include "core/report.h"

namespace abacor {

// One report line per part the expansion had to leave out.
void AppendExpansionNotes(ReportWriter& report, const ExpansionNotes& notes);
// The same for a report not yet written through ReportWriter.
void AppendExpansionNotes(std::wstring& report, const ExpansionNotes& notes);

// The title, then the input as the user typed it after its label, each followed by an
// empty line.
void OpenReport(ReportWriter& report, std::wstring_view title, std::wstring_view inputLabel, std::wstring_view typed);

// The result section with its one line; nothing follows it.
void AppendResult(ReportWriter& report, std::wstring_view line);

}  // namespace abacor
