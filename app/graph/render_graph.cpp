#include "render_graph.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

namespace kelvora::graph {

namespace {

constexpr int kMinClientWidth = 11;
constexpr int kMinClientHeight = 86;
constexpr wchar_t kLabelFamily[] = L"Segoe UI";
constexpr int kLabelWeight = 400;
// Only ticks this close to a whole number are labelled; the origin has its own "0".
constexpr double kWholeTolerance = 0.001;

// The grid values from the last multiple of the step at or below `from` up to `to`.
std::vector<double> GridValues(double from, double to, double step) {
    std::vector<double> values;
    for (double value = std::floor(from / step) * step; value <= to; value += step) {
        values.push_back(value);
        if (value + step == value) break;  // too far out for the step to count
    }
    return values;
}

bool IsLabelledTick(double value) {
    return std::fabs(value - std::round(value)) < kWholeTolerance && std::fabs(value) > kWholeTolerance;
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

    // Each axis carries the labels of the other direction's ticks.
    void labels() {
        const float size = font_.size;
        if (xAxisShown_) {
            for (const double x : gridXs_) {
                const float sx = area_.screenX(x);
                if (!area_.containsX(sx) || !IsLabelledTick(x)) continue;
                label({sx - 25, originY_ + 2, sx + 25, originY_ + size + 6}, TickLabel(x), kLabelColour);
            }
        }
        if (yAxisShown_) {
            for (const double y : gridYs_) {
                const float sy = area_.screenY(y);
                if (!area_.containsY(sy) || !IsLabelledTick(y)) continue;
                label({originX_ - 45, sy - size / 2, originX_ - 3, sy + size / 2}, TickLabel(y), kLabelColour);
            }
        }
        if (xAxisShown_ && yAxisShown_) {
            label({originX_ - 20, originY_ + 2, originX_ + 20, originY_ + size + 6}, L"0", kAxisColour);
        }
    }

    void curves(const GraphFormulas& formulas, CurveCache& cache, double scale) {
        for (std::size_t k = 0; k < formulas.size(); ++k) {
            const std::vector<Polyline> figures = formulas[k].implicit ? implicitFigures(k, formulas, cache, scale)
                                                                       : SampleExplicit(formulas[k].function, area_);
            if (!figures.empty()) canvas_.strokePath(figures, kCurveColours[k], settings_.LineThickness);
        }
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

    // The traced region reaches one view beyond each side, so panning and zooming out a
    // little still find the curves in the cache.
    std::vector<Polyline> implicitFigures(std::size_t k, const GraphFormulas& formulas, CurveCache& cache,
                                          double scale) {
        if (!cache.valid()) {
            const double ww = area_.worldWidth, wh = area_.worldHeight;
            cache.trace(formulas, {area_.xmin - ww, area_.xmax + ww, area_.ymin - wh, area_.ymax + wh},
                        ImplicitGridSize(scale, settings_.SampleCount));
        }
        std::vector<Polyline> figures;
        const CurveSlot& slot = cache.curveSlots()[k];
        if (!slot.computed) return figures;
        for (const Polyline& world : slot.polylines) {
            if (world.size() < 2) continue;
            Polyline& screen = figures.emplace_back();
            screen.reserve(world.size());
            for (const GraphPoint& point : world) screen.push_back({area_.screenX(point.x), area_.screenY(point.y)});
        }
        return figures;
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

void RenderGraph(GraphCanvas& canvas, int clientWidth, int clientHeight, const GraphView& view,
                 const GraphSettings& settings, const GraphFormulas& formulas, CurveCache& curves) {
    if (clientWidth < kMinClientWidth || clientHeight < kMinClientHeight) return;
    const PlotArea area = view.area(clientWidth, clientHeight);
    canvas.clear(kBackgroundColour);
    canvas.pushClip({area.left(), area.top(), area.right(), area.bottom()});
    Painter painter(canvas, area, settings);
    painter.axes();
    if (settings.ShowGrid) painter.grid();
    if (settings.ShowLabels) painter.labels();
    if (!formulas.empty()) painter.curves(formulas, curves, view.scale());
    canvas.popClip();
}

}  // namespace kelvora::graph
