// How long one evaluation of a typical text takes: keypad lines, function keys' texts
// and graph-style formulas with substituted coordinates.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "abacor.h"

namespace {

struct Sample {
    const char* name;
    const wchar_t* text;
};

const std::vector<Sample> kSamples = {
    {"keypad_sum", L"12+3"},
    {"keypad_line", L"12.5\u00D73-4\u00F72+(7-1)\u00D72"},
    {"brackets", L"((1+2)*(3+4))/((5-6)*(7+8))"},
    {"power_chain", L"2^3^2-1.5^2"},
    {"function", L"sqrt(16)+abs(-3)"},
    {"nested_functions", L"sin(cos(0.5))+ln(exp(2))"},
    {"graph_explicit", L"(0.333333333333333)^2-3(0.333333333333333)+sin((0.333333333333333))"},
    {"graph_implicit", L"(1.25)^2+(-3.5)^2-25"},
    {"exponent_form", L"(9.99999999983333e-06)*2+1e+25"},
    {"long_sum", L"1+2+3+4+5+6+7+8+9+10+11+12+13+14+15+16+17+18+19+20+21+22+23+24+25"},
};

void BM_EvaluateExpression(benchmark::State& state) {
    const Sample& sample = kSamples[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(sample.name);
    for (auto _ : state) benchmark::DoNotOptimize(EvaluateExpression(sample.text));
}

BENCHMARK(BM_EvaluateExpression)->DenseRange(0, static_cast<int>(kSamples.size()) - 1);

}  // namespace
