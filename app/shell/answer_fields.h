// Answers and messages are never cut off: a read-only answer field widens toward the
// window's right edge as far as the controls beside it allow (and narrows back to its
// own width for a shorter text or a narrower window), shows the start of its text, and
// holds the whole text in its tooltip.
#pragma once

class QLineEdit;

namespace kelvora {

class ControlRegistry;

// The width the field needs for its whole text.
int TextWidth(const QLineEdit& field);

// Keeps every read-only field of the registry fitted from now on: after its text, its
// size or its window's size changes.
void FitAnswerFields(const ControlRegistry& registry);

}  // namespace kelvora
