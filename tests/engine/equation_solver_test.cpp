#include "algebra/equation_solver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/engine_state.h"
#include "core/outcome.h"
#include "core/steps_window.h"
#include "engine_fixture.h"

namespace {

using abacor::Engine;
using Lines = std::vector<std::wstring>;

const std::wstring kRule = L"═══════════════════════════════════";

class EquationSolverTest : public EngineTest {
protected:
    EquationSolverTest() {
        input_ = &AddControl(1700);
        for (int id : {1723, 1742, 1743, 1744, 1724, 1725, 1770, 1771}) AddControl(id);
    }

    void Solve(const std::wstring& text) {
        input_->setText(text);
        Press(1722);
    }

    // The shown rows as a user reads them: "label value", or the value alone where the
    // run wrote no label.
    Lines Rows() {
        Lines rows;
        const int values[] = {1724, 1725, 1770, 1771};
        const int labels[] = {1723, 1742, 1743, 1744};
        for (int i = 0; i < 4; ++i) {
            const headless::Window& value = Control(values[i]);
            const headless::Window& label = Control(labels[i]);
            EXPECT_EQ(label.visibleFlag(), value.visibleFlag()) << "row " << i + 1;
            if (!value.visibleFlag()) continue;
            rows.push_back(label.fullText().empty() ? value.fullText() : label.fullText() + L" " + value.fullText());
        }
        return rows;
    }

    static std::wstring Report() { return Engine().StepsLog; }

