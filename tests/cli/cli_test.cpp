// kelvora-cli run as a process, as a user or a script runs it.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "control_ids.h"

namespace {

struct Outcome {
    std::string output;
    int exitCode;
};

std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

Outcome RunCli(const std::vector<std::string>& args) {
    std::string command = KELVORA_CLI;
    for (const std::string& arg : args) command += " " + Quote(arg);
    command += " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {"", -1};
    std::string output;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    const int status = pclose(pipe);
    return {output, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

struct CliCase {
    std::vector<std::string> args;
    std::string output;
    int exitCode;
};

void ExpectAll(std::initializer_list<CliCase> cases) {
    for (const CliCase& c : cases) {
        std::string shown;
        for (const std::string& a : c.args) shown += a + " ";
        const Outcome outcome = RunCli(c.args);
        EXPECT_EQ(outcome.output, c.output) << shown;
        EXPECT_EQ(outcome.exitCode, c.exitCode) << shown;
    }
}

TEST(Cli, EvalAndKeys) {
    ExpectAll({
        {{"keys", "1", "2", "+", "3", "="}, "15\n", 0},
        {{"eval", "2^3^2"}, "64\n", 0},
        {{"eval", "-2^2"}, "-4\n", 0},
        {{"eval", "2 3"}, "Ошибка\n", 1},
        {{"eval", "1e+25+1"}, "10000000000000000905969664\n", 0},
        {{"eval", "sin(0.00001)"}, "0.00001\n", 0},
        {{"eval", "6÷4×2"}, "3\n", 0},
        {{"keys", "5", "fact"}, "120\n", 0},
        {{"keys", "2", "1", "fact"}, "5.109094217e+19\n", 0},
        {{"keys", "2", "pow", "1", "0", "="}, "1024\n", 0},
        {{"keys", "4", "MS", "C", "MR"}, "4\n", 0},
        {{"keys", "0", "inv"}, "Деление на 0\n", 1},
        {{"keys", "2", "*", "pi"}, "2×3.1415926535\n", 0},
        {{"keys", std::to_string(KV_STD_EQUALS), "="}, "0\n", 0},  // a number is a button code
        {{"--precision", "2", "eval", "2*2"}, "4.00\n", 0},
        {{"--precision", "4", "keys", "2", "sqr"}, "4\n", 0},
    });
}

// The one-number keys act on the last number of an expression and keep the rest.
TEST(Cli, OneNumberKeysKeepTheExpression) {
    ExpectAll({
        {{"keys", "2", "+", "3", "sqr"}, "2+9\n", 0},
        {{"keys", "2", "+", "3", "sqr", "="}, "11\n", 0},
        {{"keys", "9", "+", "1", "6", "sqrt"}, "9+4\n", 0},
        {{"keys", "1", "+", "4", "inv"}, "1+0.25\n", 0},
        {{"keys", "2", "0", "0", "+", "1", "0", "%"}, "200+20\n", 0},
        {{"keys", "2", "0", "0", "+", "1", "0", "%", "="}, "220\n", 0},
        {{"keys", "2", "+", "3", "neg"}, "2+(-3)\n", 0},
        {{"keys", "1", "+", "5", "fact"}, "1+120\n", 0},
        {{"keys", "1", "+", "1", "0", "0", "log"}, "1+2\n", 0},
        {{"keys", "2", "*", "(", "1", "+", "2", ")", "sqr"}, "2×9\n", 0},
        {{"keys", "1", "+", "0", "inv"}, "Деление на 0\n", 1},
        {{"keys", "1", "+", "2", "pow", "3", "="}, "9\n", 0},  // x^y inside an expression writes "^"
        {{"keys", "3", "sqr"}, "9\n", 0},  // one number: as before
        {{"keys", "5", "0", "%"}, "0.5\n", 0},
    });
}

// "=" names why a text has no value instead of printing nan or inf.
TEST(Cli, EvalWithoutAValue) {
    ExpectAll({
        {{"eval", "2+2"}, "4\n", 0},
        {{"eval", "sqrt(-1)+2"}, "Ошибка\n", 1},
        {{"eval", "2sqrt(-1)"}, "Ошибка\n", 1},
        {{"eval", "ln(0)+1"}, "Ошибка\n", 1},
        {{"eval", "7/0"}, "Деление на 0\n", 1},
        {{"eval", "7÷0"}, "Деление на 0\n", 1},
        {{"eval", "1e308*10"}, "Слишком большое число\n", 1},
        {{"eval", "1e308*10-1e308*10"}, "Ошибка\n", 1},
        {{"keys", "7", "/", "0", "="}, "Деление на 0\n", 1},
        {{"keys", "7", "mod", "0", "="}, "Деление на 0\n", 1},
        {{"keys", "1", "0", "pow", "9", "9", "9", "="}, "Слишком большое число\n", 1},
        {{"keys", "7", "/", "0", "=", "2", "="}, "2\n", 0},  // the next entry starts afresh
    });
}

TEST(Cli, Quadratic) {
    ExpectAll({
        {{"quadratic", "1", "-3", "2"}, "2.0000\n1.0000\n", 0},
        {{"quadratic", "1", "2", "1"}, "-1.0000\n—\n", 0},
        {{"quadratic", "0", "2", "1"}, "Коэффициент 'a' не может быть нулём!\n", 1},
        {{"quadratic", "1", "0", "1"}, "Нет действительных корней\n", 0},
    });
}

// A root or bound is never shown as -0, nor one that is not zero as 0 or as an infinity.
TEST(Cli, AnswersKeepTheirValue) {
    ExpectAll({
        {{"quadratic", "1", "0", "0"}, "0.0000\n—\n", 0},
        {{"quadratic", "-1", "0", "0"}, "0.0000\n—\n", 0},
        {{"quadratic", "1", "0", "-1e-10"}, "1e-05\n-1e-05\n", 0},
        {{"quadratic", "1", "-1e-9", "0"}, "1e-09\n0.0000\n", 0},
        {{"solve", "100000000000x = 1"}, "X = 1e-11\n", 0},
        {{"solve", "100000000000x^2 + x = 0"}, "X₁ = 0\nX₂ = -1e-11\n", 0},
        {{"solve", "-x = 0"}, "X = 0\n", 0},
        {{"--precision", "4", "solve", "-x = 0"}, "X = 0.0000\n", 0},
        {{"--precision", "2", "solve", "x^2 - 0.000001 = 0"}, "X₁ = 0.001\nX₂ = -0.001\n", 0},
        {{"inequality", "x>10^150"}, "(1e+150, +∞)\npoints: 1e+150\nselection: -1 +1\n", 0},
        {{"inequality", "x>-10^150"}, "(-1e+150, +∞)\npoints: -1e+150\nselection: -1 +1\n", 0},
        {{"inequality", "x^2-10^202>0"},
         "(-∞, -1e+101) ∪ (1e+101, +∞)\npoints: -1e+101 1e+101\nselection: +1 -1 +1\n", 0},
        {{"inequality", "10^150<x<10^160"}, "(1e+150, 1e+160)\npoints: 1e+150 1e+160\nselection: -1 +1 -1\n", 0},
        {{"inequality", "-x^2>=0"}, "[0, 0]\npoints: 0*\nselection: -1 -1\n", 0},
    });
}

TEST(Cli, Fraction) {
    ExpectAll({
        {{"fraction", "1/2+1/3"}, "5/6\n", 0},
        {{"fraction", "3/2"}, "1 1/2\n", 0},
        {{"fraction", "6:3"}, "2\n", 0},
        {{"fraction", "2-1/3"}, "1 2/3\n", 0},
        {{"fraction", "1/3-1/2"}, "-1/6\n", 0},
        {{"fraction", "-3/2"}, "-1 1/2\n", 0},
        {{"fraction", "2/4"}, "2/4\n", 0},
        {{"fraction", "(1/2+1/3)*2"}, "1 2/3\n", 0},
        {{"fraction", "7:2"}, "3 1/2\n", 0},
        {{"fraction", "1/2:1/4"}, "2\n", 0},
        {{"fraction", "1/0:1"}, "Деление на 0\n", 1},
        {{"fraction", "/0"}, "Деление на ноль\n", 1},
        {{"fraction", "1/2)"}, "Скобки не сбалансированы\n", 1},
        {{"fraction", "*/2"}, "Двойной символ операции\n", 1},
        {{"fraction", "1a"}, "Недопустимые символы\n", 1},
        {{"fraction", ""}, "Пустая строка\n", 1},
        {{"fraction", "9999999999/2*9999999999/3*9999999999/7"}, "Слишком большое число\n", 1},
    });
}

// Multiple roots once each, roots far from 0, above degree 4, and more roots than rows.
TEST(Cli, SolveFindsEveryRealRootOnce) {
    ExpectAll({
        {{"solve", "(x-2)^3 = 0"}, "X = 2\n", 0},
        {{"solve", "(x-1)^3(x+2) = 0"}, "X₁ = -2\nX₂ = 1\n", 0},
        {{"solve", "(2x-1)^2(x-3) = 0"}, "X₁ = 0.5\nX₂ = 3\n", 0},
        {{"solve", "x^3 - 1000x + 1 = 0"}, "X₁ = -31.6232765898\nX₂ = 0.001\nX₃ = 31.6222765898\n", 0},
        {{"solve", "x^5 - 2 = 0"}, "X = 1.148698355\n", 0},
        {{"solve", "x^6 + x^2 + 1 = 0"}, "X = Нет действительных корней\n", 0},
        {{"solve", "(2x-1)(x-1)(x+1)(x-2)(x+2) = 0"}, "X₁ = -2\nX₂ = -1\nX₃ = 0.5\nX₄ = 1\nX₅ = 2\n", 0},
    });
}

// Every root printed, exact forms on request, the domain of an identity: the answers a
// student checks against the book.
TEST(Cli, SolvePrintsEveryRootAndItsExactForm) {
    ExpectAll({
        {{"solve", "(x-2)^3 = 0"}, "X = 2\n", 0},
        {{"solve", "(x-1)^3(x+2) = 0"}, "X₁ = -2\nX₂ = 1\n", 0},
        {{"solve", "(2x-1)^2(x-3) = 0"}, "X₁ = 0.5\nX₂ = 3\n", 0},
        {{"solve", "x^3 - 1000x + 1 = 0"}, "X₁ = -31.6232765898\nX₂ = 0.001\nX₃ = 31.6222765898\n", 0},
        {{"solve", "x^5 - 2 = 0"}, "X = 1.148698355\n", 0},
        {{"solve", "(2x-1)(x-1)(x+1)(x-2)(x+2) = 0"}, "X₁ = -2\nX₂ = -1\nX₃ = 0.5\nX₄ = 1\nX₅ = 2\n", 0},
        {{"solve", "(x-1)(x-2)(x-3)(x-4)(x-5)(x-6)(x-7)(x-8)(x-9)(x-10) = 0"},
         "X₁ = 1\nX₂ = 2\nX₃ = 3\nX₄ = 4\nX₅ = 5\nX₆ = 6\nX₇ = 7\nX₈ = 8\nX₉ = 9\nX₁₀ = 10\n", 0},
        {{"solve", "x^4 + 1 = 0"}, "X = Нет действительных корней\n", 0},
        {{"solve", "x^2 + 4 = 0"}, "X = Нет действительных корней\n", 0},
        {{"solve", "--exact", "x^2 - 2 = 0"}, "X₁ = √2\nX₂ = -√2\n", 0},
        {{"solve", "--exact", "3x = 1"}, "X = 1/3\n", 0},
        {{"solve", "3x = 1", "--exact"}, "X = 1/3\n", 0},
        {{"solve", "--exact", "x^2 - x - 1 = 0"}, "X₁ = (1 + √5)/2\nX₂ = (1 - √5)/2\n", 0},
        {{"solve", "--exact", "(2x-1)^2(x-3) = 0"}, "X₁ = 1/2\nX₂ = 3\n", 0},
        {{"solve", "--exact", "x^5 - 2 = 0"}, "X = 1.148698355\n", 0},  // no exact form: the decimal
        {{"solve", "--exact", "x^2 + 1 = 0"}, "X = Нет действительных корней\n", 0},
        {{"solve", "--exact", "x + 1 = x + 2"}, "Нет решений\n", 0},
        {{"solve", "x/x = 1"}, "x ∈ ℝ, x ≠ 0\n", 0},
        {{"solve", "1/(x+1) = 1/(x+1)"}, "x ∈ ℝ, x ≠ -1\n", 0},
        {{"solve", "--exact", "--exact", "3x = 1"}, "X = 1/3\n", 0},
        {{"inequality", "--exact", "x > 1"}, "", 2},  // the option is the equation's own
        {{"system", "--exact", "x = 1"}, "", 2},
    });

    const struct {
        const char* text;
        const char* line;
    } reports[] = {
        {"(x-2)^3 = 0", "\n│   x1 = 2 (кратность 3)\n"},
        {"(x-1)^3(x+2) = 0", "\n│   x2 = 1 (кратность 3)\n"},
        {"x^2 - 4x + 4 = 0", "\n│ x = 2 (кратность 2)\n"},
    };
    for (const auto& r : reports) {
        const Outcome outcome = RunCli({"solve", "--steps", r.text});
        EXPECT_NE(outcome.output.find(r.line), std::string::npos) << r.text << "\n" << outcome.output;
    }
}

TEST(Cli, Solve) {
    ExpectAll({
        {{"solve", "x^2 - 5x + 6 = 0"}, "X₁ = 3\nX₂ = 2\n", 0},
        {{"solve", "x^3 - 6x^2 + 11x - 6 = 0"}, "X₁ = 1\nX₂ = 2\nX₃ = 3\n", 0},
        {{"solve", "2x - 6 = 0"}, "X = 3\n", 0},
        {{"solve", "x^2 + 1 = 0"}, "X = Нет действительных корней\n", 0},
        {{"solve", "x^4 + 1 = 0"}, "X = Нет действительных корней\n", 0},
        {{"solve", "x + 1 = x + 1"}, "x ∈ ℝ\n", 0},
        {{"solve", "x + 1 = x + 2"}, "Нет решений\n", 0},
        {{"solve", "x/(x-1) = 1/(x-1)"}, "Нет решений\n", 0},
        {{"solve", "(x+1)^10 + 1"}, "Выражение слишком сложное для упрощения\n", 1},
        {{"--max-degree", "10", "solve", "(x+1)^10 - x^10"},
         "Упрощённое: 10x⁹ + 45x⁸ + 120x⁷ + 210x⁶ + 252x⁵ + 210x⁴ + 120x³ + 45x² + 10x + 1\n", 0},
        {{"solve", "x = 1 = 2"}, "Два знака '='\n", 1},
        {{"solve", "x + y = 1"}, "Уравнение должно содержать только x\n", 1},
        {{"solve", "1/0 = x"}, "Деление на ноль\n", 1},
        {{"solve", ""}, "Пустая строка\n", 1},
        {{"solve"}, "", 2},
        {{"solve", "x = 1", "x = 2"}, "", 2},
    });

    // --steps, before or after the text, adds the report with "\n" line ends; the report
    // itself is golden/solve-two-equals-signs.txt.
    const Outcome stepsFirst = RunCli({"solve", "--steps", "x = 1 = 2"});
    const Outcome stepsLast = RunCli({"solve", "x = 1 = 2", "--steps"});
    EXPECT_EQ(stepsFirst.output.rfind("Два знака '='\n═══", 0), 0u) << stepsFirst.output;
    EXPECT_EQ(stepsFirst.exitCode, 1);
    EXPECT_EQ(stepsLast.output, stepsFirst.output);
    EXPECT_EQ(stepsLast.exitCode, 1);
    const Outcome extraneous = RunCli({"solve", "--steps", "x/(x-1) = 1/(x-1)"});
    EXPECT_EQ(extraneous.output.rfind("Нет решений\n═══", 0), 0u) << extraneous.output;
    EXPECT_NE(extraneous.output.find("\n│ x = 1 — посторонний корень (знаменатель обращается в 0)\n"), std::string::npos)
        << extraneous.output;
    EXPECT_EQ(extraneous.output.find('\r'), std::string::npos);
}

TEST(Cli, Inequality) {
    const auto line = [](const std::string& answer, const std::string& points, const std::string& selection) {
        return answer + "\npoints:" + points + "\nselection:" + selection + "\n";
    };
    ExpectAll({
        {{"inequality", "x^2-4>0"}, line("(-∞, -2) ∪ (2, +∞)", " -2 2", " +1 -1 +1"), 0},
        {{"inequality", "x^2-4≤0"}, line("[-2, 2]", " -2* 2*", " -1 +1 -1"), 0},
        {{"inequality", "2x+6≥0"}, line("[-3, +∞)", " -3*", " -1 +1"), 0},
        {{"inequality", "x^2+1<0"}, line("∅", "", " -1"), 0},
        {{"inequality", "x^3-x>0"}, line("(-1, 0) ∪ (1, +∞)", " -1 0 1", " -1 +1 -1 +1"), 0},
        {{"inequality", "x^3-2>0"}, line("(1.25992105, +∞)", " 1.25992105", " -1 +1"), 0},
        {{"inequality", "(x-1)^2≤0"}, line("[1, 1]", " 1*", " -1 -1"), 0},
        {{"inequality", "x<x"}, line("∅", "", " -1"), 0},
        {{"inequality", "x≤x"}, line("(-∞, +∞)", "", " +1"), 0},
        {{"inequality", "x=2"}, "Не найден знак неравенства\n", 1},
        {{"inequality", "x>1 & x<5"}, line("(1, 5)", " 1 5", " -1 +1 -1"), 0},
        {{"inequality", "x≥1&x≤5"}, line("[1, 5]", " 1* 5*", " -1 +1 -1"), 0},
        {{"inequality", "x>1 && x<5"}, line("(1, 5)", " 1 5", " -1 +1 -1"), 0},
        {{"inequality", "x>5 & x<1"}, line("∅", "", ""), 0},
        {{"inequality", "x^2-4>0 & x<3"}, line("(-∞, -2) ∪ (2, 3)", " -2 2 3", " +1 -1 +1 -1"), 0},
        {{"inequality", "x>1 & x>3"}, line("(3, +∞)", " 1 3", " -1 -1 +1"), 0},
        {{"inequality", "x>1 & 5"}, "Неверный формат системы\n", 1},
        {{"inequality", "x^101>0"}, "Неравенство слишком сложное для решения\n", 1},
        {{"inequality", "1<x<3"}, line("(1, 3)", " 1 3", " -1 +1 -1"), 0},
        {{"inequality", "1<x<3<5"}, "Лишний знак неравенства\n", 1},
        {{"inequality"}, "", 2},
        {{"inequality", "x>1", "x<2"}, "", 2},
        {{"inequality", "x>1", "--svg"}, "", 2},
    });

    const Outcome steps = RunCli({"inequality", "x>2", "--steps"});
    EXPECT_EQ(steps.output.rfind("(2, +∞)\npoints: 2\nselection: -1 +1\n═══", 0), 0u) << steps.output;
    EXPECT_NE(steps.output.find("\n│ x ∈ (2, +∞)\n"), std::string::npos) << steps.output;
    EXPECT_EQ(steps.output.find('\r'), std::string::npos);

    // The number line as a picture: background, band, axis, hollow circle, label.
    const std::string path = testing::TempDir() + "kelvora_number_line.svg";
    EXPECT_EQ(RunCli({"inequality", "--svg", path, "x>2"}).exitCode, 0);
    FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::string svg;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) svg.append(buffer, n);
    std::fclose(file);
    std::remove(path.c_str());
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    for (const char* part : {"width=\"240\" height=\"110\"", "fill=\"url(#hatch-ff0000)\"", "<ellipse cx=\"120\"",
                             ">2</text>"}) {
        EXPECT_NE(svg.find(part), std::string::npos) << part << "\n" << svg;
    }
}

// The report of a system without an answer ends with this warning and the reason.
const std::string kNoUniqueSolution = "│ ⚠️ Система не имеет единственного решения\n";
const std::string kClosing = "└──────────────────────────────────────────────\n";
const std::string kNoSolution = kNoUniqueSolution + "│ Система несовместна (нет решений)\n" + kClosing;
const std::string kInfinitelyMany = kNoUniqueSolution + "│ Система имеет бесконечно много решений\n" + kClosing;

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(Cli, System) {
    ExpectAll({
        {{"system", "2x+y=5;x-y=1"}, "  x = 2\n  y = 1\n", 0},
        {{"system", "X+Y=3;X-Y=1"}, "  x = 2\n  y = 1\n", 0},
        {{"system", "a+b=3;a-b=1"}, "  a = 2\n  b = 1\n", 0},
        {{"system", ""}, "Система не содержит уравнений\n", 1},
        {{"system", "x^2+y=3;x+y=1"}, "Уравнение 1 не является линейным\n", 1},
    });
    const struct {
        const char* text;
        const std::string& ending;
    } unanswered[] = {
        {"x+y=2;2x+2y=4", kInfinitelyMany},
        {"x+y=2;x-y=0;x+2y=5", kNoSolution},
        {"x+y+z=1;x-y=0", kInfinitelyMany},
    };
    for (const auto& [text, ending] : unanswered) {
        const Outcome outcome = RunCli({"system", text});
        EXPECT_EQ(outcome.exitCode, 1) << text;
        EXPECT_TRUE(EndsWith(outcome.output, ending)) << text << "\n" << outcome.output;
    }
    const Outcome withSteps = RunCli({"system", "--steps", "2x+y=5;x-y=1"});
    EXPECT_EQ(withSteps.exitCode, 0);
    EXPECT_EQ(withSteps.output.rfind("  x = 2\n  y = 1\n═", 0), 0u) << withSteps.output;
    EXPECT_NE(withSteps.output.find("│ Строка 2 = Строка 2 - 0.5 · Строка 1\n"), std::string::npos);
}

// The exit code says what the engine made of the input, by its status: 0 an answer
// (which may be "no roots" or "no solution"), 1 a refusal or no answer, 2 a usage error.
TEST(Cli, ExitCodesFollowTheStatus) {
    const struct {
        std::vector<std::string> args;
        int exitCode;
    } cases[] = {
        // eval: a value, or none.
        {{"eval", "2+2"}, 0},
        {{"eval", "1/0"}, 1},
        {{"eval", "0/0"}, 1},
        {{"eval", "abc"}, 1},
        {{"eval"}, 2},
        // keys: the last key's outcome.
        {{"keys", "1", "+", "2", "="}, 0},
        {{"keys", "inv"}, 1},
        {{"keys", "4", "neg", "sqrt"}, 1},
        {{"keys", "4", "neg", "sqrt", "C"}, 0},
        {{"keys", "1", "/", "0", "="}, 1},
        {{"keys", "nosuchkey"}, 2},
        // fraction
        {{"fraction", "1/2+1/3"}, 0},
        {{"fraction", "6:3"}, 0},
        {{"fraction", "1/0:1"}, 1},
        {{"fraction", "1/2+"}, 1},
        {{"fraction", "1a"}, 1},
        {{"fraction", "9999999999/2*9999999999/3*9999999999/7"}, 1},
        {{"fraction"}, 2},
        // quadratic: no real roots is an answer, a = 0 is not an equation it solves.
        {{"quadratic", "1", "-3", "2"}, 0},
        {{"quadratic", "1", "0", "1"}, 0},
        {{"quadratic", "0", "1", "1"}, 1},
        {{"quadratic", "1", "2"}, 2},
        // solve
        {{"solve", "2x - 6 = 0"}, 0},
        {{"solve", "x^2 + 1 = 0"}, 0},
        {{"solve", "x + 1 = x + 2"}, 0},
        {{"solve", "x + 1 = x + 1"}, 0},
        {{"solve", "(x+1)^2"}, 0},
        {{"solve", "10^400*x=1"}, 1},
        {{"solve", "x = 1 = 2"}, 1},
        {{"solve", "x + y = 1"}, 1},
        {{"solve", "1/0 = x"}, 1},
        {{"solve", ""}, 1},
        {{"solve"}, 2},
        // inequality
        {{"inequality", "x^2-4>0"}, 0},
        {{"inequality", "x^2+1<0"}, 0},
        {{"inequality", "x>5 & x<1"}, 0},
        {{"inequality", "x=2"}, 1},
        {{"inequality", "x>y"}, 1},
        {{"inequality", "x>1 & 5"}, 1},
        {{"inequality", "x^101>0"}, 1},
        {{"inequality", "1<x<3<5"}, 1},
        {{"inequality"}, 2},
        // system
        {{"system", "2x+y=5;x-y=1"}, 0},
        {{"system", "x+y=2;2x+2y=4"}, 1},
        {{"system", "x=1;x=2"}, 1},
        {{"system", "x+y=1"}, 1},
        {{"system", ""}, 1},
        {{"system", "x^2+y=3;x+y=1"}, 1},
        {{"system"}, 2},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const std::string& a : c.args) shown += a + " ";
        EXPECT_EQ(RunCli(c.args).exitCode, c.exitCode) << shown;
    }
}

// Systems as students write them: unknowns on either side, commas and blank equations.
TEST(Cli, SystemInAnyLinearForm) {
    ExpectAll({
        {{"system", "y = 2x + 1; x + y = 7"}, "  x = 2\n  y = 5\n", 0},
        {{"system", "y = x; x + y = 4"}, "  x = 2\n  y = 2\n", 0},
        {{"system", "x + y = 1/3; x - y = 1/3"}, "  x = 0.3333333333\n  y = 0\n", 0},
        {{"system", "x + y = 5 ; ; x - y = 1"}, "  x = 3\n  y = 2\n", 0},
        {{"system", "x = 1,5; y = 1/2x"}, "  x = 1.5\n  y = 0.75\n", 0},
        {{"system", "x + y = 3, x - y = 1"}, "Разделяйте уравнения знаком ';'\n", 1},
        {{"system", "x + y = 5 ; ; x - y"}, "Уравнение 2 не содержит =\n", 1},
        {{"system", "y = 2/x; x = 1"}, "Уравнение 1 не является линейным\n", 1},
        {{"--precision", "2", "system", "x + y = 1/3; x - y = 1/3"}, "  x = 0.33\n  y = 0.00\n", 0},
    });
    const Outcome dependent = RunCli({"system", "x + y = 2x; x - y = 1"});
    EXPECT_EQ(dependent.exitCode, 1);
    EXPECT_TRUE(EndsWith(dependent.output, kNoSolution)) << dependent.output;
    const Outcome withSteps = RunCli({"system", "--steps", "x + y = 1/3; x - y = 1/3"});
    EXPECT_EQ(withSteps.exitCode, 0);
    EXPECT_NE(withSteps.output.find("│ y = 0\n"), std::string::npos) << withSteps.output;
    EXPECT_EQ(withSteps.output.find("-0"), std::string::npos) << withSteps.output;
}

// One reading of formula text in every mode: ':' divides, a sign after an operator
// negates what follows and binds looser than '^', exponents may be bracketed and stack
// left to right, an implied product has the precedence of '*'.
TEST(Cli, EveryModeReadsATextAlike) {
    ExpectAll({
        {{"solve", "x:2 = 3"}, "X = 6\n", 0},
        {{"solve", "12:x = 4"}, "X = 3\n", 0},
        {{"inequality", "x:2 > 3"}, "(6, +∞)\npoints: 6\nselection: -1 +1\n", 0},
        {{"fraction", "7 : 2"}, "3 1/2\n", 0},
        {{"fraction", "10^2:10^2"}, "1\n", 0},
        {{"fraction", "2*-3"}, "-6\n", 0},
        {{"fraction", "-(1/2)"}, "-1/2\n", 0},
        {{"solve", "x * -2 = 4"}, "X = -2\n", 0},
        {{"solve", "3 * -x = 6"}, "X = -2\n", 0},
        {{"inequality", "x * -2 > 4"}, "(-∞, -2)\npoints: -2\nselection: +1 -1\n", 0},
        {{"solve", "x^(2) = 4"}, "X₁ = 2\nX₂ = -2\n", 0},
        {{"solve", "(x-1)^(2) = 4"}, "X₁ = 3\nX₂ = -1\n", 0},
        {{"solve", "x^2^2 = 16"}, "X₁ = -2\nX₂ = 2\n", 0},
        {{"inequality", "x^(2) < 4"}, "(-2, 2)\npoints: -2 2\nselection: -1 +1 -1\n", 0},
        {{"solve", "1/2x = 3"}, "X = 6\n", 0},
        {{"inequality", "1/2x > 3"}, "(6, +∞)\npoints: 6\nselection: -1 +1\n", 0},
        {{"system", "1/2x + y = 4; x - y = 2"}, "  x = 4\n  y = 2\n", 0},
        {{"eval", "-2^2"}, "-4\n", 0},
        {{"eval", "-(2)"}, "-2\n", 0},
        {{"eval", "2*-(3)"}, "-6\n", 0},
        {{"eval", "6:3"}, "2\n", 0},
        {{"eval", "2^-1"}, "0.5\n", 0},
        {{"eval", "3--5"}, "8\n", 0},
        {{"solve", "x/0.00000000001 = 1"}, "X = 1e-11\n", 0},  // no small divisor counts as 0
        {{"solve", "x^2 = 0.00000000000001"}, "X₁ = 0.0000001\nX₂ = -0.0000001\n", 0},  // nor a small number
    });
}

// A part an expansion cannot take (a power above the highest degree, x^0.5, 2^x, 1/x inside
// brackets) is no 0: the text gets no answer instead of the answer of another text.
TEST(Cli, PartsLeftOutGiveNoAnswer) {
    ExpectAll({
        {{"solve", "(x+1)^10 = 0"}, "Уравнение слишком сложное для решения\n", 1},
        {{"solve", "(x+1)^10 = 1"}, "Уравнение слишком сложное для решения\n", 1},
        {{"solve", "x(x+1)^10 = 0"}, "Уравнение слишком сложное для решения\n", 1},
        {{"--max-degree", "10", "solve", "(x+1)^10 = 1"}, "X₁ = -2\nX₂ = 0\n", 0},
        {{"solve", "x^0.5 = 2"}, "Уравнение слишком сложное для решения\n", 1},
        {{"solve", "2^x = 4"}, "Уравнение слишком сложное для решения\n", 1},
        {{"solve", "(1/x + 1)^2 = 4"}, "Уравнение слишком сложное для решения\n", 1},
        {{"solve", "x/(x+1)"}, "Выражение слишком сложное для упрощения\n", 1},
        {{"solve", "(x+1)^10"}, "Выражение слишком сложное для упрощения\n", 1},
        {{"inequality", "(x+1)^10 > 0"}, "Неравенство слишком сложное для решения\n", 1},
        {{"inequality", "1/(x+1)^10 > 0"}, "Неравенство слишком сложное для решения\n", 1},
        {{"--max-degree", "10", "inequality", "(x+1)^10 > 0"},
         "(-∞, -1) ∪ (-1, +∞)\npoints: -1\nselection: +1 +1\n", 0},
    });
}

TEST(Cli, RationalInequalities) {
    ExpectAll({
        {{"inequality", "1/x > 0"}, "(0, +∞)\npoints: 0\nselection: -1 +1\n", 0},
        {{"inequality", "(x-1)/(x+2) >= 0"}, "(-∞, -2) ∪ [1, +∞)\npoints: -2 1*\nselection: +1 -1 +1\n", 0},
        {{"inequality", "(x+1)/x > 2"}, "(0, 1)\npoints: 0 1\nselection: -1 +1 -1\n", 0},
        {{"inequality", "(x^2-1)/(x-1) > 0"}, "(-1, 1) ∪ (1, +∞)\npoints: -1 1\nselection: -1 +1 +1\n", 0},
    });
}

TEST(Cli, UsageErrors) {
    ExpectAll({
        {{}, "", 2},
        {{"frobnicate"}, "", 2},
        {{"eval"}, "", 2},
        {{"keys", "nosuchkey"}, "", 2},
        {{"--precision", "x", "eval", "1"}, "", 2},
        {{"--precision", "2147483648", "eval", "1"}, "", 2},  // beyond an int
        {{"--max-degree", "-2147483648", "eval", "1"}, "", 2},
        {{"quadratic", "1", "2"}, "", 2},
    });
}

// The trigonometric keys by the names of their table; degrees until "rad".
TEST(Cli, TrigonometricKeys) {
    ExpectAll({
        {{"keys", "3", "0", "sin"}, "0.5\n", 0},
        // inside an expression, on its last operand, as the other one-number keys
        {{"keys", "2", "+", "3", "0", "sin"}, "2+0.5\n", 0},
        {{"keys", "2", "+", "3", "0", "sin", "="}, "2.5\n", 0},
        {{"keys", "2", "+", "9", "0", "tan"}, "Ошибка\n", 1},
        {{"keys", "6", "0", "cos"}, "0.5\n", 0},
        {{"keys", "4", "5", "tan"}, "1\n", 0},
        {{"keys", "9", "0", "tan"}, "Ошибка\n", 1},
        {{"keys", "1", "asin"}, "90\n", 0},
        {{"keys", "1", "acos"}, "0\n", 0},
        {{"keys", "1", "atan"}, "45\n", 0},
        {{"keys", "2", "asin"}, "Ошибка\n", 1},
        {{"keys", "rad", "1", "atan"}, "0.7853981634\n", 0},
        {{"keys", "rad", "deg", "1", "atan"}, "45\n", 0},
        {{"keys", "rad", "pi", "cos"}, "-1\n", 0},
    });
}

}  // namespace
