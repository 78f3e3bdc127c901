#include "graph_theme.h"

#include <iterator>

#include "render_graph.h"

namespace kelvora::graph {

namespace {

struct ColourPair {
    GraphColor light;
    GraphColor dark;
};

// The curves keep their hues, lightened where the light picture's are too deep for a
// dark background.
constexpr ColourPair kPairs[] = {
    {kBackgroundColour, kDarkBackgroundColour},
    {kAxisColour, kDarkAxisColour},
    {kGridColour, kDarkGridColour},
    {kLabelColour, kDarkLabelColour},
    {kCurveColours[0], {1, 0.35f, 0.35f}},
    {kCurveColours[1], {0.4f, 0.6f, 1}},
    {kCurveColours[2], {0.3f, 0.85f, 0.3f}},
    {kCurveColours[3], {1, 0.65f, 0.2f}},
    {kCurveColours[4], {0.85f, 0.45f, 0.95f}},
    {kNoteBackground, {0.12f, 0.12f, 0.13f, 0.85f}},
    {kNoteText, {0.92f, 0.92f, 0.92f}},
    {kKeyPointColour, {0.85f, 0.85f, 0.85f}},
};
static_assert(std::size(kCurveColours) == 5, "every curve colour has its dark counterpart");

}  // namespace

GraphColor DarkThemeColour(GraphColor light) {
    for (const ColourPair& pair : kPairs) {
        if (pair.light == light) return pair.dark;
    }
    return light;
}

void DarkGraphCanvas::clear(GraphColor color) { target_.clear(DarkThemeColour(color)); }

void DarkGraphCanvas::pushClip(const GraphRect& rect) { target_.pushClip(rect); }

void DarkGraphCanvas::popClip() { target_.popClip(); }

void DarkGraphCanvas::line(GraphPoint from, GraphPoint to, GraphColor color, float width) {
    target_.line(from, to, DarkThemeColour(color), width);
}

void DarkGraphCanvas::centredText(const GraphRect& rect, const std::wstring& text, const GraphFont& font,
                                  GraphColor color) {
    target_.centredText(rect, text, font, DarkThemeColour(color));
}

void DarkGraphCanvas::leftText(const GraphRect& rect, const std::wstring& text, const GraphFont& font,
                               GraphColor color) {
    target_.leftText(rect, text, font, DarkThemeColour(color));
}

void DarkGraphCanvas::strokePath(const std::vector<Polyline>& figures, GraphColor color, float width) {
    target_.strokePath(figures, DarkThemeColour(color), width);
}

void DarkGraphCanvas::fillRect(const GraphRect& rect, GraphColor color) {
    target_.fillRect(rect, DarkThemeColour(color));
}

void DarkGraphCanvas::dot(GraphPoint centre, float radius, GraphColor color) {
    target_.dot(centre, radius, DarkThemeColour(color));
}

}  // namespace kelvora::graph
