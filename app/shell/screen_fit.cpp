#include "screen_fit.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kelvora {

namespace {

// A title bar and thin borders, for a window the desktop has not framed yet.
constexpr QSize kUndecoratedAllowance(8, 32);

int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }

}  // namespace

QRect MoveInside(QRect rect, QRect area) {
    if (area.isEmpty()) return rect;
    const int x = Clamp(rect.left(), area.left(), area.right() + 1 - rect.width());
    const int y = Clamp(rect.top(), area.top(), area.bottom() + 1 - rect.height());
    rect.moveTopLeft(QPoint(std::max(x, area.left()), std::max(y, area.top())));
    return rect;
}

QRect AvailableArea(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QSize FrameAllowance(const QWidget& window) {
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    return frame.width() > 0 && frame.height() > 0 ? frame : kUndecoratedAllowance;
}

}  // namespace kelvora
