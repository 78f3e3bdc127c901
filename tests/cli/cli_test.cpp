// kelvora-cli run as a process, as a user or a script runs it.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

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

Outcome Run(const std::vector<std::string>& args) {
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
        const Outcome outcome = Run(c.args);
        EXPECT_EQ(outcome.output, c.output) << shown;
        EXPECT_EQ(outcome.exitCode, c.exitCode) << shown;
    }
}

TEST(Cli, EvalAndKeys) {
    ExpectAll({
        {{"keys", "1", "2", "+", "3", "="}, "15\n", 0},
        {{"eval", "2^3^2"}, "64\n", 0},
        {{"eval", "-2^2"}, "4\n", 0},
        {{"eval", "2 (3)"}, "nan\n", 1},
        {{"eval", "1e+25+1"}, "10000000000000000905969664\n", 0},
        {{"eval", "sin(0.00001)"}, "0.00001\n", 0},
        {{"eval", "6÷4×2"}, "3\n", 0},
        {{"keys", "5", "fact"}, "120\n", 0},
        {{"keys", "2", "1", "fact"}, "5.109094217e+19\n", 0},
        {{"keys", "2", "pow", "1", "0", "="}, "1024\n", 0},
        {{"keys", "4", "MS", "C", "MR"}, "4\n", 0},
        {{"keys", "0", "inv"}, "Деление на 0\n", 0},
        {{"keys", "2", "*", "pi"}, "2×3.1415926535\n", 0},
        {{"keys", "12", "="}, "0\n", 0},  // 12 is the ButtonId of "="
        {{"--precision", "2", "eval", "2*2"}, "4.00\n", 0},
        {{"--precision", "4", "keys", "2", "sqr"}, "4\n", 0},
    });
}

TEST(Cli, Quadratic) {
    ExpectAll({
        {{"quadratic", "1", "-3", "2"}, "2.0000\n1.0000\n", 0},
        {{"quadratic", "1", "2", "1"}, "-1.0000\n—\n", 0},
        {{"quadratic", "0", "2", "1"}, "Коэффициент 'a' не может быть нулём!\n", 1},
        {{"quadratic", "1", "0", "1"}, "Нет действительных корней\n", 1},
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
        {{"fraction", "1+-2"}, "Двойной символ операции\n", 1},
        {{"fraction", "1a"}, "Недопустимые символы\n", 1},
        {{"fraction", ""}, "Пустая строка\n", 1},
        {{"fraction", "9999999999/2*9999999999/3*9999999999/7"}, "Слишком большое число\n", 1},
    });
}

TEST(Cli, UsageErrors) {
    ExpectAll({
        {{}, "", 2},
        {{"frobnicate"}, "", 2},
        {{"eval"}, "", 2},
        {{"keys", "nosuchkey"}, "", 2},
        {{"--precision", "x", "eval", "1"}, "", 2},
        {{"quadratic", "1", "2"}, "", 2},
    });
}

}  // namespace
