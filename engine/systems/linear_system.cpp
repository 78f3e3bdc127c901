#include "systems/linear_system.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "abacor.h"
#include "algebra/formula.h"
#include "algebra/polynomial.h"
#include "core/engine_state.h"
#include "core/expression_syntax.h"
#include "core/formula_reader.h"
#include "core/number_format.h"
#include "core/outcome.h"
#include "core/report.h"
#include "core/report_terms.h"
#include "core/steps_window.h"
#include "core/texts.h"

namespace abacor {

namespace {

constexpr double kPivotTolerance = 1e-10;
constexpr double kFactorTolerance = 1e-15;
// An extra row contradicts the solution when its residual is larger than this share
// of the row's magnitude.
constexpr double kResidualTolerance = 1e-9;
constexpr std::size_t kMatrixFieldWidth = 31;

struct Equation {
    std::wstring text;
    std::wstring left;
    std::wstring right;
};

using Letters = std::set<wchar_t>;

using Row = std::vector<double>;
using Matrix = std::vector<Row>;

bool IsLatinLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
wchar_t Lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool IsBlank(const std::wstring& text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return std::iswspace(static_cast<wint_t>(c)); });
}

// The equations between ";", without the empty ones ("x=1;;y=2", "x=1; ;y=2"): they are
// no equations the user wrote, so they take no number and the k in a message about
// equation k is the k-th one actually written.
std::vector<std::wstring> SplitSegments(const std::wstring& text) {
    std::vector<std::wstring> segments;
    std::size_t start = 0;
    for (std::size_t end; start <= text.size(); start = end + 1) {
        end = std::min(text.find(L';', start), text.size());
        std::wstring segment = text.substr(start, end - start);
        if (!IsBlank(segment)) segments.push_back(std::move(segment));
    }
    return segments;
}

// "x + y = 3, x - y = 1": a comma between two "=" joins equations. A decimal comma
// ("x = 1,5") never stands there, since one equation has a single "=".
bool JoinsEquationsByComma(const std::wstring& segment) {
    const std::size_t first = segment.find(L'=');
    if (first == std::wstring::npos) return false;
    const std::size_t comma = segment.find(L',', first);
    return comma != std::wstring::npos && segment.find(L'=', comma) != std::wstring::npos;
}

// A message about one equation: a label with its number, then the fault.
std::wstring EquationMessage(std::size_t number, const wchar_t* fault) {
    return text::kLinearSystemEquation + std::to_wstring(number) + fault;
}

// The equations, or the refusal that ends the solve.
std::optional<Outcome> SplitEquations(const std::wstring& text, std::vector<Equation>& equations) {
    const std::vector<std::wstring> segments = SplitSegments(text);
    if (segments.empty()) return Refused(text::kLinearSystemNoEquations);
    if (std::any_of(segments.begin(), segments.end(), JoinsEquationsByComma)) {
        return Refused(text::kLinearSystemCommaSeparator);
    }
    for (std::size_t k = 0; k < segments.size(); ++k) {
        const std::size_t equals = segments[k].find(L'=');
        if (equals == std::wstring::npos) return Refused(EquationMessage(k + 1, text::kLinearSystemNoEquals));
        equations.push_back({segments[k], segments[k].substr(0, equals), segments[k].substr(equals + 1)});
    }
    return std::nullopt;
}

// The letters of one side, split into the unknowns and the letters that belong to a
// number: a function's name before its bracket ("sqrt(9)") or an exponent mark ("2e5").
struct SideLetters {
    Letters unknowns;
    bool numberLetters = false;
};


// Which characters the formula reader takes as part of a number or a function's name.
std::vector<bool> NumberLetterMask(const std::string& narrowed) {
    std::vector<bool> ofNumber(narrowed.size(), false);
    const FormulaTree tree = ReadFormula(narrowed, "");
    for (const FormulaNode& node : tree.nodes) {
        std::size_t end = node.end;
        if (node.operation == Operation::Call) end = node.begin + syntax::kFunctions[node.function].name.size();
        else if (node.operation != Operation::Number) continue;
        std::fill(ofNumber.begin() + node.begin, ofNumber.begin() + static_cast<std::ptrdiff_t>(end), true);
    }
    return ofNumber;
}

