// The cost of the graph view's evaluations: one trace of an implicit curve per grid
// size, and one paint's sampling of an explicit curve across a full-HD window.
#include <benchmark/benchmark.h>

#include "curves.h"
#include "graph_formula.h"

namespace {

using namespace kelvora::graph;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr double kScale = 30;

const wchar_t* const kImplicitFormulas[] = {L"x^2+y^2=25", L"sin(x)*cos(y)=0.5", L"y=x^3-3x"};
const wchar_t* const kExplicitFormulas[] = {L"x^2", L"sin(x)", L"exp(x)", L"2x+1", L"sqrt(abs(x))/(1+x^2)"};

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The rectangle the view traces at the default scale: one view beyond each side.
WorldRect TracedRect() {
    const PlotArea area(kWidth, kHeight, kScale, 0, 0);
    return {area.xmin - area.worldWidth, area.xmax + area.worldWidth, area.ymin - area.worldHeight,
            area.ymax + area.worldHeight};
}

void TraceImplicit(benchmark::State& state) {
    const std::wstring formula = kImplicitFormulas[state.range(0)];
    const int gridSize = static_cast<int>(state.range(1));
    const GraphFunction function(ZeroForm(formula));
    std::size_t segments = 0;
    for (auto _ : state) {
        const std::vector<Polyline> traced = TraceZeroSet(function, TracedRect(), gridSize);
        segments = traced.size();
        benchmark::DoNotOptimize(traced.data());
    }
    state.SetLabel(Narrow(formula) + ", " + std::to_string(segments) + " segments");
    const double evaluations = static_cast<double>(gridSize + 1) * (gridSize + 1);
    state.counters["evaluations/s"] = benchmark::Counter(evaluations, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(TraceImplicit)->ArgsProduct({{0, 1, 2}, {100, 300, 500}})->Unit(benchmark::kMillisecond);

void SampleExplicitCurve(benchmark::State& state) {
    const std::wstring formula = kExplicitFormulas[state.range(0)];
    const GraphFunction function(formula);
    const PlotArea area(kWidth, kHeight, kScale, 0, 0);
    for (auto _ : state) benchmark::DoNotOptimize(SampleExplicit(function, area));
    state.SetLabel(Narrow(formula));
    state.counters["evaluations/s"] = benchmark::Counter(kWidth - 9, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(SampleExplicitCurve)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

}  // namespace
