// The solution set of the last inequality drawn as a number line.
#include <algorithm>
#include <cmath>

#include "abacor.h"
#include "core/engine_state.h"
#include "inequalities/inequality_solver.h"
#include "inequalities/number_line.h"

namespace abacor {

namespace {

constexpr int kMargin = 25;
constexpr int kAxisDepth = 25;  // below the top of the rectangle
constexpr int kBandHeight = 22;
constexpr int kNarrowestBand = 2;  // a band this wide or narrower is not drawn
constexpr int kArrowLength = 10;
constexpr int kArrowHalfWidth = 4;
constexpr int kPointRadius = 5;
constexpr int kLabelGap = 6;  // between the bottom of a label and the axis
constexpr double kScaleMargin = 0.3;
constexpr double kNarrowestSpan = 0.5;
constexpr double kSpanOfNarrow = 2.0;

constexpr KvColor kBlack{0, 0, 0};
constexpr KvColor kWhite{255, 255, 255};
constexpr KvColor kRed{255, 0, 0};
constexpr KvPen kAxisPen{kBlack, 3};
constexpr KvPen kOpenPointPen{kBlack, 2};

// The points' range with a margin on both sides, mapped onto the axis columns.
class Scale {
public:
    Scale(const std::vector<double>& points, int x0, int width) : x0_(x0), width_(width) {
        const auto [lo, hi] = std::minmax_element(points.begin(), points.end());
        const double span = *hi - *lo < kNarrowestSpan ? kSpanOfNarrow : *hi - *lo;
        const double margin = kScaleMargin * span;
        start_ = *lo - margin;
        length_ = (*hi + margin) - (*lo - margin);
    }

    int Column(double value) const {
        double offset = (value - start_) / length_ * width_;
        // Only absurd ranges (near the limits of a double) leave the axis.
        if (!std::isfinite(offset)) offset = 0;
        offset = std::clamp(offset, -std::fabs(width_) - 1.0, std::fabs(width_) + 1.0);
        return x0_ + static_cast<int>(offset);
    }

private:
    int x0_;
    double width_;
    double start_ = 0;
    double length_ = 1;
};

struct Axis {
    int x0;
    int x1;
    int y;
};

void DrawBands(KvCanvas& canvas, const NumberLineState& line, const Scale& scale, const Axis& axis) {
    const std::size_t k = line.points.size();
    for (std::size_t i = 0; i < line.selection.size() && i <= k; ++i) {
        if (line.selection[i] <= 0) continue;
        const int left = i == 0 ? axis.x0 : scale.Column(line.points[i - 1]);
        const int right = i == k ? axis.x1 : scale.Column(line.points[i]);
        if (right - left <= kNarrowestBand) continue;
        canvas.fillHatchedRect({left, axis.y - kBandHeight, right, axis.y}, kRed);
    }
}

void DrawAxis(KvCanvas& canvas, const Axis& axis) {
    canvas.drawLine(axis.x0, axis.y, axis.x1, axis.y, kAxisPen);
    canvas.drawLine(axis.x1 - kArrowLength, axis.y - kArrowHalfWidth, axis.x1, axis.y, kAxisPen);
    canvas.drawLine(axis.x1, axis.y, axis.x1 - kArrowLength, axis.y + kArrowHalfWidth, kAxisPen);
}

// Filled where the point belongs to the solution, hollow where it does not.
void DrawPoints(KvCanvas& canvas, const NumberLineState& line, const Scale& scale, const Axis& axis) {
    for (std::size_t i = 0; i < line.points.size(); ++i) {
        const int c = scale.Column(line.points[i]);
        const KvRect box{c - kPointRadius, axis.y - kPointRadius, c + kPointRadius, axis.y + kPointRadius};
        const bool closed = i < line.closed.size() && line.closed[i];
        if (closed) canvas.drawEllipse(box, kAxisPen, kBlack);
        else canvas.drawEllipse(box, kOpenPointPen, kWhite);
    }
}

void DrawLabels(KvCanvas& canvas, const NumberLineState& line, const Scale& scale, const Axis& axis) {
    const KvFont font{L"Segoe UI", 14, 700};
    for (const double point : line.points) {
        canvas.drawText(scale.Column(point), axis.y - kLabelGap, FormatBound(point), font, kRed,
                        KvTextAlign::CenterBottom);
    }
}

}  // namespace

int DrawNumberLineInto(KvCanvas* canvas, KvRect rect) {
    if (!canvas) return 0;
    const NumberLineState& line = Engine().NumberLine;
    const Axis axis{rect.left + kMargin, rect.right - kMargin, rect.top + kAxisDepth};
    canvas->fillRect(rect, canvas->windowColor());
    if (line.points.empty()) return 0;
    const Scale scale(line.points, axis.x0, axis.x1 - axis.x0);
    // Labels last, over the bands.
    DrawBands(*canvas, line, scale, axis);
    DrawAxis(*canvas, axis);
    DrawPoints(*canvas, line, scale, axis);
    DrawLabels(*canvas, line, scale, axis);
    return 1;
}

int CopyNumberLinePoints(double* values, int* closed, int capacity) {
    const NumberLineState& line = Engine().NumberLine;
    const int count = static_cast<int>(line.points.size());
    for (int i = 0; i < std::min(count, capacity); ++i) {
        const auto index = static_cast<std::size_t>(i);
        if (values) values[i] = line.points[index];
        if (closed) closed[i] = index < line.closed.size() && line.closed[index] ? 1 : 0;
    }
    return count;
}

int CopyNumberLineSelection(int* entries, int capacity) {
    const NumberLineState& line = Engine().NumberLine;
    const int count = static_cast<int>(line.selection.size());
    for (int i = 0; i < std::min(count, capacity) && entries; ++i) {
        entries[i] = line.selection[static_cast<std::size_t>(i)];
    }
    return count;
}

}  // namespace abacor