SideLetters ReadLetters(const std::wstring& side) {
    const std::vector<bool> ofNumber = NumberLetterMask(syntax::NarrowText(side));
    SideLetters letters;
    for (std::size_t i = 0; i < side.size(); ++i) {
        if (!IsLatinLetter(side[i])) continue;
        if (ofNumber[i]) {
            letters.numberLetters = true;
        } else {
            letters.unknowns.insert(Lower(side[i]));
        }
    }
    return letters;
}

// Some division has an unknown in its divisor: 1/x, 1/(2y), 1/2x is (1/2)x and has none.
bool DividesByUnknown(const std::wstring& side, const Letters& unknowns) {
    const std::string letters(unknowns.begin(), unknowns.end());
    const FormulaTree tree = ReadFormula(syntax::NarrowText(SuperscriptToCaret(side)), letters);
    std::vector<bool> hasUnknown(tree.nodes.size(), false);
    for (std::size_t i = 0; i < tree.nodes.size(); ++i) {  // operands come before their node
        const FormulaNode& node = tree.nodes[i];
        const auto operandHas = [&](std::int32_t operand) { return operand >= 0 && hasUnknown[static_cast<std::size_t>(operand)]; };
        hasUnknown[i] = node.operation == Operation::Unknown || operandHas(node.left) || operandHas(node.right);
        if (node.operation == Operation::Divide && operandHas(node.right)) return true;
    }
    return false;
}

// A right side without unknowns is a number for the evaluator, as "sqrt(9)" or "1/3";
// one with unknowns is read like the left side and moved over to it.
bool IsNumberSide(const std::wstring& right) { return ReadLetters(right).unknowns.empty(); }

// The unknowns of both sides of every equation, lower case, alphabetical.
std::vector<wchar_t> FindVariables(const std::vector<Equation>& equations) {
    Letters letters;
    for (const Equation& equation : equations) {
        for (const std::wstring* side : {&equation.left, &equation.right}) {
            const Letters unknowns = ReadLetters(*side).unknowns;
            letters.insert(unknowns.begin(), unknowns.end());
        }
    }
    return {letters.begin(), letters.end()};
}

// A side with one variable written as x and every other unknown as y, so that the
// polynomial machinery (which knows x, y and z) can expand it.
std::wstring RenameForVariable(const std::wstring& side, wchar_t variable) {
    std::wstring renamed = SuperscriptToCaret(side);
    for (wchar_t& c : renamed) {
        if (IsLatinLetter(c)) c = Lower(c) == variable ? L'x' : L'y';
    }
    return renamed;
}

bool IsConstantKey(const MonomialKey& key) { return key == kConstKey || TotalDegree(key) == 0; }

// Work allowed for all the expansions of one system: each side with unknowns is expanded
// once per variable, so a long system would otherwise cost equations × variables expansions.
constexpr long long kSystemWorkAllowance = 2 * kWorkAllowance;

enum class RowProblem { kNone, kNotLinear, kTooComplex, kZeroDivisor };

// The sides the linear reader takes: the left one, and the right one when it has
// unknowns. A letter of a number there ("sqrt(4)x", "2e5y") is beyond that reader.
std::optional<std::vector<const std::wstring*>> LinearSides(const Equation& equation) {
    std::vector<const std::wstring*> sides = {&equation.left};
    if (!IsNumberSide(equation.right)) sides.push_back(&equation.right);
    for (const std::wstring* side : sides) {
        const SideLetters letters = ReadLetters(*side);
        if (letters.numberLetters || DividesByUnknown(*side, letters.unknowns)) return std::nullopt;
    }
    return sides;
}

// Left side minus right side (when it is read here) with one variable as x; empty, with
// the problem, when the polynomial is not the sides' value: an expansion cut short by
// its limits, a division by zero (divisions by unknowns are refused before), a part that
// is no polynomial.
std::optional<Polynomial> ExpandForVariable(const std::vector<const std::wstring*>& sides, wchar_t variable,
                                            WorkBudget& budget, RowProblem& problem) {
    Polynomial difference;
    for (std::size_t k = 0; k < sides.size(); ++k) {
        ExpansionNotes notes;
        const Polynomial p = ExpandExpression(RenameForVariable(*sides[k], variable), budget, &notes);
        problem = !notes.skipped.empty() ? RowProblem::kTooComplex
                  : notes.quotientOnly   ? RowProblem::kZeroDivisor
                  : notes.unread         ? RowProblem::kNotLinear
                                         : RowProblem::kNone;
        if (problem != RowProblem::kNone) return std::nullopt;
        if (k == 0) {
            AddPolynomials(difference, p);
        } else {
            SubtractPolynomials(difference, p);
        }
    }
    RemoveZeroTerms(difference);
    return difference;
}

