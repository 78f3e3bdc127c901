// The scientific keypad's trigonometric keys and their angle unit.
#pragma once

#include <optional>

#include "platform.h"

namespace abacor {

// The value of a trigonometric key's function at x, with angles in degrees or radians;
// none outside its domain (tan 90°, asin 2) or for a code that is no such function.
std::optional<double> TrigValue(int buttonId, double x, bool degrees);

// sin, cos, tan or one of their inverses.
bool IsTrigFunctionKey(int buttonId);

// Carries out a trigonometric key or an angle unit key and records its status; false for
// any other code, which it leaves alone.
bool HandleTrigKey(KvWindow* display, int buttonId);

}  // namespace abacor
