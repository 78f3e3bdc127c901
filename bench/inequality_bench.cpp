// How long an inequality takes from text to answer, report and number line, up to the
// largest degree the solver searches: the engine must answer within 100 ms.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/engine_state.h"
#include "inequalities/inequality_system.h"

namespace {

struct Sample {
    const char* name;
    std::wstring text;
};

// (x-1)(x-2)…(x-n) > 0: n real zeros.
std::wstring Product(int n) {
    std::wstring text;
    for (int k = 1; k <= n; ++k) text += L"(x-" + std::to_wstring(k) + L")";
    return text + L">0";
}

// (x²-1)(x²-4)…(x²-n²) < 0: 2n real zeros, symmetric about 0.
std::wstring SymmetricProduct(int n) {
    std::wstring text;
    for (int k = 1; k <= n; ++k) text += L"(x^2-" + std::to_wstring(k * k) + L")";
    return text + L"<0";
}

// (10x-k) for k = -n … n-1: 2n zeros a tenth apart.
std::wstring TenthsProduct(int n) {
    std::wstring text;
    for (int k = -n; k < n; ++k) {
        text += L"(10x" + std::wstring(k < 0 ? L"+" : L"-") + std::to_wstring(k < 0 ? -k : k) + L")";
    }
    return text + L"≥0";
}

const std::vector<Sample> kSamples = {
    {"quadratic", L"x^2-4>0"},
    {"cubic", L"x^3-6x^2+11x-6>0"},
    {"system", L"x^2-4>0 & x<3"},
    {"deg20_20zeros", Product(20)},
    {"deg50_50zeros_1to50", Product(50)},
    {"deg50_50zeros_symmetric", SymmetricProduct(25)},
    {"deg50_50zeros_tenths", TenthsProduct(25)},
    // The Chebyshev polynomial T50: 50 zeros in (-1, 1), and so have all its derivatives,
    // which makes every level of the search between the derivative's zeros full.
    {"deg50_50zeros_chebyshev",
     L"562949953421312x^50-7036874417766400x^48+41341637204377600x^46-151732604633088000x^44"
     L"+390051749953536000x^42-746299014911098880x^40+1102487181118668800x^38-1287455960675123200x^36"
     L"+1206989963132928000x^34-917508630511616000x^32+568855350917201920x^30-288405684905574400x^28"
     L"+119536566770073600x^26-40383975260160000x^24+11057517035520000x^22-2432653747814400x^20"
     L"+424820047872000x^18-57930006528000x^16+6034375680000x^14-466152960000x^12+25638412800x^10"
     L"-947232000x^8+21528000x^6-260000x^4+1250x^2-1>0"},
    {"deg50_2zeros_multiple", L"((x^2-1)^5)^5≥0"},
    {"deg50_2zeros_sparse", L"x^50-2>0"},
    {"deg100_100zeros", Product(100)},
};

void BM_SolveInequality(benchmark::State& state) {
    const Sample& sample = kSamples[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(sample.name);
    std::size_t zeros = 0;
    for (auto _ : state) {
        const abacor::InequalityResult result = abacor::SolveInequalitySystem(sample.text);
        zeros = result.points.size();
        benchmark::DoNotOptimize(result.answer.data());
    }
    state.counters["points"] = static_cast<double>(zeros);
}

BENCHMARK(BM_SolveInequality)->DenseRange(0, static_cast<int>(kSamples.size()) - 1)->Unit(benchmark::kMillisecond);

}  // namespace
