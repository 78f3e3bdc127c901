// Formula text: validation with the engine's messages, and expansion into polynomials.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "algebra/polynomial.h"

namespace abacor {

// What an expansion left out because it went past the engine's size limits (too many
// terms, too high an exponent); each entry is a short Russian description for reports.
struct ExpansionNotes {
    std::vector<std::wstring> skipped;
    bool unread = false;        // some part is no polynomial (a function, x^0.5): left out
    bool quotientOnly = false;  // a division by x (or by 0) kept only its quotient (or dividend)

    // The polynomial has the value of the text wherever the text has one.
    bool exact() const { return skipped.empty() && !unread && !quotientOnly; }
};

// True when the text passes every check; otherwise shows the first problem in a
// message box (no owner, the error caption, warning icon) and returns false.
bool ValidateFormula(const wchar_t* text);
void ShowFormulaError(const std::wstring& message);
std::wstring StripSpaces(const std::wstring& text);
// The text with ':' written as '/' and a '*' written where an implied product follows a
// quotient (1/2x is 1/2*x), so that whoever reads its fractions from the text finds the
// divisors the formula reader finds.
std::wstring WithExplicitDivisions(const std::wstring& text);

// The expanded polynomial of a formula in caret form, read as the evaluator reads it. Never
// fails: parts that are no polynomial are left out, parts beyond the size limits are
// dropped and described in `notes`.
Polynomial ExpandExpression(const std::wstring& text, ExpansionNotes* notes = nullptr);
// The same within a budget shared with other expansions (one solve of a system).
Polynomial ExpandExpression(const std::wstring& text, WorkBudget& budget, ExpansionNotes* notes);

// A formula as a quotient of two polynomials, numerator / denominator, for texts that
// divide by x (1/x, (x+1)/(x-2), x^-2). Empty when some part is no such quotient (a
// function, an exponent that is not a whole number) or goes past the size limits.
struct RationalForm {
    Polynomial numerator;
    Polynomial denominator;
};
std::optional<RationalForm> ExpandRational(const std::wstring& text);

// The formula reader finds a reading of the text (x, y and z as unknowns).
bool HasAReading(const std::wstring& text);

}  // namespace abacor
