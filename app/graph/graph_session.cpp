#include "graph_session.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

#include "graph_formula.h"
#include "graph_validation.h"

namespace kelvora::graph {

namespace {

// How far from a curve a click still lands on it.
constexpr float kReachPixels = 10;
// With nothing to show yet (a build, entering Graphs), a paint waits this long for the
// curves, so that ordinary ones appear with the first picture; heavy ones follow later.
constexpr std::chrono::milliseconds kFirstPictureWait{60};

// Newton steps onto the curve: the traced line is within half a pixel of it, the
// marker's coordinates should be the curve's own.
constexpr int kNewtonSteps = 3;

GraphPoint NearestOnSegment(GraphPoint p, GraphPoint a, GraphPoint b) {
    const float dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
    const float t = length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0f, 1.0f) : 0.0f;
    return {a.x + t * dx, a.y + t * dy};
}

void OntoTheCurve(const GraphFunction& function, Marker& marker) {
    double x = marker.x, y = marker.y;
    for (int step = 0; step < kNewtonSteps; ++step) {
        const double h = 1e-7 * std::max({1.0, std::fabs(x), std::fabs(y)});
        const double value = function.implicitAt(x, y);
        const double gx = (function.implicitAt(x + h, y) - function.implicitAt(x - h, y)) / (2 * h);
        const double gy = (function.implicitAt(x, y + h) - function.implicitAt(x, y - h)) / (2 * h);
        const double g2 = gx * gx + gy * gy;
        if (!std::isfinite(value) || !(g2 > 0) || !std::isfinite(g2)) return;
        x -= value * gx / g2;
        y -= value * gy / g2;
    }
    // Only a small correction is trusted; a wild one leaves the traced point.
    if (std::hypot(x - marker.x, y - marker.y) < 1e-2 * std::max(1.0, std::hypot(marker.x, marker.y))) {
        marker.x = x;
        marker.y = y;
    }
}

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

bool GraphSession::collect() { return worker_ && accept(worker_->take()); }

bool GraphSession::accept(std::optional<CurveSet> set) {
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
    if (!formulas_->empty() && !curves_.current(key)) {
        request(key);
        if (worker_ && !curves_.valid()) accept(worker_->takeWithin(kFirstPictureWait));
    }
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
        for (const Polyline& line : curves_.curveSlots()[k].polylines) {
            for (std::size_t i = 1; i < line.size(); ++i) {
                const GraphPoint a{area.screenX(line[i - 1].x), area.screenY(line[i - 1].y)};
                const GraphPoint b{area.screenX(line[i].x), area.screenY(line[i].y)};
                const GraphPoint foot = NearestOnSegment(at, a, b);
                const float distance = std::hypot(foot.x - at.x, foot.y - at.y);
                if (distance < nearest) {
                    nearest = distance;
                    marker_ = Marker{k, area.worldXAt(foot.x), area.worldYAt(foot.y)};
                }
            }
        }
        if (marker_ && marker_->curve == k) OntoTheCurve(formula.function, *marker_);
    }
    return marker_.has_value();
}

void GraphSession::resetView() { view_ = GraphView(); }

}  // namespace kelvora::graph
