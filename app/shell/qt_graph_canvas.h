// The graph canvas on a QPainter, antialiased.
#pragma once

#include "graph_canvas.h"

class QPainter;

namespace kelvora {

class QtGraphCanvas : public graph::GraphCanvas {
public:
    explicit QtGraphCanvas(QPainter& painter);

    void clear(graph::GraphColor color) override;
    void pushClip(const graph::GraphRect& rect) override;
    void popClip() override;
    void line(graph::GraphPoint from, graph::GraphPoint to, graph::GraphColor color, float width) override;
    void centredText(const graph::GraphRect& rect, const std::wstring& text, const graph::GraphFont& font,
                     graph::GraphColor color) override;
    void leftText(const graph::GraphRect& rect, const std::wstring& text, const graph::GraphFont& font,
                  graph::GraphColor color) override;
    void strokePath(const std::vector<graph::Polyline>& figures, graph::GraphColor color, float width) override;
    void fillRect(const graph::GraphRect& rect, graph::GraphColor color) override;
    void dot(graph::GraphPoint centre, float radius, graph::GraphColor color) override;

private:
    void text(const graph::GraphRect& rect, int alignment, const std::wstring& text, const graph::GraphFont& font,
              graph::GraphColor color);

    QPainter& painter_;
};

}  // namespace kelvora
