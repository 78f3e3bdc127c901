#include "core/fraction_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "abacor.h"
#include "control_ids.h"
#include "core/engine_state.h"
#include "headless_platform.h"

namespace {

using abacor::Engine;
using abacor::Fraction;

struct Rect {
    int x, y, width, height;
    bool operator==(const Rect&) const = default;
};

// The fractions panel as the program lays it out.
class FractionLineTest : public ::testing::Test {
protected:
    FractionLineTest() {
        main_.addChild(KV_FRACTION_LINE, {5, 60, 315, 85});
        main_.addChild(KV_FRACTION_WHOLE, {105, 160, 155, 180});
        main_.addChild(KV_FRACTION_NUMERATOR, {165, 145, 215, 165});
        main_.addChild(KV_FRACTION_DENOMINATOR, {165, 175, 215, 195});
        main_.addChild(KV_FRACTION_SEPARATOR, {0, 260, 400, 264});
        InitFractions(&main_);
    }
    ~FractionLineTest() override { InitFractions(nullptr); }

    headless::Window& Control(int id) { return static_cast<headless::Window&>(*main_.child(id)); }

    // Where a field stands and how large it is; all zero while it is hidden.
    Rect Placed(int id) {
        if (!Control(id).visibleFlag()) return {};
        const KvRect r = Control(id).geometry();
        return {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }

    void Solve(const std::wstring& line) {
        Control(KV_FRACTION_LINE).setText(line);
        abacor::ProcessFractionLine();
    }

    // What the panel shows, the way a user reads it: "1 2/3", "-1/6", "2" or a message.
    std::wstring Shown() {
        std::wstring shown;
        if (Control(KV_FRACTION_WHOLE).visibleFlag()) shown = Control(KV_FRACTION_WHOLE).fullText();
        const bool fraction = Control(KV_FRACTION_NUMERATOR).visibleFlag();
        EXPECT_EQ(fraction, Control(KV_FRACTION_DENOMINATOR).visibleFlag());
        if (!fraction) return shown;
        if (!shown.empty()) shown += L' ';
        return shown + Control(KV_FRACTION_NUMERATOR).fullText() + L'/' + Control(KV_FRACTION_DENOMINATOR).fullText();
    }

    headless::Desktop desktop_;
    headless::Window main_{desktop_, 0};
};

struct Case {
    const wchar_t* line;
    const wchar_t* shown;
};

TEST_F(FractionLineTest, ShowsResultsAndMessages) {
    const Case cases[] = {
        {L"1/2+1/3", L"5/6"},
        {L"3/2", L"1 1/2"},
        {L"6:3", L"2"},
        {L"2-1/3", L"1 2/3"},
        {L"1/3-1/2", L"-1/6"},
        {L"-3/2", L"-1 1/2"},
        {L"12/5+1/5", L"2 3/5"},
        {L"7:2", L"3 1/2"},
        {L"1/2:1/4", L"2"},
        {L"   ", L"0"},
        {L" 1 / 2 + 1 / 3 ", L"5/6"},
        // A lone operand keeps the values it was written with, also with a sign or brackets.
        {L"2/4", L"2/4"},
        {L"-2/4", L"-2/4"},
        {L"(6/4)", L"1 2/4"},
        // Brackets, precedence, powers and signs.
        {L"(1/2+1/3)*2", L"1 2/3"},
        {L"(2/3)^2", L"4/9"},
        {L"2^(0-2)", L"1/4"},
        {L"4^2/2", L"4"},
        {L"2^1/2", L"Невозможно вычислить выражение"},
        {L"2^3^2", L"64"},
        {L"-2^2", L"-4"},  // a sign binds looser than '^'
        {L"2*-3", L"-6"},
        {L"-(1/2)", L"-1/2"},
        {L"7 : 2", L"3 1/2"},
        {L"1/2 : 1/4", L"2"},
        {L"10^2:10^2", L"1"},
        {L"2+3*4", L"14"},
        {L"1-2-3", L"-4"},
        {L"1:2:3", L"1/6"},
        {L"6:2/3", L"9"},
        {L"1:-2", L"-1/2"},
        {L"2(1/4)", L"1/2"},
        {L"1:", L"Невозможно вычислить выражение"},
        // Division by zero, however reached, stays a division by zero.
        {L"1/0:1", L"Деление на 0"},
        {L"1:0", L"Деление на 0"},
        {L"0:0", L"Деление на 0"},
        {L"1/0:1*0", L"Деление на 0"},
        {L"1/0:1-1/0:1", L"Деление на 0"},
        // The checks, each with its message.
        {L"/0", L"Деление на ноль"},
        {L"/0)", L"Деление на ноль"},
        {L"/ 0", L"Невозможно вычислить выражение"},  // no blanks skipped after '/'
        {L"/05", L"Невозможно вычислить выражение"},
        {L"1/0", L"Деление на ноль"},
        {L"(1/2", L"Невозможно вычислить выражение"},
        {L"(1+-2", L"Невозможно вычислить выражение"},
        {L"1/2)", L"Скобки не сбалансированы"},
        {L"1+-2", L"-1"},
        {L"1+*2", L"Невозможно вычислить выражение"},  // the reading comes first
        {L"*/2", L"Двойной символ операции"},
        {L"1a", L"Недопустимые символы"},
        {L"a/0", L"Недопустимые символы"},
        {L"", L"Пустая строка"},
    };
    for (const Case& c : cases) {
        Solve(c.line);
        EXPECT_EQ(Shown(), c.shown) << "line: " << headless::ToUtf8(c.line);
    }
}

TEST_F(FractionLineTest, NeverShowsAWrongNumberBeyond64Bits) {
    const Case cases[] = {
        {L"9999999999/2*9999999999/3*9999999999/7", L"Слишком большое число"},
        {L"9223372036854775807+1", L"Слишком большое число"},
        {L"99999999999999999999", L"Слишком большое число"},
        {L"2^63", L"Слишком большое число"},
        {L"(1/3)^(0-40)", L"Слишком большое число"},
        // The extremes that do fit are exact (read as a double they would not be).
        {L"9223372036854775807", L"9223372036854775807"},
        {L"9007199254740993", L"9007199254740993"},
        {L"(0-2)^63", L"-9223372036854775808"},
        {L"1^999999999999999999", L"1"},
        {L"4000000000*3000000001/4000000000", L"3000000001"},
        {L"3000000001/4000000000*4000000000", L"3000000001"},
        {L"1/4000000000+1/4000000000", L"1/2000000000"},
    };
    for (const Case& c : cases) {
        Solve(c.line);
        EXPECT_EQ(Shown(), c.shown) << "line: " << headless::ToUtf8(c.line);
    }
}

// Run in this order: a message after a proper fraction must bring the hidden whole-part
// field back, and a proper fraction keeps the place a mixed number moved its fields to.
TEST_F(FractionLineTest, SizesAndPlacesTheResultFields) {
    constexpr Rect kHidden{};
    struct Layout {
        const wchar_t* line;
        Rect whole, numerator, denominator;
        bool separator;
    };
    const Layout layouts[] = {
        {L"1/3-1/2", kHidden, {165, 145, 46, 20}, {165, 175, 38, 20}, true},
        {L"1a", {105, 160, 8 * 20 + 30, 20}, kHidden, kHidden, true},
        {L"-1999/999", {105, 160, 46, 20}, {46 + 110, 140, 38, 20}, {46 + 110, 170, 54, 20}, true},
        {L"1/12", kHidden, {156, 140, 38, 20}, {156, 170, 46, 20}, true},
        {L"1:0", {105, 160, 126, 20}, kHidden, kHidden, true},
        {L"100:1", {105, 160, 54, 20}, kHidden, kHidden, false},
    };
    for (const Layout& l : layouts) {
        Solve(l.line);
        SCOPED_TRACE(headless::ToUtf8(l.line));
        EXPECT_EQ(Placed(KV_FRACTION_WHOLE), l.whole);
        EXPECT_EQ(Placed(KV_FRACTION_NUMERATOR), l.numerator);
        EXPECT_EQ(Placed(KV_FRACTION_DENOMINATOR), l.denominator);
        EXPECT_EQ(Control(KV_FRACTION_SEPARATOR).visibleFlag(), l.separator);
    }
}

TEST_F(FractionLineTest, RecordsOperandsAndOperatorsInTextOrder) {
    Solve(L"1:-(1/2+3):4^2(5)");
    EXPECT_EQ(Shown(), L"-5/56");
    EXPECT_EQ(Engine().FractionValues, (std::vector<Fraction>{{1, 1}, {1, 2}, {3, 1}, {4, 1}, {2, 1}, {5, 1}}));
    EXPECT_EQ(Engine().FractionOps, (std::vector<wchar_t>{L':', L'+', L':', L'^', L'*'}));
    Solve(L"1a");  // rejected by the check: nothing of the last line is left
    EXPECT_TRUE(Engine().FractionValues.empty());
    EXPECT_TRUE(Engine().FractionOps.empty());
}

TEST_F(FractionLineTest, MissingControlsAreSkipped) {
    headless::Window bare{desktop_, 0};
    bare.addChild(KV_FRACTION_LINE).setText(L"1/2+1/3");
    InitFractions(&bare);
    abacor::ProcessFractionLine();
    EXPECT_EQ(Engine().FractionValues.size(), 2u);
    InitFractions(nullptr);
    abacor::ProcessFractionLine();
    EXPECT_TRUE(Engine().FractionValues.empty());
}

}  // namespace