    headless::Window* input_ = nullptr;
};

TEST_F(EquationSolverTest, LinearAnswer) {
    Solve(L"2x - 6 = 0");
    EXPECT_EQ(Rows(), (Lines{L"X = 3"}));
}

TEST_F(EquationSolverTest, QuadraticAnswers) {
    Solve(L"x^2 - 5x + 6 = 0");
    EXPECT_EQ(Rows(), (Lines{L"X₁ = 3", L"X₂ = 2"}));

    Solve(L"x^2 + 2x + 1 = 0");
    EXPECT_EQ(Rows(), (Lines{L"X = -1"}));

    Solve(L"x^2 + 1 = 0");
    EXPECT_EQ(Rows(), (Lines{L"X = Нет действительных корней"}));
}

TEST_F(EquationSolverTest, HigherDegreeAnswers) {
    Solve(L"x^3 - 6x^2 + 11x - 6 = 0");
    EXPECT_EQ(Rows(), (Lines{L"X₁ = 1", L"X₂ = 2", L"X₃ = 3"}));

    Solve(L"x^3 - x = 0");
    EXPECT_EQ(Rows(), (Lines{L"X₁ = -1", L"X₂ = 0", L"X₃ = 1"}));

    Solve(L"x^3 - 2 = 0");
    EXPECT_EQ(Rows(), (Lines{L"X = 1.2599210499"}));

    // No real root at any degree says so.
    Solve(L"x^4 + 1 = 0");
    EXPECT_EQ(Rows(), (Lines{L"X = Нет действительных корней"}));
    Solve(L"x^100 + 1 = 0");
    EXPECT_EQ(Rows(), (Lines{L"X = Нет действительных корней"}));

    // Beyond exact isolation the search alone cannot rule a root out: no verdict. So for a
    // degree above 100, and for roots too close to tell apart within the work allowed.
    Solve(L"x^101 - 2 = 0");
    EXPECT_EQ(Rows(), Lines{});
    Solve(L"x^100 - 2(1000x - 1)^2 = 0");
    EXPECT_EQ(Rows(), Lines{});
    EXPECT_EQ(Report().find(L"Нет действительных корней"), std::wstring::npos);
}

TEST_F(EquationSolverTest, DenominatorAnswers) {
    Solve(L"1/x + 1/(x+1) = 1");
    EXPECT_EQ(Rows(), (Lines{L"X₁ = -0.6180339887", L"X₂ = 1.6180339887"}));

    Solve(L"2/(x+1) = 1");
    EXPECT_EQ(Rows(), (Lines{L"X = 1"}));
}

// A root that makes a denominator of the equation as typed zero is no solution.
TEST_F(EquationSolverTest, ExtraneousRootAnswer) {
    Solve(L"x/(x-1) = 1/(x-1)");
    EXPECT_EQ(Rows(), (Lines{L"Нет решений"}));
}

TEST_F(EquationSolverTest, OtherVariablesAreRefused) {
    for (const std::wstring text : {L"x + y = 1", L"z = 2", L"x*Y = 1", L"2Z - x = 0"}) {
        Solve(text);
        EXPECT_EQ(Rows(), (Lines{L"Уравнение должно содержать только x"})) << text;
    }
}

TEST_F(EquationSolverTest, SimplificationAnswer) {
    Solve(L"(x+1)^2");
    EXPECT_EQ(Rows(), (Lines{L"Упрощённое: x² + 2x + 1"}));
}

TEST_F(EquationSolverTest, AnswerRows) {
    const struct {
        const wchar_t* input;
        Lines rows;
    } cases[] = {
        // Beyond the range of a double: no inf or nan as a root.
        {L"6^400x^2 + x = 1", {L"Слишком большое число"}},
        {L"x^2 + 10^200x + 1 = 0", {L"Слишком большое число"}},
        {L"x + 1 = x + 2", {L"Нет решений"}},
        {L"x + 1 = x + 1", {L"x ∈ ℝ"}},
        {L"x = 1 = 2", {L"Два знака '='"}},
        {L"(x+1)^10 = 0", {L"Уравнение слишком сложное для решения"}},
        {L"x + 50 = 0", {L"X = -50"}},
        {L"x = 100", {L"X = 100"}},
        {L"2x = 0", {L"X = 0"}},
        {L"-x^2 + x = 0", {L"X₁ = 0", L"X₂ = 1"}},
        {L"3x = 1", {L"X = 0.3333333333"}},
        {L"x = 100000000000000000000000000000000", {L"X = 1e+32"}},
        // A root is never shown as -0, nor a root that is not zero as 0.
        {L"-x = 0", {L"X = 0"}},
        {L"-x^2 = 0", {L"X = 0"}},
        {L"-x^3 + x = 0", {L"X₁ = -1", L"X₂ = 0", L"X₃ = 1"}},
        {L"100000000000x = 1", {L"X = 1e-11"}},
        {L"-100000000000x = 1", {L"X = -1e-11"}},
        {L"100000000000x^2 + x = 0", {L"X₁ = 0", L"X₂ = -1e-11"}},
        {L"x² - 4 = 0", {L"X₁ = 2", L"X₂ = -2"}},
        {L"x^0 + x = 3", {L"X = 2"}},
        {L"1/x = 2", {L"X = 0.5"}},
        {L"x^2/(x-1) = 1/(x-1)", {L"X = -1"}},
        {L"x^5 - x = 0", {L"X₁ = -1", L"X₂ = 0", L"X₃ = 1"}},
        {L"(x-1)(x-2)(x-3)(x+1)(x+2)(x+3) = 0", {L"X₁ = -3", L"X₂ = -2", L"X₃ = -1", L"… ещё корней: 3, все — в отчёте"}},
        {L"x^2 + 3x", {L"Упрощённое: x² + 3x"}},
        {L"2(x+3) - 2x", {L"Упрощённое: 6"}},
        {L"x*y + y*x", {L"Упрощённое: 2xy"}},
        {L"x^3*x^2", {L"Упрощённое: x⁵"}},
        {L"x^0 + x", {L"Упрощённое: x + 1"}},
        // A power above the highest degree is left out of the expansion: no simplified
        // form, no answer that would count it as 0.
        {L"(x+1)^10 + 1", {L"Выражение слишком сложное для упрощения"}},
        {L"x^2 + 3x", {L"Упрощённое: x² + 3x"}},
    };
    for (const auto& c : cases) {
        Solve(c.input);
        EXPECT_EQ(Rows(), c.rows) << c.input;
    }
}

// Under any precision a root keeps its value: a zero of either sign shows as the
// precision writes 0, a root the precision would round to 0 gets its own digits.
TEST_F(EquationSolverTest, RootsKeepTheirValueUnderEveryPrecision) {
    const struct {
        int precision;
        const wchar_t* input;
        Lines rows;
    } cases[] = {
        {2, L"2x - 6 = 0", {L"X = 3.00"}},
        {2, L"3x = 1", {L"X = 0.33"}},
        {0, L"3x = 1", {L"X = 0.3333333333"}},
        {0, L"x = 0.6", {L"X = 1"}},
        {4, L"-x = 0", {L"X = 0.0000"}},
        {4, L"100000000000x = 1", {L"X = 1e-11"}},
        {2, L"x^2 - 0.000001 = 0", {L"X₁ = 0.001", L"X₂ = -0.001"}},
        {2, L"x^3 - 0.000001x = 0", {L"X₁ = -0.001", L"X₂ = 0.00", L"X₃ = 0.001"}},
        {20, L"100000000000x = 1", {L"X = 0.00000000001000000000"}},
    };
    for (const auto& c : cases) {
        SetPrecision(c.precision);
        Solve(c.input);
        EXPECT_EQ(Rows(), c.rows) << c.precision << " " << c.input;
    }
    SetPrecision(-1);
}

// The report writes a root with the digits of its answer; the check's side values are
// rounded as before, but never to -0.
TEST_F(EquationSolverTest, ReportLinesOfRootsKeepTheirValue) {
    const struct {
        int precision;
        const wchar_t* input;
        Lines lines;   // report lines that must appear
        Lines absent;  // texts that must not
    } cases[] = {
        {-1, L"100000000000x = 1", {L"│ x = 1e-11", L"│ x = 1e-11:", L"│   1 = 1  ✅ Верно!"}, {L"x = 0"}},
        {-1, L"x^2 - 3 = 0", {L"│ x1 = 1.7320508076:", L"│   0 = 0  ✅ Верно!"}, {L"-0"}},
        {4, L"x^2 - 3 = 0", {L"│ x2 = -1.7321:", L"│   0.0000 = 0.0000  ✅ Верно!"}, {L"-0.0000"}},
        {-1, L"100000000000x^2 + x = 0", {L"│ x₁ = 0", L"│ x₂ = -1e-11", L"│ x2 = -1e-11:"}, {L"-0:"}},
        {-1, L"-x^3 + x = 0", {L"│   x2 = 0", L"│ x2 = 0:"}, {L"= -0"}},
        {2, L"x^3 - 0.000001x = 0", {L"│   x1 = -0.001 = -1/1000", L"│   x3 = 0.001 = 1/1000", L"│ x3 = 0.001:"}, {}},
        {2, L"x/(x-0.001) = 0.001/(x-0.001)", {L"│ x = 0.001 — посторонний корень (знаменатель обращается в 0)"}, {}},
    };
    for (const auto& c : cases) {
        SetPrecision(c.precision);
        Solve(c.input);
        const std::wstring report = Report();
        for (const std::wstring& line : c.lines) {
            EXPECT_NE(report.find(line + L"\r\n"), std::wstring::npos) << c.precision << " " << c.input << ": " << line;
        }
        for (const std::wstring& text : c.absent) {
            EXPECT_EQ(report.find(text), std::wstring::npos) << c.precision << " " << c.input << ": " << text;
        }
    }
    SetPrecision(-1);
}

std::size_t Occurrences(const std::wstring& text, const std::wstring& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// The check passes a root only when an exact root is proven within its shown digits, so
// that a root the double arithmetic made up is never marked right.
TEST_F(EquationSolverTest, SubstitutionCheckIsProven) {
    const struct {
        const wchar_t* input;
        std::size_t passes;
        std::size_t fails;
    } cases[] = {
        // D is small, but no rounding noise: there is no real root, and none is shown.
        {L"x^2 - 2x + 1.00000000001 = 0", 0, 0},
        {L"x^2 - 0.0002x + 0.0000000100001 = 0", 0, 0},
        // The small root loses its digits to cancellation in the formula.
        {L"x^2 - 100000000x + 1 = 0", 1, 1},
        {L"x^3 - 1000x + 1 = 0", 3, 0},
        {L"(x-2)^3 = 0", 1, 0},
        {L"x^5 - 2 = 0", 1, 0},
        {L"(2x-1)(x-1)(x+1)(x-2)(x+2) = 0", 5, 0},
        {L"3x = 1", 1, 0},
        {L"x^2 - 2 = 0", 2, 0},
    };
    for (const auto& c : cases) {
        Solve(c.input);
        EXPECT_EQ(Occurrences(Report(), L"✅ Верно!"), c.passes) << c.input;
        EXPECT_EQ(Occurrences(Report(), L"⚠️ Не совпадает"), c.fails) << c.input;
    }
}

// Each way a run can end, and what it leaves in the step log.
TEST_F(EquationSolverTest, FailurePathsReplaceTheLogOnce) {
    const struct {
        const wchar_t* input;
        const wchar_t* logEnd;  // the report ends with these lines
    } cases[] = {
        {L"x = 1 = 2", L"Исходное уравнение: x = 1 = 2\r\n\r\n"},
        {L"x + 1 = x + 1", L"│ 0 = 0 → x — любое число (x ∈ ℝ)\r\n└──────────────────────────────────────────────\r\n"},
        {L"x + 1 = x + 2", L"│ -1 = 0 → решений нет\r\n└──────────────────────────────────────────────\r\n"},
        {L"x^2 + x + 1 = 0", L"│ D < 0 → действительных корней нет\r\n└──────────────────────────────────────────────\r\n"},
        {L"x^4 + 3 = 0", L"  Решение завершено!\r\n═══════════════════════════════════\r\n"},
        {L"6^400x = 1", L"│ Слишком большое число\r\n└──────────────────────────────────────────────\r\n"},
        {L"x - x", L"  Упрощение завершено!\r\n═══════════════════════════════════\r\n"},
    };
    for (const auto& c : cases) {
        abacor::SetStepsLog(L"previous report\r\n");
        Solve(c.input);
        const std::wstring log = Report();
        const std::wstring end = c.logEnd;
        EXPECT_EQ(log.rfind(kRule, 0), 0u) << c.input;  // the previous report is gone, not appended to
        ASSERT_GE(log.size(), end.size()) << c.input;
        EXPECT_EQ(log.substr(log.size() - end.size()), end) << c.input;
        EXPECT_EQ(log.find(kRule + L"\r\n  РЕШЕНИЕ", 1), std::wstring::npos) << c.input;
    }
}

TEST_F(EquationSolverTest, RejectedFormulaChangesNothing) {
    Solve(L"2x - 6 = 0");
    const std::wstring report = Report();
    for (const auto& [input, message] : {std::pair{L"", L"Пустая строка"}, std::pair{L"1/0 = x", L"Деление на ноль"},
                                         std::pair{L"x + a = 1", L"Недопустимые символы"}}) {
        Solve(input);
        ASSERT_FALSE(desktop_.messageBoxes().empty()) << input;
        EXPECT_EQ(desktop_.messageBoxes().back().text, message) << input;
        EXPECT_EQ(Report(), report) << input;
        EXPECT_EQ(Rows(), (Lines{L"X = 3"})) << input;
    }
}

// A run that shows no label text leaves the program's own label text in place.
TEST_F(EquationSolverTest, VerdictRowsKeepTheirLabel) {
    Control(1723).setText(L"X= ");
    Solve(L"x + 1 = x + 1");
    EXPECT_EQ(Rows(), (Lines{L"X=  x ∈ ℝ"}));
    Solve(L"x^4 + 3 = 0");  // no real roots: the row's own label again
    EXPECT_EQ(Rows(), (Lines{L"X = Нет действительных корней"}));
    // The simplification's label names another answer: a verdict after it is the root's.
    Solve(L"x^2 + 3x");
    EXPECT_EQ(Rows(), (Lines{L"Упрощённое: x² + 3x"}));
    Solve(L"x + 1 = x + 2");
    EXPECT_EQ(Rows(), (Lines{L"X = Нет решений"}));
    Solve(L"(x+1)^10 + 1");
    Solve(L"x + 1 = x + 1");
    EXPECT_EQ(Rows(), (Lines{L"x ∈ ℝ"}));
}

// What each way a run can end tells a face through GetLastStatus. Each run starts from a
// status it cannot end with, so that a run which records nothing fails.
TEST_F(EquationSolverTest, StatusOfEachEnding) {
    const struct {
        const wchar_t* input;
        KvStatus status;
    } cases[] = {
        {L"x = 1 = 2", KV_STATUS_REFUSED},
        {L"x + y = 1", KV_STATUS_REFUSED},
        {L"2Z - x = 0", KV_STATUS_REFUSED},
        {L"", KV_STATUS_REFUSED},  // refused by the checks before the solver
        {L"1/0 = x", KV_STATUS_REFUSED},
        {L"x + a = 1", KV_STATUS_REFUSED},
        {L"(x+1 = 2", KV_STATUS_REFUSED},
        {L"10^400*x=1", KV_STATUS_TOO_LARGE},
        {L"6^400x^2 + x = 1", KV_STATUS_TOO_LARGE},
        {L"x^2 + 10^200x + 1 = 0", KV_STATUS_TOO_LARGE},
        {L"(x+1)^10 = 1", KV_STATUS_TOO_COMPLEX},  // above the highest degree
        {L"x^0.5 = 2", KV_STATUS_TOO_COMPLEX},
        {L"(x+1)^10 - x", KV_STATUS_TOO_COMPLEX},
        {L"x^2 + 1 = 0", KV_STATUS_ANSWERED},  // no roots
        {L"x + 1 = x + 2", KV_STATUS_ANSWERED},
        {L"x/(x-1) = 1/(x-1)", KV_STATUS_ANSWERED},  // every root extraneous
        {L"x + 1 = x + 1", KV_STATUS_ANSWERED},
        {L"2x - 6 = 0", KV_STATUS_ANSWERED},
        {L"x^2 - 5x + 6 = 0", KV_STATUS_ANSWERED},
        {L"x^4 + 3 = 0", KV_STATUS_ANSWERED},
        {L"(x+1)^2", KV_STATUS_ANSWERED},
    };
    for (const auto& c : cases) {
        abacor::RecordStatus(c.status == KV_STATUS_ANSWERED ? KV_STATUS_NO_ANSWER : KV_STATUS_ANSWERED);
        Solve(c.input);
        EXPECT_EQ(GetLastStatus(), c.status) << c.input;
    }
}

// The solver returns the rows and the report; only the panel writes them.
TEST_F(EquationSolverTest, SolverReturnsRowsAndLeavesTheControlsAlone) {
    const struct {
        const wchar_t* input;
        std::vector<abacor::AnswerRow> rows;
    } cases[] = {
        {L"x = 1 = 2", {{std::nullopt, L"Два знака '='"}}},
        {L"x + 1 = x + 2", {{std::nullopt, L"Нет решений"}}},
        {L"x^2 + 1 = 0", {{L"X =", L"Нет действительных корней"}}},
        {L"x^2 - 5x + 6 = 0", {{L"X₁ =", L"3"}, {L"X₂ =", L"2"}}},
        {L"x^4 + 3 = 0", {{L"X =", L"Нет действительных корней"}}},
        {L"x^2 + 3x", {{L"Упрощённое:", L"x² + 3x"}}},
    };
    Solve(L"2x - 6 = 0");
    const std::wstring report = Report();
    for (const auto& c : cases) {
        const abacor::EquationResult result = abacor::SolveEquation(c.input);
        ASSERT_EQ(result.rows.size(), c.rows.size()) << c.input;
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            EXPECT_EQ(result.rows[i].label, c.rows[i].label) << c.input << " row " << i;
            EXPECT_EQ(result.rows[i].value, c.rows[i].value) << c.input << " row " << i;
        }
        EXPECT_EQ(result.report.rfind(kRule, 0), 0u) << c.input;
    }
    EXPECT_EQ(Report(), report);
    EXPECT_EQ(input_->fullText(), L"2x - 6 = 0");
    EXPECT_EQ(Rows(), (Lines{L"X = 3"}));
}

TEST_F(EquationSolverTest, PanelKeys) {
    constexpr int kAtEnd = -1;
    const std::wstring longText(300, L'1');
    const struct {
        std::wstring before;
        int start, end;  // the selection before the keys
        std::vector<int> keys;
        std::wstring after;
    } cases[] = {
        {L"", kAtEnd, kAtEnd, {1702, 1703, 1704, 1706, 1707, 1708, 1709, 1721, 1733}, L"x()+-*/.="},
        {L"", kAtEnd, kAtEnd, {1710, 1711, 1712, 1714, 1715, 1716, 1717, 1718, 1719, 1720}, L"7894560123"},
        {L"", kAtEnd, kAtEnd, {1702, 1730, 1719, 1706, 1718, 1733, 1717}, L"x²+1=0"},  // "^" then a digit
        {L"x^", kAtEnd, kAtEnd, {1720}, L"x³"},
        {L"x^", kAtEnd, kAtEnd, {1733}, L"x^="},  // "=" is not followed by the rule
        {L"x^", kAtEnd, kAtEnd, {1721}, L"x^."},
        {L"x^1", kAtEnd, kAtEnd, {1717}, L"x^10"},
        {L"x^", kAtEnd, kAtEnd, {1719, 1730}, L"x²^"},  // the rule leaves the caret at the end
        {L"x²+1", kAtEnd, kAtEnd, {1705}, L"x²+"},
        {L"x+1", 0, 0, {1705, 1730}, L"x+^"},  // so does backspace
        {L"", kAtEnd, kAtEnd, {1705}, L""},
        {L"x+1=0", kAtEnd, kAtEnd, {1731}, L""},
        {L"x+1=0", kAtEnd, kAtEnd, {1732}, L""},
        {L"x", kAtEnd, kAtEnd, {1713, 1701, 1734, 1723}, L"x"},
        {L"x2", kAtEnd, kAtEnd, {1730}, L"x2^"},
        {L"x2+1", 1, 2, {1730}, L"x²+1"},  // one selected digit becomes its superscript
        {L"x2+1", 0, 1, {1730}, L"^2+1"},  // a selected letter is replaced by "^"
        {L"x23", 1, 3, {1730}, L"x^"},     // so are two digits
        {L"x+1", 0, 0, {1718}, L"x+11"},   // inserts go to the end wherever the caret is
        {L"x+1", 0, 3, {1733}, L"x+1="},
        // Edits keep the whole of a long (pasted) formula.
        {longText + L"x^", kAtEnd, kAtEnd, {1719, 1705, 1705}, longText},
    };
    for (const auto& c : cases) {
        input_->setText(c.before);
        const int end = static_cast<int>(c.before.size());
        input_->setSelection(c.start == kAtEnd ? end : c.start, c.end == kAtEnd ? end : c.end);
        for (int key : c.keys) Press(key);
        EXPECT_EQ(input_->fullText(), c.after) << c.before;
    }
}

TEST_F(EquationSolverTest, StepsKeyShowsTheReport) {
    Solve(L"2x - 6 = 0");
    Press(1726);
    ASSERT_EQ(desktop_.textWindowsCreated(), 1);
    EXPECT_EQ(desktop_.lastTextWindowSpec()->text, Report());
}

// Inputs built to make expansion or root search slow still get an answer.
TEST_F(EquationSolverTest, HostileFormulasFinish) {
    std::wstring brackets = std::wstring(500, L'(') + L"x" + std::wstring(500, L')') + L"=1";
    std::wstring powers = L"(x+1)^9";
    while (powers.size() + 8 < 1000) powers += L"*(x+1)^9";
    std::wstring exponents = L"x^999999999";
    while (exponents.size() + 12 < 1020) exponents += L"*x^999999999";
    const std::wstring inputs[] = {
        brackets,
        powers + L"=1",
        powers,
        exponents + L"=x",
        L"x^100000/(x-1) = 1",
        L"x^3 - 999999999999999999 = 0",
        L"x^4 - 99999999999999999999999999999999999999 = 0",
        L"(x+1)^9^9^9^9^9^9 = 0",
        std::wstring(1023, L'9') + L"=x",
    };
    for (const std::wstring& input : inputs) {
        Solve(input);
        EXPECT_EQ(Report().rfind(kRule, 0), 0u) << input.substr(0, 40);
    }
}

// ---- Every root, exact forms, the domain of an identity -------------------------------------

// The roots behind the rows, every one of them, each with its decimal and its exact form;
// the decimal stands in where there is no readable exact form.
TEST_F(EquationSolverTest, ShownRootsCarryDecimalAndExactForm) {
    using Roots = std::vector<std::pair<std::wstring, std::wstring>>;
    const struct {
        const wchar_t* input;
        Roots roots;  // decimal, exact
    } cases[] = {
        {L"3x = 1", {{L"0.3333333333", L"1/3"}}},
        {L"2x - 6 = 0", {{L"3", L"3"}}},
        {L"x^2 - 2 = 0", {{L"1.4142135624", L"√2"}, {L"-1.4142135624", L"-√2"}}},
        {L"x^2 - x - 1 = 0", {{L"1.6180339887", L"(1 + √5)/2"}, {L"-0.6180339887", L"(1 - √5)/2"}}},
        {L"4x^2 - 4x + 1 = 0", {{L"0.5", L"1/2"}}},
        {L"x^2 - 5x + 6 = 0", {{L"3", L"3"}, {L"2", L"2"}}},
        {L"(2x-1)^2(x-3) = 0", {{L"0.5", L"1/2"}, {L"3", L"3"}}},
        {L"x^5 - 2 = 0", {{L"1.148698355", L"1.148698355"}}},
        {L"x = 0.1", {{L"0.1", L"1/10"}}},
        // A fraction too long to say anything to a student: the decimal stands in.
        {L"x = 0.1234567890123456789012345", {{L"0.123456789", L"0.123456789"}}},
        {L"(x-1)(x-2)(x-3)(x+1)(x+2)(x+3) = 0",
         {{L"-3", L"-3"}, {L"-2", L"-2"}, {L"-1", L"-1"}, {L"1", L"1"}, {L"2", L"2"}, {L"3", L"3"}}},
        {L"x^2 + 1 = 0", {}},
        {L"x^4 + 1 = 0", {}},
        {L"x/(x-1) = 1/(x-1)", {}},  // the only root is extraneous
        {L"x^2/(x-1) = 1/(x-1)", {{L"-1", L"-1"}}},
        {L"x + 1 = x + 1", {}},
        {L"x^2 + 3x", {}},
    };
    for (const auto& c : cases) {
        const abacor::EquationResult result = abacor::SolveEquation(c.input);
        Roots roots;
        for (const abacor::ShownRoot& root : result.roots) roots.emplace_back(root.decimal, root.exact);
        EXPECT_EQ(roots, c.roots) << c.input;
    }
}

TEST(RootLabel, PastTheFourRowsTheNumbersGoOn) {
    const struct {
        std::size_t index, count;
        const wchar_t* label;
    } cases[] = {
        {0, 1, L"X ="},    {0, 2, L"X₁ ="},   {1, 2, L"X₂ ="},   {3, 4, L"X₄ ="},
        {4, 5, L"X₅ ="},   {8, 9, L"X₉ ="},   {9, 12, L"X₁₀ ="}, {11, 12, L"X₁₂ ="},
        {99, 100, L"X₁₀₀ ="},
    };
    for (const auto& c : cases) EXPECT_EQ(abacor::RootLabel(c.index, c.count), c.label) << c.index << " of " << c.count;
}

// GetEquationRoots lists every root of the last solve, past the rows, as a face prints them.
TEST_F(EquationSolverTest, ExportListsEveryRoot) {
    const auto roots = [](int exact) {
        const int length = GetEquationRoots(exact, nullptr, 0);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'#');
        EXPECT_EQ(GetEquationRoots(exact, text.data(), length + 1), length);
        EXPECT_EQ(text[static_cast<std::size_t>(length)], L'\0');
        text.resize(static_cast<std::size_t>(length));
        return text;
    };
    const struct {
        const wchar_t* input;
        const wchar_t* decimals;
        const wchar_t* exact;
    } cases[] = {
        {L"(2x-1)(x-1)(x+1)(x-2)(x+2) = 0", L"X₁ = -2\nX₂ = -1\nX₃ = 0.5\nX₄ = 1\nX₅ = 2\n",
         L"X₁ = -2\nX₂ = -1\nX₃ = 1/2\nX₄ = 1\nX₅ = 2\n"},
        {L"x^2 - 2 = 0", L"X₁ = 1.4142135624\nX₂ = -1.4142135624\n", L"X₁ = √2\nX₂ = -√2\n"},
        {L"3x = 1", L"X = 0.3333333333\n", L"X = 1/3\n"},
        {L"x^2 + 1 = 0", L"", L""},
        {L"x/x = 1", L"", L""},
        {L"x + 1 = x + 2", L"", L""},
    };
    for (const auto& c : cases) {
        Solve(c.input);
        EXPECT_EQ(roots(0), c.decimals) << c.input;
        EXPECT_EQ(roots(1), c.exact) << c.input;
    }
    // A text the checks refuse leaves the roots of the last solve.
    Solve(L"x^2 - 2 = 0");
    Solve(L"1/0 = x");
    EXPECT_EQ(roots(1), L"X₁ = √2\nX₂ = -√2\n");
    // A short buffer gets the start, terminated; none at all gets nothing.
    wchar_t shortBuffer[6] = {L'#', L'#', L'#', L'#', L'#', L'#'};
    EXPECT_EQ(GetEquationRoots(1, shortBuffer, 5), 17);
    EXPECT_EQ(std::wstring(shortBuffer), L"X₁ =");
    EXPECT_EQ(shortBuffer[5], L'#');
    shortBuffer[0] = L'#';
    EXPECT_EQ(GetEquationRoots(1, shortBuffer, 0), 17);
    EXPECT_EQ(shortBuffer[0], L'#');
}

