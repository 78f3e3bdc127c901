#include "algebra/equation_panel.h"

#include <array>
#include <string>
#include <vector>

#include "abacor.h"
#include "algebra/equation_solver.h"
#include "algebra/formula.h"
#include "algebra/formula_input.h"
#include "control_ids.h"
#include "core/engine_state.h"
#include "core/texts.h"
#include "core/outcome.h"
#include "core/steps_window.h"

namespace abacor {

namespace {

// The solver reads at most this much of the input.
constexpr std::size_t kFormulaCapacity = 1023;
constexpr std::size_t kRowCount = 4;
constexpr std::array<int, kRowCount> kValueIds = {KV_EQ_ROW1_VALUE, KV_EQ_ROW2_VALUE, KV_EQ_ROW3_VALUE,
                                                  KV_EQ_ROW4_VALUE};
constexpr std::array<int, kRowCount> kLabelIds = {KV_EQ_ROW1_LABEL, KV_EQ_ROW2_LABEL, KV_EQ_ROW3_LABEL,
                                                  KV_EQ_ROW4_LABEL};

// The panel's input field and its four answer rows; a missing control is null and every
// operation on it is skipped.
struct EquationPanel {
    KvWindow* input = nullptr;
    std::array<KvWindow*, kRowCount> values{};
    std::array<KvWindow*, kRowCount> labels{};
};

EquationPanel FindEquationPanel() {
    EquationPanel panel;
    panel.input = MainWindowControl(KV_EQ_INPUT);
    for (std::size_t i = 0; i < kRowCount; ++i) {
        panel.values[i] = MainWindowControl(kValueIds[i]);
        panel.labels[i] = MainWindowControl(kLabelIds[i]);
    }
    return panel;
}

std::wstring ReadFormulaInput(const EquationPanel& panel) {
    return panel.input ? panel.input->text(kFormulaCapacity) : std::wstring();
}

void ShowControl(KvWindow* control, bool visible) {
    if (control) control->setVisible(visible);
}

void SetControlText(KvWindow* control, const std::wstring& text) {
    if (control) control->setText(text);
}

void HideAnswerRows(const EquationPanel& panel) {
    for (std::size_t i = 0; i < kRowCount; ++i) {
        ShowControl(panel.values[i], false);
        ShowControl(panel.labels[i], false);
    }
}

// A verdict keeps the row's label, but not the simplification's: that one names another
// kind of answer ("Упрощённое: Нет решений").
bool ShowsSimplification(const KvWindow* label) {
    return label && label->text(64) == text::kSimplifiedLabel;
}

void ShowAnswerRow(const EquationPanel& panel, std::size_t row, const AnswerRow& answer) {
    if (answer.label) SetControlText(panel.labels[row], *answer.label);
    else if (ShowsSimplification(panel.labels[row])) SetControlText(panel.labels[row], text::kRootLabel);
    SetControlText(panel.values[row], answer.value);
    ShowControl(panel.labels[row], true);
    ShowControl(panel.values[row], true);
}

// The roots behind the rows of the last solve, kept for faces that list them all.
std::vector<ShownRoot>& LastRoots() {
    static std::vector<ShownRoot> roots;
    return roots;
}

// A text the checks refuse leaves the rows, the roots and the step log as they were.
void Solve() {
    const EquationPanel panel = FindEquationPanel();
    const std::wstring typed = ReadFormulaInput(panel);
    if (!ValidateFormula(typed.c_str())) return RecordStatus(KV_STATUS_REFUSED);
    EquationResult result = SolveEquation(typed);
    HideAnswerRows(panel);
    for (std::size_t row = 0; row < result.rows.size() && row < kRowCount; ++row) {
        ShowAnswerRow(panel, row, result.rows[row]);
    }
    LastRoots() = std::move(result.roots);
    RecordStatus(result.status);
    SetStepsLog(std::move(result.report));
}

constexpr FormulaKeypad kKeypad{kvEquationKeys, KV_KEY_COUNT(kvEquationKeys), KV_EQ_BACKSPACE, KV_EQ_POWER,
                                KV_EQ_CLEAR, KV_EQ_CLEAR_ENTRY};

}  // namespace

std::wstring EquationRootLines(bool exact) {
    const std::vector<ShownRoot>& roots = LastRoots();
    std::wstring lines;
    for (std::size_t i = 0; i < roots.size(); ++i) {
        lines += RootLabel(i, roots.size()) + L" " + (exact ? roots[i].exact : roots[i].decimal) + L"\n";
    }
    return lines;
}

void HandleFormulaButton(int buttonId) {
    if (buttonId == KV_EQ_SOLVE) return Solve();
    if (buttonId == KV_EQ_STEPS) {
        ShowStepsWindow(Engine().MainWindow);
        return;
    }
    if (KvWindow* input = MainWindowControl(KV_EQ_INPUT)) ApplyFormulaKey(*input, kKeypad, buttonId);
}

}  // namespace abacor
