// Formula lists, substitution of numbers for the variables, and the values the library
// computes from them, for explicit and implicit curves alike.
#include <cmath>

#include <gtest/gtest.h>

#include "graph_formula.h"

namespace kelvora::graph {
namespace {

TEST(FormulaList, DropsEmptyFormulasAndKeepsTheFirstFive) {
    using List = std::vector<std::wstring>;
    EXPECT_EQ(FormulaList(L";;"), List{});
    EXPECT_EQ(FormulaList(L"x^2;;y=x"), (List{L"x^2", L"y=x"}));
    EXPECT_EQ(FormulaList(L";sin(x); "), (List{L"sin(x)", L" "}));
    EXPECT_EQ(FormulaList(L"1;;2;3;4;5;6"), (List{L"1", L"2", L"3", L"4", L"5"}));
    EXPECT_TRUE(IsImplicit(L"x^2+Y^2"));
    EXPECT_FALSE(IsImplicit(L"x=2"));
    EXPECT_EQ(ZeroForm(L"y=x=1"), L"y-(x=1)");
    EXPECT_EQ(ZeroForm(L"sin(y)"), L"sin(y)");
}

TEST(Substitution, BracketsEveryVariableOutsideFunctionNames) {
    const struct { std::wstring text; std::wstring expected; } cases[] = {
        {SubstituteX(L"2x", 0.5), L"2(0.5)"},
        {SubstituteX(L"x2X", -3), L"(-3)2(-3)"},
        {SubstituteX(L"xexp(x)+y", 2), L"(2)exp((2))+y"},
        {SubstituteX(L"x", 1.0 / 3), L"(0.3333333333)"},
        {SubstituteX(L"x", 1e-11), L"(1e-11)"},
        {SubstituteXY(L"x^2+Y^2-(25)", 1.0 / 3, -2), L"(0.333333333333333)^2+(-2)^2-(25)"},
        {SubstituteXY(L"y-(exp(2xy))", 0, 1), L"(1)-(exp(2(0)(1)))"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, c.expected);
}

// A plotted exp(x) or 2x must be the function typed, explicit or implicit.
TEST(GraphFunction, ValuesAreTheFunctionsTyped) {
    const struct { std::wstring formula; double x; double y; } cases[] = {
        {L"exp(x)", 0, 1}, {L"exp(x)", 1, std::exp(1.0)}, {L"2x", 1, 2}, {L"x2", 3, 6},
        {L"3x^2", -2, 12}, {L"xexp(x)", 1, std::exp(1.0)}, {L"x/10000000000", 1e-12, 1e-22},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(GraphFunction(c.formula).explicitAt(c.x), c.y, 1e-12) << c.formula;
        // The same curve written as an equation passes through the same point.
        EXPECT_NEAR(GraphFunction(ZeroForm(L"y=" + c.formula)).implicitAt(c.x, c.y), 0, 1e-12) << c.formula;
    }
    EXPECT_NEAR(GraphFunction(ZeroForm(L"xy=6")).implicitAt(2, 4), 2, 1e-12);
}

}  // namespace
}  // namespace kelvora::graph
