#include <string>
#include <vector>

#include "abacor.h"
#include "core/engine_state.h"
#include "core/outcome.h"
#include "core/steps_window.h"
#include "engine_fixture.h"

namespace {

using abacor::RecordStatus;
using abacor::SetStepsLog;

const std::wstring kClose = L"└──────────────────────────────────────────────\r\n";

std::wstring Solve(const std::wstring& text) {
    SolveSystem(text.c_str());
    return GetLastSteps();
}

std::wstring Result(int capacity = 512) {
    std::vector<wchar_t> buffer(512, L'#');
    GetSystemResult(buffer.data(), capacity);
    return buffer.data();
}

class LinearSystemTest : public EngineTest {};

TEST_F(LinearSystemTest, AnswerOfATwoByTwoSystem) {
    Solve(L"2x+y=5;x-y=1");
    EXPECT_EQ(Result(), L"  x = 2\n  y = 1\n");
}

TEST_F(LinearSystemTest, SystemsWithoutAnAnswer) {
    const std::wstring notUnique = L"│ ⚠️ Система не имеет единственного решения\r\n";
    // The report ends with the reason under the warning.
    const std::wstring noSolution = notUnique + L"│ Система несовместна (нет решений)\r\n" + kClose;
    const std::wstring infinitelyMany = notUnique + L"│ Система имеет бесконечно много решений\r\n" + kClose;
    const std::wstring overflow = L"│ ⚠️ Слишком большое число: решение не вычисляется\r\n" + kClose;
    const struct {
        const wchar_t* text;
        const std::wstring& warning;
        KvStatus status;
    } cases[] = {
        {L"x+y=2;2x+2y=4", infinitelyMany, KV_STATUS_NO_ANSWER},   // dependent rows
        {L"x+y=2;x-y=0;x+2y=5", noSolution, KV_STATUS_NO_ANSWER},  // a third row contradicting the first two
        {L"x+y+z=1;x-y=0", infinitelyMany, KV_STATUS_NO_ANSWER},   // fewer equations than variables
        {L"x=1;x=2", noSolution, KV_STATUS_NO_ANSWER},
        {L"x + y = 2x; x - y = 1", noSolution, KV_STATUS_NO_ANSWER},      // -x + y = 0 against x - y = 1
        {L"x + 1 = y; y - x = 1", infinitelyMany, KV_STATUS_NO_ANSWER},   // the same equation twice
        // y has no pivot: z takes the second row, and only then does a row read 0 = c.
        {L"x+y+z=1;2x+2y+3z=2;3x+3y+5z=4", noSolution, KV_STATUS_NO_ANSWER},
        {L"x+y+z=1;2x+2y+3z=2;3x+3y+5z=3", infinitelyMany, KV_STATUS_NO_ANSWER},
        {L"x/1000000000=10^300", overflow, KV_STATUS_TOO_LARGE},  // the answer would be 1e309
    };
    for (const auto& [text, warning, status] : cases) {
        const std::wstring report = Solve(text);
        ASSERT_GE(report.size(), warning.size()) << text;
        EXPECT_EQ(report.substr(report.size() - warning.size()), warning) << text;
        EXPECT_EQ(report.find(L"ОТВЕТ:"), std::wstring::npos) << text;
        EXPECT_EQ(Result(), L"") << text;
        EXPECT_EQ(GetLastStatus(), status) << text;
    }
}

TEST_F(LinearSystemTest, ConsistentExtraRowsKeepTheAnswer) {
    Solve(L"x+y=2;x-y=0;x+2y=3");
    EXPECT_EQ(Result(), L"  x = 1\n  y = 1\n");
}

TEST_F(LinearSystemTest, AnswersForAnyLetters) {
    const struct {
        std::wstring text;
        std::wstring answer;
    } cases[] = {
        {L"X+Y=3;X-Y=1", L"  x = 2\n  y = 1\n"},
        {L"a+b=3;a-b=1", L"  a = 2\n  b = 1\n"},
        {L"2(p+q)=10;p-q=1", L"  p = 3\n  q = 2\n"},
        {L"x+y+z=6;x-y=-1;z=3", L"  x = 1\n  y = 2\n  z = 3\n"},
        {L"z(2+1)=6;;", L"  z = 2\n"},
        {L"x/2+y=2;x-y=1", L"  x = 2\n  y = 1\n"},
        {L"x=0.5*4;y=sqrt(9)", L"  x = 2\n  y = 3\n"},
        {L"x+x^0=3", L"  x = 2\n"},
        {L"x^2-x^2+x=1", L"  x = 1\n"},
    };
    for (const auto& c : cases) {
        RecordStatus(KV_STATUS_REFUSED);
        Solve(c.text);
        EXPECT_EQ(Result(), c.answer) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(GetLastStatus(), KV_STATUS_ANSWERED) << std::string(c.text.begin(), c.text.end());
    }
}

TEST_F(LinearSystemTest, OneLineMessages) {
    const KvStatus refused = KV_STATUS_REFUSED, tooLarge = KV_STATUS_TOO_LARGE;
    const struct {
        std::wstring text;
        std::wstring log;
        KvStatus status;
    } cases[] = {
        {L"", L"Система не содержит уравнений", refused},
        {L";;", L"Система не содержит уравнений", refused},
        {L"x+y=2;x-y", L"Уравнение 2 не содержит =", refused},
        {L"1=1", L"Не найдены переменные", refused},
        {L"x^2+y=3;x+y=1", L"Уравнение 1 не является линейным", refused},
        {L"x+y=3;x*y=1", L"Уравнение 2 не является линейным", refused},
        {L"x+y=3;2/x=1", L"Уравнение 2 не является линейным", refused},
        {L"a+b=1;(a+b)(a-b)=0", L"Уравнение 2 не является линейным", refused},
        {L"x+y=", L"Уравнение 1: правая часть должна быть числом", refused},
        {L"x=1/0", L"Уравнение 1: правая часть должна быть числом", refused},
        {L"x=21e73082", L"Уравнение 1: правая часть должна быть числом", refused},  // found by fuzzing
        {L"x\r\n64^7592+22+x=1", L"Уравнение 1: слишком большое число", tooLarge},  // found by fuzzing
        {L"x+y=1;10^400x-y=2", L"Уравнение 2: слишком большое число", tooLarge},
        // An expansion cut short by its limits used to drop the power silently: a = 1.
        {L"(a+b+1)^300+a=1;b=2", L"Уравнение 1: слишком сложное выражение", KV_STATUS_TOO_COMPLEX},
        {L"a+b=1;a-b:(1-1)=2", L"Уравнение 2: деление на ноль", KV_STATUS_UNDEFINED},
        {L"a+b=1;a-b^0.5=2", L"Уравнение 2 не является линейным", KV_STATUS_REFUSED},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Solve(c.text), c.log) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(Result(), L"");
        EXPECT_EQ(GetLastStatus(), c.status) << std::string(c.text.begin(), c.text.end());
    }
}

