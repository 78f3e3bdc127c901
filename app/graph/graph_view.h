// The view onto the plane: scale and centre, zoomed with the wheel at the mouse and
// panned by dragging. It lives for the whole run; modes and builds leave it as it is.
#pragma once

#include "plot_area.h"

namespace kelvora::graph {

class GraphView {
public:
    static constexpr double kInitialScale = 30;
    static constexpr double kMinScale = 10;
    static constexpr double kMaxScale = 100000;

    explicit GraphView(double scale = kInitialScale) : scale_(scale) {}

    double scale() const { return scale_; }
    double centreX() const { return centreX_; }
    double centreY() const { return centreY_; }
    bool dragging() const { return dragging_; }
    PlotArea area(int clientWidth, int clientHeight) const {
        return PlotArea(clientWidth, clientHeight, scale_, centreX_, centreY_);
    }

    // One wheel step: in for a positive delta, out otherwise.
    void zoom(int wheelDelta);
    // One wheel step keeping the world point under a client position where it is.
    void zoomAt(int wheelDelta, double x, double y, int clientWidth, int clientHeight);
    // The left button went down at a client position.
    void press(int x, int y);
    // The mouse at a client position, negative left of or above the window. Returns
    // whether the view moved.
    bool move(int x, int y, int clientWidth, int clientHeight);
    // Returns whether a drag ended.
    bool release();
    // The button went up where it went down, give or take a shaking hand.
    bool wasClick(int x, int y) const;

private:
    double scale_ = kInitialScale;  // pixels per world unit
    double centreX_ = 0;
    double centreY_ = 0;
    bool dragging_ = false;
    int dragStartX_ = 0;
    int dragStartY_ = 0;
    double dragStartCentreX_ = 0;
    double dragStartCentreY_ = 0;
};

}  // namespace kelvora::graph
