#include "graph_session.h"

#include <cmath>
#include <limits>

#include "graph_formula.h"
#include "graph_validation.h"

namespace kelvora::graph {

namespace {

// How far from a curve a click still lands on it.
constexpr float kReachPixels = 10;

}  // namespace

GraphSession::GraphSession() : formulas_(std::make_shared<const GraphFormulas>()) {}

GraphSession::~GraphSession() = default;

void GraphSession::build(std::wstring_view inputText, KvDesktop& desktop) {
    formulaText_ = inputText.substr(0, kMaxFormulaTextLength);
    const bool valid = ValidateGraphFormula(formulaText_, desktop);
    ++build_;
    marker_.reset();
    requested_.reset();
    curves_.clear();  // the old curves belong to other formulas
    if (valid) {
        formulas_ = std::make_shared<const GraphFormulas>(formulaText_);
        return;
    }
    curves_.clear();
    formulaText_.clear();
    formulas_ = std::make_shared<const GraphFormulas>();
}

void GraphSession::computeInBackground(std::function<void()> ready) {
    worker_ = std::make_unique<CurveWorker>(std::move(ready));
}

bool GraphSession::collect() {
    if (!worker_) return false;
    std::optional<CurveSet> set = worker_->take();
    if (!set || !hasResources_ || set->key.build != build_) return false;
    if (requested_ == set->key) requested_.reset();
    curves_.store(std::move(*set));
    return true;
}

bool GraphSession::computing() const { return worker_ && worker_->busy(); }

void GraphSession::enterMode() {
    releaseResources();
    hasResources_ = true;
}

void GraphSession::releaseResources() {
    if (worker_) worker_->cancel();
    requested_.reset();
    curves_.clear();
    hasResources_ = false;
}

ViewKey GraphSession::viewKey(int clientWidth, int clientHeight, const GraphSettings& settings) const {
    return {clientWidth,     clientHeight,    view_.scale(), view_.centreX(), view_.centreY(),
            settings.SampleCount, keyPointsShown_, build_};
}

void GraphSession::request(const ViewKey& key) {
    if (!worker_) return curves_.compute(*formulas_, key);
    if (requested_ == key) return;
    requested_ = key;
    worker_->request(formulas_, key);
}

void GraphSession::render(GraphCanvas& canvas, int clientWidth, int clientHeight, const GraphSettings& settings) {
    if (!hasResources_) return;
    const ViewKey key = viewKey(clientWidth, clientHeight, settings);
    if (!formulas_->empty() && !curves_.current(key)) request(key);
    const Overlay overlay{cursor_, marker_, keyPointsShown_, formulaText_};
    RenderGraph(canvas, clientWidth, clientHeight, view_, settings, *formulas_, curves_, overlay);
}

void GraphSession::renderStill(GraphCanvas& canvas, int clientWidth, int clientHeight, const GraphSettings& settings) {
    if (!hasResources_) return;
    const ViewKey key = viewKey(clientWidth, clientHeight, settings);
    if (!formulas_->empty() && !curves_.current(key)) curves_.compute(*formulas_, key);
    const Overlay overlay{std::nullopt, marker_, keyPointsShown_, formulaText_};
    RenderGraph(canvas, clientWidth, clientHeight, view_, settings, *formulas_, curves_, overlay);
}

bool GraphSession::pick(GraphPoint at, int clientWidth, int clientHeight) {
    marker_.reset();
    const PlotArea area = view_.area(clientWidth, clientHeight);
    if (!area.containsX(at.x) || !area.containsY(at.y)) return false;
    float nearest = kReachPixels;
    const double x = area.worldXAt(at.x);
    for (std::size_t k = 0; k < formulas_->size(); ++k) {
        const GraphFormulas::Formula& formula = (*formulas_)[k];
        if (!formula.implicit) {
            const double y = formula.function.explicitAt(x);
            const float distance = std::fabs(area.screenY(y) - at.y);
            if (std::isfinite(y) && distance < nearest) {
                nearest = distance;
                marker_ = Marker{k, x, y};
            }
            continue;
        }
        for (const Polyline& piece : curves_.curveSlots()[k].polylines) {
            for (const GraphPoint& point : piece) {
                const float distance = std::hypot(area.screenX(point.x) - at.x, area.screenY(point.y) - at.y);
                if (distance < nearest) {
                    nearest = distance;
                    marker_ = Marker{k, point.x, point.y};
                }
            }
        }
    }
    return marker_.has_value();
}

void GraphSession::resetView() { view_ = GraphView(); }

}  // namespace kelvora::graph