// Letters on either side move to the left, numbers to the right.
TEST_F(LinearSystemTest, EquationsInAnyLinearForm) {
    const struct {
        std::wstring text;
        std::wstring answer;
    } cases[] = {
        {L"y = 2x + 1; x + y = 7", L"  x = 2\n  y = 5\n"},
        {L"y = x; x + y = 4", L"  x = 2\n  y = 2\n"},
        {L"y=-x+4;y=x", L"  x = 2\n  y = 2\n"},
        {L"2=x", L"  x = 2\n"},
        {L"x+y=y;x-y=1", L"  x = 0\n  y = -1\n"},
        {L"0.5y = x - 1; x + y = 7", L"  x = 3\n  y = 4\n"},
        {L"x - (y - 3) = 2y; x + y = 7", L"  x = 4.5\n  y = 2.5\n"},
        {L"1/2x + y = 1; x - y = 2", L"  x = 2\n  y = 0\n"},  // (1/2)x, not 1/(2x)
        {L"1/(2)x + y = 1; x - y = 2", L"  x = 2\n  y = 0\n"},
        {L"2/3(x+1) = y; y = 2", L"  x = 2\n  y = 2\n"},
        {L"x = 1,5; y = 1/2x", L"  x = 1.5\n  y = 0.75\n"},    // a decimal comma still reads
        {L"x + y = 3; y = sqrt(4)", L"  x = 1\n  y = 2\n"},   // a right side without unknowns is a number
        {L"x=2e5", L"  x = 200000\n"},
        {L"x + y = 1/3; x - y = 1/3", L"  x = 0.3333333333\n  y = 0\n"},  // y is -0 by elimination
    };
    for (const auto& c : cases) {
        RecordStatus(KV_STATUS_REFUSED);
        Solve(c.text);
        EXPECT_EQ(Result(), c.answer) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(GetLastStatus(), KV_STATUS_ANSWERED) << std::string(c.text.begin(), c.text.end());
    }
}

