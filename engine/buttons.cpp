#include "buttons.h"

#include "algebra/equation_panel.h"
#include "algebra/quadratic_panel.h"
#include "control_ids.h"
#include "core/fraction_line.h"
#include "core/keypad.h"
#include "core/memory.h"
#include "inequalities/inequality_panel.h"

namespace abacor {

void DispatchButton(KvWindow* display, int buttonId) {
    HandleInequalityButton(buttonId);
    if (buttonId == KV_FRACTION_SOLVE) ProcessFractionLine();
    HandleFormulaButton(buttonId);
    if (buttonId == KV_QUADRATIC_SOLVE) return SolveQuadraticPanel();
    if (IsMemoryButton(buttonId)) return HandleMemoryButton(display, buttonId);
    HandleKeypadButton(display, buttonId);
}

}  // namespace abacor
