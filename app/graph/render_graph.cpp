#include "render_graph.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>
#include <vector>

namespace kelvora::graph {

namespace {

constexpr int kMinClientWidth = 11;
constexpr int kMinClientHeight = 86;
constexpr wchar_t kLabelFamily[] = L"Segoe UI";
constexpr int kLabelWeight = 400;
// Only ticks this close to a whole number are labelled; the origin has its own "0".
constexpr double kWholeTolerance = 0.001;
constexpr float kKeyPointRadius = 4;
constexpr float kMarkerRadius = 5;
constexpr float kLegendStroke = 24;
constexpr float kCharacterWidth = 0.62f;
constexpr double kNearZeroPixels = 0.01;
constexpr double kHalf = 0.5;

// The largest of 1, 2 and 5 times a power of ten up to `most`.
double FineStep(double most) {
    const double power = std::pow(10.0, std::floor(std::log10(most)));
    for (const double factor : {5.0, 2.0}) {
        if (factor * power <= most) return factor * power;
    }
    return power;
}
constexpr int kMostDecimals = 12;

// A number with a decimal point whatever the process locale, which a Qt program takes
// from the environment (a comma under a Russian one).
std::wstring Printed(double value, std::chars_format format, int precision) {
    char digits[400];  // the longest double in fixed notation, with its decimals
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value, format, precision);
    return std::wstring(digits, error == std::errc() ? end : digits);
}

// The grid values from the last multiple of the step at or below `from` up to `to`.
std::vector<double> GridValues(double from, double to, double step) {
    std::vector<double> values;
    for (double value = std::floor(from / step) * step; value <= to; value += step) {
        values.push_back(value);
        if (value + step == value) break;  // too far out for the step to count
    }
    return values;
}

// Down to half steps only whole numbers are labelled; zoomed in further, every line is.
// Zero only where asked: beside the axes the origin has a "0" of its own.
bool IsLabelledTick(double value, double step, bool zeroLabelled) {
    const double unit = step < kHalf ? step : 1;
    const double units = value / unit;
    return std::fabs(units - std::round(units)) < kWholeTolerance &&
           (zeroLabelled || std::fabs(units) > kWholeTolerance);
}

// One paint: the mapping, the grid values and the label font shared by its steps.
class Painter {
public:
    Painter(GraphCanvas& canvas, const PlotArea& area, const GraphSettings& settings)
        : canvas_(canvas),
          area_(area),
          settings_(settings),
          step_(GridStep(area.worldWidth)),
          gridXs_(GridValues(area.xmin, area.xmax, step_)),
          gridYs_(GridValues(area.ymin, area.ymax, step_)),
          font_{kLabelFamily, kLabelWeight, LabelFontSize(area.width)},
          originX_(area.screenX(0)),
          originY_(area.screenY(0)),
          yAxisShown_(area.containsX(originX_)),
          xAxisShown_(area.containsY(originY_)) {}

    void axes() {
        if (yAxisShown_) verticalLine(originX_, kAxisColour, kAxisWidth);
        if (xAxisShown_) horizontalLine(originY_, kAxisColour, kAxisWidth);
    }

    void grid() {
        for (const double x : gridXs_) {
            if (const float sx = area_.screenX(x); area_.containsX(sx)) verticalLine(sx, kGridColour, kGridWidth);
        }
        for (const double y : gridYs_) {
            if (const float sy = area_.screenY(y); area_.containsY(sy)) horizontalLine(sy, kGridColour, kGridWidth);
        }
    }

    // Each axis carries the labels of the other direction's ticks. An axis out of the view
    // leaves them at the bottom or the left edge, so that the scale can still be read
    // when panned far; there zero is labelled like any other tick.
    void labels() {
        const float size = font_.size;
        const float xRowTop = xAxisShown_ ? originY_ + 2 : area_.bottom() - size - 6;
        for (const double x : gridXs_) {
            const float sx = area_.screenX(x);
            if (!area_.containsX(sx) || !IsLabelledTick(x, step_, !xAxisShown_)) continue;
            label({sx - 25, xRowTop, sx + 25, xRowTop + size + 4}, TickLabel(x), kLabelColour);
        }
        const float yColumnRight = yAxisShown_ ? originX_ - 3 : area_.left() + 45;
        for (const double y : gridYs_) {
            const float sy = area_.screenY(y);
            if (!area_.containsY(sy) || !IsLabelledTick(y, step_, !yAxisShown_)) continue;
            if (!xAxisShown_ && sy + size / 2 > xRowTop) continue;  // the corner is the bottom row's
            label({yColumnRight - 42, sy - size / 2, yColumnRight, sy + size / 2}, TickLabel(y), kLabelColour);
        }
        if (xAxisShown_ && yAxisShown_) {
            label({originX_ - 20, originY_ + 2, originX_ + 20, originY_ + size + 6}, L"0", kAxisColour);
        }
    }

