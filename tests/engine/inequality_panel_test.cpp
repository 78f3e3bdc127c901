#include "inequalities/inequality_panel.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/engine_state.h"
#include "core/outcome.h"
#include "engine_fixture.h"
#include "inequality_test_support.h"
#include "inequalities/inequality_system.h"

namespace {

using abacor::Engine;

constexpr int kInput = 2100;
constexpr int kAnswer = 2132;
constexpr int kSolve = 2129;

class InequalityPanelTest : public EngineTest {
protected:
    InequalityPanelTest() : input_(AddControl(kInput)), answer_(AddControl(kAnswer)) {}

    void Type(const std::wstring& text) {
        input_.setText(text);
        input_.setSelection(static_cast<int>(text.size()), static_cast<int>(text.size()));
    }

    headless::Window& input_;
    headless::Window& answer_;
};

TEST_F(InequalityPanelTest, KeysAppendTheirText) {
    const std::pair<int, std::wstring> keys[] = {
        {2101, L">"}, {2102, L"<"}, {2103, L"≥"}, {2104, L"≤"}, {2105, L"x"}, {2106, L"("}, {2107, L")"},
        {2109, L"+"}, {2110, L"-"}, {2111, L"×"}, {2112, L"÷"}, {2113, L"7"}, {2114, L"8"}, {2115, L"9"},
        {2117, L"4"}, {2118, L"5"}, {2119, L"6"}, {2120, L"0"}, {2121, L"1"}, {2122, L"2"}, {2123, L"3"},
        {2124, L"."}, {2128, L"&"}, {2116, L""},
    };
    for (const auto& [id, text] : keys) {
        Type(L"x");
        input_.setSelection(0, 0);  // appending ignores the caret
        Press(id);
        EXPECT_EQ(input_.fullText(), L"x" + text) << id;
    }
    EXPECT_EQ(Display(), L"0");  // the keypad leaves the panel's codes alone
}

struct EditCase {
    std::wstring before;
    std::pair<int, int> selection;  // {-1, -1}: the caret at the end
    std::vector<int> keys;
    std::wstring after;
};

TEST_F(InequalityPanelTest, EditingKeys) {
    const std::wstring blanks(300, L' ');
    const EditCase cases[] = {
        {L"", {-1, -1}, {2105, 2125, 2122, 2110, 2117, 2101, 2120}, L"x²-4>0"},  // x ^ 2 - 4 > 0
        {L"x^", {-1, -1}, {2121, 2120}, L"x¹0"},  // only the digit right after "^" is raised
        {L"x^", {-1, -1}, {2128}, L"x^&"},        // "&" never is
        {L"x2+1>0", {1, 2}, {2125}, L"x²+1>0"},   // the power key raises a selected digit
        {L"x+1>0", {1, 1}, {2125}, L"x^+1>0"},    // or puts "^" where the caret is
        {L"x22", {1, 3}, {2125}, L"x^"},
        {L"x>1", {-1, -1}, {2108}, L"x>"},
        {L"", {-1, -1}, {2108}, L""},
        {L"x>1", {0, 0}, {2126}, L""},
        {L"x>1", {0, 0}, {2127}, L""},
        {blanks + L"x^", {-1, -1}, {2122, 2108}, blanks + L"x"},  // a long text stays whole
    };
    for (const EditCase& c : cases) {
        Type(c.before);
        if (c.selection.first >= 0) input_.setSelection(c.selection.first, c.selection.second);
        for (int key : c.keys) Press(key);
        EXPECT_EQ(input_.fullText(), c.after) << c.before;
    }
}

TEST_F(InequalityPanelTest, ClearingKeepsTheAnswerAndTheNumberLine) {
    Type(L"x>1");
    Press({kSolve, 2126});
    EXPECT_EQ(answer_.fullText(), L"(1, +∞)");
    EXPECT_EQ(IsNumberLineVisible(), 1);
}

TEST_F(InequalityPanelTest, SolveShowsTheAnswerAndTheNumberLine) {
    Type(L"x^2-4≤0");
    Press(kSolve);
    EXPECT_EQ(answer_.fullText(), L"[-2, 2]");
    const abacor::NumberLineState& line = Engine().NumberLine;
    EXPECT_TRUE(line.visible);
    EXPECT_EQ(PointsText(line.points, line.closed), L"-2* 2*");
    EXPECT_EQ(SelectionText(line.selection), L"-1 +1 -1");
    EXPECT_EQ(main_.invalidations(), 1);
    EXPECT_TRUE(main_.lastInvalidateErased());

    Type(L"x=2");
    Press(kSolve);
    EXPECT_EQ(answer_.fullText(), L"Не найден знак неравенства");
    EXPECT_FALSE(line.visible);
    EXPECT_TRUE(line.points.empty() && line.selection.empty());
    EXPECT_EQ(main_.invalidations(), 2);
}

// The panel records the status the solver gave its answer, whatever the answer was.
TEST_F(InequalityPanelTest, SolveRecordsTheSolversStatus) {
    for (const std::wstring text : {L"x > 1", L"x^2 - 4 ≤ 0", L"x + 1", L"x > y", L"x > 1 & x < 0", L"x > 1 > 2",
                                    L"1e3 > x"}) {
        const KvStatus expected = abacor::SolveInequalitySystem(text).status;
        abacor::RecordStatus(expected == KV_STATUS_ANSWERED ? KV_STATUS_NO_ANSWER : KV_STATUS_ANSWERED);
        Type(text);
        Press(kSolve);
        EXPECT_EQ(GetLastStatus(), expected) << testing::PrintToString(text);
    }
}

TEST_F(InequalityPanelTest, SolveReadsAtMost1024Characters) {
    Type(L"x>1" + std::wstring(1021, L' ') + L"0");
    Press(kSolve);
    EXPECT_EQ(answer_.fullText(), L"(1, +∞)");
}

TEST_F(InequalityPanelTest, StepsKeyOpensTheReport) {
    Type(L"x>1");
    Press(kSolve);
    Press(2130);
    ASSERT_EQ(desktop_.textWindowsCreated(), 1);
    EXPECT_EQ(desktop_.lastTextWindowSpec()->text, Engine().StepsLog);
    EXPECT_EQ(desktop_.lastTextWindowOwner(), &main_);
}

TEST_F(EngineTest, InequalityKeysNeedTheInputControl) {
    headless::Window& answer = AddControl(kAnswer);
    Engine().NumberLine.visible = true;
    Press({2105, 2101, 2121, kSolve, 2130});
    EXPECT_EQ(answer.fullText(), L"");
    EXPECT_TRUE(Engine().NumberLine.visible);
    EXPECT_EQ(desktop_.textWindowsCreated(), 0);
    EXPECT_EQ(main_.invalidations(), 0);
}

// ---- systems ---------------------------------------------------------------------------

abacor::InequalityResult SolveSystem(const std::wstring& text) {
    const abacor::InequalityResult r = abacor::SolveInequalitySystem(text);
    EXPECT_EQ(r.kind, abacor::kGreater) << text;
    return r;
}

TEST_F(EngineTest, SystemsAreExactIntersections) {
    ExpectResults(SolveSystem, {
        {L"x>1 & x<5", L"(1, 5)", L"1 5", L"-1 +1 -1"},
        {L"x≥1&x≤5", L"[1, 5]", L"1* 5*", L"-1 +1 -1"},
        {L"x>1 && x<5", L"(1, 5)", L"1 5", L"-1 +1 -1"},
        {L"x>1&&x<5", L"(1, 5)", L"1 5", L"-1 +1 -1"},
        {L"x≥1 & x<5", L"[1, 5)", L"1* 5", L"-1 +1 -1"},
        {L"x>5 & x<1", L"∅", L"", L""},
        {L"x≥2 & x≤2", L"[2, 2]", L"2*", L"-1 -1"},
        {L"x≥2 & x<2", L"∅", L"", L""},
        {L"x^2+1>0 & x<3", L"(-∞, 3)", L"3", L"+1 -1"},
        {L"x^2+1<0 & x<3", L"∅", L"", L""},
        {L"x^2-4>0 & x<3", L"(-∞, -2) ∪ (2, 3)", L"-2 2 3", L"+1 -1 +1 -1"},
        {L"x>1 & x>3", L"(3, +∞)", L"1 3", L"-1 -1 +1"},
        {L"x<3 & x>1", L"(1, 3)", L"1 3", L"-1 +1 -1"},
        {L"x^2≥0 & x<5", L"(-∞, 0] ∪ [0, 5)", L"0* 5", L"+1 +1 -1"},
        {L"x^2-1≤0 & x≥1", L"[1, 1]", L"-1 1*", L"-1 -1 -1"},
        {L"x^2-1≤0 & x^2-4≥0", L"∅", L"", L""},
        {L"x≥x & x<3", L"(-∞, 3)", L"3", L"+1 -1"},
        // A double inequality is the system of its two halves.
        {L"1<x<3", L"(1, 3)", L"1 3", L"-1 +1 -1"},
        {L"0 ≤ x < 1", L"[0, 1)", L"0* 1", L"-1 +1 -1"},
        {L"-1<=2x+1<=3", L"[-1, 1]", L"-1* 1*", L"-1 +1 -1"},
        {L"5>x^2>1", L"(-2.236067977, -1) ∪ (1, 2.236067977)", L"-2.236067977 -1 1 2.236067977",
         L"-1 +1 -1 +1 -1"},
        {L"3<x<1", L"∅", L"", L""},
        {L"x>0 & 1<x<2", L"Лишний знак неравенства", L"", L""},
        {L"x>0 & x<10 & x^2<25", L"Неверный формат системы", L"", L""},
        {L"x>1 & 5", L"Неверный формат системы", L"", L""},
        {L"x>1 &", L"Неверный формат системы", L"", L""},
        {L"x>1 & x=2", L"Неверный формат системы", L"", L""},
    });
}

TEST_F(EngineTest, SystemReportOfPartsWithoutZerosOrWithSeveral) {
    abacor::SolveInequalitySystem(L"x^2+1>0 & x^3-x<0");
    const std::wstring& log = Engine().StepsLog;
    EXPECT_NE(log.find(L"│ x^2+1>0\r\n│ Корней нет.\r\n│ Решение: (-∞, +∞)\r\n"), std::wstring::npos);
    EXPECT_NE(log.find(L"│ f(x) = 0 → x = -1, x = 0, x = 1\r\n"), std::wstring::npos);
    EXPECT_NE(log.find(L"│ (-∞, +∞) ∩ ((-∞, -1) ∪ (0, 1))\r\n│ Результат пересечения:\r\n│ (-∞, -1) ∪ (0, 1)\r\n"),
              std::wstring::npos);

    Engine().StepsLog = L"earlier";
    abacor::SolveInequalitySystem(L"x>1 & 5");
    EXPECT_EQ(Engine().StepsLog, L"earlier");
}

// Whatever is typed with the panel's keys (and a keyboard), a solve gives an answer and a
// number line that fits it: points ascending and apart, a flag for each, an entry for
// each interval.
TEST_F(EngineTest, RandomTextsGiveConsistentResults) {
    const std::wstring alphabet = L"xx0123456789.+-×÷()^²³≥≤<>& ";
    std::mt19937 random(5);
    std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1), length(0, 40);
    for (int round = 0; round < 3000; ++round) {
        std::wstring text;
        for (std::size_t n = length(random); n > 0; --n) text += alphabet[letter(random)];
        const abacor::InequalityResult r = abacor::SolveInequalitySystem(text);
        ASSERT_FALSE(r.answer.empty()) << text;
        ASSERT_EQ(r.closed.size(), r.points.size()) << text;
        for (std::size_t i = 1; i < r.points.size(); ++i) ASSERT_GE(r.points[i] - r.points[i - 1], 1e-8) << text;
        if (r.answer.front() == L'(' || r.answer.front() == L'[') {
            ASSERT_EQ(r.selection.size(), r.points.size() + 1) << text;
        }
    }
}

}  // namespace
