#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "abacor.h"
#include "core/engine_state.h"
#include "core/evaluator.h"
#include "core/number_format.h"

namespace {

using abacor::Engine;

struct TrimCase {
    std::wstring text;
    std::wstring trimmed;
};

TEST(TrailingZeros, RemovesZerosAfterThePointOnly) {
    const TrimCase cases[] = {
        {L"12.3400", L"12.34"}, {L"7.000", L"7"},   {L"100.0000000000", L"100"}, {L"-0.0000000000", L"-0"},
        {L"0.50", L"0.5"},      {L"5.", L"5"},      {L"3.1400", L"3.14"},       {L"0.0", L"0"},
        {L".0", L"."},          {L"100", L"100"},   {L"1e+20", L"1e+20"},       {L"1.5e+10", L"1.5e+10"},
        {L"inf", L"inf"},       {L"nan", L"nan"},   {L"", L""},                 {L"10.0e", L"10.0e"},
    };
    for (const TrimCase& c : cases) {
        std::wstring buffer = c.text;
        DEz0(buffer.data());
        EXPECT_EQ(std::wstring(buffer.c_str()), c.trimmed) << "text " << std::string(c.text.begin(), c.text.end());
    }
}

struct FormatCase {
    int precision;
    double value;
    std::wstring text;
};

TEST(FormatNumber, FollowsThePrecisionSetting) {
    const double inf = std::numeric_limits<double>::infinity();
    const FormatCase cases[] = {
        {-1, 0.1, L"0.1"},
        {-1, 2.5, L"2.5"},
        {-1, 100, L"100"},
        {-1, 1.0 / 3, L"0.3333333333"},
        {-1, 1e-11, L"0"},
        {-1, -1e-11, L"-0"},
        {-1, -0.00000000004, L"-0"},
        {-1, 1e25, L"10000000000000000905969664"},
        {4, 2, L"2.0000"},
        {0, 2.6, L"3"},
        {2, 2.5, L"2.50"},
        {2, 1.0 / 3, L"0.33"},
        {-5, 2.5, L"2.500000"},  // any other negative precision is the formatter's default
        {-1, inf, L"inf"},
        {-1, -inf, L"-inf"},
        {-1, std::numeric_limits<double>::quiet_NaN(), L"nan"},
        // Texts that would not fit the 63-character number buffer fall back to "%.10g".
        {-1, 1e60, L"1e+60"},
        {-1, -1e51, L"-999999999999999993220948674361627976461708441944064"},
        {-1, -1e52, L"-1e+52"},
        {2000000000, 1.5, L"1.5"},
    };
    for (const FormatCase& c : cases) {
        SetPrecision(c.precision);
        EXPECT_EQ(abacor::FormatNumber(c.value), c.text) << "precision " << c.precision << " value " << c.value;
    }
    SetPrecision(-1);
}

TEST(Settings, StartValuesAndSetters) {
    Engine() = abacor::EngineState{};
    EXPECT_EQ(GetPrecision(), -1);
    EXPECT_EQ(Engine().MaxDegree, 9);
    SetPrecision(6);
    SetMaxDegree(50);
    EXPECT_EQ(GetPrecision(), 6);
    EXPECT_EQ(Engine().MaxDegree, 50);
    Engine() = abacor::EngineState{};
}

// The program runs under the user's locale; a Russian one prints "2,5" unless the
// engine formats and reads numbers in the C locale.
TEST(Locale, NumbersIgnoreACommaDecimalLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, "ru_RU.UTF-8"), nullptr) << "the ru_RU.UTF-8 locale must be installed";
    Engine() = abacor::EngineState{};
    EXPECT_EQ(abacor::FormatNumber(2.5), L"2.5");
    EXPECT_EQ(abacor::FormatGeneral(0.25), L"0.25");
    EXPECT_EQ(abacor::ReadLeadingNumber(L"2.5"), 2.5);
    EXPECT_EQ(EvaluateExpression(L"1.5*2+sin(0)"), 3.0);
    EXPECT_EQ(EvaluateExpression(L"sqrt(2)^2"), std::pow(1.4142135623731, 2));
    std::setlocale(LC_ALL, "C");
}

}  // namespace
