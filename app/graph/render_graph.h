// The graph view's picture: background, grid, axes with their labels, and the curves.
#pragma once

#include <string>

#include "curves.h"
#include "graph_canvas.h"
#include "graph_settings.h"
#include "graph_view.h"

namespace kelvora::graph {

inline constexpr GraphColor kBackgroundColour{1, 1, 1};
inline constexpr GraphColor kAxisColour{0, 0, 0};
inline constexpr GraphColor kGridColour{0.75f, 0.82f, 0.90f};
inline constexpr GraphColor kLabelColour{0.3f, 0.3f, 0.3f};
// By the formula's position in the list.
inline constexpr GraphColor kCurveColours[kMaxCurves] = {
    {1, 0, 0}, {0, 0, 1}, {0, 0.6f, 0}, {1, 0.5f, 0}, {0.5f, 0, 0.5f},
};
inline constexpr float kAxisWidth = 2;
inline constexpr float kGridWidth = 1;

// World units between grid lines, the same in both directions.
double GridStep(double worldWidth);

// A tick value as its label: whole numbers without a point.
std::wstring TickLabel(double value);

// Label font size for a client width.
float LabelFontSize(int clientWidth);

// Draws the whole view for a client size. Implicit curves are traced into the cache
// first when it is not valid.
void RenderGraph(GraphCanvas& canvas, int clientWidth, int clientHeight, const GraphView& view,
                 const GraphSettings& settings, const GraphFormulas& formulas, CurveCache& curves);

}  // namespace kelvora::graph
