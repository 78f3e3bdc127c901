// Where the world meets the window: the plot area of a client size and the world
// rectangle it shows at a scale and centre.
#pragma once

namespace kelvora::graph {

class PlotArea {
public:
    static constexpr int kMargin = 5;
    static constexpr int kTop = 80;  // below the formula input

    PlotArea(int clientWidth, int clientHeight, double scale, double centreX, double centreY)
        : width(clientWidth),
          height(clientHeight),
          plotWidth(clientWidth - 2 * kMargin),
          plotHeight(clientHeight - kTop - kMargin),
          worldWidth(plotWidth / scale),
          worldHeight(plotHeight / scale),
          xmin(centreX - worldWidth / 2),
          xmax(centreX + worldWidth / 2),
          ymin(centreY - worldHeight / 2),
          ymax(centreY + worldHeight / 2) {}

    float left() const { return kMargin; }
    float top() const { return kTop; }
    float right() const { return static_cast<float>(width - kMargin); }
    float bottom() const { return static_cast<float>(height - kMargin); }
    bool containsX(float sx) const { return sx >= left() && sx <= right(); }
    bool containsY(float sy) const { return sy >= top() && sy <= bottom(); }

    float screenX(double x) const { return ToFloat((x - xmin) / worldWidth * plotWidth + kMargin); }
    float screenY(double y) const { return ToFloat((height - kMargin) - (y - ymin) / worldHeight * plotHeight); }
    // The world x of a pixel column.
    double worldX(int column) const { return (column - kMargin) * worldWidth / plotWidth + xmin; }
    // The world point at a client position.
    double worldXAt(double sx) const { return (sx - kMargin) * worldWidth / plotWidth + xmin; }
    double worldYAt(double sy) const { return ((height - kMargin) - sy) * worldHeight / plotHeight + ymin; }

    int width;
    int height;
    double plotWidth;
    double plotHeight;
    double worldWidth;
    double worldHeight;
    double xmin;
    double xmax;
    double ymin;
    double ymax;

private:
    // Far beyond any window either way, and always within the range of a float.
    static float ToFloat(double pixels) {
        constexpr double kFar = 1e30;
        return static_cast<float>(pixels < -kFar ? -kFar : pixels > kFar ? kFar : pixels);
    }
};

}  // namespace kelvora::graph
