// Systems of linear equations by Gaussian elimination with partial pivoting, with the
// whole report in the step log and the answer lines for the program's systems panel.
#pragma once

#include <string>

namespace abacor {

// Solves the equations separated by ";", replaces the step log with the report (or with
// the one-line message that ended the solve) and records the status: answered only with
// answer lines.
void SolveLinearSystem(const std::wstring& text);

// The answer lines of the current report ("  x = 2\n" per variable); empty when it has
// no answer.
std::wstring SystemResult();

}  // namespace abacor
