#include "algebra/equation_panel.h"

namespace abacor {

// The equation panel is not built yet: its codes fall through the keypad untouched.
void HandleFormulaButton(int /*buttonId*/) {}

}  // namespace abacor
