// The scientific keypad's row of trigonometric keys: sin, cos and tan (their inverses
// while "2nd" is down) and the degrees/radians switch, above the keypad's first row.
#pragma once

#include <vector>

#include <QRect>

#include "controls.h"
#include "keypads.h"

namespace kelvora {

class ControlRegistry;

// Creates the row hidden, with the switch on degrees (and tells the library so).
void CreateTrigRow(const Controls& controls, const CommandSink& command);

// Shows the row with "2nd" up: sin, cos and tan, not their inverses.
void ShowTrigRow(const ControlRegistry& registry);

// The row above the keypad key at `firstKey` (π), in the keypad's columns and gap, as tall
// as the keys where there is room, lower where it would reach above `floor` (the first
// row of pixels free under the memory keys).
std::vector<Placement> TrigRowLayout(QRect firstKey, int gap, int floor);

}  // namespace kelvora
