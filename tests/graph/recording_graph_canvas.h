// A graph canvas that keeps every call, for the tests to look at what a paint drew.
#pragma once

#include <string>
#include <vector>

#include "graph_canvas.h"

namespace kelvora::graph::test {

struct LineCall {
    GraphPoint from;
    GraphPoint to;
    GraphColor color;
    float width;
};

struct TextCall {
    GraphRect rect;
    std::wstring text;
    GraphFont font;
    GraphColor color;
};

struct RectCall {
    GraphRect rect;
    GraphColor color;
};

struct DotCall {
    GraphPoint centre;
    float radius;
    GraphColor color;
};

struct PathCall {
    std::vector<Polyline> figures;
    GraphColor color;
    float width;
};

class RecordingGraphCanvas : public GraphCanvas {
public:
    std::vector<GraphColor> clears;
    std::vector<GraphRect> clips;  // in the order pushed
    int clipDepth = 0;
    std::vector<LineCall> lines;
    std::vector<TextCall> texts;
    std::vector<TextCall> leftTexts;
    std::vector<PathCall> paths;
    std::vector<RectCall> rects;
    std::vector<DotCall> dots;

    void clear(GraphColor color) override { clears.push_back(color); }
    void pushClip(const GraphRect& rect) override {
        clips.push_back(rect);
        ++clipDepth;
    }
    void popClip() override { --clipDepth; }
    void line(GraphPoint from, GraphPoint to, GraphColor color, float width) override {
        lines.push_back({from, to, color, width});
    }
    void centredText(const GraphRect& rect, const std::wstring& text, const GraphFont& font,
                     GraphColor color) override {
        texts.push_back({rect, text, font, color});
    }
    void leftText(const GraphRect& rect, const std::wstring& text, const GraphFont& font, GraphColor color) override {
        leftTexts.push_back({rect, text, font, color});
    }
    void strokePath(const std::vector<Polyline>& figures, GraphColor color, float width) override {
        paths.push_back({figures, color, width});
    }
    void fillRect(const GraphRect& rect, GraphColor color) override { rects.push_back({rect, color}); }
    void dot(GraphPoint centre, float radius, GraphColor color) override { dots.push_back({centre, radius, color}); }

    std::vector<LineCall> linesOf(GraphColor color) const {
        std::vector<LineCall> found;
        for (const LineCall& call : lines) {
            if (call.color == color) found.push_back(call);
        }
        return found;
    }
};

}  // namespace kelvora::graph::test
