// The surface the graph view draws on. The program paints it with QPainter; the tests
// record the calls. Coordinates are window pixels as 32-bit floats.
#pragma once

#include <string>
#include <vector>

namespace kelvora::graph {

// Red, green, blue and alpha in 0..1.
struct GraphColor {
    float red;
    float green;
    float blue;
    float alpha = 1;
    bool operator==(const GraphColor&) const = default;
};

struct GraphPoint {
    float x;
    float y;
    bool operator==(const GraphPoint&) const = default;
};

using Polyline = std::vector<GraphPoint>;

struct GraphRect {
    float left;
    float top;
    float right;
    float bottom;
    bool operator==(const GraphRect&) const = default;
};

struct GraphFont {
    std::wstring family;
    int weight;  // 400 normal
    float size;  // pixels
    bool operator==(const GraphFont&) const = default;
};

class GraphCanvas {
public:
    virtual ~GraphCanvas() = default;

    virtual void clear(GraphColor color) = 0;
    // Until the matching popClip, drawing stays inside the rectangle; its edges are not
    // antialiased.
    virtual void pushClip(const GraphRect& rect) = 0;
    virtual void popClip() = 0;
    virtual void line(GraphPoint from, GraphPoint to, GraphColor color, float width) = 0;
    // One line of text centred horizontally and vertically in the rectangle.
    virtual void centredText(const GraphRect& rect, const std::wstring& text, const GraphFont& font,
                             GraphColor color) = 0;
    // One line of text from the rectangle's left edge, centred vertically. This and the
    // notes' backgrounds and dots below draw what is read off the graph; a canvas that
    // only checks the plot may leave them out.
    virtual void leftText(const GraphRect& /*rect*/, const std::wstring& /*text*/, const GraphFont& /*font*/,
                          GraphColor /*color*/) {}
    // Each polyline is an open, unfilled figure; all are stroked alike.
    virtual void strokePath(const std::vector<Polyline>& figures, GraphColor color, float width) = 0;
    virtual void fillRect(const GraphRect& /*rect*/, GraphColor /*color*/) {}
    // A filled circle with a thin outline of the background's colour.
    virtual void dot(GraphPoint /*centre*/, float /*radius*/, GraphColor /*color*/) {}
};

}  // namespace kelvora::graph
