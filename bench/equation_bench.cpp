// The slowest formulas we know for the equation solver: each must be answered well
// within 100 ms. One iteration is one press of the equation panel's solve key.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "abacor.h"
#include "control_ids.h"
#include "headless_main_window.h"

namespace {

std::wstring Repeat(const std::wstring& piece, int times, const std::wstring& joint) {
    std::wstring text;
    for (int i = 0; i < times; ++i) text += (i ? joint : L"") + piece;
    return text;
}

std::wstring Fractions(int count) {
    std::wstring text;
    for (int k = 1; k <= count; ++k) text += (k > 1 ? L"+" : L"") + std::wstring(L"1/(x+") + std::to_wstring(k) + L")^9";
    return text + L"=1";
}

struct Hostile {
    const char* name;
    std::wstring formula;
};

const std::vector<Hostile> kFormulas = {
    {"simplify_bracket_powers_xyz", Repeat(L"(x+y+z+1)^9", 84, L"*")},
    {"bracket_powers_x", Repeat(L"(x+1)^9", 126, L"*") + L"=0"},
    {"huge_free_term", L"x^3+897612484786617600=0"},
    {"huge_exponents", L"x^99999*x^99999+x^3-1=0"},
    {"long_division", L"x^100000/(x-1)=1"},
    {"nested_brackets", std::wstring(500, L'(') + L"x" + std::wstring(500, L')') + L"=1"},
    {"many_fractions", Fractions(12)},
    {"quartic", L"x^4-5x^2+4=0"},
};

void BM_SolveEquation(benchmark::State& state) {
    const Hostile& hostile = kFormulas[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(hostile.name);
    headless::MainWindow window;
    headless::Window& input = window.control(KV_EQ_INPUT);
    InitFractions(&window.main());
    for (auto _ : state) {
        input.setText(hostile.formula);
        ProcessButtonClick(&window.display(), KV_EQ_SOLVE);
        benchmark::DoNotOptimize(GetLastSteps());
    }
    InitFractions(nullptr);
}

BENCHMARK(BM_SolveEquation)->DenseRange(0, static_cast<int>(kFormulas.size()) - 1)->Unit(benchmark::kMillisecond);

}  // namespace
