#include "inequalities/inequality_panel.h"

namespace abacor {

// The inequality panel is not built yet: its codes fall through the keypad untouched.
void HandleInequalityButton(int /*buttonId*/) {}

}  // namespace abacor
