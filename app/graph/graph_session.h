// The Graphs mode's state: the formula text of the last build and its compiled formulas,
// the cached implicit curves, the view, and whether the drawing resources exist.
#pragma once

#include <string>
#include <string_view>

#include "curves.h"
#include "graph_canvas.h"
#include "graph_formula.h"
#include "graph_settings.h"
#include "graph_view.h"
#include "platform.h"

namespace kelvora::graph {

class GraphSession {
public:
    // The build command: takes the formula input's text and compiles its formulas for
    // every paint until the next build. A rejected text is reported through the desktop
    // and leaves nothing plotted; the view stays.
    void build(std::wstring_view inputText, KvDesktop& desktop);

    // Entering Graphs: fresh resources, so the implicit curves are traced again.
    void enterMode();
    // Every mode switch starts here: the curves and the resources go, view and text stay.
    void releaseResources();
    bool hasResources() const { return hasResources_; }

    // Paints the view for a client size; nothing without resources.
    void render(GraphCanvas& canvas, int clientWidth, int clientHeight, const GraphSettings& settings);

    GraphView& view() { return view_; }
    const GraphView& view() const { return view_; }
    const std::wstring& formulaText() const { return formulaText_; }
    const CurveCache& curves() const { return curves_; }

private:
    std::wstring formulaText_;  // empty: nothing plotted
    GraphFormulas formulas_;
    CurveCache curves_;
    GraphView view_;
    bool hasResources_ = false;
};

}  // namespace kelvora::graph
