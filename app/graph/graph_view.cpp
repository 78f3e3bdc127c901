#include "graph_view.h"

#include <algorithm>

namespace kelvora::graph {

namespace {

constexpr double kZoomIn = 1.2;
constexpr double kZoomOut = 0.8333333333333334;

}  // namespace

void GraphView::zoom(int wheelDelta) {
    scale_ = std::clamp(scale_ * (wheelDelta > 0 ? kZoomIn : kZoomOut), kMinScale, kMaxScale);
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

bool GraphView::release() {
    const bool wasDragging = dragging_;
    dragging_ = false;
    return wasDragging;
}

}  // namespace kelvora::graph
