// The graph canvas as an SVG document, for saving the picture as a drawing that stays
// sharp at any size.
#pragma once

#include <string>

#include "graph_canvas.h"

namespace kelvora::graph {

class SvgGraphCanvas : public GraphCanvas {
public:
    SvgGraphCanvas(int width, int height);

    // The whole document in UTF-8; drawing after it adds nothing.
    std::string document();

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
    void text(float x, float y, const char* anchor, const std::wstring& text, const GraphFont& font, GraphColor color);

    int width_;
    int height_;
    int clips_ = 0;
    std::string body_;
};

}  // namespace kelvora::graph