// Fills one matrix row from the sides the linear reader takes. Expanding once per
// variable, with the others collapsed into y, finds every square and every product of
// two variables. An expansion cut short by its limits would give wrong coefficients:
// the row is refused then.
RowProblem FillRow(const Equation& equation, const std::vector<wchar_t>& variables, WorkBudget& budget, Row& row) {
    const auto sides = LinearSides(equation);
    if (!sides) return RowProblem::kNotLinear;
    double constant = 0;
    for (std::size_t j = 0; j < variables.size(); ++j) {
        RowProblem problem = RowProblem::kNone;
        const std::optional<Polynomial> expanded = ExpandForVariable(*sides, variables[j], budget, problem);
        if (!expanded) return problem;
        const Polynomial& p = *expanded;
        double constantHere = 0;
        for (const auto& [key, coefficient] : p) {
            if (IsConstantKey(key)) {
                constantHere += coefficient;
                continue;
            }
            const int xExponent = VariableExponent(key, L'x');
            if (TotalDegree(key) > 1) return RowProblem::kNotLinear;
            if (xExponent == 1) row[j] += coefficient;
        }
        constant = constantHere;
    }
    row.back() -= constant;  // 0 - 0 is 0 where -0 would show as "-0.00"
    return RowProblem::kNone;
}

// A value that shows as zero is shown without a sign: "-0" would read as a different answer.
std::wstring UnsignedZero(std::wstring number) {
    if (number.starts_with(L'-') && ReadLeadingNumber(number) == 0) number.erase(0, 1);
    return number;
}

std::wstring MatrixEntry(double value) {
    std::wstring text = FormatC("%8.2f", value);
    return text.size() <= kMatrixFieldWidth ? text : FormatC("%8.2e", value);
}

void Head(const std::vector<Equation>& equations, ReportWriter& report) {
    report.Title(text::kLinearSystemTitle).Blank();
    for (std::size_t k = 0; k < equations.size(); ++k) {
        report.Text(text::kLinearSystemEquationLabel + std::to_wstring(k + 1) + L": " + equations[k].text);
    }
}

void MatrixLines(const Matrix& matrix, ReportWriter& report) {
    for (const Row& row : matrix) {
        std::wstring line;
        for (double entry : row) line += MatrixEntry(entry);
        report.Line(line);
    }
}

void MatrixSection(const Matrix& matrix, ReportWriter& report) {
    report.Blank().Open(text::kLinearSystemMatrixHeading);
    MatrixLines(matrix, report);
    report.Close();
}

// The matrix after forward elimination, so that a zero row explains what follows. What
// elimination left below the pivot tolerance is the zero it is taken for, never "-0.00".
void EchelonSection(Matrix matrix, ReportWriter& report) {
    for (Row& row : matrix) {
        for (double& entry : row) {
            if (std::fabs(entry) < kPivotTolerance) entry = 0;
        }
    }
    report.Open(text::kLinearSystemEchelonHeading);
    MatrixLines(matrix, report);
    report.Close();
}

// A row as the report names it, counted from 1.
std::wstring RowName(std::size_t row) { return text::kLinearSystemRow + std::to_wstring(row + 1); }

// "row 2 = row 2 - 0.5 · row 1": row r minus factor times the pivot row, the
// factor's sign folded into the operator and a factor 1 not written.
std::wstring EliminationLine(std::size_t r, double factor, std::size_t pivotRow) {
    const std::wstring magnitude = Ng(std::fabs(factor));
    return RowName(r) + L" = " + RowName(r) + (factor < 0 ? L" + " : L" - ") +
           (magnitude == L"1" ? L"" : magnitude + L" · ") + RowName(pivotRow);
}

