// The equation panel's solver: an equation in x brought to P(x) = 0 step by step, solved
// by degree and checked by substitution; an input without "=" is simplified instead.
// The solver returns what the panel shows and leaves the controls to the panel.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "abacor.h"
#include "algebra/equation_report.h"  // AppendExpansionNotes, which the inequality report uses too

namespace abacor {

// One answer row: a row without a label keeps whatever its label said before.
struct AnswerRow {
    std::optional<std::wstring> label;
    std::wstring value;
};

// A root of the answer: its decimal as a row shows it, and its exact form ("1/3", "√2",
// "(1 + √5)/2") where it has a readable one, else the decimal again.
struct ShownRoot {
    std::wstring decimal;
    std::wstring exact;
};

struct EquationResult {
    std::vector<AnswerRow> rows;  // from the first row down, at most four
    std::wstring report;          // the whole step log
    KvStatus status = KV_STATUS_ANSWERED;
    std::vector<ShownRoot> roots = {};  // every root of the answer, in the rows' order
};

// The label of root index (from 0) of count: "X =" for a lone root, else "X₁ =", "X₂ =", ...
std::wstring RootLabel(std::size_t index, std::size_t count);

// Solves the text as typed (or simplifies it when it has no "=").
EquationResult SolveEquation(const std::wstring& typed);

// A text without "=": its expanded form and the simplification report.
EquationResult SimplifyExpression(const std::wstring& typed);

}  // namespace abacor
