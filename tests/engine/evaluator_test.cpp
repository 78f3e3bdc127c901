#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

#include "abacor.h"
#include "core/evaluator.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct EvalCase {
    std::wstring text;
    double value;  // NaN: the text cannot be evaluated
};

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

void ExpectAll(std::initializer_list<EvalCase> cases) {
    for (const EvalCase& c : cases) {
        const double result = EvaluateExpression(c.text.c_str());
        if (std::isnan(c.value)) {
            EXPECT_TRUE(std::isnan(result)) << Narrow(c.text) << " gave " << result;
        } else {
            EXPECT_EQ(result, c.value) << Narrow(c.text);
        }
    }
}

TEST(Evaluator, OperatorsPrecedenceAndSigns) {
    ExpectAll({
        {L"2+3*4", 14},  {L"(2+3)*4", 20}, {L"2^3^2", 64},  {L"8/4/2", 1},    {L"-2^2", -4},
        {L"2^-1", 0.5},  {L"3--5", 8},     {L"2*-3", -6},   {L"(-2)", -2},    {L"- 3+1", -2},
        {L"+4", 4},      {L"2+3)*4", 20},  {L"10-2-3", 5},  {L"1.2.3", 1.23}, {L".", 0},
        {L".5+.5", 1},   {L"2x", 2},       {L"1=1", kNaN},  {L"7%", 7},
        // a sign binds looser than '^' and tighter than '*' and '/'
        {L"-2^-2", -0.25}, {L"2*-3^2", -18}, {L"-2*3", -6}, {L"6:3", 2},  {L"1:2:4", 0.125},
        {L"--5", 5},       {L"2^-(1)", 0.5}, {L"1/2(4)", 2}, {L"-(2)^2", -4},
    });
}

TEST(Evaluator, ImplicitMultiplicationAndSymbols) {
    ExpectAll({
        {L"3(2+1)", 9},  {L"(1)(2)", 2}, {L"(2)3", 6},      {L"2 (3)", 6},  {L"2 3", kNaN},
        {L"1,5×2", 3},   {L"6÷4", 1.5},  {L"2sin(0)+1", 1},
    });
}

TEST(Evaluator, FunctionsInTableOrderAsWholeWords) {
    ExpectAll({
        {L"sqrt(16)+abs(-3)", 7}, {L"round(2.5)", 3},   {L"round(-2.5)", -3},       {L"log(1000)", 3},
        {L"ln(1)", 0},            {L"sinh(0)", 0},      {L"cosh(0)", 1},            {L"tanh(0)", 0},
        {L"floor(-1.5)", -2},     {L"ceil(1.2)", 2},    {L"exp(0)", 1},             {L"atan(0)", 0},
        {L"acos(1)", 0},          {L"tan(0)", 0},       {L"cos(0)", 1},
        // function values are rounded to 15 significant digits before they are used
        {L"asin(1)", 1.5707963267949},
        {L"sin(cos(0))", 0.841470984807897},
        {L"2sin(1)", 2 * 0.841470984807897},
        {L"0-sin(1)", -0.841470984807897},
        // a NaN or infinite function value leaves the whole text without a value
        {L"sqrt(-1)+2", kNaN},   {L"sin(1/0)", kNaN}, {L"ln(0)+1", kNaN},
        {L"2sqrt(-1)", kNaN},    {L"0*exp(1000)", kNaN}, {L"1+abs(sqrt(-4))", kNaN},
        // no argument; a sign negates a bracket or a call
        {L"sin()", kNaN},        {L"-(2)", -2},       {L"-sin(1)", -0.841470984807897},  {L"2*-(3)", -6},
        {L"sin (0)+1", 1},       {L"-sqrt(4)^2", -4},
        // a name preceded by a letter is not a call
        {L"xsin(2)", 2},
    });
}

TEST(Evaluator, FailuresAreNaN) {
    ExpectAll({
        {L"1/0", kNaN}, {L"0/0", kNaN}, {L"", kNaN},    {L"1 2", kNaN}, {L"(2+3", kNaN},
        {L"5-", kNaN},  {L"*3", kNaN},  {L"2+", kNaN},  {L"()", kNaN},  {L"abc", kNaN},
    });
}

// The evaluator prints its own results ("%.10g", "(%.15g)"), so it must read them back.
TEST(Evaluator, ReadsExponentFormNumbers) {
    ExpectAll({
        {L"1e+25+1", 1e25},
        {L"sin(0.00001)", 9.99999999983333e-06},
        {L"2e+3", 2000},
        {L"1.5E-2", 0.015},
        {L"3e2(2)", 600},
        {L"-1e-3", -0.001},
        {L"2e", 2},        // no digits after the e: a skipped letter
        {L"2e+", kNaN},    // ... and a '+' without a right operand
        {L"1e400", HUGE_VAL},
    });
}

