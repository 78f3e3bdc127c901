// The standard and scientific keypads follow the window: keys, the trigonometric row and
// labels that grow with their keys.
#pragma once

#include <vector>

#include <QFont>
#include <QSize>

#include "keypads.h"

namespace kelvora {

class ControlRegistry;

// The label font of a key of this size on a keypad whose keys open at `openingKey`:
// the base font at the opening size or below, and as much larger as the key is.
QFont KeyLabelFont(const QFont& base, QSize key, QSize openingKey);

// Lays out the keypad of the mode (standard or scientific; others have none) for this
// client size.
void LayOutKeypad(int appMode, QSize client, const ControlRegistry& registry);

}  // namespace kelvora
