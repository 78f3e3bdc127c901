// The mouse on the graph view: wheel steps and drags with the left button, sent as the
// window system would send them; and waiting for the curves computed off the UI thread.
#pragma once

#include <QApplication>
#include <QWheelEvent>
#include <QtTest>

#include "main_window.h"

namespace kelvora::test {

// One wheel step (120 a notch) over a point of the widget.
inline void Wheel(QWidget* widget, QPoint at, int delta) {
    QWheelEvent event(QPointF(at), QPointF(widget->mapToGlobal(at)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

// Presses the left button at `from`, moves to each point in turn, releases at the last.
inline void Drag(QWidget* widget, QPoint from, std::initializer_list<QPoint> path) {
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, from);
    QPoint last = from;
    for (const QPoint& to : path) {
        QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(widget->mapToGlobal(to)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
        last = to;
    }
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, last);
}

// Paints, lets the worker finish the view's curves and the window take them, and returns
// the settled picture.
inline QImage SettledPicture(MainWindow& window, int timeoutMs = 20000) {
    window.grab();  // a paint asks for the view's curves
    QElapsedTimer clock;
    clock.start();
    while (window.graphSession().computing() && clock.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    QCoreApplication::processEvents();  // the queued hand-over
    return window.grab().toImage();
}

}  // namespace kelvora::test
