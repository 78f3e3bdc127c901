// How a number or a term is written into a step report.
#include "core/report_terms.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/report.h"

namespace {

using abacor::Ng;
using abacor::Nf;

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

TEST(ReportTerms, SignsAreFoldedAndNegativesBracketed) {
    EXPECT_EQ(abacor::Operand(L"-3"), L"(-3)");
    EXPECT_EQ(abacor::Operand(L"3"), L"3");
    EXPECT_EQ(abacor::Operand(-0.0, Ng), L"0");
    EXPECT_EQ(abacor::Operand(-0.5, Ng), L"(-0.5)");
    const struct {
        double value;
        const wchar_t* term;
    } following[] = {{16, L" + 16"}, {-16, L" - 16"}, {-0.25, L" - 0.25"}, {0, L""}, {-0.0, L""}};
    for (const auto& [value, term] : following) EXPECT_EQ(abacor::FollowingTerm(value, Ng), term) << value;
}

TEST(ReportTerms, CoefficientOneAndDivisionByOneAreNotWritten) {
    const struct {
        double coefficient;
        const wchar_t* term;
    } terms[] = {{1, L"x"}, {-1, L"-x"}, {2, L"2x"}, {-2.5, L"-2.5x"}, {100000000000, L"100000000000x"}};
    for (const auto& [coefficient, term] : terms) EXPECT_EQ(abacor::CoefficientTerm(coefficient, L"x", Nf), term);
    EXPECT_EQ(abacor::Quotient(L"7", L"1"), L"7");
    EXPECT_EQ(abacor::Quotient(L"7", L"2"), L"7 / 2");
    EXPECT_EQ(abacor::Quotient(L"-1", L"-1"), L"-1 / (-1)");
    EXPECT_EQ(abacor::Quotient(L"3", L"10"), L"3 / 10");
}

TEST(ReportTerms, PowersAndLabels) {
    const struct {
        const wchar_t* text;
        const wchar_t* shown;
    } cases[] = {
        {L"x^2 - 4", L"x² - 4"},
        {L"x^12 + x^3", L"x¹² + x³"},  // every digit of the power
        {L"x^2.5", L"x^2.5"},          // not a whole power
        {L"x^-1", L"x^-1"},
        {L"2^x", L"2^x"},
        {L"x^", L"x^"},
    };
    for (const auto& [text, shown] : cases) EXPECT_EQ(abacor::WithSuperscripts(text), shown) << Narrow(text);
    EXPECT_EQ(abacor::Subscript(1), L"₁");
    EXPECT_EQ(abacor::Subscript(12), L"₁₂");
}

TEST(ReportTerms, SubstitutionReadsAsTheFormulaDoes) {
    const struct {
        const wchar_t* formula;
        const wchar_t* number;
        const wchar_t* shown;
    } cases[] = {
        {L"x^2 + x - 2", L"-2", L"(-2)² + (-2) - 2"},
        {L"2x^2 - 3x - 2", L"-0.5", L"2·(-0.5)² - 3·(-0.5) - 2"},
        {L"2x^2 - 3x - 2", L"2", L"2·2² - 3·2 - 2"},
        {L"x/(x-2)", L"4", L"4/(4-2)"},
        {L"1/x + 1/(x+1)", L"-0.6", L"1/(-0.6) + 1/((-0.6)+1)"},
        {L"-x^3", L"-1", L"-(-1)³"},
        {L"xx", L"3", L"3·3"},             // two unknowns side by side stay a product
        {L"(x+1)x", L"3", L"(3+1)·3"},
        {L"exp(x)", L"1", L"exp(1)"},       // the x of a function name stays
        {L"X^2", L"5", L"5²"},
        {L"100000000000x", L"1e-11", L"100000000000·1e-11"},
    };
    for (const auto& [formula, number, shown] : cases) {
        EXPECT_EQ(abacor::Substituted(formula, number), shown) << Narrow(formula) << " at " << Narrow(number);
    }
}

}  // namespace
