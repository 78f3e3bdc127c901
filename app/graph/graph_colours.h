// Every colour of the graph view, in one place.
#pragma once

#include "graph_canvas.h"
#include "graph_formula.h"

namespace kelvora::graph {

inline constexpr GraphColor kBackgroundColour{1, 1, 1};
inline constexpr GraphColor kAxisColour{0, 0, 0};
inline constexpr GraphColor kGridColour{0.75f, 0.82f, 0.90f};
inline constexpr GraphColor kLabelColour{0.3f, 0.3f, 0.3f};
// By the formula's position in the list.
inline constexpr GraphColor kCurveColours[kMaxCurves] = {
    {1, 0, 0}, {0, 0, 1}, {0, 0.6f, 0}, {1, 0.5f, 0}, {0.5f, 0, 0.5f},
};
// Under the legend, the cursor's coordinates and the marker's label, so that curves
// and grid behind them do not hide the text.
inline constexpr GraphColor kNoteBackground{1, 1, 1, 0.85f};
inline constexpr GraphColor kNoteText{0.1f, 0.1f, 0.1f};
inline constexpr GraphColor kKeyPointColour{0.15f, 0.15f, 0.15f};

}  // namespace kelvora::graph