TEST_F(LinearSystemTest, NegativeZeroIsShownAsZero) {
    const struct {
        int precision;
        std::wstring answer;
    } cases[] = {
        {-1, L"  x = 0.3333333333\n  y = 0\n"},
        {0, L"  x = 0\n  y = 0\n"},
        {2, L"  x = 0.33\n  y = 0.00\n"},
    };
    for (const auto& [precision, answer] : cases) {
        SetPrecision(precision);
        const std::wstring report = Solve(L"x + y = 1/3; x - y = 1/3");
        EXPECT_NE(report.find(L"│ y = 0\r\n"), std::wstring::npos) << precision;
        EXPECT_EQ(report.find(L"-0"), std::wstring::npos) << precision;
        EXPECT_EQ(Result(), answer) << precision;
    }
}

// Texts a student writes that are no linear system as they stand.
TEST_F(LinearSystemTest, MisreadEquationsAreRefused) {
    const struct {
        std::wstring text;
        std::wstring log;
    } cases[] = {
        {L"x + y = 3, x - y = 1", L"Разделяйте уравнения знаком ';'"},
        {L"x=1,5, y=2", L"Разделяйте уравнения знаком ';'"},
        {L"x + y = 3; x - y = 1, x = 2", L"Разделяйте уравнения знаком ';'"},
        // Blank equations are skipped and take no number: "Уравнение 2" is the second written.
        {L"x + y = 5 ; ; x - y", L"Уравнение 2 не содержит ="},
        {L"x+y=1; \t ;x-y", L"Уравнение 2 не содержит ="},
        {L"   ;  ", L"Система не содержит уравнений"},
        {L"y = 2/x; x = 1", L"Уравнение 1 не является линейным"},
        {L"x+y=2;y=1/(2x)", L"Уравнение 2 не является линейным"},
        {L"x + y = xy", L"Уравнение 1 не является линейным"},
        {L"x + y = 2; x = y^2", L"Уравнение 2 не является линейным"},
        {L"x = sqrt(4)y", L"Уравнение 1 не является линейным"},  // a function beside an unknown
        {L"x=2e5y", L"Уравнение 1 не является линейным"},
        {L"x/2y=1;y=1", L"Уравнение 1 не является линейным"},  // (x/2)·y
        {L"1/(x+1) = y; y = 2", L"Уравнение 1 не является линейным"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Solve(c.text), c.log) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(Result(), L"");
        EXPECT_EQ(GetLastStatus(), KV_STATUS_REFUSED) << std::string(c.text.begin(), c.text.end());
    }
}

TEST_F(LinearSystemTest, SidesBeyondADoubleAreTooLarge) {
    EXPECT_EQ(Solve(L"x + y = 1; x = 10^400y"), L"Уравнение 2: слишком большое число");
    EXPECT_EQ(GetLastStatus(), KV_STATUS_TOO_LARGE);
}

TEST_F(LinearSystemTest, TypedAnswerHeadingIsNoAnswer) {
    // Found by fuzzing: the equations are echoed in the report's head.
    Solve(L"b=3;b=xОТВЕТ:0");  // ':' divides by 0
    EXPECT_EQ(Result(), L"");
    EXPECT_EQ(GetLastStatus(), KV_STATUS_UNDEFINED);
    // z, typed on a right side, is an unknown, and ':' divides by it: not linear.
    Solve(L"x=1;y=2ОТВЕТ:\r\n  z = \r\n");
    EXPECT_EQ(Result(), L"");
    EXPECT_EQ(GetLastStatus(), KV_STATUS_REFUSED);
    SetStepsLog(L"  ОТВЕТ:\r\n  x = 1\r\n");
    EXPECT_EQ(Result(), L"");
}

TEST_F(LinearSystemTest, ResultIsCutToTheCapacity) {
    Solve(L"2x+y=5;x-y=1");
    EXPECT_EQ(Result(512), L"  x = 2\n  y = 1\n");
    EXPECT_EQ(Result(5), L"  x ");
    EXPECT_EQ(Result(1), L"");
    std::vector<wchar_t> untouched(4, L'#');
    GetSystemResult(untouched.data(), 0);
    GetSystemResult(untouched.data(), -3);
    EXPECT_EQ(std::wstring(untouched.begin(), untouched.end()), L"####");
    GetSystemResult(nullptr, 10);
}

TEST_F(LinearSystemTest, NegativeFactorsAndPrecision) {
    SetPrecision(2);
    const std::wstring report = Solve(L"x+y=2;-x+y=0");
    EXPECT_NE(report.find(L"│ Строка 2 = Строка 2 + Строка 1\r\n"), std::wstring::npos);
    EXPECT_EQ(Result(), L"  x = 1.00\n  y = 1.00\n");
}

}  // namespace
