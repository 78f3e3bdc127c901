#include "algebra/formula.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/engine_state.h"
#include "engine_fixture.h"

namespace {

using namespace abacor;

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

class FormulaTest : public EngineTest {};

struct ValidateCase {
    std::wstring text;
    std::wstring message;  // empty: the text passes
};

TEST_F(FormulaTest, ValidationReportsTheFirstProblemInCheckOrder) {
    const ValidateCase cases[] = {
        {L"", L"Пустая строка"},           {L"1/0", L"Деление на ноль"},
        {L"x/ 0)", L"Деление на ноль"},    {L"1/0+1", L"Деление на ноль"},
        {L"x/0 = 1", L"Деление на ноль"},  {L"x/0=1", L"Деление на ноль"},
        {L"a/0", L"Деление на ноль"},      {L"1/0.5", L""},
        {L"1/05", L""},                    {L"2**x", L"Двойной символ операции"},
        {L"x^-2", L""},  /* a sign, not a second operator */ {L"2*a*", L"Недопустимые символы"},
        {L"2**a", L"Двойной символ операции"}, {L"2+ -x", L""},
        {L"x+1-", L""},                    {L"(x+1", L"Скобки не сбалансированы"},
        {L"x+1)", L"Скобки не сбалансированы"}, {L")x(", L""},  // only the totals count
        {L"x+a", L"Недопустимые символы"}, {L"x\u00B2-4=0", L""},
        {L"3,5x:2 = 1.5", L""},
    };
    for (const ValidateCase& c : cases) {
        const std::size_t shown = desktop_.messageBoxes().size();
        EXPECT_EQ(ValidateFormula(c.text.c_str()), c.message.empty()) << Narrow(c.text);
        const bool showsOne = desktop_.messageBoxes().size() == shown + 1;
        ASSERT_EQ(showsOne, !c.message.empty()) << Narrow(c.text);
        if (!showsOne) continue;
        const auto& box = desktop_.messageBoxes().back();
        EXPECT_EQ(box.text, c.message) << Narrow(c.text);
        EXPECT_EQ(box.caption, L"Ошибка");
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_EQ(box.icon, KvMessageIcon::Warning);
        EXPECT_EQ(box.buttons, KvMessageButtons::Ok);
    }
}

TEST_F(FormulaTest, NullTextIsEmptyAndNoMainWindowShowsNothing) {
    EXPECT_FALSE(ValidateFormula(nullptr));
    ASSERT_EQ(desktop_.messageBoxes().size(), 1u);
    EXPECT_EQ(desktop_.messageBoxes().front().text, L"Пустая строка");
    InitFractions(nullptr);
    EXPECT_FALSE(ValidateFormula(L"1/0"));
    EXPECT_EQ(desktop_.messageBoxes().size(), 1u);
}

struct ExpandCase {
    std::wstring text;
    Polynomial expected;
};

const MonomialKey X = L"x1y0z0";
const MonomialKey X2 = L"x2y0z0";
const MonomialKey C = kConstKey;

void ExpectExpansions(const std::vector<ExpandCase>& cases) {
    for (const ExpandCase& c : cases) EXPECT_EQ(ExpandExpression(c.text), c.expected) << Narrow(c.text);
}

TEST_F(FormulaTest, ExpandsWhatTheSolversFeedIt) {
    ExpectExpansions({
        {L"2 x - 6", {{X, 2}, {C, -6}}},                {L"x^2-5x+6", {{X2, 1}, {X, -5}, {C, 6}}},
        {L"(1)*(x+1) + ( 1)*(x )", {{X, 2}, {C, 1}}},   {L"(1)*((x )*(x+1))", {{X2, 1}, {X, 1}}},
        {L"(x+1)^10+1", {{C, 1}}},                      {L"-x^2+4", {{X2, -1}, {C, 4}}},
        {L"(x+1)(x-1)", {{X2, 1}, {C, -1}}},            {L"2(x+3)", {{X, 2}, {C, 6}}},
        {L"x(x+1)", {{X2, 1}, {X, 1}}},                 {L"(x+1)x", {{X2, 1}, {X, 1}}},
        {L"(x+1)^2", {{X2, 1}, {X, 2}, {C, 1}}},        {L"x^10", {{L"x10y0z0", 1}}},
        {L"6/3", {{C, 2}}},                             {L"(x^2-1)/(x-1)", {{X, 1}, {C, 1}}},
        {L"x/2", {{X, 0.5}}},                           {L"3,5x^2", {{X2, 3.5}}},
        {L"xz^3", {{L"x1y0z3", 1}}},                    {L"2xy", {{L"x1y1z0", 2}}},
        {L"x--1", {{X, 1}, {C, 1}}},                    {L"x+-1", {{X, 1}, {C, -1}}},
        {L"-(x+1)*2", {{X, -2}, {C, -2}}},              {L"2*(x+1)/2", {{X, 1}, {C, 1}}},
        {L"1+2*3-4/2", {{C, 5}}},                       {L"\t x-x\n", {}},
        // z takes no implicit "*"; the closing bracket implies it all the same.
        {L"(x+1)z", {{L"x1y0z1", 1}, {L"x0y0z1", 1}}},  {L"(x+1)2", {{X, 2}, {C, 2}}},
    });
}

TEST_F(FormulaTest, ReadsNumberPowersAndBracketPowersAsAStudentWould) {
    ExpectExpansions({
        {L"2^3", {{C, 8}}},               {L"2^3x", {{X, 8}}},
        {L"-2^2", {{C, -4}}},             {L"(x+1)^0", {{C, 1}}},
        {L"2(x+1)^0", {{C, 2}}},          {L"(x+1)^1", {{X, 1}, {C, 1}}},
        {L"(x+1)^", {}},                  {L"(x+1)^5^2", {}},  // (x+1)^10, above the maximum degree
        {L"(x-1)^2^2", {{L"x4y0z0", 1}, {L"x3y0z0", -4}, {X2, 6}, {X, -4}, {C, 1}}},
    });
}

TEST_F(FormulaTest, KeepsTheUnusualReadingsOfOddInput) {
    ExpectExpansions({
        {L"x2", {{X, 2}}},  // a number after a letter multiplies, as in 2x
        {L"x=1", {}},  // '=' means nothing here, and parts x from 1
        {L"x^0", {{L"_const", 1}}},  // a number, so solvers find it in the free term
        {L"2x^0+x", {{L"_const", 2}, {L"x1y0z0", 1}}},
        {L"2a", {{L"_const", 2}}},  // other letters are skipped
        {L"2z", {{L"x0y0z1", 2}}},
        {L"6/(1-1)", {{C, 6}}},  // a zero divisor leaves the dividend
        {L"(x+1", {}},           // an unclosed bracket has no reading
        {L"x+1)", {{X, 1}, {C, 1}}},
        {L"1.2.3x", {{X, 1.23}}},  // further points are ignored, as everywhere
        {L"2*", {}},
        {L"2*x+3*x", {{X, 5}}},
    });
}

// The readings every part of the program shares: ':' divides, a sign after an operator
// negates what follows and binds looser than '^', exponents may be bracketed and stack
// left to right, an implied product has the precedence of '*'.
TEST_F(FormulaTest, ReadsSignsColonsAndExponentsAsTheEvaluatorDoes) {
    const MonomialKey X4 = L"x4y0z0";
    ExpectExpansions({
        {L"x:2", {{X, 0.5}}},                 {L"12:3x", {{X, 4}}},
        {L"x * -2", {{X, -2}}},               {L"3 * -x", {{X, -3}}},
        {L"x^(2)", {{X2, 1}}},                {L"(x-1)^(2)", {{X2, 1}, {X, -2}, {C, 1}}},
        {L"x^(1+1)", {{X2, 1}}},              {L"x^2^2", {{X4, 1}}},
        {L"1/2x", {{X, 0.5}}},                {L"-x^2", {{X2, -1}}},
        {L"2^-1x", {{X, 0.5}}},               {L"3--5", {{C, 8}}},
        {L"-(x+1)", {{X, -1}, {C, -1}}},      {L"2*-(x)", {{X, -2}}},
        {L"3,5x^2", {{X2, 3.5}}},             {L"2.5", {{C, 2.5}}},
        {L"xz^3", {{L"x1y0z3", 1}}},          {L"-x+1", {{X, -1}, {C, 1}}},
        {L"+2*x", {{X, 2}}},                  {L"X^2Y", {{L"x2y1z0", 1}}},
        {L"x^2x^3", {{L"x5y0z0", 1}}},        {L"2^3", {{C, 8}}},
        {L"x^99999999999", {{L"x2147483647y0z0", 1}}},
        // a divisor is a number however small it is
        {L"x/0.00000000001", {{X, 1e11}}},    {L"x:1e-12", {{X, 1e12}}},
    });
}

TEST_F(FormulaTest, SaysWhenThePolynomialIsNotTheTextsValue) {
    const struct {
        std::wstring text;
        bool unread, quotientOnly;
    } cases[] = {
        {L"x^2+1", false, false}, {L"sin(x)+1", true, false}, {L"x^0.5", true, false},
        {L"x^y", true, false},    {L"x^-1", true, false},     {L"x/(x+1)", false, true},
        {L"2/(1-1)", false, true}, {L"(x+1", true, false},    {L"x/2", false, false},
    };
    for (const auto& c : cases) {
        ExpansionNotes notes;
        ExpandExpression(c.text, &notes);
        EXPECT_EQ(notes.unread, c.unread) << Narrow(c.text);
        EXPECT_EQ(notes.quotientOnly, c.quotientOnly) << Narrow(c.text);
        EXPECT_EQ(notes.exact(), !c.unread && !c.quotientOnly) << Narrow(c.text);
    }
}

TEST_F(FormulaTest, MaximumDegreeLimitsOnlyBracketPowers) {
    EXPECT_EQ(ExpandExpression(L"(x+1)^9").size(), 10u);
    EXPECT_EQ(ExpandExpression(L"x^12+(x+1)^10"), (Polynomial{{L"x12y0z0", 1}}));
    Engine().MaxDegree = 10;
    const Polynomial p = ExpandExpression(L"(x+1)^10+1");
    EXPECT_EQ(Coefficient(p, L"x5y0z0"), 252);
    EXPECT_EQ(Coefficient(p, C), 2);
    Engine().MaxDegree = -1;
    EXPECT_EQ(ExpandExpression(L"(x+1)^0+x"), (Polynomial{{X, 1}}));
}

struct NoteCase {
    std::wstring text;
    int maxDegree;
    Polynomial expected;
    std::wstring note;  // the start of the one note expected; empty: none
};

TEST_F(FormulaTest, DropsWhatGoesPastTheLimitsAndSaysSo) {
    const NoteCase cases[] = {
        {L"(x+1)^10+1", 9, {{C, 1}}, L"(x+1)^10: степень выше максимальной (9)"},
        {L"(x+1)^10+(x+1)^10-(x+1)^10", 9, {}, L"(x+1)^10: степень выше максимальной (9)"},
        {L"x^100000/(x-1)+x", 9, {{X, 1}}, L"x^100000/(x-1): слишком долгое вычисление"},
        {L"(x+y+z+1)^100", 100, {}, L"(x+y+z+1)^100: "},
        {L"(x+1)^2000000000+2", INT_MAX, {{C, 2}}, L"(x+1)^2000000000: "},
        {L"(x)^2000000000+2", INT_MAX, {{L"x2000000000y0z0", 1}, {C, 2}}, L""},  // one term: no products
        {L"x*y/x", 9, {}, L"x*y/x: деление остановлено после 2000 шагов"},
        {L"x^99999999999*x^99999999999", 9, {{L"x2147483647y0z0", 1}}, L""},
        {L"(x+1)^2", 9, {{X2, 1}, {X, 2}, {C, 1}}, L""},
        // A long part is quoted by its first 40 characters.
        {L"(x+1+x+2+x+3+x+4+x+5+x+6+x+7+x+8+x+9+x+10)^10+1", 9, {{C, 1}}, L"(x+1+x+2+x+3+x+4+x+5+x+6+x+7+x+8+x+9+x+1…: степень выше максимальной (9)"},
    };
    for (const NoteCase& c : cases) {
        Engine().MaxDegree = c.maxDegree;
        ExpansionNotes notes;
        EXPECT_EQ(ExpandExpression(c.text, &notes), c.expected) << Narrow(c.text);
        ASSERT_EQ(notes.skipped.size(), c.note.empty() ? 0u : 1u) << Narrow(c.text);
        if (!c.note.empty()) {
            EXPECT_EQ(notes.skipped.front().rfind(c.note, 0), 0u) << Narrow(c.text);
        }
    }
}

TEST_F(FormulaTest, LargestBracketPowersWithinTheLimitsAreExact) {
    Engine().MaxDegree = 100;
    ExpansionNotes notes;
    const Polynomial p = ExpandExpression(L"(x+y+z+1)^20", &notes);
    EXPECT_TRUE(notes.skipped.empty());
    EXPECT_EQ(p.size(), 1771u);                           // C(23, 3)
    EXPECT_EQ(Coefficient(p, L"x5y5z5"), 11732745024.0);  // 20! / (5!^4)
    EXPECT_EQ(Coefficient(ExpandExpression(L"(x+1)^100"), X), 100);
}

}  // namespace
