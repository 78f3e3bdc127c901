// The graph view's picture: background, grid, axes with their labels, the curves, and
// what is read off them: key points, the marker, the legend and the cursor's coordinates.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "curves.h"
#include "graph_canvas.h"
#include "graph_colours.h"
#include "graph_settings.h"
#include "graph_view.h"

namespace kelvora::graph {

inline constexpr float kAxisWidth = 2;
inline constexpr float kGridWidth = 1;

// A point of a curve the user clicked, in world units.
struct Marker {
    std::size_t curve;
    double x;
    double y;
};

struct Overlay {
    std::optional<GraphPoint> cursor;  // client position
    std::optional<Marker> marker;
    bool keyPoints = false;
    std::wstring_view formulaText;  // the legend's formulas
};

// World units between grid lines, the same in both directions.
double GridStep(double worldWidth);

// A tick value as its label: whole numbers without a point.
std::wstring TickLabel(double value);

// Label font size for a client width.
float LabelFontSize(int clientWidth);

// A coordinate to as many decimals as a pixel at the scale can tell apart.
std::wstring CoordinateText(double value, double scale);
// "(x, y)" of a computed point, six significant digits; a value within a hundredth of a
// pixel of zero at the scale is 0.
std::wstring PointText(double x, double y, double scale);
// A formula as the legend shows it: "y = f" for an explicit one, an equation as typed.
std::wstring LegendText(std::wstring_view formula);

// Draws the whole view for a client size, with the curves of the cache in this view
// (whichever view they were computed for).
void RenderGraph(GraphCanvas& canvas, int clientWidth, int clientHeight, const GraphView& view,
                 const GraphSettings& settings, const GraphFormulas& formulas, const CurveCache& curves,
                 const Overlay& overlay = {});

}  // namespace kelvora::graph
