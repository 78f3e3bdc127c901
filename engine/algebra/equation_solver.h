// The equation panel's solver: an equation in x brought to P(x) = 0 step by step,
// solved by degree, checked by substitution, with the whole report in the step log.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "algebra/formula.h"
#include "algebra/polynomial.h"
#include "platform.h"

namespace abacor {

// The panel's input field and its four answer rows; a missing control is null and
// every operation on it is skipped.
struct EquationPanel {
    KvWindow* input = nullptr;
    std::array<KvWindow*, 4> values{};
    std::array<KvWindow*, 4> labels{};
};

// The panel's controls, looked up in the main window.
EquationPanel FindEquationPanel();

// Solves the input (or simplifies it when it has no "="); writes the answer rows and
// replaces the step log once.
void SolveEquation(const EquationPanel& panel);

// An input without "=": shows its expanded form and writes the simplification report.
void SimplifyExpression(const EquationPanel& panel);

// --- Shared by the solver and the simplifier ---

// The input as the solver reads it: at most 1023 characters.
std::wstring ReadFormulaInput(const EquationPanel& panel);
void HideAnswerRows(const EquationPanel& panel);
// Shows answer row `row` (0-based) with its value; the label's text changes only when
// one is given, otherwise it keeps whatever it said before.
void ShowAnswerRow(const EquationPanel& panel, std::size_t row, const std::wstring& value,
                   const wchar_t* label = nullptr);
// One report line per part the expansion had to leave out.
void AppendExpansionNotes(std::wstring& report, const ExpansionNotes& notes);

}  // namespace abacor
