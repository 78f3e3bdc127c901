// The inequality panel's keys (input, solving, the number line).
#pragma once

namespace abacor {

// Acts on the inequality panel's codes when the panel exists; otherwise does nothing.
void HandleInequalityButton(int buttonId);

}  // namespace abacor
