// kelvora-cli: the calculator's engine for terminals, scripts and tests. It runs the
// library on the in-memory platform with the same controls the program has and prints
// what the program would show.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "abacor.h"
#include "control_ids.h"
#include "headless_main_window.h"
#include "headless_platform.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitRejected = 1;
constexpr int kExitUsage = 2;

// The equation panel's answer rows: label and value of rows 1 to 4. The program has no
// labels for rows 3 and 4; here they exist, so every root is printed with its name.
constexpr int kAnswerLabels[] = {KV_EQ_ROW1_LABEL, KV_EQ_ROW2_LABEL, KV_EQ_ROW3_LABEL, KV_EQ_ROW4_LABEL};
constexpr int kAnswerValues[] = {KV_EQ_ROW1_VALUE, KV_EQ_ROW2_VALUE, KV_EQ_ROW3_VALUE, KV_EQ_ROW4_VALUE};

// Whether the engine answered the last input, by its status; the exit code follows it.
bool Answered() { return GetLastStatus() == KV_STATUS_ANSWERED; }
int ExitCode() { return Answered() ? kExitOk : kExitRejected; }

void Print(const std::wstring& text) {
    const std::string utf8 = headless::ToUtf8(text) + "\n";
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

int Usage() {
    std::fputs(
        "usage: kelvora-cli [--precision N] [--max-degree N] COMMAND ARGS...\n"
        "  eval TEXT            what \"=\" shows for TEXT on the display\n"
        "  keys KEY...          presses keys on a fresh display (numbers or labels:\n"
        "                       0-9 . + - * / ( ) = C CE BS pi e sqr sqrt inv abs exp\n"
        "                       pow10 log ln fact neg % pow mod MC MR M+ M- MS\n"
        "                       sin cos tan asin acos atan; deg rad: their angle unit)\n"
        "  fraction TEXT        the exact value of a fraction line\n"
        "  quadratic A B C      the roots of A x^2 + B x + C = 0\n"
        "  solve [--steps] [--exact] TEXT\n"
        "                       solves an equation in x (simplifies TEXT without \"=\")\n"
        "                       and prints every root; --exact prints each root's exact\n"
        "                       form (1/3, -√2) where it has one; --steps (before or\n"
        "                       after TEXT) adds the step report\n"
        "  inequality [--steps] [--svg FILE] TEXT\n"
        "                       solves an inequality, a system joined by \"&\" or a double\n"
        "                       inequality (1<x<3); prints the answer and the number\n"
        "                       line's points and selection;\n"
        "                       --svg FILE draws the number line into FILE\n"
        "  system [--steps] TEXT\n"
        "                       solves linear equations separated by \";\"; without an\n"
        "                       answer prints the report\n",
        stderr);
    return kExitUsage;
}

// The main window with every control the engine reads or writes, known to the engine.
class Calculator {
public:
    Calculator() { InitFractions(&window_.main()); }

    void Press(int buttonId) { ProcessButtonClick(&window_.display(), buttonId); }
    headless::Window& Display() { return window_.display(); }
    headless::Window& Control(int id) { return window_.control(id); }
    const std::vector<headless::RecordedMessageBox>& MessageBoxes() { return window_.desktop().messageBoxes(); }

private:
    headless::MainWindow window_;
};

std::optional<int> ParseInt(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || value < -2147483647L || value > 2147483647L) return std::nullopt;
    return static_cast<int>(value);
}

// The key a command-line name stands for: the standard keypad's, then the scientific
// keypad's (its trigonometric keys last), then the memory keys'.
std::optional<int> NamedKey(const std::string& name) {
    const auto find = [&name](const KvKey* table, std::size_t count) -> std::optional<int> {
        for (std::size_t i = 0; i < count; ++i) {
            if (table[i].name != nullptr && name == table[i].name) return table[i].id;
        }
        return std::nullopt;
    };
    if (auto id = find(kvStandardKeys, KV_KEY_COUNT(kvStandardKeys))) return id;
    if (auto id = find(kvScientificKeys, KV_KEY_COUNT(kvScientificKeys))) return id;
    if (auto id = find(kvTrigKeys, KV_KEY_COUNT(kvTrigKeys))) return id;
    return find(kvMemoryKeys, KV_KEY_COUNT(kvMemoryKeys));
}

// A key given by its name or by its button code.
std::optional<int> KeyCode(const std::string& key) {
    if (std::optional<int> named = NamedKey(key)) return named;
    return ParseInt(key);
}

int Eval(const std::vector<std::string>& args) {
    if (args.size() != 1) return Usage();
    Calculator calculator;
    calculator.Display().setText(headless::FromUtf8(args[0]));
    calculator.Press(KV_STD_EQUALS);
    Print(calculator.Display().fullText());
    return ExitCode();
}

