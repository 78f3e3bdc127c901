// GetPolynomialRoots: the roots a graph marks, exact where the formula is a polynomial in
// x, and a refusal, never a long wait, where it is not one or its roots crowd together.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "abacor.h"

namespace {

struct Roots {
    int count;
    std::vector<double> values;
    std::vector<int> multiplicities;
};

Roots Found(const std::wstring& formula, bool derivative) {
    constexpr int kCapacity = 8;
    Roots found{0, std::vector<double>(kCapacity), std::vector<int>(kCapacity)};
    found.count = GetPolynomialRoots(formula.c_str(), derivative ? 1 : 0, found.values.data(),
                                     found.multiplicities.data(), kCapacity);
    const int kept = std::clamp(found.count, 0, kCapacity);
    found.values.resize(static_cast<std::size_t>(kept));
    found.multiplicities.resize(static_cast<std::size_t>(kept));
    return found;
}

TEST(PolynomialRoots, ExactDoublesWithMultiplicities) {
    const struct {
        std::wstring formula;
        bool derivative;
        std::vector<double> values;  // compared with ==: each is the double nearest the root
        std::vector<int> multiplicities;
    } cases[] = {
        {L"x^2-4", false, {-2, 2}, {1, 1}},
        {L"x^2-4", true, {0}, {1}},
        {L"(x-0.1)(x-0.2)", false, {0.1, 0.2}, {1, 1}},
        {L"x^2-2", false, {-1.4142135623730951, 1.4142135623730951}, {1, 1}},
        {L"x^3", false, {0}, {3}},
        {L"x^3", true, {0}, {2}},
        {L"X^3-3X", true, {-1, 1}, {1, 1}},  // both cases of the letter, as a graph reads it
        {L"(x-1)^2(x+3)", false, {-3, 1}, {1, 2}},
        {L"x^2+1", false, {}, {}},
        {L"7", false, {}, {}},
        {L"x-x", false, {}, {}},  // every x: the caller's to say, not a list of roots
        {L"5x", true, {}, {}},
        {L"x^50", false, {0}, {50}},  // the highest degree taken exactly
        {L"1e12x-1", false, {1e-12}, {1}},  // the largest number
        {L"1e-12x^2-0.123456789", false, {-std::sqrt(0.123456789e12), std::sqrt(0.123456789e12)}, {1, 1}},
    };
    for (const auto& c : cases) {
        const Roots found = Found(c.formula, c.derivative);
        const std::string label = std::string(c.formula.begin(), c.formula.end()) + (c.derivative ? "'" : "");
        ASSERT_EQ(found.count, static_cast<int>(c.values.size())) << label;
        EXPECT_EQ(found.values, c.values) << label;
        EXPECT_EQ(found.multiplicities, c.multiplicities) << label;
    }
}

TEST(PolynomialRoots, RefusedWhereTheTextIsNoPolynomialInX) {
    const std::wstring formulas[] = {
        L"sin(x)", L"1/x", L"x/0", L"x*y", L"2^x", L"x^0.5", L"x^-1", L"(x+1",
        L"x^51", L"(x^2)^26", L"x^30*x^30",  // above the highest degree
        // Numbers whose powers would take long to multiply out.
        L"1e13x-1", L"1e-13x-1", L"0.1234567890123x", L"(1e4000x+1)^50",
        L"",
    };
    for (const std::wstring& formula : formulas) {
        double root = -7;
        EXPECT_EQ(GetPolynomialRoots(formula.c_str(), 0, &root, nullptr, 1), -1) << std::string(formula.begin(), formula.end());
        EXPECT_EQ(GetPolynomialRoots(formula.c_str(), 1, &root, nullptr, 1), -1) << std::string(formula.begin(), formula.end());
        EXPECT_EQ(root, -7);
    }
    EXPECT_EQ(GetPolynomialRoots(nullptr, 0, nullptr, nullptr, 0), -1);
}

// The full count whatever the capacity; nothing is written past it, nor into null arrays.
TEST(PolynomialRoots, WritesOnlyUpToCapacity) {
    const wchar_t* quartic = L"(x-1)(x-2)(x-3)(x-4)";
    std::vector<double> values(4, -1);
    std::vector<int> multiplicities(4, -1);
    EXPECT_EQ(GetPolynomialRoots(quartic, 0, values.data(), multiplicities.data(), 2), 4);
    EXPECT_EQ(values, (std::vector<double>{1, 2, -1, -1}));
    EXPECT_EQ(multiplicities, (std::vector<int>{1, 1, -1, -1}));
    EXPECT_EQ(GetPolynomialRoots(quartic, 0, nullptr, multiplicities.data(), 4), 4);
    EXPECT_EQ(multiplicities, (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(GetPolynomialRoots(quartic, 1, nullptr, nullptr, 0), 3);
}

// Two roots about 1000^-25 apart: the search gives up within its allowance instead of
// holding up the picture.
TEST(PolynomialRoots, CrowdedRootsAreRefused) {
    EXPECT_EQ(GetPolynomialRoots(L"x^50-2(1000x-1)^2", 0, nullptr, nullptr, 0), -1);
}

}  // namespace
