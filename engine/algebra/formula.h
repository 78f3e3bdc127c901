// Formula text: validation with the engine's messages, and expansion into polynomials.
#pragma once

#include <string>
#include <vector>

#include "algebra/polynomial.h"

namespace abacor {

// What an expansion left out because it went past the engine's size limits (too many
// terms, too high an exponent); each entry is a short Russian description for reports.
struct ExpansionNotes {
    std::vector<std::wstring> skipped;
};

// True when the text passes every check; otherwise shows the first problem in a
// message box (no owner, the error caption, warning icon) and returns false.
bool ValidateFormula(const wchar_t* text);
void ShowFormulaError(const std::wstring& message);
std::wstring StripSpaces(const std::wstring& text);

// The expanded polynomial of a formula in caret form. Never fails: unreadable parts are
// skipped; parts beyond the size limits are dropped and described in `notes`.
Polynomial ExpandExpression(const std::wstring& text, ExpansionNotes* notes = nullptr);
// The same within a budget shared with other expansions (one solve of a system).
Polynomial ExpandExpression(const std::wstring& text, WorkBudget& budget, ExpansionNotes* notes);
Polynomial ExpandSummand(const std::wstring& text, ExpansionNotes* notes = nullptr);
// Reads one monomial term at `position` (advanced past it) into `target`; false when
// the position is already at the end.
bool ParseTerm(const std::wstring& text, std::size_t& position, Polynomial& target);

}  // namespace abacor
