#include "algebra/polynomial.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

#include "core/engine_state.h"

namespace {

using namespace abacor;

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class PolynomialTest : public ::testing::Test {
protected:
    PolynomialTest() { Engine() = EngineState{}; }
    ~PolynomialTest() override { Engine() = EngineState{}; }
};

struct PrintCase {
    Polynomial polynomial;
    std::wstring text;
};

TEST_F(PolynomialTest, PrintsTermsByDegreeWithSignsAndUnitCoefficients) {
    const PrintCase cases[] = {
        {{}, L"0"},
        {{{L"x1y0z0", 4e-11}, {kConstKey, -9e-11}}, L"0"},
        {{{L"x2y0z0", 2}, {L"x1y0z0", -3}, {kConstKey, 1}}, L"2x^2 - 3x + 1"},
        {{{L"x1y0z0", -1}}, L"-x"},
        {{{kConstKey, -0.5}}, L"-0.5"},
        {{{L"x2y0z0", 1}, {L"x1y0z0", -1}}, L"x^2 - x"},
        {{{L"x1y0z0", 1}, {kConstKey, -1}}, L"x - 1"},
        {{{L"x0y0z0", 3}}, L"3"},
        // x^0 with coefficient 1 writes only its sign: nothing when it comes first.
        {{{L"x0y0z0", 1}}, L"0"},
        {{{L"x1y0z0", 1}, {L"x0y0z0", -1}}, L"x - "},
        // Total degree first, then the x exponent, then y; not the key order.
        {{{L"x0y3z0", 1}, {L"x1y2z0", 1}, {L"x2y0z0", 1}, {L"x0y0z1", -2}}, L"xy^2 + y^3 + x^2 - 2z"},
        {{{L"x10y0z0", 1}, {L"x9y0z0", 1}, {L"x2y0z0", 1}}, L"x^10 + x^9 + x^2"},
        {{{L"x1y1z1", 1}, {L"x0y0z0", 2}}, L"xyz + 2"},
        {{{L"x1y0z0", 1.0 / 3}, {kConstKey, 0.1}}, L"0.3333333333x + 0.1"},
        {{{kConstKey, 1.5e60}}, L"1.5e+60"},  // an exponent text keeps its zeros
        {{{L"x1y0z0", -1.0000000000001}}, L"-x"},
    };
    for (const PrintCase& c : cases) {
        EXPECT_EQ(PolynomialToString(c.polynomial), c.text) << Narrow(c.text);
    }
}

TEST_F(PolynomialTest, PrintedNumbersFollowThePrecisionWithoutTrailingZeros) {
    Engine().Precision = 2;
    EXPECT_EQ(PolynomialToString({{L"x1y0z0", 2.5}, {kConstKey, 3}}), L"2.5x + 3");
    EXPECT_EQ(PolynomialToString({{L"x1y0z0", 0.001}}), L"0x");
    Engine().Precision = 0;
    EXPECT_EQ(PolynomialToString({{kConstKey, 2.6}}), L"3");
}

TEST_F(PolynomialTest, KeysAreReadWithSaturatedExponents) {
    EXPECT_EQ(MakeKey(2, 0, 13), L"x2y0z13");
    EXPECT_EQ(ReadKey(L"x2y0z13"), (std::vector<std::pair<wchar_t, int>>{{L'x', 2}, {L'y', 0}, {L'z', 13}}));
    EXPECT_TRUE(ReadKey(kConstKey).empty());
    EXPECT_EQ(TotalDegree(L"x2y1z3"), 6);
    EXPECT_EQ(TotalDegree(kConstKey), 0);
    EXPECT_EQ(VariableExponent(L"x2y15z3", L'y'), 15);
    EXPECT_EQ(VariableExponent(kConstKey, L'x'), 0);
    EXPECT_EQ(VariableExponent(L"x99999999999y0z0", L'x'), INT_MAX);
    EXPECT_EQ(TotalDegree(L"x2147483647y2147483647z5"), INT_MAX);
    EXPECT_EQ(DegreeInX({{L"x3y0z0", 1}, {L"x12y1z0", 1}, {kConstKey, 2}}), 12);
    EXPECT_EQ(DegreeInX({{kConstKey, 2}}), 0);
    EXPECT_EQ(Coefficient({{L"x1y0z0", 4}}, L"x1y0z0"), 4);
    EXPECT_EQ(Coefficient({{L"x1y0z0", 4}}, kConstKey), 0);
}

TEST_F(PolynomialTest, AdditionKeepsZeroEntriesUntilRemoved) {
    Polynomial p{{L"x1y0z0", 1}, {kConstKey, 2}};
    SubtractPolynomials(p, {{L"x1y0z0", 1}, {L"x2y0z0", 5}});
    EXPECT_EQ(p, (Polynomial{{L"x1y0z0", 0}, {L"x2y0z0", -5}, {kConstKey, 2}}));
    AddPolynomials(p, {{kConstKey, -2 + 5e-11}});
    RemoveZeroTerms(p);
    EXPECT_EQ(p, (Polynomial{{L"x2y0z0", -5}}));
}

struct BinaryCase {
    Polynomial a;
    Polynomial b;
    Polynomial result;
};

const MonomialKey X = L"x1y0z0";
const MonomialKey X2 = L"x2y0z0";
const MonomialKey C = kConstKey;
const Polynomial kXMinus1{{X, 1}, {C, -1}};

TEST_F(PolynomialTest, MultipliesKeysByAddingExponents) {
    const BinaryCase cases[] = {
        {{{X, 1}, {C, 1}}, kXMinus1, {{X2, 1}, {C, -1}}},
        {{{C, 3}}, {{C, 2}}, {{C, 6}}},
        {{{L"x0y0z0", 3}}, {{C, 2}}, {{L"x0y0z0", 6}}},
        {{{L"x0y0z0", 3}}, {{L"x0y0z0", 2}}, {{L"x0y0z0", 6}}},
        {{{X, 2}}, {{L"x0y1z2", 3}}, {{L"x1y1z2", 6}}},
        {{{L"x2147483647y0z0", 1}}, {{L"x5y0z0", 1}}, {{L"x2147483647y0z0", 1}}},
    };
    for (const BinaryCase& c : cases) EXPECT_EQ(MultiplyPolynomials(c.a, c.b), c.result);
}

TEST_F(PolynomialTest, DividesInXAndDropsTheRemainder) {
    const BinaryCase cases[] = {
        {{{X2, 1}, {C, -1}}, kXMinus1, {{X, 1}, {C, 1}}},
        {{{L"x3y0z0", 1}, {X2, -6}, {X, 11}, {C, -6}}, kXMinus1, {{X2, 1}, {X, -5}, {C, 6}}},
        {{{X2, 1}, {C, 1}}, {{X, 1}}, {{X, 1}}},
        {{{X, 1}, {C, 3}}, {{C, 2}}, {{X, 0.5}, {C, 1.5}}},
        {{{C, 6}}, {{C, 3}}, {{C, 2}}},
        {{{X, 1}}, {{C, 5e-11}}, {}},
        {{{X, 1}}, {}, {}},
        {{{C, 1}}, kXMinus1, {}},  // lower degree than the divisor
        {{{X2, 1}}, {{X, 1e-11}, {C, 1}}, {}},
        // Ties on the x exponent go to the first key: x divides x exactly, nothing is left.
        {{{X, 1}, {L"x1y1z0", 3}}, {{X, 1}, {L"x1y1z0", 3}}, {{C, 1}}},
    };
    for (const BinaryCase& c : cases) EXPECT_EQ(DividePolynomials(c.a, c.b), c.result);
}

TEST_F(PolynomialTest, DivisionIsBoundedInRounds) {
    // x*y / x: the leading x term never cancels and the remainder goes round in circles.
    WorkBudget budget;
    Polynomial quotient;
    EXPECT_EQ(DivideBounded({{L"x1y1z0", 1}}, {{X, 1}}, budget, quotient), LimitHit::kDivisionRounds);
    EXPECT_EQ(DividePolynomials({{L"x1y1z0", 1}}, {{X, 1}}), quotient);

    EXPECT_EQ(DivideBounded({{L"x100000y0z0", 1}}, kXMinus1, budget, quotient), LimitHit::kTooMuchWork);
    EXPECT_TRUE(quotient.empty());
    // Just inside the limit the whole quotient x^1999 + ... + 1 is built.
    const Polynomial q = DividePolynomials({{L"x2000y0z0", 1}}, kXMinus1);
    EXPECT_EQ(q.size(), 2000u);
    EXPECT_EQ(Coefficient(q, C), 1);
}

TEST_F(PolynomialTest, PowersMultiplyRepeatedlyWithinTheLimits) {
    const Polynomial xPlus1{{X, 1}, {C, 1}};
    EXPECT_EQ(PowerPolynomial(xPlus1, 3), (Polynomial{{L"x3y0z0", 1}, {X2, 3}, {X, 3}, {C, 1}}));
    EXPECT_EQ(PowerPolynomial(xPlus1, 1), xPlus1);
    EXPECT_EQ(PowerPolynomial(xPlus1, 0), xPlus1);  // the expansion decides what ^0 means
    EXPECT_EQ(PowerPolynomial(xPlus1, -4), xPlus1);

    const Polynomial big{{X, 1}, {L"x0y1z0", 1}, {L"x0y0z1", 1}, {C, 1}};
    WorkBudget budget;
    Polynomial power{{C, 1}};
    EXPECT_NE(PowerBounded(big, 100, budget, power), LimitHit::kNone);
    EXPECT_TRUE(power.empty());
    EXPECT_TRUE(PowerPolynomial(big, 100).empty());
    WorkBudget small{200};
    EXPECT_EQ(PowerBounded(xPlus1, 50, small, power), LimitHit::kTooMuchWork);
}

TEST_F(PolynomialTest, EvaluatesInXAndYIgnoringZ) {
    EXPECT_EQ(EvaluatePolynomial({{L"x2y0z0", 1}, {kConstKey, -4}}, 3, 0), 5);
    EXPECT_EQ(EvaluatePolynomial({{L"x0y0z1", 5}}, 7, 0), 5);
    EXPECT_EQ(EvaluatePolynomial({{L"x1y1z0", 2}, {L"x0y0z0", 1}}, 3, 4), 25);
    EXPECT_TRUE(std::isinf(EvaluatePolynomial({{L"x2147483647y0z0", 1}}, 2, 0)));
}

TEST_F(PolynomialTest, DerivesEveryLetterOfEveryTerm) {
    EXPECT_EQ(DerivePolynomial({{L"x2y0z0", 3}, {L"x1y0z0", 2}, {kConstKey, 1}}),
              (Polynomial{{L"x1y0z0", 6}, {L"x0y0z0", 2}}));
    EXPECT_EQ(DerivePolynomial({{L"x2y1z0", 1}}), (Polynomial{{L"x1y1z0", 2}, {L"x2y0z0", 1}}));
    EXPECT_TRUE(DerivePolynomial({{kConstKey, 4}, {L"x0y0z0", 3}}).empty());
}

struct TextCase {
    std::wstring in;
    std::wstring out;
};

TEST_F(PolynomialTest, ConvertsBetweenCaretsAndSuperscripts) {
    const TextCase toSuperscript[] = {{L"x^2", L"x\u00B2"}, {L"x^10", L"x\u00B90"}, {L"x^a", L"x^a"},
                                      {L"2^3+x^4", L"2\u00B3+x\u2074"}};
    for (const TextCase& c : toSuperscript) EXPECT_EQ(CaretToSuperscript(c.in), c.out) << Narrow(c.in);
    const TextCase toCaret[] = {{L"x\u00B2\u00B3", L"x^2^3"}, {L"x\u2070+y\u2079", L"x^0+y^9"}, {L"x^2", L"x^2"}};
    for (const TextCase& c : toCaret) EXPECT_EQ(SuperscriptToCaret(c.in), c.out) << Narrow(c.out);
    for (wchar_t d = L'0'; d <= L'9'; ++d) {
        EXPECT_EQ(SuperscriptToCaret(std::wstring(1, SuperscriptDigit(d))), std::wstring(L"^") + d);
    }
    EXPECT_EQ(SuperscriptDigit(L'x'), L'x');
}

struct SubstituteCase {
    std::wstring formula;
    double value;
    std::wstring text;
};

TEST_F(PolynomialTest, SubstitutesTheValueForEveryX) {
    const SubstituteCase cases[] = {
        {L"x^2", -3, L"-3^2"},          {L"x", 2.5, L"2.5"},          {L"x", 1e12, L"1e+12"},
        {L"x", 1e10, L"1e+10"},         {L"x", 9999999999, L"9999999999"}, {L"2x(x+1)", 3, L"2*3(3+1)"},
        {L"3(x+1)", 2, L"3*(2+1)"},     {L"(x+1)(X-1)", 2, L"(2+1)*(2-1)"}, {L"-x", 0, L"0"},
        {L"x", -0.0, L"0"},             {L"x", 1e300, L"1e+300"},
        {L"x", std::numeric_limits<double>::infinity(), L"inf"},
    };
    for (const SubstituteCase& c : cases) {
        EXPECT_EQ(SubstituteValue(c.formula, c.value), c.text) << Narrow(c.formula);
    }
}

}  // namespace
