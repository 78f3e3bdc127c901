#include "graph_view.h"

#include <algorithm>
#include <cstdlib>

namespace kelvora::graph {

namespace {

constexpr double kZoomIn = 1.2;
constexpr double kZoomOut = 0.8333333333333334;
constexpr int kClickSlack = 3;  // pixels

}  // namespace

void GraphView::zoom(int wheelDelta) {
    scale_ = std::clamp(scale_ * (wheelDelta > 0 ? kZoomIn : kZoomOut), kMinScale, kMaxScale);
}

void GraphView::zoomAt(int wheelDelta, double x, double y, int clientWidth, int clientHeight) {
    const PlotArea before = area(clientWidth, clientHeight);
    const double worldX = before.worldXAt(x), worldY = before.worldYAt(y);
    zoom(wheelDelta);
    const PlotArea after = area(clientWidth, clientHeight);
    centreX_ += worldX - after.worldXAt(x);
    centreY_ += worldY - after.worldYAt(y);
}

void GraphView::press(int x, int y) {
    dragging_ = true;
    dragStartX_ = x;
    dragStartY_ = y;
    dragStartCentreX_ = centreX_;
    dragStartCentreY_ = centreY_;
}

// Past the right or bottom edge the mouse counts as on it; past the left or top edge it
// keeps counting, so the plane keeps following.
bool GraphView::move(int x, int y, int clientWidth, int clientHeight) {
    if (!dragging_) return false;
    x = std::min(x, clientWidth);
    y = std::min(y, clientHeight);
    centreX_ = dragStartCentreX_ - (x - dragStartX_) / scale_;
    centreY_ = dragStartCentreY_ + (y - dragStartY_) / scale_;
    return true;
}

bool GraphView::wasClick(int x, int y) const {
    return std::abs(x - dragStartX_) <= kClickSlack && std::abs(y - dragStartY_) <= kClickSlack;
}

bool GraphView::release() {
    const bool wasDragging = dragging_;
    dragging_ = false;
    return wasDragging;
}

}  // namespace kelvora::graph