    void curves(const GraphFormulas& formulas, const CurveCache& cache) {
        for (std::size_t k = 0; k < formulas.size(); ++k) {
            const CurveSlot& slot = cache.curveSlots()[k];
            if (!slot.computed) continue;
            const std::vector<Polyline> figures = onScreen(slot.polylines);
            if (!figures.empty()) canvas_.strokePath(figures, kCurveColours[k], settings_.LineThickness);
        }
    }

    // A label that would cover an earlier one is left out; its dot stays.
    void keyPoints(const std::vector<KeyPoint>& points) {
        std::vector<GraphRect> labels;
        for (const KeyPoint& point : points) {
            const GraphPoint at = onScreen(point.x, point.y);
            canvas_.dot(at, kKeyPointRadius, kKeyPointColour);
            const std::wstring text = PointText(point.x, point.y, Scale());
            const GraphRect box = noteBeside(at, kKeyPointRadius, Side::Above, text);
            const auto overlaps = [&box](const GraphRect& other) {
                return box.left < other.right && other.left < box.right && box.top < other.bottom && other.top < box.bottom;
            };
            if (std::any_of(labels.begin(), labels.end(), overlaps)) continue;
            labels.push_back(box);
            note(box, text, kNoteText);
        }
    }

    void marker(const Marker& marker, const std::vector<std::wstring>& formulas) {
        if (marker.curve >= formulas.size()) return;
        const GraphPoint at = onScreen(marker.x, marker.y);
        const GraphColor colour = kCurveColours[marker.curve];
        canvas_.dot(at, kMarkerRadius, colour);
        const std::wstring text = LegendText(formulas[marker.curve]) + L"  " + PointText(marker.x, marker.y, Scale());
        note(noteBeside(at, kMarkerRadius, Side::Below, text), text, colour);
    }

    // Each formula in its colour, with a stroke of its pen, in the upper left corner.
    void legend(const std::vector<std::wstring>& formulas) {
        const float rowHeight = font_.size + 6;
        float widest = 0;
        for (const std::wstring& formula : formulas) widest = std::max(widest, TextWidth(LegendText(formula)));
        const float left = area_.left() + 6, top = area_.top() + 6;
        canvas_.fillRect({left, top, left + kLegendStroke + 14 + widest, top + rowHeight * formulas.size() + 4},
                         kNoteBackground);
        for (std::size_t k = 0; k < formulas.size(); ++k) {
            const float middle = top + 2 + rowHeight * (k + 0.5f);
            canvas_.line({left + 4, middle}, {left + 4 + kLegendStroke, middle}, kCurveColours[k],
                         settings_.LineThickness);
            canvas_.leftText({left + kLegendStroke + 10, middle - rowHeight / 2, left + kLegendStroke + 10 + widest,
                              middle + rowHeight / 2},
                             LegendText(formulas[k]), font_, kCurveColours[k]);
        }
    }

    // The world coordinates under the mouse, in the lower right corner.
    void cursor(GraphPoint at, double scale) {
        if (!area_.containsX(at.x) || !area_.containsY(at.y)) return;
        const std::wstring text =
            L"x = " + CoordinateText(area_.worldXAt(at.x), scale) + L"   y = " + CoordinateText(area_.worldYAt(at.y), scale);
        const float width = TextWidth(text) + 8, height = font_.size + 8;
        const GraphRect box{area_.right() - width - 4, area_.bottom() - height - 4, area_.right() - 4,
                            area_.bottom() - 4};
        canvas_.fillRect(box, kNoteBackground);
        canvas_.leftText({box.left + 4, box.top, box.right, box.bottom}, text, font_, kNoteText);
    }

private:
    void verticalLine(float sx, GraphColor colour, float width) {
        canvas_.line({sx, area_.top()}, {sx, area_.bottom()}, colour, width);
    }
    void horizontalLine(float sy, GraphColor colour, float width) {
        canvas_.line({area_.left(), sy}, {area_.right(), sy}, colour, width);
    }
    void label(const GraphRect& rect, const std::wstring& text, GraphColor colour) {
        canvas_.centredText(rect, text, font_, colour);
    }

    double Scale() const { return area_.plotWidth / area_.worldWidth; }

    GraphPoint onScreen(double x, double y) const { return {area_.screenX(x), area_.screenY(y)}; }

    std::vector<Polyline> onScreen(const std::vector<Polyline>& world) const {
        std::vector<Polyline> figures;
        figures.reserve(world.size());
        for (const Polyline& line : world) {
            if (line.size() < 2) continue;
            Polyline& screen = figures.emplace_back();
            screen.reserve(line.size());
            for (const GraphPoint& point : line) screen.push_back(onScreen(point.x, point.y));
        }
        return figures;
    }

