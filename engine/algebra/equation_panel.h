// The equation panel's keys (formula input, solving, the report).
#pragma once

namespace abacor {

// Acts on the equation panel's codes; every other code is ignored.
void HandleFormulaButton(int buttonId);

}  // namespace abacor
