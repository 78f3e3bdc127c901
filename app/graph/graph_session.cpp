#include "graph_session.h"

#include "graph_formula.h"
#include "graph_validation.h"
#include "render_graph.h"

namespace kelvora::graph {

void GraphSession::build(std::wstring_view inputText, KvDesktop& desktop) {
    formulaText_ = inputText.substr(0, kMaxFormulaTextLength);
    const bool valid = ValidateGraphFormula(formulaText_, desktop);
    curves_.invalidate();
    if (valid) {
        formulas_ = GraphFormulas(formulaText_);
        return;
    }
    curves_.clear();
    formulaText_.clear();
    formulas_ = GraphFormulas();
}

void GraphSession::enterMode() {
    releaseResources();
    hasResources_ = true;
}

void GraphSession::releaseResources() {
    curves_.clear();
    hasResources_ = false;
}

void GraphSession::render(GraphCanvas& canvas, int clientWidth, int clientHeight, const GraphSettings& settings) {
    if (!hasResources_) return;
    RenderGraph(canvas, clientWidth, clientHeight, view_, settings, formulas_, curves_);
}

}  // namespace kelvora::graph
