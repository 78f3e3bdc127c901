// The hardest polynomials we can build for the exact root finder: high degree, long
// coefficients, close and multiple roots. Each must be solved well within 100 ms.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "algebra/exact_in_x.h"
#include "algebra/real_roots.h"

namespace {

using abacor::ExactPolynomial;

ExactPolynomial Power(const ExactPolynomial& p, int n) {
    ExactPolynomial result({mpq_class(1)});
    for (int i = 0; i < n; ++i) result = result * p;
    return result;
}

mpz_class RandomDigits(std::mt19937& random, int digits) {
    std::string text(1, static_cast<char>('1' + random() % 9));
    for (int i = 1; i < digits; ++i) text += static_cast<char>('0' + random() % 10);
    return mpz_class(text);
}

ExactPolynomial Wilkinson(int degree) {
    ExactPolynomial p({mpq_class(1)});
    for (int k = 1; k <= degree; ++k) p = p * ExactPolynomial::Linear(k);
    return p;
}

// Tₙ: n irrational roots packed into (-1, 1).
ExactPolynomial Chebyshev(int degree) {
    ExactPolynomial previous({mpq_class(1)}), current({0, 1});
    for (int n = 2; n <= degree; ++n) {
        ExactPolynomial next = ExactPolynomial({0, 2}) * current - previous;
        previous = current;
        current = next;
    }
    return current;
}

// Every coefficient a random integer of the given length with a random sign.
ExactPolynomial RandomLong(int degree, int digits) {
    std::mt19937 random(static_cast<unsigned>(degree * 1000 + digits));
    std::vector<mpq_class> c;
    for (int i = 0; i <= degree; ++i) c.emplace_back(random() % 2 ? RandomDigits(random, digits) : mpz_class(-RandomDigits(random, digits)));
    return ExactPolynomial(std::move(c));
}

// Π (aᵢx² - bᵢ) with long aᵢ, bᵢ: every root irrational, the leading coefficient huge.
ExactPolynomial LongQuadratics(int count, int digits) {
    std::mt19937 random(static_cast<unsigned>(count));
    ExactPolynomial p({mpq_class(1)});
    for (int i = 0; i < count; ++i) p = p * ExactPolynomial({mpq_class(-RandomDigits(random, digits)), 0, mpq_class(RandomDigits(random, digits))});
    return p;
}

// Π (qᵢx - pᵢ) with long pᵢ, qᵢ: rational roots with long denominators.
ExactPolynomial LongRationalRoots(int count, int digits) {
    std::mt19937 random(static_cast<unsigned>(count + 7));
    ExactPolynomial p({mpq_class(1)});
    for (int i = 0; i < count; ++i) p = p * ExactPolynomial({mpq_class(-RandomDigits(random, digits)), mpq_class(RandomDigits(random, digits))});
    return p;
}

// xⁿ - 2(ax - 1)²: two roots within a⁻ⁿᐟ² of 1/a (Mignotte), hard to separate.
ExactPolynomial Mignotte(int degree, long a) {
    std::vector<mpq_class> c(static_cast<std::size_t>(degree) + 1);
    c[0] = -2;
    c[1] = 4 * a;
    c[2] = -2 * a * a;
    c.back() += 1;
    return ExactPolynomial(std::move(c));
}

// Multiple factors of every kind: (x-1)⁵ (x+2)⁴ (x²-3)³ (x³-x-1)² (2x²-7x+1)².
ExactPolynomial ManyMultiple() {
    return Power(ExactPolynomial::Linear(1), 5) * Power(ExactPolynomial::Linear(-2), 4) * Power(ExactPolynomial({-3, 0, 1}), 3) *
           Power(ExactPolynomial({-1, -1, 0, 1}), 2) * Power(ExactPolynomial({1, -7, 2}), 2);
}

// What the equation solver hands over at its largest degree: Π (x - k/10), k = 1…100,
// expanded in doubles, each coefficient then taken exactly (up to 1074-bit denominators).
ExactPolynomial TenthsInDoubles(int degree) {
    std::vector<double> c{1.0};
    for (int k = 1; k <= degree; ++k) {
        std::vector<double> next(c.size() + 1, 0.0);
        for (std::size_t i = 0; i < c.size(); ++i) {
            next[i + 1] += c[i];
            next[i] -= c[i] * (k / 10.0);
        }
        c = std::move(next);
    }
    return *ExactPolynomial::FromDoubles(c);
}

// Random doubles of every magnitude, degree 100.
ExactPolynomial RandomDoubles(int degree) {
    std::mt19937 random(static_cast<unsigned>(degree));
    std::uniform_real_distribution<double> mantissa(-1, 1);
    std::uniform_int_distribution<int> exponent(-300, 300);
    std::vector<double> c;
    for (int i = 0; i <= degree; ++i) c.push_back(std::ldexp(mantissa(random), exponent(random)));
    return *ExactPolynomial::FromDoubles(c);
}

// Gives up on roots too close to separate within the solver's allowance: the time to
// give up.
void GiveUp(benchmark::State& state, const ExactPolynomial& p) {
    bool answered = false;
    for (auto _ : state) {
        answered = abacor::FindRealRootsWithin(p, abacor::kRootWorkAllowance).has_value();
        benchmark::DoNotOptimize(answered);
    }
    state.counters["answered"] = answered;
}

void Solve(benchmark::State& state, const ExactPolynomial& p) {
    std::size_t roots = 0;
    for (auto _ : state) {
        roots = abacor::FindRealRoots(p).size();
        benchmark::DoNotOptimize(roots);
    }
    state.counters["degree"] = p.Degree();
    state.counters["roots"] = static_cast<double>(roots);
}

BENCHMARK_CAPTURE(Solve, wilkinson_30, Wilkinson(30))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Solve, wilkinson_60, Wilkinson(60))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Solve, chebyshev_30, Chebyshev(30))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Solve, chebyshev_60, Chebyshev(60))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Solve, random_deg30_100digits, RandomLong(30, 100))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Solve, random_deg60_100digits, RandomLong(60, 100))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Solve, quadratics_15_of_50digits, LongQuadratics(15, 50))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Solve, rational_roots_15_of_50digits, LongRationalRoots(15, 50))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Solve, mignotte_30, Mignotte(30, 100))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GiveUp, mignotte_100_within_allowance, Mignotte(100, 1000))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GiveUp, chebyshev_100_within_allowance, Chebyshev(100))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Solve, tenths_in_doubles_100, TenthsInDoubles(100))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Solve, random_doubles_100, RandomDoubles(100))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Solve, many_multiple_factors, ManyMultiple())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Solve, multiple_long_factors, Power(LongQuadratics(3, 30), 3) * Power(LongRationalRoots(3, 30), 2))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Solve, many_multiple_factors_squared, Power(ManyMultiple(), 2) * ExactPolynomial({-5, 0, 0, 1}))->Unit(benchmark::kMillisecond);

}  // namespace
