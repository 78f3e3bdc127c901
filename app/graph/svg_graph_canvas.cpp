#include "svg_graph_canvas.h"

#include <algorithm>
#include <cmath>
#include <charconv>
#include <system_error>

#include "graph_colours.h"

namespace kelvora::graph {

namespace {

// Two decimals at most, with a point whatever the process locale.
std::string Number(double value) {
    char digits[400];  // the longest double in fixed notation, with its decimals
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2);
    std::string text(digits, error == std::errc() ? end : digits);
    while (text.find('.') != std::string::npos && (text.back() == '0' || text.back() == '.')) text.pop_back();
    return text == "-0" ? "0" : text;
}

int Channel(float share) { return static_cast<int>(std::lround(std::clamp(share, 0.0f, 1.0f) * 255)); }

// fill="…" or stroke="…", with the opacity when the colour is not opaque.
std::string Paint(const char* attribute, GraphColor color) {
    std::string text = std::string(" ") + attribute + "=\"rgb(" + std::to_string(Channel(color.red)) + "," +
                       std::to_string(Channel(color.green)) + "," + std::to_string(Channel(color.blue)) + ")\"";
    if (color.alpha < 1) text += std::string(" ") + attribute + "-opacity=\"" + Number(color.alpha) + "\"";
    return text;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Text as XML character data or an attribute value.
std::string Escaped(const std::wstring& text) {
    std::string out;
    for (const wchar_t c : text) {
        switch (c) {
            case L'&': out += "&amp;"; break;
            case L'<': out += "&lt;"; break;
            case L'>': out += "&gt;"; break;
            case L'"': out += "&quot;"; break;
            default:
                // Characters XML does not allow are left out.
                if (c >= 0x20 || c == L'\t') AppendUtf8(out, static_cast<char32_t>(c));
        }
    }
    return out;
}

std::string Rect(const GraphRect& rect) {
    return "x=\"" + Number(rect.left) + "\" y=\"" + Number(rect.top) + "\" width=\"" + Number(rect.right - rect.left) +
           "\" height=\"" + Number(rect.bottom - rect.top) + "\"";
}

}  // namespace

SvgGraphCanvas::SvgGraphCanvas(int width, int height) : width_(width), height_(height) {}

std::string SvgGraphCanvas::document() {
    while (clips_ > 0) popClip();
    const std::string w = std::to_string(width_), h = std::to_string(height_);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
           w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">\n" + body_ + "</svg>\n";
}

void SvgGraphCanvas::clear(GraphColor color) {
    body_ += "<rect x=\"0\" y=\"0\" width=\"" + std::to_string(width_) + "\" height=\"" + std::to_string(height_) +
             "\"" + Paint("fill", color) + "/>\n";
}

void SvgGraphCanvas::pushClip(const GraphRect& rect) {
    const std::string id = "clip" + std::to_string(++clips_);
    body_ += "<clipPath id=\"" + id + "\"><rect " + Rect(rect) + "/></clipPath>\n<g clip-path=\"url(#" + id + ")\">\n";
}

void SvgGraphCanvas::popClip() {
    if (clips_ == 0) return;
    --clips_;
    body_ += "</g>\n";
}

void SvgGraphCanvas::line(GraphPoint from, GraphPoint to, GraphColor color, float width) {
    body_ += "<line x1=\"" + Number(from.x) + "\" y1=\"" + Number(from.y) + "\" x2=\"" + Number(to.x) + "\" y2=\"" +
             Number(to.y) + "\"" + Paint("stroke", color) + " stroke-width=\"" + Number(width) + "\"/>\n";
}

void SvgGraphCanvas::text(float x, float y, const char* anchor, const std::wstring& text, const GraphFont& font,
                          GraphColor color) {
    body_ += "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" text-anchor=\"" + anchor +
             "\" dominant-baseline=\"central\" font-family=\"" + Escaped(font.family) + ", sans-serif\" font-size=\"" +
             Number(font.size) + "\" font-weight=\"" + std::to_string(font.weight) + "\"" + Paint("fill", color) + ">" +
             Escaped(text) + "</text>\n";
}

void SvgGraphCanvas::centredText(const GraphRect& rect, const std::wstring& text, const GraphFont& font,
                                 GraphColor color) {
    this->text((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, "middle", text, font, color);
}

void SvgGraphCanvas::leftText(const GraphRect& rect, const std::wstring& text, const GraphFont& font,
                              GraphColor color) {
    this->text(rect.left, (rect.top + rect.bottom) / 2, "start", text, font, color);
}

void SvgGraphCanvas::strokePath(const std::vector<Polyline>& figures, GraphColor color, float width) {
    std::string path;
    for (const Polyline& figure : figures) {
        if (figure.empty()) continue;
        for (std::size_t i = 0; i < figure.size(); ++i) {
            path += (i == 0 ? "M" : " L") + Number(figure[i].x) + " " + Number(figure[i].y);
        }
        path += ' ';
    }
    if (path.empty()) return;
    body_ += "<path d=\"" + path + "\" fill=\"none\"" + Paint("stroke", color) + " stroke-width=\"" + Number(width) +
             "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n";
}

void SvgGraphCanvas::fillRect(const GraphRect& rect, GraphColor color) {
    body_ += "<rect " + Rect(rect) + Paint("fill", color) + "/>\n";
}

void SvgGraphCanvas::dot(GraphPoint centre, float radius, GraphColor color) {
    body_ += "<circle cx=\"" + Number(centre.x) + "\" cy=\"" + Number(centre.y) + "\" r=\"" + Number(radius) + "\"" +
             Paint("fill", color) + Paint("stroke", kBackgroundColour) + " stroke-width=\"1\"/>\n";
}

}  // namespace kelvora::graph
