#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "abacor.h"
#include "core/engine_state.h"
#include "core/evaluator.h"
#include "core/number_format.h"
#include "core/report.h"

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

std::wstring FourDecimals(double value) { return abacor::FormatFixed(value, 4, abacor::kNumberBufferText); }

struct FaithfulCase {
    int precision;  // for FormatNumber
    double value;
    std::size_t maxLength;
    std::wstring text;
};

// A root or bound keeps its value: zero of either sign is 0, a value that is not zero is
// never written as a zero or cut to a field; what the fixed text shows faithfully stays.
TEST(FormatFaithfully, ZeroIsZeroAndNothingElseIs) {
    const double inf = std::numeric_limits<double>::infinity();
    const FaithfulCase cases[] = {
        {-1, 0.0, 31, L"0"},
        {-1, -0.0, 31, L"0"},
        {4, -0.0, 31, L"0.0000"},
        {-1, 1e-11, 31, L"1e-11"},
        {-1, -1e-11, 31, L"-1e-11"},
        {-1, -0.00000000004, 31, L"-4e-11"},
        {-1, 5e-324, 31, L"4.940656458e-324"},
        {2, 0.001, 31, L"0.001"},
        {2, -0.004, 31, L"-0.004"},
        {0, 0.4, 31, L"0.4"},
        {20, 1e-11, 31, L"0.00000000001000000000"},
        // Shown faithfully: as FormatNumber writes it.
        {-1, 0.00000000006, 31, L"0.0000000001"},
        {2, 0.005, 31, L"0.01"},
        {0, 0.6, 31, L"1"},
        {-1, 1.0 / 3, 31, L"0.3333333333"},
        {-1, -2.5, 31, L"-2.5"},
        {-1, 1e30, 31, L"1000000000000000019884624838656"},
        // Longer than the field.
        {-1, 1e32, 31, L"1e+32"},
        {-1, -1e32, 31, L"-1e+32"},
        {-1, 1e32, 33, L"100000000000000005366162204393472"},
        {-1, inf, 31, L"inf"},
        {-1, -inf, 31, L"-inf"},
        {-1, std::numeric_limits<double>::quiet_NaN(), 31, L"nan"},
    };
    for (const FaithfulCase& c : cases) {
        SetPrecision(c.precision);
        EXPECT_EQ(abacor::FormatFaithfully(c.value, abacor::FormatNumber, c.maxLength), c.text)
            << "precision " << c.precision << " value " << c.value << " field " << c.maxLength;
    }
    SetPrecision(-1);
}

// Four decimals, as the quadratic panel shows roots.
TEST(FormatFaithfully, AnyFixedFormat) {
    const std::pair<double, std::wstring> cases[] = {
        {-0.0, L"0.0000"},       {0.0, L"0.0000"},   {1e-5, L"1e-05"},  {-0.00004, L"-4e-05"},
        {0.00005, L"0.0001"},    {-1.0, L"-1.0000"}, {1e30, L"1000000000000000019884624838656.0000"},
        {-1e60, L"-1e+60"},  // beyond the number buffer
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(abacor::FormatFaithfully(value, FourDecimals, abacor::kNumberBufferText), text) << value;
    }
}

TEST(FormatSignificant, TenDigitsAndAnUnsignedZero) {
    const std::pair<double, std::wstring> cases[] = {
        {0.0, L"0"},        {-0.0, L"0"},      {1e-11, L"1e-11"}, {-1e-11, L"-1e-11"}, {1e150, L"1e+150"},
        {-2.5, L"-2.5"},    {100, L"100"},     {1.0 / 3, L"0.3333333333"}, {123456789012.0, L"1.23456789e+11"},
        {std::numeric_limits<double>::infinity(), L"inf"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(abacor::FormatSignificant(value), text) << value;
}

TEST(ReadsAsZero, ZerosOfEitherSignOnly) {
    for (const std::wstring text : {L"0", L"-0", L"0.0000", L"-0.00", L"0e+10"}) {
        EXPECT_TRUE(abacor::ReadsAsZero(text)) << std::string(text.begin(), text.end());
    }
    for (const std::wstring text : {L"1e-11", L"-0.0001", L"0.001", L"-1", L"inf", L"nan"}) {
        EXPECT_FALSE(abacor::ReadsAsZero(text)) << std::string(text.begin(), text.end());
    }
}

TEST(WithoutNegativeZero, OnlyTheSignOfZeroChanges) {
    EXPECT_FALSE(std::signbit(abacor::WithoutNegativeZero(-0.0)));
    EXPECT_FALSE(std::signbit(abacor::WithoutNegativeZero(0.0)));
    EXPECT_EQ(abacor::WithoutNegativeZero(-1e-300), -1e-300);
    EXPECT_EQ(abacor::WithoutNegativeZero(2.5), 2.5);
    EXPECT_TRUE(std::isnan(abacor::WithoutNegativeZero(std::numeric_limits<double>::quiet_NaN())));
}

struct FieldCase {
    int precision;
    double value;
    std::wstring answer;  // a root in the answer field
    std::wstring check;   // a side's value in a substitution check
};

// Both share the 32-character field; only a root keeps digits the field would round away.
TEST(AnswerField, RootsKeepTheirValueCheckValuesRound) {
    const FieldCase cases[] = {
        {-1, 2.5, L"2.5", L"2.5"},
        {-1, -0.0, L"0", L"0"},
        {-1, 4.440892098500626e-16, L"4.440892099e-16", L"0"},
        {-1, -4.440892098500626e-16, L"-4.440892099e-16", L"0"},
        {4, -4.440892098500626e-16, L"-4.440892099e-16", L"0.0000"},
        {2, 1.0 / 3, L"0.33", L"0.33"},
        {-1, 1e30, L"1000000000000000019884624838656", L"1000000000000000019884624838656"},
        {-1, -1e31, L"-1e+31", L"-1e+31"},
    };
    for (const FieldCase& c : cases) {
        SetPrecision(c.precision);
        EXPECT_EQ(abacor::FormatAnswer(c.value), c.answer) << "precision " << c.precision << " value " << c.value;
        EXPECT_EQ(abacor::FormatCheckValue(c.value), c.check) << "precision " << c.precision << " value " << c.value;
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
