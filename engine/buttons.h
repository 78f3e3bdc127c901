// Every button of the program reaches the engine here (ProcessButtonClick): each panel
// gets the codes it knows.
#pragma once

#include "platform.h"

namespace abacor {

// Offers the code to the inequality panel, the fraction line, the equation panel, the
// quadratic panel, the memory keys and the keypads, in that order.
void DispatchButton(KvWindow* display, int buttonId);

}  // namespace abacor
