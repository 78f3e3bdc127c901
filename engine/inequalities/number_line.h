// The solution set of the last inequality as a number line: drawn on a canvas, or handed
// over as its points and shading.
#pragma once

#include "abacor.h"

namespace abacor {

// Draws into rect; 1 when there was something to draw.
int DrawNumberLineInto(KvCanvas* canvas, KvRect rect);
// Up to capacity points (ascending) and closed flags; null arrays are skipped. Returns the
// full count.
int CopyNumberLinePoints(double* values, int* closed, int capacity);
// Up to capacity selection entries (+1 shaded, -1 not); returns the full count.
int CopyNumberLineSelection(int* entries, int capacity);

}  // namespace abacor
