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

// 1/d1 + ... + 1/dn = 1/dn + ... + 1/d1 with distinct denominators of degree 100 and
// 18-digit coefficients.
std::wstring IdentityOfDenominators(int count) {
    std::wstring left;
    std::wstring right;
    for (int i = 0; i < count; ++i) {
        const std::wstring d = L"1/(x^100-" + std::to_wstring(987654321987654321LL + i) + L"x^" + std::to_wstring(99 - i) +
                               L"+" + std::to_wstring(123456789123456789LL - i) + L")";
        left += (i ? L"+" : L"") + d;
        right = d + (i ? L"+" : L"") + right;
    }
    return left + L"=" + right;
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
    {"close_roots_degree_100", L"x^100-2(1000x-1)^2=0"},
    {"tenths_degree_60", L"(x-0.1)(x-0.2)(x-0.3)(x-0.4)(x-0.5)(x-0.6)(x-0.7)(x-0.8)(x-0.9)(x-1.1)(x-1.2)(x-1.3)(x-1.4)(x-1.5)"
                         L"(x-1.6)(x-1.7)(x-1.8)(x-1.9)(x-2.1)(x-2.2)(x-2.3)(x-2.4)(x-2.5)(x-2.6)(x-2.7)(x-2.8)(x-2.9)(x-3.1)"
                         L"(x-3.2)(x-3.3)(x-3.4)(x-3.5)(x-3.6)(x-3.7)(x-3.8)(x-3.9)(x-4.1)(x-4.2)(x-4.3)(x-4.4)(x-4.5)(x-4.6)"
                         L"(x-4.7)(x-4.8)(x-4.9)(x-5.1)(x-5.2)(x-5.3)(x-5.4)(x-5.5)(x-5.6)(x-5.7)(x-5.8)(x-5.9)(x-6.1)(x-6.2)"
                         L"(x-6.3)(x-6.4)(x-6.5)(x-6.6)=0"},
    // Identities, whose answer lists the zeros of every denominator.
    {"identity_close_denominator_zeros", L"1/(x^100-2(1000x-1)^2)=1/(x^100-2(1000x-1)^2)"},
    {"identity_long_denominators", IdentityOfDenominators(9)},
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