// An identity holds only where the equation as typed has a value: every value of x that
// makes one of its denominators zero is excluded, each once.
TEST_F(EquationSolverTest, IdentitiesKeepTheirDomain) {
    const struct {
        const wchar_t* input;
        const wchar_t* answer;
    } cases[] = {
        {L"x/x = 1", L"x ∈ ℝ, x ≠ 0"},
        {L"1/(x+1) = 1/(x+1)", L"x ∈ ℝ, x ≠ -1"},
        {L"1/x + 1/(x-1) = 1/(x-1) + 1/x", L"x ∈ ℝ, x ≠ 0, x ≠ 1"},
        {L"x/(x^2-1) = x/(x^2-1)", L"x ∈ ℝ, x ≠ -1, x ≠ 1"},
        {L"1/(x(x-2)) = 1/(x^2-2x)", L"x ∈ ℝ, x ≠ 0, x ≠ 2"},  // a zero of both sides once
        {L"x/(x^2-2) = x/(x^2-2)", L"x ∈ ℝ, x ≠ -√2, x ≠ √2"},
        {L"1/(2x-1) = 1/(2x-1)", L"x ∈ ℝ, x ≠ 1/2"},
        {L"1/(x^60-1) = 1/(x^60-1)", L"x ∈ ℝ, x ≠ -1, x ≠ 1"},
        {L"1/(x-0.1) = 1/(x-0.1)", L"x ∈ ℝ, x ≠ 0.1"},  // a long exact form: the decimal
        // Zeros too close together to be told apart in time are excluded all the same.
        {L"1/(x^100-2(1000x-1)^2) = 1/(x^100-2(1000x-1)^2)", L"x ∈ ℝ, кроме нулей знаменателей"},
        {L"x/(x^2+1) = x/(x^2+1)", L"x ∈ ℝ"},  // a denominator without a real zero
        {L"x + 1 = x + 1", L"x ∈ ℝ"},
        {L"x/x = 2", L"Нет решений"},
    };
    for (const auto& c : cases) {
        Solve(c.input);
        EXPECT_EQ(Rows(), (Lines{c.answer})) << c.input;
        EXPECT_EQ(GetLastStatus(), KV_STATUS_ANSWERED) << c.input;
    }
    Solve(L"x/x = 1");
    const std::wstring line = L"│ 0 = 0 → x — любое число из области определения (x ∈ ℝ, x ≠ 0)\r\n";
    EXPECT_NE(Report().find(line), std::wstring::npos) << Report();
}

// A double root of a quadratic says so in the report, as a multiple root of a higher degree does.
TEST_F(EquationSolverTest, QuadraticDoubleRootSaysItsMultiplicity) {
    const struct {
        const wchar_t* input;
        const wchar_t* line;
        bool present;
    } cases[] = {
        {L"x^2 + 2x + 1 = 0", L"│ x = -1 (кратность 2)\r\n", true},
        {L"4x^2 - 4x + 1 = 0", L"│ x = 0.5 (кратность 2)\r\n", true},
        {L"x^2 - 5x + 6 = 0", L"(кратность", false},
        {L"(x-2)^3 = 0", L"│   x1 = 2 (кратность 3)\r\n", true},
    };
    for (const auto& c : cases) {
        Solve(c.input);
        EXPECT_EQ(Report().find(c.line) != std::wstring::npos, c.present) << c.input << "\n" << Report();
    }
}

}  // namespace