TEST(Evaluator, NaNIsAlwaysThePositiveQuietNaN) {
    for (const wchar_t* text : {L"0/0", L"1e400-1e400", L"(-8)^0.5", L""}) {
        const double result = EvaluateExpression(text);
        EXPECT_TRUE(std::isnan(result)) << Narrow(text);
        EXPECT_FALSE(std::signbit(result)) << Narrow(text);
    }
}

// Why a text has no value: "=" names the reason.
TEST(Evaluator, TellsWhyATextHasNoValue) {
    using abacor::Fault;
    const struct {
        std::wstring text;
        Fault fault;
    } cases[] = {
        {L"2+2", Fault::None},
        {L"atan(1e400)", Fault::None},  // an infinite argument, a finite value
        {L"7/0", Fault::DivisionByZero},
        {L"0/0", Fault::DivisionByZero},
        {L"1+2/(3-3)", Fault::DivisionByZero},
        {L"sqrt(1/0)", Fault::DivisionByZero},  // in an argument, first of all
        {L"1e308*10", Fault::Overflow},
        {L"-1e308*10", Fault::Overflow},
        {L"1e400", Fault::Overflow},
        {L"2^5000", Fault::Overflow},
        {L"sqrt(-1)+2", Fault::Undefined},
        {L"ln(0)+1", Fault::Undefined},
        {L"exp(1000)", Fault::Undefined},  // an infinite function value
        {L"1e400-1e400", Fault::Undefined},
        {L"2 3", Fault::Undefined},
        {L"2+", Fault::Undefined},
        {L"", Fault::Undefined},
        {L"sqrt(2+)", Fault::Undefined},
    };
    for (const auto& c : cases) {
        const abacor::Evaluated result = abacor::EvaluateWithFault(c.text);
        EXPECT_EQ(result.fault, c.fault) << Narrow(c.text);
        // The value stays what EvaluateExpression gives: NaN, or the infinity of an overflow.
        EXPECT_EQ(std::bit_cast<std::uint64_t>(result.value),
                  std::bit_cast<std::uint64_t>(EvaluateExpression(c.text.c_str())))
            << Narrow(c.text);
        EXPECT_EQ(std::isnan(result.value), c.fault != Fault::None && c.fault != Fault::Overflow) << Narrow(c.text);
        EXPECT_EQ(std::isinf(result.value), c.fault == Fault::Overflow) << Narrow(c.text);
    }
}

std::wstring Repeat(const std::wstring& piece, std::size_t times) {
    std::wstring text;
    for (std::size_t i = 0; i < times; ++i) text += piece;
    return text;
}

TEST(Evaluator, LimitsGiveNaNAndNeverOverrun) {
    // 1023 characters are accepted, 1024 are not.
    EXPECT_EQ(EvaluateExpression((Repeat(L"1+", 511) + L"1").c_str()), 512);
    EXPECT_TRUE(std::isnan(EvaluateExpression((Repeat(L"1+", 511) + L"11").c_str())));
    EXPECT_TRUE(std::isnan(EvaluateExpression(Repeat(L"9", 100000).c_str())));
    // Brackets nested to the stack's limit and beyond it.
    EXPECT_EQ(EvaluateExpression((Repeat(L"(", 511) + L"7" + Repeat(L")", 511)).c_str()), 7);
    EXPECT_TRUE(std::isnan(EvaluateExpression((Repeat(L"(", 600) + L"7").c_str())));
    // Deeply nested function calls.
    EXPECT_EQ(EvaluateExpression((Repeat(L"abs(", 200) + L"-1" + Repeat(L")", 200)).c_str()), 1);
    // Arguments nested 38 deep, each after three function values: every level's text
    // is kept while the deeper ones are evaluated.
    std::wstring nested;
    for (int level = 0; level < 38; ++level) nested += L"sin(1)+sin(1)+sin(1)+abs(";
    nested += L"1" + Repeat(L")", 38);
    EXPECT_NEAR(EvaluateExpression(nested.c_str()), 1 + 38 * 3 * 0.841470984807897, 1e-9);
    // Function values are values, not text: however long they print, the text's limit
    // is the one on what was typed.
    EXPECT_NEAR(EvaluateExpression((Repeat(L"sin(1)+", 145) + L"1").c_str()), 1 + 145 * 0.841470984807897, 1e-9);
}

}  // namespace