int Keys(const std::vector<std::string>& args) {
    if (args.empty()) return Usage();
    std::vector<int> codes;
    for (const std::string& key : args) {
        const std::optional<int> code = KeyCode(key);
        if (!code) {
            std::fprintf(stderr, "kelvora-cli: unknown key '%s'\n", key.c_str());
            return kExitUsage;
        }
        codes.push_back(*code);
    }
    Calculator calculator;
    for (int code : codes) calculator.Press(code);
    Print(calculator.Display().fullText());
    return ExitCode();
}

int Fraction(const std::vector<std::string>& args) {
    if (args.size() != 1) return Usage();
    Calculator calculator;
    calculator.Control(KV_FRACTION_LINE).setText(headless::FromUtf8(args[0]));
    calculator.Press(KV_FRACTION_SOLVE);
    const headless::Window& whole = calculator.Control(KV_FRACTION_WHOLE);
    const headless::Window& numerator = calculator.Control(KV_FRACTION_NUMERATOR);
    const headless::Window& denominator = calculator.Control(KV_FRACTION_DENOMINATOR);
    if (numerator.visibleFlag()) {
        const std::wstring prefix = whole.visibleFlag() ? whole.fullText() + L" " : L"";
        Print(prefix + numerator.fullText() + L"/" + denominator.fullText());
    } else {
        Print(whole.fullText());
    }
    return ExitCode();
}

// A coefficient's sign goes to its selector, its magnitude to its field.
void SetSignedCoefficient(Calculator& calculator, int selectorId, int valueId, const std::string& value) {
    const bool negative = !value.empty() && value[0] == '-';
    calculator.Control(selectorId).setCurrentIndex(negative ? 1 : 0);
    calculator.Control(valueId).setText(headless::FromUtf8(negative ? value.substr(1) : value));
}

int Quadratic(const std::vector<std::string>& args) {
    if (args.size() != 3) return Usage();
    Calculator calculator;
    calculator.Control(KV_QUADRATIC_A).setText(headless::FromUtf8(args[0]));
    SetSignedCoefficient(calculator, KV_QUADRATIC_SIGN_B, KV_QUADRATIC_B, args[1]);
    SetSignedCoefficient(calculator, KV_QUADRATIC_SIGN_C, KV_QUADRATIC_C, args[2]);
    calculator.Press(KV_QUADRATIC_SOLVE);
    // The second field is empty when the first holds a message.
    const std::wstring second = calculator.Control(KV_QUADRATIC_ROOT2).fullText();
    Print(calculator.Control(KV_QUADRATIC_ROOT1).fullText());
    if (!second.empty()) Print(second);
    return ExitCode();
}

// The answer rows the run showed, one a line; a label is printed only where the run wrote
// one (the rows start with empty labels).
std::vector<std::wstring> ShownAnswerRows(Calculator& calculator) {
    std::vector<std::wstring> rows;
    for (std::size_t i = 0; i < std::size(kAnswerValues); ++i) {
        const headless::Window& value = calculator.Control(kAnswerValues[i]);
        const headless::Window& label = calculator.Control(kAnswerLabels[i]);
        if (!value.visibleFlag()) continue;
        const bool labelled = label.visibleFlag() && !label.fullText().empty();
        rows.push_back(labelled ? label.fullText() + L" " + value.fullText() : value.fullText());
    }
    return rows;
}

// The arguments of the solver commands: one text, "--steps" anywhere after the
// command, for the equation also "--exact", and for the inequality "--svg FILE".
struct SolverArgs {
    std::string text;
    bool steps = false;
    bool exact = false;
    std::optional<std::string> svg;
};

enum class ExtraOption { None, Exact, Svg };

std::optional<SolverArgs> ParseSolverArgs(const std::vector<std::string>& args, ExtraOption extra) {
    const bool svgAllowed = extra == ExtraOption::Svg;
    SolverArgs parsed;
    bool haveText = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--steps") {
            parsed.steps = true;
        } else if (args[i] == "--exact" && extra == ExtraOption::Exact) {
            parsed.exact = true;
        } else if (args[i] == "--svg" && svgAllowed && i + 1 < args.size()) {
            parsed.svg = args[++i];
        } else if (args[i] == "--svg" || haveText) {
            return std::nullopt;
        } else {
            parsed.text = args[i];
            haveText = true;
        }
    }
    if (!haveText) return std::nullopt;
    return parsed;
}

