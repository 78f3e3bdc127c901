#include "core/text_checks.h"

#include <gtest/gtest.h>

#include <string>

#include "abacor.h"
#include "headless_platform.h"

namespace {

using namespace abacor;

constexpr const wchar_t* kAfterZero = L" +-*/^)";

TEST(TextChecks, DoubledOperator) {
    const struct {
        const wchar_t* text;
        std::size_t at;
        bool doubled;
    } cases[] = {
        {L"1+*2", 1, true}, {L"1+-2", 1, false} /* a sign */, {L"2*-3", 1, false}, {L"1+-2", 2, false}, {L"2*/3", 1, true}, {L"2^^3", 1, true},
        {L"1+2", 1, false}, {L"1+ -2", 1, false},  // a blank between them is not skipped
        {L"1+", 1, false},  // the last character has no neighbour
        {L"1-(", 1, false}, {L"1:+2", 1, false},  // ':' and '(' are not operators
        {L"1+-", 5, false},  // past the end
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsDoubledOperatorAt(c.text, c.at), c.doubled) << headless::ToUtf8(c.text) << " at " << c.at;
    }
}

TEST(TextChecks, ZeroDivisor) {
    const struct {
        const wchar_t* text;
        std::size_t slash;
        bool skipBlanks;
        bool zero;
    } cases[] = {
        {L"1/0", 1, false, true},       {L"1/0+2", 1, false, true},   {L"1/0)", 1, false, true},
        {L"1/0 ", 1, false, true},      {L"1/05", 1, false, false},   {L"1/0.5", 1, false, false},
        {L"1/0x", 1, false, false},     {L"1/2", 1, false, false},    {L"1/", 1, false, false},
        {L"1/ 0", 1, false, false},     {L"1/ 0", 1, true, true},     {L"1/   0*2", 1, true, true},
        {L"1/   ", 1, true, false},     {L"1/ 05", 1, true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsZeroDivisorAt(c.text, c.slash, kAfterZero, c.skipBlanks), c.zero)
            << headless::ToUtf8(c.text) << (c.skipBlanks ? ", blanks skipped" : "");
    }
    // What may follow the zero is the caller's to say.
    EXPECT_FALSE(IsZeroDivisorAt(L"1/0)", 1, L"+", false));
    EXPECT_TRUE(DividesByZero(L"4/2+1/ 0", kAfterZero));
    EXPECT_FALSE(DividesByZero(L"4/2+1/0.1", kAfterZero));
    EXPECT_FALSE(DividesByZero(L"0/4", kAfterZero));
}

TEST(TextChecks, BracketsAndSpelling) {
    const struct {
        const wchar_t* text;
        bool balanced;
    } brackets[] = {{L"", true}, {L"(1)", true}, {L"((1)", false}, {L"1)", false}, {L")(", true}};
    for (const auto& c : brackets) EXPECT_EQ(BracketsBalanced(c.text), c.balanced) << headless::ToUtf8(c.text);

    constexpr const wchar_t* kAllowed = L"0123456789x+-*/^() ";
    const struct {
        const wchar_t* text;
        std::optional<KvTextFault> fault;
    } spelling[] = {
        {L"x^2 + 1", std::nullopt},
        {L"2y", KV_TEXT_FOREIGN_CHARACTER},
        {L"1+*y", KV_TEXT_DOUBLED_OPERATOR},   // the first fault in the text wins
        {L"y+-1", KV_TEXT_FOREIGN_CHARACTER},
        {L"(1+/2", KV_TEXT_DOUBLED_OPERATOR},  // before the brackets
        {L"(1+y", KV_TEXT_FOREIGN_CHARACTER},
        {L"(1+2", KV_TEXT_UNBALANCED},
    };
    for (const auto& c : spelling) EXPECT_EQ(SpellingFault(c.text, kAllowed), c.fault) << headless::ToUtf8(c.text);
}

TEST(TextChecks, CheckFormulaTextAndItsMessages) {
    constexpr const wchar_t* kAllowed = L"0123456789xX.+-*/^() ";
    const struct {
        const wchar_t* text;
        KvTextFault fault;
        const wchar_t* message;
    } cases[] = {
        {L"x^2-1", KV_TEXT_OK, L""},
        {nullptr, KV_TEXT_EMPTY, L"Пустая строка"},
        {L"", KV_TEXT_EMPTY, L"Пустая строка"},
        {L"y/0", KV_TEXT_ZERO_DIVISOR, L"Деление на ноль"},  // before the characters
        {L"x/ 0", KV_TEXT_ZERO_DIVISOR, L"Деление на ноль"},
        {L"x/0.5", KV_TEXT_OK, L""},
        {L"2y", KV_TEXT_FOREIGN_CHARACTER, L"Недопустимые символы"},
        {L"x**2", KV_TEXT_DOUBLED_OPERATOR, L"Двойной символ операции"},
        {L"(x+1", KV_TEXT_UNBALANCED, L"Скобки не сбалансированы"},
    };
    for (const auto& c : cases) {
        const std::string name = c.text ? headless::ToUtf8(c.text) : "null";
        EXPECT_EQ(CheckFormulaText(c.text, kAllowed, kAfterZero), c.fault) << name;
        EXPECT_EQ(std::wstring(TextFaultMessage(c.fault)), c.message) << name;
    }
    // Null sets allow nothing and let nothing follow a zero.
    EXPECT_EQ(CheckFormulaText(L"1", nullptr, nullptr), KV_TEXT_FOREIGN_CHARACTER);
    EXPECT_EQ(CheckFormulaText(L"1/0", L"0123456789/", nullptr), KV_TEXT_ZERO_DIVISOR);
    EXPECT_EQ(CheckFormulaText(L"1/0+1", L"0123456789/+", nullptr), KV_TEXT_OK);
    EXPECT_EQ(std::wstring(TextFaultMessage(KV_TEXT_NOT_COMPUTABLE)), L"Невозможно вычислить выражение");
    for (int unknown : {-1, KV_TEXT_NOT_COMPUTABLE + 1}) EXPECT_EQ(std::wstring(TextFaultMessage(unknown)), L"");
}

}  // namespace
