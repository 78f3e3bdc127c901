// The main window's side of the graph view: the build button, the drawing resources by
// mode, painting, and the mouse.
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "control_ids.h"
#include "graph_theme.h"
#include "main_window.h"
#include "modes.h"
#include "qt_graph_canvas.h"

namespace kelvora {

void MainWindow::buildGraph() {
    const QtControl* input = registry_.port(KV_GRAPH_INPUT);
    graph_.build(input ? input->text(graph::kMaxFormulaTextLength) : std::wstring(), desktop_);
    update();
}

// Every mode switch drops the graph's resources and cached curves; entering Graphs makes
// new ones. The plot covers the whole window, so Qt need not fill the background first.
void MainWindow::switchGraphResources() {
    graph_.releaseResources();
    if (appMode_ == kGraphsMode) graph_.enterMode();
    setAttribute(Qt::WA_OpaquePaintEvent, appMode_ == kGraphsMode);
}

void MainWindow::paintPlotArea(QPainter& painter) {
    QtGraphCanvas canvas(painter);
    graph::DarkGraphCanvas darkCanvas(canvas);
    graph::GraphCanvas& target = IsDarkPalette(palette()) ? static_cast<graph::GraphCanvas&>(darkCanvas) : canvas;
    graph_.render(target, clientWidth_, clientHeight_, settings_.graph());
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (appMode_ != kGraphsMode || event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    // Qt keeps sending the mouse here until the button is released, as a capture would.
    const QPoint at = event->position().toPoint();
    graph_.view().press(at.x(), at.y());
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (graph_.view().move(at.x(), at.y(), clientWidth_, clientHeight_)) update();
    else QWidget::mouseMoveEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !graph_.view().release()) QWidget::mouseReleaseEvent(event);
}

// Only vertical wheel steps zoom; a delta of zero marks the start or end of a touchpad
// gesture, not a step.
void MainWindow::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (appMode_ != kGraphsMode || delta == 0) return QWidget::wheelEvent(event);
    graph_.view().zoom(delta);
    update();
}

}  // namespace kelvora