// Gaussian elimination with partial pivoting to row echelon form: a column without a
// usable pivot is left and the next column takes its pivot row.
void Eliminate(Matrix& matrix, std::size_t variableCount, ReportWriter& report) {
    report.Open(text::kLinearSystemForwardHeading);
    const std::size_t rows = matrix.size();
    std::size_t top = 0;  // the pivot row of the column at hand
    for (std::size_t c = 0; c < variableCount && top < rows; ++c) {
        std::size_t pivot = top;
        for (std::size_t r = top + 1; r < rows; ++r) {
            if (std::fabs(matrix[r][c]) > std::fabs(matrix[pivot][c])) pivot = r;
        }
        if (std::fabs(matrix[pivot][c]) < kPivotTolerance) continue;
        if (pivot != top) {
            std::swap(matrix[top], matrix[pivot]);
            report.Line(text::kLinearSystemSwapRows + std::to_wstring(top + 1) + text::kLinearSystemAnd +
                        std::to_wstring(pivot + 1));
        }
        for (std::size_t r = top + 1; r < rows; ++r) {
            const double factor = matrix[r][c] / matrix[top][c];
            if (std::fabs(factor) < kFactorTolerance) continue;
            report.Line(EliminationLine(r, factor, top));
            for (std::size_t k = c; k <= variableCount; ++k) matrix[r][k] -= factor * matrix[top][k];
        }
        ++top;
    }
    report.Close();
}

// A row of the echelon form that reads 0 = c with c not 0.
bool ReadsZeroIsNotZero(const Row& row) {
    const bool zeroLeft = std::all_of(row.begin(), row.end() - 1, [](double a) { return std::fabs(a) < kPivotTolerance; });
    return zeroLeft && std::fabs(row.back()) >= kPivotTolerance;
}

// Why a system has no single answer: a row 0 = c ≠ 0, or (without one) a free unknown.
const wchar_t* NoUniqueReason(const Matrix& echelon, bool solutionFound) {
    const bool contradiction = std::any_of(echelon.begin(), echelon.end(), ReadsZeroIsNotZero);
    // Extra rows that disagree with the one solution of the others leave none at all.
    return contradiction || solutionFound ? text::kLinearSystemInconsistent : text::kLinearSystemInfinitelyMany;
}

// The solution, last variable first; empty when a diagonal entry vanishes or a row is
// missing (fewer equations than variables).
std::optional<std::vector<double>> BackSubstitute(const Matrix& matrix, const std::vector<wchar_t>& variables,
                                                  ReportWriter& report) {
    report.Open(text::kLinearSystemBackwardHeading);
    const std::size_t n = variables.size();
    std::vector<double> solution(n, 0.0);
    for (std::size_t i = n; i-- > 0;) {
        if (i >= matrix.size() || std::fabs(matrix[i][i]) < kPivotTolerance) return std::nullopt;
        double sum = matrix[i][n];
        for (std::size_t j = i + 1; j < n; ++j) sum -= matrix[i][j] * solution[j];
        solution[i] = sum / matrix[i][i];
        report.Line(std::wstring(1, variables[i]) + L" = " + UnsignedZero(FormatGeneral(solution[i])));
    }
    return solution;
}

// Rows beyond the variables must agree with the solution.
bool ExtraRowsAgree(const Matrix& matrix, const std::vector<double>& solution) {
    const std::size_t n = solution.size();
    for (std::size_t r = n; r < matrix.size(); ++r) {
        double residual = matrix[r][n];
        double scale = 1 + std::fabs(matrix[r][n]);
        for (std::size_t j = 0; j < n; ++j) {
            residual -= matrix[r][j] * solution[j];
            scale += std::fabs(matrix[r][j] * solution[j]);
        }
        if (!(std::fabs(residual) <= kResidualTolerance * scale)) return false;
    }
    return true;
}

// Closes the back substitution: the answer section is the report's tail.
void AnswerSection(const std::vector<wchar_t>& variables, const std::vector<double>& solution, ReportWriter& report) {
    report.Close().Rule().Text(text::kLinearSystemAnswerHeading);
    for (std::size_t j = 0; j < variables.size(); ++j) {
        report.Text(L"  " + std::wstring(1, variables[j]) + L" = " + UnsignedZero(FormatNumber(solution[j])));
    }
    report.Rule();
}

// Closes the back substitution with the warning and, where known, the reason there is
// no answer.
Outcome Unanswered(KvStatus status, const wchar_t* warning, ReportWriter& report, const wchar_t* reason = nullptr) {
    report.Line(warning);
    if (reason) report.Line(reason);
    report.Close(false);
    return {status, report.Take()};
}