// The report with the terminal's line ends.
void PrintReport(const std::wstring& report) {
    std::wstring text;
    for (wchar_t c : report) {
        if (c != L'\r') text += c;
    }
    const std::string utf8 = headless::ToUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

// Every root of the last solve, however many rows the panel has; empty without roots.
std::wstring AllRoots(bool exact) {
    const int length = GetEquationRoots(exact ? 1 : 0, nullptr, 0);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    GetEquationRoots(exact ? 1 : 0, buffer.data(), static_cast<int>(buffer.size()));
    return buffer.data();
}

int Solve(const std::vector<std::string>& args) {
    const std::optional<SolverArgs> parsed = ParseSolverArgs(args, ExtraOption::Exact);
    if (!parsed) return Usage();
    const std::string& text = parsed->text;
    const bool steps = parsed->steps;
    Calculator calculator;
    calculator.Control(KV_EQ_INPUT).setText(headless::FromUtf8(text));
    calculator.Press(KV_EQ_SOLVE);
    // A text the panel does not take is refused with a message box and no report.
    if (!calculator.MessageBoxes().empty()) {
        Print(calculator.MessageBoxes().back().text);
        return ExitCode();
    }
    // Roots are listed whole, past the last row; any other answer is what the rows say.
    const std::wstring roots = AllRoots(parsed->exact);
    if (!roots.empty()) {
        PrintReport(roots);
    } else {
        for (const std::wstring& row : ShownAnswerRows(calculator)) Print(row);
    }
    if (steps) PrintReport(GetLastSteps());
    return ExitCode();
}

// ---- inequality ------------------------------------------------------------------------

// The size of the program's number-line area.
constexpr int kNumberLineWidth = 240;
constexpr int kNumberLineHeight = 110;

std::string NumberText(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.10g", value);
    return buffer;
}

// "points: -2 2*": each point of the number line, "*" after a filled one.
std::string NumberLinePoints() {
    const int count = GetNumberLinePoints(nullptr, nullptr, 0);
    std::vector<double> values(static_cast<std::size_t>(count));
    std::vector<int> closed(static_cast<std::size_t>(count));
    GetNumberLinePoints(values.data(), closed.data(), count);
    std::string line = "points:";
    for (int i = 0; i < count; ++i) line += " " + NumberText(values[i]) + (closed[i] ? "*" : "");
    return line;
}

// "selection: +1 -1": shaded or not, interval by interval from the left.
std::string NumberLineSelection() {
    const int count = GetNumberLineSelection(nullptr, 0);
    std::vector<int> entries(static_cast<std::size_t>(count));
    GetNumberLineSelection(entries.data(), count);
    std::string line = "selection:";
    for (int entry : entries) line += entry > 0 ? " +1" : " -1";
    return line;
}

bool WriteNumberLineSvg(const std::string& path) {
    headless::RecordingCanvas canvas;
    DrawNumberLine(&canvas, KvRect{0, 0, kNumberLineWidth, kNumberLineHeight});
    const std::string svg = canvas.toSvg(kNumberLineWidth, kNumberLineHeight);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(svg.data(), 1, svg.size(), file) == svg.size();
    return std::fclose(file) == 0 && written;
}

int Inequality(const std::vector<std::string>& args) {
    const std::optional<SolverArgs> parsed = ParseSolverArgs(args, ExtraOption::Svg);
    if (!parsed) return Usage();
    const std::string& text = parsed->text;
    const std::optional<std::string> svg = parsed->svg;
    const bool steps = parsed->steps;
    Calculator calculator;
    calculator.Control(KV_INEQ_INPUT).setText(headless::FromUtf8(text));
    calculator.Press(KV_INEQ_SOLVE);
    if (svg && !WriteNumberLineSvg(*svg)) {
        std::fprintf(stderr, "kelvora-cli: cannot write '%s'\n", svg->c_str());
        return kExitUsage;
    }
    Print(calculator.Control(KV_INEQ_ANSWER).fullText());
    if (!Answered()) return kExitRejected;
    std::printf("%s\n%s\n", NumberLinePoints().c_str(), NumberLineSelection().c_str());
    if (steps) PrintReport(GetLastSteps());
    return kExitOk;
}

// ---- system --------------------------------------------------------------------------

int System(const std::vector<std::string>& args) {
    const std::optional<SolverArgs> parsed = ParseSolverArgs(args, ExtraOption::None);
    if (!parsed) return Usage();
    const std::string& text = parsed->text;
    const bool steps = parsed->steps;
    SolveSystem(headless::FromUtf8(text).c_str());
    // Without an answer the report (or the one-line message) says why.
    if (!Answered()) {
        std::wstring report = GetLastSteps();
        if (report.empty() || report.back() != L'\n') report += L'\n';
        PrintReport(report);
        return kExitRejected;
    }
    std::vector<wchar_t> answer(512);
    GetSystemResult(answer.data(), static_cast<int>(answer.size()));
    PrintReport(answer.data());
    if (steps) PrintReport(GetLastSteps());
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::size_t next = 0;
    while (next + 1 < args.size() && (args[next] == "--precision" || args[next] == "--max-degree")) {
        const std::optional<int> value = ParseInt(args[next + 1]);
        if (!value) return Usage();
        if (args[next] == "--precision") SetPrecision(*value);
        else SetMaxDegree(*value);
        next += 2;
    }
    if (next >= args.size()) return Usage();
    const std::string command = args[next];
    const std::vector<std::string> rest(args.begin() + static_cast<long>(next) + 1, args.end());
    if (command == "eval") return Eval(rest);
    if (command == "keys") return Keys(rest);
    if (command == "fraction") return Fraction(rest);
    if (command == "quadratic") return Quadratic(rest);
    if (command == "solve") return Solve(rest);
    if (command == "inequality") return Inequality(rest);
    if (command == "system") return System(rest);
    return Usage();
}
