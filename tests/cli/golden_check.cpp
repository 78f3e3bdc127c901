// Checks one golden file against kelvora-cli: the file's first line is the command as a
// shell would take it ("kelvora-cli solve --steps 'x = 1 = 2'"), the rest is the step
// report that command prints after its answer, from the report's first rule line to
// the end. The golden itself must hold no line report_lint.h strikes out.
//   golden_check CLI GOLDEN
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "report_lint.h"

namespace {

const std::string kProgram = "kelvora-cli";
const std::string kRule = "═══";

// The words of a command line: blanks separate them, single quotes keep a part as
// written, a backslash outside them keeps the next character.
std::optional<std::vector<std::string>> SplitWords(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ' ') {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else if (c == '\'') {
            const std::size_t end = line.find('\'', i + 1);
            if (end == std::string::npos) return std::nullopt;
            word += line.substr(i + 1, end - i - 1);
            i = end;
            inWord = true;
        } else if (c == '\\' && i + 1 < line.size()) {
            word += line[++i];
            inWord = true;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

// What the program writes to its standard output; nullopt when it cannot be run.
std::optional<std::string> Run(const std::string& program, const std::vector<std::string>& args) {
    int out[2];
    if (pipe(out) != 0) return std::nullopt;
    const pid_t child = fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    std::string output;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) output.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 127) return std::nullopt;
    return output;
}

// The report part of an output: from the first line that starts with the rule.
std::optional<std::string> ReportOf(const std::string& output) {
    for (std::size_t at = 0; at < output.size();) {
        if (output.compare(at, kRule.size(), kRule) == 0) return output.substr(at);
        const std::size_t end = output.find('\n', at);
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return std::nullopt;
}

// "line N" of the first difference, with both lines.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
    std::istringstream e(expected);
    std::istringstream a(actual);
    std::string le;
    std::string la;
    for (int line = 2;; ++line) {
        const bool he = static_cast<bool>(std::getline(e, le));
        const bool ha = static_cast<bool>(std::getline(a, la));
        if (!he && !ha) return "the line ends differ";
        if (he != ha || le != la) {
            return "line " + std::to_string(line) + "\n  golden: " + (he ? le : "(end)") + "\n  output: " + (ha ? la : "(end)");
        }
    }
}

int Fail(const std::string& golden, const std::string& why) {
    std::cerr << golden << ": " << why << "\n";
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: golden_check CLI GOLDEN\n";
        return 2;
    }
    const std::string cli = argv[1];
    const std::string golden = argv[2];
    std::ifstream file(golden, std::ios::binary);
    if (!file) return Fail(golden, "cannot be read");
    std::string command;
    std::getline(file, command);
    const std::string expected{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};

    const std::vector<std::string> falseLines = report_lint::FalseLines(expected);
    if (!falseLines.empty()) return Fail(golden, "a line a teacher would strike out: " + falseLines.front());

    const std::optional<std::vector<std::string>> words = SplitWords(command);
    if (!words || words->empty() || words->front() != kProgram) {
        return Fail(golden, "the first line is not a kelvora-cli command: " + command);
    }
    const std::optional<std::string> output = Run(cli, {words->begin() + 1, words->end()});
    if (!output) return Fail(golden, "cannot run " + cli);
    const std::optional<std::string> report = ReportOf(*output);
    if (!report) return Fail(golden, "no report in the output:\n" + *output);
    if (*report != expected) return Fail(golden, "differs at " + FirstDifference(expected, *report));
    return 0;
}