    // Wide enough for the label font's digits and letters; the text is not measured.
    float TextWidth(const std::wstring& text) const { return kCharacterWidth * font_.size * text.size(); }

    enum class Side { Above, Below };

    // A note's box beside a dot of the radius: to its right and on the side asked for,
    // each turned over when the box would leave the plot that way and fits the other.
    GraphRect noteBeside(GraphPoint at, float radius, Side side, const std::wstring& text) const {
        const float width = TextWidth(text) + 6, height = font_.size + 4, gap = radius + 2;
        const float right = at.x + gap, left = at.x - gap - width;
        const float above = at.y - height, below = at.y + 4;
        const bool rightFits = right + width <= area_.right(), leftFits = left >= area_.left();
        const bool aboveFits = above >= area_.top(), belowFits = below + height <= area_.bottom();
        const float x = rightFits || !leftFits ? right : left;
        const float y = side == Side::Above ? (aboveFits || !belowFits ? above : below)
                                            : (belowFits || !aboveFits ? below : above);
        return {x, y, x + width, y + height};
    }

    void note(const GraphRect& box, const std::wstring& text, GraphColor colour) {
        canvas_.fillRect(box, kNoteBackground);
        canvas_.leftText({box.left + 3, box.top, box.right, box.bottom}, text, font_, colour);
    }

    GraphCanvas& canvas_;
    const PlotArea& area_;
    const GraphSettings& settings_;
    double step_;
    std::vector<double> gridXs_;
    std::vector<double> gridYs_;
    GraphFont font_;
    float originX_;
    float originY_;
    bool yAxisShown_;
    bool xAxisShown_;
};

}  // namespace

double GridStep(double worldWidth) {
    if (worldWidth < 2.5) return FineStep(worldWidth / 5);
    if (worldWidth < 5) return 0.5;
    if (worldWidth > 100) return 10;
    if (worldWidth > 50) return 5;
    return 1;
}

std::wstring TickLabel(double value) {
    constexpr double kInt64Limit = 9223372036854775808.0;  // 2^63
    const bool whole = value >= -kInt64Limit && value < kInt64Limit &&
                       static_cast<double>(static_cast<std::int64_t>(value)) == value;
    char digits[64];
    char* end = whole ? std::to_chars(digits, digits + sizeof digits, static_cast<std::int64_t>(value)).ptr
                      : std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 10).ptr;
    return std::wstring(digits, end);
}

float LabelFontSize(int clientWidth) { return std::clamp((clientWidth - 10) / 50.0f, 9.0f, 18.0f); }

std::wstring CoordinateText(double value, double scale) {
    const int decimals = std::clamp(static_cast<int>(std::ceil(std::log10(std::max(scale, 1.0)))), 0, kMostDecimals);
    std::wstring text = Printed(value, std::chars_format::fixed, decimals);
    if (text.find_first_not_of(L"-0.") == std::wstring::npos) return L"0";
    return text;
}

std::wstring PointText(double x, double y, double scale) {
    const auto number = [scale](double value) {
        return Printed(std::fabs(value) * scale < kNearZeroPixels ? 0.0 : value, std::chars_format::general, 6);
    };
    return L"(" + number(x) + L", " + number(y) + L")";
}

std::wstring LegendText(std::wstring_view formula) {
    if (IsImplicit(formula) || formula.find(L'=') != std::wstring_view::npos) return std::wstring(formula);
    return L"y = " + std::wstring(formula);
}

void RenderGraph(GraphCanvas& canvas, int clientWidth, int clientHeight, const GraphView& view,
                 const GraphSettings& settings, const GraphFormulas& formulas, const CurveCache& curves,
                 const Overlay& overlay) {
    if (clientWidth < kMinClientWidth || clientHeight < kMinClientHeight) return;
    const PlotArea area = view.area(clientWidth, clientHeight);
    canvas.clear(kBackgroundColour);
    canvas.pushClip({area.left(), area.top(), area.right(), area.bottom()});
    Painter painter(canvas, area, settings);
    if (settings.ShowGrid) painter.grid();
    painter.axes();  // over the grid
    if (settings.ShowLabels) painter.labels();
    const std::vector<std::wstring> formulaTexts = FormulaList(overlay.formulaText);
    if (!formulas.empty()) {
        painter.curves(formulas, curves);
        if (overlay.keyPoints) painter.keyPoints(curves.keyPoints());
        if (overlay.marker) painter.marker(*overlay.marker, formulaTexts);
        if (!formulaTexts.empty()) painter.legend(formulaTexts);
    }
    if (overlay.cursor) painter.cursor(*overlay.cursor, view.scale());
    canvas.popClip();
}

}  // namespace kelvora::graph