// The matrix of the system, or the refusal that ends the solve.
std::optional<Outcome> BuildMatrix(const std::vector<Equation>& equations, const std::vector<wchar_t>& variables,
                                   Matrix& matrix) {
    WorkBudget budget{kSystemWorkAllowance};
    for (std::size_t i = 0; i < equations.size(); ++i) {
        const std::size_t number = i + 1;
        Row row(variables.size() + 1, 0.0);
        switch (FillRow(equations[i], variables, budget, row)) {
            case RowProblem::kNone: break;
            case RowProblem::kNotLinear: return Refused(EquationMessage(number, text::kLinearSystemNotLinear));
            case RowProblem::kTooComplex:
                return Outcome{KV_STATUS_TOO_COMPLEX, EquationMessage(number, text::kLinearSystemTooComplex)};
            case RowProblem::kZeroDivisor:
                return Outcome{KV_STATUS_UNDEFINED, EquationMessage(number, text::kLinearSystemZeroDivisor)};
        }
        if (IsNumberSide(equations[i].right)) {
            // A right side that is no (finite) number would turn every answer into NaN or inf.
            const double rightValue = EvaluateExpression(equations[i].right.c_str());
            if (!std::isfinite(rightValue)) return Refused(EquationMessage(number, text::kLinearSystemRightSide));
            row.back() += rightValue;
        }
        // 10^400x or 64^7592 on the left: beyond the range of a double.
        if (!std::all_of(row.begin(), row.end(), [](double v) { return std::isfinite(v); })) {
            return Outcome{KV_STATUS_TOO_LARGE, EquationMessage(number, text::kLinearSystemTooLarge)};
        }
        matrix.push_back(std::move(row));
    }
    return std::nullopt;
}

// The report, or the one-line message that ended the solve, with what it amounts to.
Outcome SolveToReport(const std::wstring& text) {
    std::vector<Equation> equations;
    if (auto failure = SplitEquations(text, equations)) return *failure;
    const std::vector<wchar_t> variables = FindVariables(equations);
    if (variables.empty()) return Refused(text::kLinearSystemNoVariables);
    Matrix matrix;
    if (auto failure = BuildMatrix(equations, variables, matrix)) return *failure;

    ReportWriter report;
    Head(equations, report);
    MatrixSection(matrix, report);
    Eliminate(matrix, variables.size(), report);
    EchelonSection(matrix, report);
    const std::optional<std::vector<double>> solution = BackSubstitute(matrix, variables, report);
    if (!solution || !ExtraRowsAgree(matrix, *solution)) {
        return Unanswered(KV_STATUS_NO_ANSWER, text::kLinearSystemNoUniqueSolution, report,
                          NoUniqueReason(matrix, solution.has_value()));
    }
    // Elimination with entries near the largest double can overflow on the way.
    if (!std::all_of(solution->begin(), solution->end(), [](double v) { return std::isfinite(v); })) {
        return Unanswered(KV_STATUS_TOO_LARGE, text::kLinearSystemOverflow, report);
    }
    AnswerSection(variables, *solution, report);
    return Answered(report.Take());
}

// The answer lines of a report, each ended by a line feed; empty without an answer.
// The answer section is always the report's tail: an answer heading the user typed into
// an equation (echoed in the report's head) must not pass for one.
std::wstring AnswerLines(const std::wstring& report) {
    const std::wstring lineEnd = kLineEnd;
    const std::wstring rule = text::kReportRule + lineEnd;
    if (!report.ends_with(rule)) return {};
    const std::wstring heading = rule + text::kLinearSystemAnswerHeading + lineEnd;
    const std::size_t section = report.rfind(heading);
    if (section == std::wstring::npos) return {};
    std::wstring result;
    std::size_t start = section + heading.size();
    for (std::size_t end; (end = report.find(lineEnd, start)) != std::wstring::npos; start = end + lineEnd.size()) {
        const std::wstring line = report.substr(start, end - start);
        if (!line.empty() && line[0] != L'═') result += line + L"\n";
    }
    return result;
}

}  // namespace

void SolveLinearSystem(const std::wstring& text) {
    Outcome outcome = SolveToReport(text);
    SetStepsLog(std::move(outcome.text));
    RecordStatus(outcome.status);
}

std::wstring SystemResult() { return AnswerLines(Engine().StepsLog); }

}  // namespace abacor
