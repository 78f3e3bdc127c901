#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "algebra/modular_polynomial.h"

namespace {

using abacor::ModularPolynomial;

std::vector<mpz_class> Ints(std::vector<long> coefficients) { return {coefficients.begin(), coefficients.end()}; }

TEST(ModularPolynomial, ReductionKeepsResiduesAndDropsVanishedLeads) {
    const struct {
        std::vector<long> p;
        std::uint64_t prime;
        ModularPolynomial reduced;
    } cases[] = {
        {{-1, 0, 1}, 7, {6, 0, 1}},
        {{3, 14, 7}, 7, {3}},
        {{-8, 5}, 5, {2}},
        {{0, 0}, 3, {}},
        {{-4294967292L, 1}, 4294967291u, {4294967290u, 1}},
    };
    for (const auto& c : cases) EXPECT_EQ(abacor::Reduce(Ints(c.p), c.prime), c.reduced) << c.prime;
    EXPECT_EQ(abacor::Residue(mpz_class("-123456789012345678901234567890"), 1009), 378u);  // floored, never negative
}

TEST(ModularPolynomial, GcdIsMonic) {
    const struct {
        ModularPolynomial a, b;
        ModularPolynomial gcd;
    } cases[] = {
        {{6, 0, 1}, {6, 1}, {6, 1}},           // x² - 1 and x - 1 modulo 7
        {{1, 0, 1}, {6, 1}, {1}},              // x² + 1 has no root 1 modulo 7
        {{2, 4}, {}, {4, 1}},                  // 4x + 2 made monic: x + 4 modulo 7
        {{}, {}, {}},
        {{0, 5, 0, 5}, {0, 0, 3}, {0, 1}},     // 5x(x² + 1) and 3x²
    };
    for (const auto& c : cases) EXPECT_EQ(abacor::ModularGcd(c.a, c.b, 7), c.gcd);
}

TEST(ModularPolynomial, RootsByTryingEveryResidue) {
    EXPECT_EQ(abacor::RootsModulo({6, 0, 1}, 7), (std::vector<std::uint64_t>{1, 6}));
    EXPECT_EQ(abacor::RootsModulo({1, 0, 1}, 7), (std::vector<std::uint64_t>{}));
    EXPECT_EQ(abacor::RootsModulo({0, 0, 1}, 7), (std::vector<std::uint64_t>{0}));
    EXPECT_EQ(abacor::RootsModulo({3, 1}, 1009), (std::vector<std::uint64_t>{1006}));
    EXPECT_EQ(abacor::EvaluateModulo({4294967290u, 0, 1}, 4294967290u, 4294967291u), 0u);
}

TEST(ModularPolynomial, NextPrime) {
    const std::uint64_t cases[][2] = {{0, 2}, {2, 3}, {1000, 1009}, {1009, 1013}, {4294967279u, 4294967291u}, {7918, 7919}};
    for (const auto& c : cases) EXPECT_EQ(abacor::NextPrime(c[0]), c[1]) << c[0];
}

}  // namespace
