// Denominators with x: the rewrites that clear them before an equation is expanded,
// and the denominators of the original equation for rejecting extraneous roots.
#pragma once

#include <string>
#include <vector>

#include "core/report.h"

namespace abacor {

// Rewrites the two sides (caret form) so that no denominator with x remains: the
// equal-denominator rule, step 0 and the clearing of fractions with x, appending each
// rewrite's section to the report.
void ClearDenominators(std::wstring& left, std::wstring& right, ReportWriter& report);

// The texts of the denominators that contain a letter in one side of an equation (caret
// form), outer brackets removed: "x/(x-1) + 2/x" gives "x-1" and "x".
std::vector<std::wstring> DenominatorsWithLetters(const std::wstring& side);

// Removes brackets that enclose the whole text, as often as they do: "((x+1))" gives
// "x+1"; "(x+1)*(x-1)" stays as it is.
std::wstring StripOuterBrackets(std::wstring text);

}  // namespace abacor
