// The equation panel's solver: an equation in x brought to P(x) = 0 step by step,
// solved by degree, checked by substitution, with the whole report in the step log.
#pragma once

#include <array>

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

}  // namespace abacor
