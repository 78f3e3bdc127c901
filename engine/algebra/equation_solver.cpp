#include "algebra/equation_solver.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <optional>
#include <vector>

#include "algebra/denominators.h"
#include "algebra/higher_degree.h"
#include "core/engine_state.h"
#include "core/number_format.h"
#include "core/report.h"
#include "core/steps_window.h"

namespace abacor {

namespace {

constexpr std::size_t kFormulaCapacity = 1023;
constexpr int kInputId = 1700;
constexpr std::array<int, 4> kValueIds = {1724, 1725, 1770, 1771};
constexpr std::array<int, 4> kLabelIds = {1723, 1742, 1743, 1744};
constexpr std::array<const wchar_t*, 4> kRowLabels = {L"X₁ =", L"X₂ =", L"X₃ =", L"X₄ ="};
constexpr const wchar_t* kSingleRootLabel = L"X =";

// A root whose two sides differ by less than this passes the substitution check.
constexpr double kCheckTolerance = 1e-6;

constexpr const wchar_t* kResultHeading = L"┌─ Результат ─────────────────────────────────\r\n";
constexpr const wchar_t* kExtraneousHeading = L"┌─ Посторонние корни ──────────────────────────\r\n";

struct Sides {
    std::wstring left;
    std::wstring right;
};

// The two sides expanded, and P = left − right.
struct Expansion {
    Polynomial left;
    Polynomial right;
    Polynomial p;
};

std::wstring Shown(const Polynomial& polynomial) { return CaretToSuperscript(PolynomialToString(polynomial)); }

double WithoutNegativeZero(double value) { return value == 0 ? 0.0 : value; }

// Blanks around "=" belong to neither side: "2/(x+1) = 1" has the sides "2/(x+1)" and "1".
std::wstring TrimBlanks(const std::wstring& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && std::iswspace(text[begin])) ++begin;
    while (end > begin && std::iswspace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool MentionsOtherVariable(const std::wstring& text) { return text.find_first_of(L"yYzZ") != std::wstring::npos; }

std::wstring ReportHeader(const std::wstring& typed) {
    return std::wstring(kReportRule) + L"  РЕШЕНИЕ УРАВНЕНИЯ\r\n" + kReportRule + L"\r\n" + L"Исходное уравнение: " +
           typed + L"\r\n\r\n";
}

void AppendClosingBanner(std::wstring& report) {
    report += std::wstring(L"\r\n") + kReportRule + L"  Решение завершено!\r\n" + kReportRule;
}

void AppendResult(std::wstring& report, const std::wstring& line) {
    report += kResultHeading;
    report += L"│ " + line + L"\r\n";
    report += kSectionClose;
}

// Row 1 carries a verdict instead of a root; its label keeps its text.
void FinishWithVerdict(const EquationPanel& panel, std::wstring report, const wchar_t* verdict) {
    ShowAnswerRow(panel, 0, verdict);
    SetStepsLog(std::move(report));
}

void AppendSplitStep(std::wstring& report, const Sides& sides) {
    report += L"┌─ Шаг 1: Разделение на части ─────────────────\r\n";
    report += L"│ Левая часть:  " + CaretToSuperscript(sides.left) + L"\r\n";
    report += L"│ Правая часть: " + CaretToSuperscript(sides.right) + L"\r\n";
    report += kSectionCloseBlank;
}

// Steps 2 and 3: both sides expanded, then everything moved to the left.
Expansion ExpandSides(std::wstring& report, const Sides& sides) {
    Expansion e;
    ExpansionNotes notes;
    e.left = ExpandExpression(sides.left, &notes);
    e.right = ExpandExpression(sides.right, &notes);
    report += L"┌─ Шаг 2: Раскрытие скобок ────────────────────\r\n";
    report += L"│ Левая часть:  " + Shown(e.left) + L"\r\n";
    report += L"│ Правая часть: " + Shown(e.right) + L"\r\n";
    AppendExpansionNotes(report, notes);
    report += kSectionCloseBlank;

    report += L"┌─ Шаг 3: Перенос в левую часть ───────────────\r\n";
    report += L"│ (" + Shown(e.left) + L") - (" + Shown(e.right) + L") = 0\r\n";
    AddPolynomials(e.p, e.left);
    SubtractPolynomials(e.p, e.right);
    RemoveZeroTerms(e.p);
    report += L"│ " + Shown(e.p) + L" = 0\r\n";
    report += kSectionCloseBlank;
    return e;
}

// Numbers beyond the range of a double (.6^9339, or a discriminant of 1e200²) leave no
// root that could be shown.
constexpr const wchar_t* kTooLarge = L"Слишком большое число";

bool AllCoefficientsFinite(const Polynomial& p) {
    return std::all_of(p.begin(), p.end(), [](const auto& term) { return std::isfinite(term.second); });
}

void FinishTooLarge(const EquationPanel& panel, std::wstring report) {
    AppendResult(report, kTooLarge);
    FinishWithVerdict(panel, std::move(report), kTooLarge);
}

// No x left: either a false statement about numbers or one that always holds.
void FinishWithoutX(const EquationPanel& panel, const Polynomial& p, std::wstring report) {
    const double c = Coefficient(p, kConstKey);
    const bool contradiction = std::fabs(c) >= kZeroTolerance;
    AppendResult(report, contradiction ? Ng(c) + L" = 0 → решений нет" : L"0 = 0 → x — любое число");
    FinishWithVerdict(panel, std::move(report), contradiction ? L"Нет решений" : L"x ∈ ℝ");
}

bool IsLinearKey(const MonomialKey& key) {
    return key.find(L"x1") != std::wstring::npos && key.find(L"x2") == std::wstring::npos;
}

std::vector<double> SolveLinear(const Polynomial& p, std::wstring& report) {
    double b = 0;
    for (const auto& [key, coefficient] : p) {
        if (IsLinearKey(key)) {
            b = coefficient;
            break;
        }
    }
    const double c = Coefficient(p, kConstKey);
    const double x = WithoutNegativeZero(-c / b);
    report += L"┌─ Шаг 4: Решение линейного уравнения ─────────\r\n";
    report += L"│ Тип: линейное уравнение (степень 1)\r\n│\r\n";
    report += L"│ " + Nf(b) + L"x + " + Ng(c) + L" = 0\r\n│\r\n";
    report += L"│ " + Nf(b) + L"x = " + Ng(-c) + L"\r\n│\r\n";
    report += L"│ x = " + Ng(-c) + L" / " + Nf(b) + L"\r\n";
    report += L"│ x = " + Ng(x) + L"\r\n";
    report += kSectionClose;
    return {x};
}

// The coefficient of the last key (in key order) that passes the test; 0 when none does.
template <typename KeyTest>
double LastCoefficient(const Polynomial& p, KeyTest test) {
    double found = 0;
    for (const auto& [key, coefficient] : p) {
        if (test(key)) found = coefficient;
    }
    return found;
}

void AppendTwoRoots(std::wstring& report, double a, double b, double s, double x1, double x2) {
    report += L"│ D > 0 → два корня\r\n│\r\n";
    report += L"│ √D = " + Ng(s) + L"\r\n│\r\n";
    report += L"│ x₁ = (-b + √D) / (2a)\r\n";
    report += L"│ x₁ = (-(" + Ng(b) + L") + " + Ng(s) + L") / (2·" + Ng(a) + L")\r\n";
    report += L"│ x₁ = " + Ng(x1) + L"\r\n│\r\n";
    report += L"│ x₂ = (-b - √D) / (2a)\r\n";
    report += L"│ x₂ = (-(" + Ng(b) + L") - " + Ng(s) + L") / (2·" + Ng(a) + L")\r\n";
    report += L"│ x₂ = " + Ng(x2) + L"\r\n";
}

// The roots of a quadratic; none at all (not even an empty list) when D < 0.
std::optional<std::vector<double>> SolveQuadratic(const Polynomial& p, std::wstring& report) {
    const double a = LastCoefficient(p, [](const MonomialKey& key) { return key.find(L"x2") != std::wstring::npos; });
    const double b = LastCoefficient(p, IsLinearKey);
    const double c = Coefficient(p, kConstKey);
    const double d = b * b - (a * 4) * c;
    report += L"┌─ Шаг 4: Решение квадратного уравнения ───────\r\n";
    report += L"│ Тип: квадратное уравнение (степень 2)\r\n│\r\n";
    report += L"│ Общий вид: ax² + bx + c = 0\r\n│\r\n";
    report += L"│ a = " + Ng(a) + L"\r\n│ b = " + Ng(b) + L"\r\n│ c = " + Ng(c) + L"\r\n│\r\n";
    report += L"│ Дискриминант: D = b² - 4ac\r\n";
    report += L"│ D = (" + Ng(b) + L")² - 4·(" + Ng(a) + L")·(" + Ng(c) + L")\r\n";
    report += L"│ D = " + Nf(b * b) + L" - " + Nf(a * 4 * c) + L"\r\n";
    report += L"│ D = " + Nf(d) + L"\r\n│\r\n";
    if (d < -kZeroTolerance) {
        report += L"│ D < 0 → действительных корней нет\r\n";
        report += kSectionClose;
        return std::nullopt;
    }
    std::vector<double> roots;
    if (std::fabs(d) < kZeroTolerance) {
        const double x = WithoutNegativeZero(-b / (a + a));
        report += L"│ D = 0 → один корень\r\n│\r\n";
        report += L"│ x = -b / (2a)\r\n";
        report += L"│ x = -(" + Ng(b) + L") / (2·" + Ng(a) + L")\r\n";
        report += L"│ x = " + Ng(x) + L"\r\n";
        roots = {x};
    } else {
        const double s = std::sqrt(d);
        const double x1 = WithoutNegativeZero((s - b) / (a + a));
        const double x2 = WithoutNegativeZero((-b - s) / (a + a));
        AppendTwoRoots(report, a, b, s, x1, x2);
        roots = {x1, x2};
    }
    report += kSectionClose;
    return roots;
}

std::optional<std::vector<double>> SolveByDegree(const Polynomial& p, int degree, std::wstring& report) {
    if (degree == 1) return SolveLinear(p, report);
    if (degree == 2) return SolveQuadratic(p, report);
    return SolveHigherDegree(p, degree, report);
}

// The denominators with a letter of the equation as the user wrote it, before any
// rewrite multiplied them away.
std::vector<Polynomial> OriginalDenominators(const Sides& original) {
    std::vector<Polynomial> denominators;
    for (const std::wstring* side : {&original.left, &original.right}) {
        for (const std::wstring& text : DenominatorsWithLetters(*side)) {
            denominators.push_back(ExpandExpression(text, nullptr));
        }
    }
    return denominators;
}

bool MakesADenominatorZero(double root, const std::vector<Polynomial>& denominators) {
    return std::any_of(denominators.begin(), denominators.end(), [root](const Polynomial& d) {
        return std::fabs(EvaluatePolynomial(d, root, 0)) < kZeroTolerance;
    });
}

// Clearing denominators multiplies both sides by expressions that may vanish; a root
// where one of them does is not a solution of the equation that was asked.
std::vector<double> RejectExtraneous(const std::vector<double>& roots, const Sides& original, std::wstring& report) {
    const std::vector<Polynomial> denominators = OriginalDenominators(original);
    std::vector<double> accepted;
    std::wstring lines;
    for (double root : roots) {
        if (MakesADenominatorZero(root, denominators)) {
            lines += L"│ x = " + FormatNumber(root) + L" — посторонний корень (знаменатель обращается в 0)\r\n";
        } else {
            accepted.push_back(root);
        }
    }
    if (lines.empty()) return accepted;
    report += std::wstring(L"\r\n") + kExtraneousHeading + lines;
    if (accepted.empty()) report += L"│\r\n│ Других корней нет → решений нет\r\n";
    report += kSectionClose;
    return accepted;
}

std::size_t ShownRootCount(const std::vector<double>& roots) { return std::min<std::size_t>(roots.size(), 4); }

void ShowRoots(const EquationPanel& panel, const std::vector<double>& roots) {
    const std::size_t n = ShownRootCount(roots);
    for (std::size_t i = 0; i < n; ++i) {
        ShowAnswerRow(panel, i, FormatAnswer(roots[i]), n == 1 ? kSingleRootLabel : kRowLabels[i]);
    }
}

void AppendSubstitutionCheck(std::wstring& report, const std::vector<double>& roots, const Sides& sides,
                             const Expansion& e) {
    const std::size_t n = ShownRootCount(roots);
    report += L"\r\n┌─ Шаг 5: Проверка подстановкой ────────────────\r\n";
    for (std::size_t j = 0; j < n; ++j) {
        const double v = roots[j];
        const double vl = EvaluatePolynomial(e.left, v, 0);
        const double vr = EvaluatePolynomial(e.right, v, 0);
        const std::wstring name = n == 1 ? L"x" : L"x" + std::to_wstring(j + 1);
        const std::wstring values = L"│   " + FormatAnswer(vl) + L" = " + FormatAnswer(vr);
        report += L"│\r\n│ " + name + L" = " + FormatAnswer(v) + L":\r\n";
        report += L"│   " + CaretToSuperscript(SubstituteValue(sides.left, v)) + L" = " +
                  SubstituteValue(sides.right, v) + L"\r\n";
        report += values + L"\r\n";
        report += values + (std::fabs(vl - vr) < kCheckTolerance ? L"  ✅ Верно!\r\n" : L"  ⚠️ Не совпадает\r\n");
    }
    report += kSectionClose;
}

// Steps 4 and 5 for an equation that still has x in it.
void SolveForX(const EquationPanel& panel, const Sides& original, const Sides& sides, const Expansion& e,
               std::wstring report) {
    const std::optional<std::vector<double>> roots = SolveByDegree(e.p, DegreeInX(e.p), report);
    if (!roots) {
        ShowAnswerRow(panel, 0, L"Нет корней", kSingleRootLabel);
        SetStepsLog(std::move(report));
        return;
    }
    if (!std::all_of(roots->begin(), roots->end(), [](double root) { return std::isfinite(root); })) {
        return FinishTooLarge(panel, std::move(report));
    }
    const std::vector<double> accepted = RejectExtraneous(*roots, original, report);
    if (accepted.empty() && !roots->empty()) ShowAnswerRow(panel, 0, L"Нет решений");
    ShowRoots(panel, accepted);
    if (!accepted.empty()) AppendSubstitutionCheck(report, accepted, sides, e);
    AppendClosingBanner(report);
    SetStepsLog(std::move(report));
}

void ShowControl(KvWindow* control, bool visible) {
    if (control) control->setVisible(visible);
}

void SetControlText(KvWindow* control, const std::wstring& text) {
    if (control) control->setText(text);
}

}  // namespace

EquationPanel FindEquationPanel() {
    EquationPanel panel;
    panel.input = MainWindowControl(kInputId);
    for (std::size_t i = 0; i < panel.values.size(); ++i) {
        panel.values[i] = MainWindowControl(kValueIds[i]);
        panel.labels[i] = MainWindowControl(kLabelIds[i]);
    }
    return panel;
}

std::wstring ReadFormulaInput(const EquationPanel& panel) {
    return panel.input ? panel.input->text(kFormulaCapacity) : std::wstring();
}

void HideAnswerRows(const EquationPanel& panel) {
    for (std::size_t i = 0; i < panel.values.size(); ++i) {
        ShowControl(panel.values[i], false);
        ShowControl(panel.labels[i], false);
    }
}

void ShowAnswerRow(const EquationPanel& panel, std::size_t row, const std::wstring& value, const wchar_t* label) {
    if (label) SetControlText(panel.labels[row], label);
    SetControlText(panel.values[row], value);
    ShowControl(panel.labels[row], true);
    ShowControl(panel.values[row], true);
}

void AppendExpansionNotes(std::wstring& report, const ExpansionNotes& notes) {
    for (const std::wstring& note : notes.skipped) report += L"│ ⚠️ Пропущено: " + note + L"\r\n";
}

void SolveEquation(const EquationPanel& panel) {
    const std::wstring typed = ReadFormulaInput(panel);
    HideAnswerRows(panel);
    const std::wstring t = SuperscriptToCaret(typed);
    const std::size_t equals = t.find(L'=');
    if (equals == std::wstring::npos) return SimplifyExpression(panel);

    std::wstring report = ReportHeader(typed);
    if (t.find(L'=', equals + 1) != std::wstring::npos) return FinishWithVerdict(panel, report, L"Два знака '='");
    if (MentionsOtherVariable(t)) {
        AppendResult(report, L"Уравнение должно содержать только x");
        return FinishWithVerdict(panel, report, L"Уравнение должно содержать только x");
    }
    const Sides original{TrimBlanks(t.substr(0, equals)), TrimBlanks(t.substr(equals + 1))};
    Sides sides = original;
    ClearDenominators(sides.left, sides.right, report);
    AppendSplitStep(report, sides);
    const Expansion e = ExpandSides(report, sides);
    if (!AllCoefficientsFinite(e.p)) return FinishTooLarge(panel, std::move(report));
    if (e.p.empty()) {
        AppendResult(report, L"0 = 0 → x — любое число (x ∈ ℝ)");
        return FinishWithVerdict(panel, report, L"x ∈ ℝ");
    }
    if (DegreeInX(e.p) == 0) return FinishWithoutX(panel, e.p, report);
    SolveForX(panel, original, sides, e, std::move(report));
}

}  // namespace abacor
