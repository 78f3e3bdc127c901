#include <algorithm>

#include <QFontMetrics>
#include <QPainter>

#include "fonts.h"
#include "qt_ports.h"

namespace kelvora {

namespace {

QColor ToQColor(KvColor color) { return QColor(color.red, color.green, color.blue); }

// The library draws in black ink, which a dark window would swallow: there it is light.
QColor Ink(KvColor color, QColor window) {
    const bool black = color.red == 0 && color.green == 0 && color.blue == 0;
    return black && window.lightness() < 128 ? QColor(230, 230, 230) : ToQColor(color);
}

QRect ToQRect(const KvRect& rect) { return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top); }

// Wide pens end round, as the desktop's geometric pens do; a thin line ends at its last pixel.
QPen ToQPen(const KvPen& pen, QColor window) {
    const int width = std::max(1, pen.width);
    return QPen(Ink(pen.color, window), width, Qt::SolidLine, width > 1 ? Qt::RoundCap : Qt::FlatCap, Qt::RoundJoin);
}

}  // namespace

KvColor QtCanvas::windowColor() const {
    return {static_cast<std::uint8_t>(windowColor_.red()), static_cast<std::uint8_t>(windowColor_.green()),
            static_cast<std::uint8_t>(windowColor_.blue())};
}

void QtCanvas::fillRect(const KvRect& rect, KvColor color) { painter_.fillRect(ToQRect(rect), ToQColor(color)); }

void QtCanvas::fillHatchedRect(const KvRect& rect, KvColor color) {
    painter_.save();
    painter_.setBrushOrigin(0, 0);
    painter_.fillRect(ToQRect(rect), QBrush(ToQColor(color), Qt::BDiagPattern));
    painter_.restore();
}

void QtCanvas::drawLine(int x1, int y1, int x2, int y2, const KvPen& pen) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setPen(ToQPen(pen, windowColor_));
    painter_.drawLine(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5));
    painter_.restore();
}

void QtCanvas::drawEllipse(const KvRect& box, const KvPen& pen, KvColor brush) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setPen(ToQPen(pen, windowColor_));
    painter_.setBrush(ToQColor(brush));
    // The outline runs through the centres of the box's outermost pixels.
    painter_.drawEllipse(QRectF(box.left + 0.5, box.top + 0.5, box.right - box.left - 1, box.bottom - box.top - 1));
    painter_.restore();
}

void QtCanvas::drawText(int x, int y, const std::wstring& text, const KvFont& font, KvColor color,
                        KvTextAlign /*align: centre-bottom is the only one*/) {
    const QFont qtFont = FontFor(font);
    const QFontMetrics metrics(qtFont);
    const QString qtText = ToQString(text);
    painter_.save();
    painter_.setFont(qtFont);
    painter_.setPen(Ink(color, windowColor_));
    painter_.drawText(QPoint(x - metrics.horizontalAdvance(qtText) / 2, y - metrics.descent()), qtText);
    painter_.restore();
}

}  // namespace kelvora
