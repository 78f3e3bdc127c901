#include "qt_graph_canvas.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

#include "fonts.h"
#include "graph_colours.h"

namespace kelvora {

namespace {

QColor ToQColor(graph::GraphColor color) { return QColor::fromRgbF(color.red, color.green, color.blue, color.alpha); }

QRectF ToQRectF(const graph::GraphRect& rect) {
    return QRectF(QPointF(rect.left, rect.top), QPointF(rect.right, rect.bottom));
}

QPointF ToQPointF(graph::GraphPoint point) { return QPointF(point.x, point.y); }

// How far a drawn polyline may stray from the computed one: invisible, yet it spares the
// rasterizer most of the points of a curve traced in one- or two-pixel steps. Runs are
// kept short because each longer chord is checked against every point it skips.
constexpr double kDrawingTolerance = 0.25;
constexpr std::size_t kLongestRun = 16;

// Whether p lies within the tolerance of the line through a and b, or of a itself when
// they meet; squared, so that no square root is taken for each of many thousand points.
bool NearChord(QPointF p, QPointF a, QPointF b) {
    const QPointF chord = b - a, offset = p - a;
    constexpr double kToleranceSquared = kDrawingTolerance * kDrawingTolerance;
    const double lengthSquared = QPointF::dotProduct(chord, chord);
    if (lengthSquared == 0) return QPointF::dotProduct(offset, offset) <= kToleranceSquared;
    const double cross = chord.x() * offset.y() - chord.y() * offset.x();
    return cross * cross <= kToleranceSquared * lengthSquared;
}

bool Touches(const graph::Polyline& figure, const QRectF& rect) {
    if (figure.empty()) return false;
    float left = figure[0].x, right = left, top = figure[0].y, bottom = top;
    for (const graph::GraphPoint& point : figure) {
        left = std::min(left, point.x);
        right = std::max(right, point.x);
        top = std::min(top, point.y);
        bottom = std::max(bottom, point.y);
    }
    return right >= rect.left() && left <= rect.right() && bottom >= rect.top() && top <= rect.bottom();
}

// The figure's points, leaving out those within the tolerance of the chord that skips them.
void Simplified(const graph::Polyline& figure, std::vector<QPointF>& points) {
    points.clear();
    if (figure.empty()) return;
    std::size_t anchor = 0;
    points.push_back(ToQPointF(figure[0]));
    while (anchor + 1 < figure.size()) {
        std::size_t end = anchor + 1;
        while (end + 1 < figure.size() && end + 1 - anchor <= kLongestRun) {
            bool straight = true;
            for (std::size_t i = anchor + 1; i <= end && straight; ++i) {
                straight = NearChord(ToQPointF(figure[i]), ToQPointF(figure[anchor]), ToQPointF(figure[end + 1]));
            }
            if (!straight) break;
            ++end;
        }
        points.push_back(ToQPointF(figure[end]));
        anchor = end;
    }
}

// The pieces between successive points whose bounds meet the rectangle.
void AppendPiecesIn(const std::vector<QPointF>& points, const QRectF& rect, std::vector<QLineF>& pieces) {
    for (std::size_t i = 1; i < points.size(); ++i) {
        const QPointF from = points[i - 1], to = points[i];
        if (std::max(from.x(), to.x()) < rect.left() || std::min(from.x(), to.x()) > rect.right() ||
            std::max(from.y(), to.y()) < rect.top() || std::min(from.y(), to.y()) > rect.bottom()) {
            continue;
        }
        pieces.emplace_back(from, to);
    }
}

}  // namespace

QtGraphCanvas::QtGraphCanvas(QPainter& painter) : painter_(painter) {
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
}

void QtGraphCanvas::clear(graph::GraphColor color) { painter_.fillRect(painter_.window(), ToQColor(color)); }

void QtGraphCanvas::pushClip(const graph::GraphRect& rect) {
    painter_.save();
    painter_.setClipRect(ToQRectF(rect).toAlignedRect(), Qt::IntersectClip);
}

void QtGraphCanvas::popClip() { painter_.restore(); }

void QtGraphCanvas::line(graph::GraphPoint from, graph::GraphPoint to, graph::GraphColor color, float width) {
    // Along the rows or columns of pixels (the grid, the axes, the legend's strokes)
    // antialiasing would only smear a line that falls on the border of two into both,
    // at the cost of its coverage arithmetic over the whole length.
    const bool alongPixels = from.x == to.x || from.y == to.y;
    painter_.setRenderHint(QPainter::Antialiasing, !alongPixels);
    painter_.setPen(QPen(ToQColor(color), width, Qt::SolidLine, Qt::FlatCap));
    painter_.drawLine(ToQPointF(from), ToQPointF(to));
    painter_.setRenderHint(QPainter::Antialiasing);
}

void QtGraphCanvas::centredText(const graph::GraphRect& rect, const std::wstring& text, const graph::GraphFont& font,
                                graph::GraphColor color) {
    this->text(rect, Qt::AlignCenter, text, font, color);
}

void QtGraphCanvas::leftText(const graph::GraphRect& rect, const std::wstring& text, const graph::GraphFont& font,
                             graph::GraphColor color) {
    this->text(rect, Qt::AlignLeft | Qt::AlignVCenter, text, font, color);
}

void QtGraphCanvas::text(const graph::GraphRect& rect, int alignment, const std::wstring& text,
                         const graph::GraphFont& font, graph::GraphColor color) {
    QFont qtFont = FontFor({font.family, 0, font.weight});
    qtFont.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size))));
    painter_.setFont(qtFont);
    painter_.setPen(ToQColor(color));
    painter_.drawText(ToQRectF(rect), alignment | Qt::TextDontClip | Qt::TextSingleLine, QString::fromStdWString(text));
}

void QtGraphCanvas::fillRect(const graph::GraphRect& rect, graph::GraphColor color) {
    painter_.fillRect(ToQRectF(rect), ToQColor(color));
}

void QtGraphCanvas::dot(graph::GraphPoint centre, float radius, graph::GraphColor color) {
    painter_.setPen(QPen(ToQColor(graph::kBackgroundColour), 1));
    painter_.setBrush(ToQColor(color));
    painter_.drawEllipse(ToQPointF(centre), radius, radius);
    painter_.setBrush(Qt::NoBrush);
}

// Every piece of every figure goes to the painter in one batch of lines: Qt rasterizes
// wide lines with flat or square caps directly, where a polyline or a path goes through
// its stroker (an angle and a length at every point) and a general fill, four times as
// slow. The square caps of neighbouring pieces overlap and close the seams at the joins;
// the curves' colours are opaque, so the overlaps do not show.
void QtGraphCanvas::strokePath(const std::vector<graph::Polyline>& figures, graph::GraphColor color, float width) {
    painter_.setPen(QPen(ToQColor(color), width, Qt::SolidLine, Qt::SquareCap));
    // What lies wholly outside what is being painted (off the view when zoomed in, or all
    // but the cursor's corner when only that changed) is not drawn at all.
    const QRectF painted = (painter_.hasClipping() ? painter_.clipBoundingRect() : QRectF(painter_.window()))
                               .adjusted(-width, -width, width, width);
    std::vector<QLineF> pieces;
    std::vector<QPointF> points;
    for (const graph::Polyline& figure : figures) {
        if (!Touches(figure, painted)) continue;
        Simplified(figure, points);
        AppendPiecesIn(points, painted, pieces);
    }
    if (!pieces.empty()) painter_.drawLines(pieces.data(), static_cast<int>(pieces.size()));
}

}  // namespace kelvora
