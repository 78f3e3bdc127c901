// The graph on a dark window: a canvas in front of the real one turns each colour of the
// light picture into one that reads on a dark background.
#pragma once

#include "graph_canvas.h"

namespace kelvora::graph {

inline constexpr GraphColor kDarkBackgroundColour{0.12f, 0.12f, 0.13f};
inline constexpr GraphColor kDarkAxisColour{0.92f, 0.92f, 0.92f};
inline constexpr GraphColor kDarkGridColour{0.27f, 0.32f, 0.38f};
inline constexpr GraphColor kDarkLabelColour{0.78f, 0.78f, 0.78f};

// The dark counterpart of a colour of the light picture; any other colour is kept.
GraphColor DarkThemeColour(GraphColor light);

class DarkGraphCanvas : public GraphCanvas {
public:
    explicit DarkGraphCanvas(GraphCanvas& target) : target_(target) {}

    void clear(GraphColor color) override;
    void pushClip(const GraphRect& rect) override;
    void popClip() override;
    void line(GraphPoint from, GraphPoint to, GraphColor color, float width) override;
    void centredText(const GraphRect& rect, const std::wstring& text, const GraphFont& font,
                     GraphColor color) override;
    void leftText(const GraphRect& rect, const std::wstring& text, const GraphFont& font, GraphColor color) override;
    void strokePath(const std::vector<Polyline>& figures, GraphColor color, float width) override;
    void fillRect(const GraphRect& rect, GraphColor color) override;
    void dot(GraphPoint centre, float radius, GraphColor color) override;

private:
    GraphCanvas& target_;
};

}  // namespace kelvora::graph
