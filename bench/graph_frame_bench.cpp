// One whole frame of the graph view at 1920 × 1080, stage by stage: sampling three
// explicit curves, tracing two implicit ones, painting everything onto a QImage; and
// the trace of the circle alone at the finest grid of the settings.
#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include "curves.h"
#include "explicit_plot.h"
#include "implicit_trace.h"
#include "qt_graph_canvas.h"
#include "render_graph.h"

namespace {

using namespace kelvora::graph;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kFinestGrid = 500;
constexpr wchar_t kFrameFormulas[] = L"x^2+y^2=25;sin(x)*cos(y)=0.5;x^2;sin(x);exp(x)";

const GraphFormulas& Formulas() {
    static const GraphFormulas formulas(kFrameFormulas);
    return formulas;
}

ViewKey FrameKey() { return ViewKey{kWidth, kHeight, GraphView::kInitialScale, 0, 0, kFinestGrid}; }

void SampleExplicitStage(benchmark::State& state) {
    const PlotArea area = FrameKey().area();
    std::size_t points = 0;
    for (auto _ : state) {
        points = 0;
        for (std::size_t k = 0; k < Formulas().size(); ++k) {
            if (Formulas()[k].implicit) continue;
            for (const Polyline& line : PlotExplicit(Formulas()[k].function, area)) points += line.size();
        }
        benchmark::DoNotOptimize(points);
    }
    state.SetLabel("3 explicit curves, " + std::to_string(points) + " points");
}
BENCHMARK(SampleExplicitStage)->Unit(benchmark::kMillisecond);

void TraceImplicitStage(benchmark::State& state) {
    const PlotArea area = FrameKey().area();
    std::size_t points = 0;
    for (auto _ : state) {
        points = 0;
        for (std::size_t k = 0; k < Formulas().size(); ++k) {
            if (!Formulas()[k].implicit) continue;
            for (const Polyline& line : TraceCurve(Formulas()[k].function, area, kFinestGrid)) points += line.size();
        }
        benchmark::DoNotOptimize(points);
    }
    state.SetLabel("2 implicit curves, N = 500, " + std::to_string(points) + " points");
}
BENCHMARK(TraceImplicitStage)->Unit(benchmark::kMillisecond);

void Paint(QImage& image, const CurveCache& curves) {
    QPainter painter(&image);
    kelvora::QtGraphCanvas canvas(painter);
    const std::wstring text(kFrameFormulas);
    RenderGraph(canvas, kWidth, kHeight, GraphView(), kelvora::GraphSettings{kFinestGrid}, Formulas(), curves,
                Overlay{GraphPoint{700, 400}, std::nullopt, false, text});
}

void PaintStage(benchmark::State& state) {
    CurveCache curves;
    curves.compute(Formulas(), FrameKey());
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) Paint(image, curves);
    state.SetLabel("grid, axes, labels, legend, cursor and 5 curves onto a QImage");
}
BENCHMARK(PaintStage)->Unit(benchmark::kMillisecond);

void WholeFrame(benchmark::State& state) {
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        CurveCache curves;
        curves.compute(Formulas(), FrameKey());
        Paint(image, curves);
    }
    state.SetLabel("goal 16 ms");
}
BENCHMARK(WholeFrame)->Unit(benchmark::kMillisecond);

void TraceCircle(benchmark::State& state) {
    const GraphFunction circle(ZeroForm(L"x^2+y^2=25"));
    const PlotArea area = FrameKey().area();
    std::size_t points = 0;
    for (auto _ : state) {
        points = 0;
        for (const Polyline& line : TraceCurve(circle, area, kFinestGrid)) points += line.size();
        benchmark::DoNotOptimize(points);
    }
    state.SetLabel("x^2+y^2=25, N = 500, " + std::to_string(points) + " points; goal 0.7 ms");
}
BENCHMARK(TraceCircle)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);  // fonts for the labels
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
