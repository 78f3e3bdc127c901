// The equation panel's keys (formula input, solving, the report).
#pragma once

#include <string>

namespace abacor {

// Acts on the equation panel's codes; every other code is ignored.
void HandleFormulaButton(int buttonId);

// Every root of the last solve, one line each ("X₁ = 0.5\n"), however many rows the panel
// has: the decimals the rows show, or with exact the exact forms where the roots have them.
// Empty when the last solve answered without roots.
std::wstring EquationRootLines(bool exact);

}  // namespace abacor
