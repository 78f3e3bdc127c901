// The standard and scientific keypads acting on the display.
#pragma once

#include "platform.h"

namespace abacor {

// Carries out a key of either keypad and records its status: UNDEFINED when it shows no
// value (nan, the error text, a division by 0), ANSWERED otherwise. Other codes do
// nothing and record nothing. The one-number keys (x², √, 1/x, n!, ±, %, 10ˣ, log, ln,
// |x|, eˣ) act on the last operand of an expression and keep the rest; KV_DISPLAY_PASTE
// puts the paste field's text into the display (control_ids.h says how).
void HandleKeypadButton(KvWindow* display, int buttonId);

// Drops a waiting power or remainder and the last result; the next digit starts an entry.
void ResetKeypad();

}  // namespace abacor
