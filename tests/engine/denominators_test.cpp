#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "algebra/denominators.h"
#include "algebra/formula.h"
#include "algebra/polynomial.h"
#include "core/evaluator.h"

namespace {

using abacor::ClearDenominators;

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

std::wstring Lines(std::initializer_list<const wchar_t*> lines) {
    std::wstring text;
    for (const wchar_t* line : lines) text += std::wstring(line) + L"\r\n";
    return text;
}

struct Cleared {
    std::wstring left;
    std::wstring right;
    std::wstring report;
};

Cleared Clear(std::wstring left, std::wstring right) {
    Cleared c{std::move(left), std::move(right), L""};
    abacor::ReportWriter report;
    ClearDenominators(c.left, c.right, report);
    c.report = report.Take();
    return c;
}

const wchar_t* const kCloseBlank = L"└──────────────────────────────────────────────\r\n";

// A rewrite and the factor it multiplied the equation by: the new sides differ by
// exactly (left - right) times that factor.
struct Rewrite {
    const wchar_t* left;
    const wchar_t* right;
    const wchar_t* newLeft;
    const wchar_t* newRight;
    const wchar_t* heading;  // the section written, none when nothing changes
    const wchar_t* factor;
};

const wchar_t* const kEqual = L"┌─ Одинаковые знаменатели";
const wchar_t* const kStepZero = L"┌─ Шаг 0: Умножение на знаменатель";
const wchar_t* const kClearing = L"┌─ Приведение дробей с x";

// The solver's tests hold the whole reports of the usual cases.
const Rewrite kRewrites[] = {
    {L"1/x + 1/(x+1) ", L" 1", L"(1)*(x+1) + ( 1)*(x )", L"(1)*((x )*(x+1))", kClearing, L"x*(x+1)"},
    {L"x/2", L"3", L"x/2", L"3", nullptr, L"1"},
    {L"x^2 - 1", L"0", L"x^2 - 1", L"0", nullptr, L"1"},
    {L"6/3", L"x", L"6/3", L"x", nullptr, L"1"},
    {L"1/x", L"2", L"1", L"(2)*x", kStepZero, L"x"},
    {L"-1/x", L"2", L"-1", L"(2)*x", kStepZero, L"x"},
    {L"x/(x-1)", L"1/(x-1)", L"x", L"1", kEqual, L"x-1"},
    {L"(x+1)/(x-1)", L"(2x+2)/(x - 1)", L"x+1", L"2x+2", kEqual, L"x-1"},
    {L"1/(x-1)^2", L"4", L"1", L"(4)*(x-1)^2", kStepZero, L"(x-1)^2"},
    {L"1/x", L"x/2", L"1", L"(x/2)*x", kStepZero, L"x"},
    // Terms in front of the fraction are multiplied as well.
    {L"1 + 4/x", L"3", L"(1)*x + 4", L"(3)*x", kStepZero, L"x"},
    {L"x - 2/(x+1)", L"1", L"(x)*(x+1) - 2", L"(1)*(x+1)", kStepZero, L"(x+1)"},
    // Fractions on both sides are cleared together.
    {L"(x+1)/(x-1)", L"2/(x+1)", L"(x+1)*(x+1)", L"(2)*(x-1)", kClearing, L"(x-1)*(x+1)"},
    {L"x + 1/(x-2)", L"3/(x-2)", L"( 1)*(x-2) + (x)*((x-2)*(x-2))", L"(3)*(x-2)", kClearing, L"(x-2)*(x-2)"},
    {L"3", L"6/x", L"(3)*((x))", L"(6)", kClearing, L"x"},
    {L"x/2", L"1/x", L"(x/2)*((x))", L"(1)", kClearing, L"x"},
    // What stands beside the fractions is multiplied by the common denominator.
    {L"1 + 4/x + 2", L"3", L"( 4) + (1 + 2)*((x ))", L"(3)*((x ))", kClearing, L"x"},
    {L"4/x - 1", L"1", L"(4) + (- 1)*((x ))", L"(1)*((x ))", kClearing, L"x"},
    {L"1/(x-1)^2 + 1", L"2", L"(1) + (1)*(((x-1)^2))", L"(2)*(((x-1)^2))", kClearing, L"(x-1)^2"},
    {L"2/x - 3/x^2", L"1", L"(2)*(x^2) - ( 3)*(x )", L"(1)*((x )*(x^2))", kClearing, L"x^3"},
    // Factors after a denominator stay with their fraction.
    {L"1/x*3", L"1", L"(1)*3", L"(1)*((x))", kClearing, L"x"},
    {L"1/x/2", L"3", L"(1)/2", L"(3)*((x))", kClearing, L"x"},
    {L"1/2/x", L"3", L"(1/2)", L"(3)*((x))", kClearing, L"x"},
    {L"1/x/x", L"4", L"(1)", L"(4)*((x)*(x))", kClearing, L"x^2"},
    // Brackets around a whole side do not hide its fractions.
    {L"(1/x + 1)", L"2", L"(1) + (1)*((x ))", L"(2)*((x ))", kClearing, L"x"},
};

TEST(Denominators, Rewrites) {
    for (const Rewrite& r : kRewrites) {
        SCOPED_TRACE(Narrow(std::wstring(r.left) + L" = " + r.right));
        const Cleared c = Clear(r.left, r.right);
        EXPECT_EQ(c.left, r.newLeft);
        EXPECT_EQ(c.right, r.newRight);
        if (r.heading) {
            EXPECT_TRUE(c.report.starts_with(r.heading)) << Narrow(c.report);
        } else {
            EXPECT_TRUE(c.report.empty()) << Narrow(c.report);
        }
    }
}

double Value(const std::wstring& formula, double x) { return abacor::Evaluate(abacor::SubstituteValue(formula, x)); }

// Rewritten sides are expandable and the equation is the old one times the factor.
TEST(Denominators, RewritesKeepTheEquationAndExpand) {
    for (const Rewrite& r : kRewrites) {
        SCOPED_TRACE(Narrow(std::wstring(r.left) + L" = " + r.right));
        const Cleared c = Clear(r.left, r.right);
        abacor::Polynomial p = abacor::ExpandExpression(c.left);
        abacor::SubtractPolynomials(p, abacor::ExpandExpression(c.right));
        for (double x : {0.7, 2.3, 5.1, 7.9}) {
            const double expected = (Value(r.left, x) - Value(r.right, x)) * Value(r.factor, x);
            EXPECT_NEAR(Value(c.left, x) - Value(c.right, x), expected, 1e-9 * (1 + std::fabs(expected))) << x;
            EXPECT_NEAR(abacor::EvaluatePolynomial(p, x, 0), expected, 1e-9 * (1 + std::fabs(expected))) << x;
        }
    }
}

TEST(Denominators, FractionSideIsShownFirst) {
    const Cleared c = Clear(L"3", L"6/x");
    EXPECT_NE(c.report.find(L"│   6 / (x)\r\n"), std::wstring::npos);
    EXPECT_NE(c.report.find(L"│ Новое уравнение:\r\n│ (6) = (3)*((x))\r\n"), std::wstring::npos) << Narrow(c.report);
}

TEST(Denominators, TooManyFractionsAreLeftAlone) {
    std::wstring left = L"1/x";
    for (int i = 0; i < 12; ++i) left += L" + 1/x";
    const Cleared c = Clear(left, L"1");
    EXPECT_EQ(c.left, left);
    EXPECT_EQ(c.right, L"1");
    EXPECT_EQ(c.report, Lines({L"┌─ Приведение дробей с x ───────────────────────",
                               L"│ Найдено дробей с x: 13 — больше 12, приведение не выполнено", kCloseBlank}));
    // Twelve are still cleared.
    EXPECT_NE(Clear(left.substr(6), L"1").left, left.substr(6));
}

TEST(Denominators, FractionsInsideBracketsAreReportedAsNotCleared) {
    const Cleared c = Clear(L"2*(1/x + 1)", L"3");
    EXPECT_EQ(c.left, L"2*(1/x + 1)");
    EXPECT_EQ(c.right, L"3");
    EXPECT_EQ(c.report, Lines({L"┌─ Дроби с x внутри скобок ────────────────────",
                               L"│ ⚠️ Дробь с x внутри скобок не приводится к общему знаменателю:",
                               L"│ решение ниже может быть неполным или неверным", kCloseBlank}));
    // A fraction without x inside brackets is no reason for the warning.
    EXPECT_TRUE(Clear(L"2*(x/2 + 1)", L"3").report.empty());
}

TEST(DenominatorsWithLetters, FindsEveryDenominatorWithALetter) {
    const struct {
        const wchar_t* side;
        std::vector<std::wstring> denominators;
    } cases[] = {
        {L"x/(x-1) + 2/x", {L"x-1", L"x"}},
        {L"x/2 + 3", {}},
        {L"5/(2 + 3)", {}},
        {L"1/((x+1))", {L"x+1"}},
        {L"1/ (x+1)", {L"x+1"}},
        {L"1/(1/x + 1)", {L"1/x + 1", L"x"}},
        {L"1/x^2 - 3/(x-1)^2", {L"x^2", L"(x-1)^2"}},
        {L"1/x*3", {L"x"}},
        {L"a/b + c", {L"b"}},
        {L"2/X", {L"X"}},
        {L"", {}},
        {L"1/", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(abacor::DenominatorsWithLetters(c.side), c.denominators) << Narrow(c.side);
    }
}

TEST(StripOuterBrackets, RemovesOnlyBracketsAroundTheWhole) {
    const struct {
        const wchar_t* text;
        const wchar_t* stripped;
    } cases[] = {
        {L"((x+1))", L"x+1"}, {L"(x+1)*(x-1)", L"(x+1)*(x-1)"}, {L"((a)(b))", L"(a)(b)"}, {L"()", L""},
        {L"(", L"("},         {L"(x))", L"(x))"},              {L"x", L"x"},            {L"(x) ", L"(x) "},
    };
    for (const auto& c : cases) EXPECT_EQ(abacor::StripOuterBrackets(c.text), c.stripped) << Narrow(c.text);
}

bool Balanced(const std::wstring& text) {
    int depth = 0;
    for (wchar_t c : text) {
        depth += c == L'(' ? 1 : c == L')' ? -1 : 0;
        if (depth < 0) return false;
    }
    return depth == 0;
}

// Any text the input field accepts: the rewrites never break the brackets of a side.
TEST(DenominatorsRobustness, RandomSidesKeepTheirBracketsBalanced) {
    const std::wstring alphabet = L"x12 +-*/()^";
    std::uint64_t state = 2024;
    const auto next = [&state](std::size_t n) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::size_t>((state >> 33) % n);
    };
    const auto randomText = [&] {
        std::wstring text;
        for (std::size_t length = next(24); length > 0; --length) text += alphabet[next(alphabet.size())];
        return text;
    };
    for (int i = 0; i < 20000; ++i) {
        std::wstring left = randomText();
        std::wstring right = randomText();
        const bool balanced = Balanced(left) && Balanced(right);
        const std::wstring before = left + L" = " + right;
        abacor::ReportWriter report;
        ClearDenominators(left, right, report);
        abacor::DenominatorsWithLetters(left);
        if (balanced) {
            ASSERT_TRUE(Balanced(left) && Balanced(right)) << Narrow(before) << " -> " << Narrow(left + L" = " + right);
        }
    }
}

}  // namespace
