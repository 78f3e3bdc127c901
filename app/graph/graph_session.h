// The Graphs mode's state: the formula text of the last build and its compiled formulas,
// the curves of the last view computed, the view, what the user is reading off the graph
// (cursor, marker, key points), and whether the drawing resources exist.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "curve_worker.h"
#include "curves.h"
#include "graph_canvas.h"
#include "graph_formula.h"
#include "graph_settings.h"
#include "graph_view.h"
#include "platform.h"
#include "render_graph.h"

namespace kelvora::graph {

class GraphSession {
public:
    GraphSession();
    ~GraphSession();

    // The build command: takes the formula input's text and compiles its formulas for
    // every paint until the next build. A rejected text is reported through the desktop
    // and leaves nothing plotted; the view stays.
    void build(std::wstring_view inputText, KvDesktop& desktop);

    // From now on curves are computed off the calling thread; ready is called on the
    // worker's thread when collect() has something to take. Without it a paint computes
    // the curves it lacks itself.
    void computeInBackground(std::function<void()> ready);
    // Takes the curves the worker finished; true when the picture should be painted again.
    bool collect();
    // Curves for a view are being computed, or wait to be collected.
    bool computing() const;

    // Entering Graphs: fresh resources, so the curves are computed again.
    void enterMode();
    // Every mode switch starts here: the curves and the resources go, view and text stay.
    void releaseResources();
    bool hasResources() const { return hasResources_; }

    // Paints the view for a client size; nothing without resources. Curves of another
    // view are drawn in this one until this view's are ready.
    void render(GraphCanvas& canvas, int clientWidth, int clientHeight, const GraphSettings& settings);

    // The picture as it is saved: this view's curves, computed here if need be, and no
    // cursor.
    void renderStill(GraphCanvas& canvas, int clientWidth, int clientHeight, const GraphSettings& settings);

    // The mouse over the plot at a client position, or gone.
    void hover(std::optional<GraphPoint> at) { cursor_ = at; }
    // A click: the marker snaps to the nearest curve within reach, or goes. Returns
    // whether there is a marker.
    bool pick(GraphPoint at, int clientWidth, int clientHeight);
    const std::optional<Marker>& marker() const { return marker_; }
    // The "points" action: zeros, extrema and intersections marked or not.
    void showKeyPoints(bool shown) { keyPointsShown_ = shown; }
    bool keyPointsShown() const { return keyPointsShown_; }
    // Back to the view the program starts with.
    void resetView();

    GraphView& view() { return view_; }
    const GraphView& view() const { return view_; }
    const std::wstring& formulaText() const { return formulaText_; }
    const CurveCache& curves() const { return curves_; }
    ViewKey viewKey(int clientWidth, int clientHeight, const GraphSettings& settings) const;

private:
    void request(const ViewKey& key);
    // Keeps curves of the current build; true when it did.
    bool accept(std::optional<CurveSet> set);

    std::wstring formulaText_;  // empty: nothing plotted
    std::shared_ptr<const GraphFormulas> formulas_;
    unsigned build_ = 0;
    CurveCache curves_;
    std::optional<ViewKey> requested_;
    std::unique_ptr<CurveWorker> worker_;
    GraphView view_;
    std::optional<GraphPoint> cursor_;
    std::optional<Marker> marker_;
    bool keyPointsShown_ = false;
    bool hasResources_ = false;
};

}  // namespace kelvora::graph
