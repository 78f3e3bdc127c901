// Keeping the program's windows on the screen they are shown on.
#pragma once

#include <QRect>

class QWidget;

namespace kelvora {

// The rectangle moved (not resized) so that as much of it as fits lies inside the area:
// its top left corner stays inside even when it is larger than the area.
QRect MoveInside(QRect rect, QRect area);

// The screen area free for windows (without panels) of the screen the widget is on, or
// of the primary screen; empty without any screen.
QRect AvailableArea(const QWidget& widget);

// The size of the desktop's frame around a top-level window (its title bar and borders),
// or an allowance for one while the window has not been decorated yet.
QSize FrameAllowance(const QWidget& window);

}  // namespace kelvora
