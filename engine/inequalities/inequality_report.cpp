#include "inequalities/inequality_report.h"

#include "algebra/equation_solver.h"
#include "core/report.h"

namespace abacor {

namespace {

constexpr const wchar_t* kLine = L"│ ";
constexpr const wchar_t* kEnd = L"\r\n";

void Line(std::wstring& report, const std::wstring& text) { report += kLine + text + kEnd; }

std::wstring Opening(const wchar_t* title, const std::wstring& text) {
    return std::wstring(kReportRule) + title + kReportRule + L"\r\nИсходное: " + text + L"\r\n\r\n";
}

std::wstring Closing() { return std::wstring(kReportRule) + L"  Решение завершено!\r\n" + kReportRule; }

std::wstring Count(std::size_t n) { return std::to_wstring(n); }

void StandardFormStep(std::wstring& report, const InequalityAnalysis& a) {
    report += L"┌─ Шаг 1: Приведение к стандартной форме ──────\r\n";
    Line(report, L"f(x) = " + PolynomialToString(a.f));
    Line(report, std::wstring(L"f(x) ") + SignText(a.kind) + L" 0");
    AppendExpansionNotes(report, a.notes);
    report += kSectionCloseBlank;
}

void ZerosStep(std::wstring& report, const InequalityAnalysis& a) {
    report += L"┌─ Шаг 2: Нахождение нулей функции ─────────────\r\n";
    const std::vector<double>& points = a.set.points;
    if (a.identicallyZero) {
        Line(report, L"f(x) = 0 при любом x.");
        Line(report, L"Вся числовая прямая — один интервал.");
    } else if (points.empty()) {
        Line(report, L"Уравнение f(x) = 0 не имеет корней.");
        Line(report, L"Вся числовая прямая — один интервал.");
    } else {
        Line(report, L"Решаем: " + PolynomialToString(a.f) + L" = 0");
        for (std::size_t j = 0; j < points.size(); ++j) {
            Line(report, L"x" + Count(j + 1) + L" = " + FormatBound(points[j]));
        }
    }
    report += kSectionCloseBlank;
}

// Only I₁, and I₂ next to a single point, are written with subscript digits.
std::wstring IntervalLabel(std::size_t j, std::size_t pointCount) {
    if (j == 1) return L"I₁";
    if (j == 2 && pointCount == 1) return L"I₂";
    return L"I" + Count(j);
}

void IntervalsStep(std::wstring& report, const InequalityAnalysis& a) {
    report += L"┌─ Шаг 3: Разбиение на интервалы ──────────────\r\n";
    const std::vector<double>& points = a.set.points;
    if (points.empty()) Line(report, L"Один интервал: (-∞, +∞)");
    for (std::size_t i = 0; !points.empty() && i <= points.size(); ++i) {
        Line(report, IntervalLabel(i + 1, points.size()) + L": " + IntervalText(points, i));
    }
    report += kSectionCloseBlank;
}

std::wstring SignVerdict(double v) {
    if (v > 0) return L" > 0  (+)";
    if (v < 0) return L" < 0  (-)";
    return L" = 0";
}

void SignsStep(std::wstring& report, const InequalityAnalysis& a) {
    report += L"┌─ Шаг 4: Определение знаков функции ───────────\r\n";
    const std::wstring f = PolynomialToString(a.f);
    for (std::size_t i = 0; i < a.testPoints.size(); ++i) {
        const double t = a.testPoints[i];
        Line(report, L"I" + Count(i + 1) + L": f(" + FormatBound(t) + L") = " + SubstituteValue(f, t) + L" = " +
                         FormatBound(a.values[i]) + SignVerdict(a.values[i]));
    }
    report += kSectionCloseBlank;
}

void SelectionStep(std::wstring& report, const InequalityAnalysis& a) {
    report += L"┌─ Шаг 5: Выбор интервалов ─────────────────────\r\n";
    Line(report, std::wstring(L"Неравенство: f(x) ") + SignText(a.kind) + L" 0" +
                     (IsInclusive(a.kind) ? L" (включая точки)" : L""));
    Line(report, std::wstring(L"Выбираем интервалы с ") + (IsGreater(a.kind) ? L"(+)" : L"(-)") + L":");
    const SolutionSet& set = a.set;
    for (std::size_t i = 0; i < set.intervalIn.size(); ++i) {
        if (set.intervalIn[i]) Line(report, L"✓ " + IntervalText(set.points, i));
        // A zero where f touches the axis belongs to a non-strict answer on its own.
        if (i < set.points.size() && IsIsolatedPoint(set, i)) Line(report, L"✓ " + IsolatedPointText(set.points[i]));
    }
    report += kSectionCloseBlank;
}

void AnswerStep(std::wstring& report, const InequalityAnalysis& a, const std::wstring& answer) {
    report += L"┌─ Шаг 6: Ответ ────────────────────────────────\r\n";
    Line(report, L"x ∈ " + answer);
    if (IsInclusive(a.kind)) Line(report, L"Точки закрашенные (нестрогое неравенство)");
    else if (!a.set.points.empty()) Line(report, L"Точки выколотые (строгое неравенство)");
    report += kSectionCloseBlank;
}

void SystemPartSection(std::wstring& report, const wchar_t* heading, const SystemPart& part) {
    report += heading;
    Line(report, part.text);
    const InequalityAnalysis& a = part.analysis;
    AppendExpansionNotes(report, a.notes);
    const std::vector<double>& points = a.set.points;
    if (a.identicallyZero) {
        Line(report, L"f(x) = 0 при любом x.");
    } else if (points.empty()) {
        Line(report, L"Корней нет.");
    } else {
        Line(report, L"f(x) = " + PolynomialToString(a.f));
        std::wstring zeros = L"f(x) = 0 → x = " + FormatBound(points[0]);
        for (std::size_t j = 1; j < points.size(); ++j) zeros += L", x = " + FormatBound(points[j]);
        Line(report, zeros);
        Line(report, L"Знаки функции:");
        for (std::size_t i = 0; i < a.values.size(); ++i) {
            Line(report, L"  " + IntervalText(points, i) + L": " + (a.values[i] > 0 ? L"(+)" : L"(-)"));
        }
    }
    Line(report, L"Решение: " + AnswerText(a.set));
    report += kSectionCloseBlank;
}

}  // namespace

std::wstring InequalityReport(const std::wstring& text, const InequalityAnalysis& analysis,
                              const std::wstring& answer) {
    std::wstring report = Opening(L"  РЕШЕНИЕ НЕРАВЕНСТВА\r\n", text);
    StandardFormStep(report, analysis);
    ZerosStep(report, analysis);
    IntervalsStep(report, analysis);
    SignsStep(report, analysis);
    SelectionStep(report, analysis);
    AnswerStep(report, analysis, answer);
    return report + Closing();
}

std::wstring SystemReport(const std::wstring& text, const SystemPart& first, const SystemPart& second,
                          const std::wstring& answer) {
    std::wstring report = Opening(L"  РЕШЕНИЕ СИСТЕМЫ НЕРАВЕНСТВ\r\n", text);
    SystemPartSection(report, L"┌─ Шаг 1: Решение первого неравенства ──────────\r\n", first);
    SystemPartSection(report, L"┌─ Шаг 2: Решение второго неравенства ──────────\r\n", second);
    report += L"┌─ Шаг 3: Пересечение решений ──────────────────\r\n";
    Line(report, AnswerText(first.analysis.set) + L" ∩ " + AnswerText(second.analysis.set));
    Line(report, L"Результат пересечения:");
    Line(report, answer);
    report += kSectionCloseBlank;
    return report + Closing();
}

}  // namespace abacor
