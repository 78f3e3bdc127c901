#include "algebra/equation_solver.h"
#include "core/report.h"
#include "core/steps_window.h"

namespace abacor {

void SimplifyExpression(const EquationPanel& panel) {
    const std::wstring typed = ReadFormulaInput(panel);
    HideAnswerRows(panel);
    const std::wstring t = SuperscriptToCaret(typed);

    std::wstring report = std::wstring(kReportRule) + L"  УПРОЩЕНИЕ ВЫРАЖЕНИЯ\r\n" + kReportRule + L"\r\n";
    report += L"Исходное выражение: " + typed + L"\r\n\r\n";
    report += L"┌─ Шаг 1: Раскрытие скобок ────────────────────\r\n";
    ExpansionNotes notes;
    const std::wstring simplified = CaretToSuperscript(PolynomialToString(ExpandExpression(t, &notes)));
    report += L"│ Результат: " + simplified + L"\r\n";
    AppendExpansionNotes(report, notes);
    report += kSectionClose;

    ShowAnswerRow(panel, 0, simplified, L"Упрощённое:");
    report += std::wstring(L"\r\n") + kReportRule + L"  Упрощение завершено!\r\n" + kReportRule;
    SetStepsLog(std::move(report));
}

}  // namespace abacor
