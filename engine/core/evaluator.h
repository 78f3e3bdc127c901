// The arithmetic evaluator: one line of text to a double, NaN when it cannot be
// evaluated. Exported as EvaluateExpression.
#pragma once

#include <cstddef>
#include <string_view>

#include "core/formula_reader.h"

namespace abacor {

// Longest text the evaluator accepts (before and after its rewriting steps).
inline constexpr std::size_t kMaxExpressionLength = 1023;
// Most operators, and most values, that may wait on its stacks at once.
inline constexpr std::size_t kMaxStackEntries = 512;
// Function calls nest at most this deep; a 1023-character text needs far fewer.
inline constexpr int kMaxNesting = 300;

// Why a text has no value. A function value that is NaN or infinite (sqrt(-1), ln(0))
// leaves the whole text without one: a wrong number is worse than none.
enum class Fault {
    None,
    DivisionByZero,  // a divisor was 0 (the value is NaN)
    Overflow,        // the result is infinite (the value is that infinity)
    Undefined,       // anything else: an unreadable text, a function outside its domain (NaN)
};

struct Evaluated {
    double value;
    Fault fault;
};

Evaluated EvaluateWithFault(std::wstring_view text);
double Evaluate(std::wstring_view text);

// A NUL-terminated text, of which no more than the evaluator accepts is looked at; NaN
// for null.
double EvaluateTerminated(const wchar_t* text);

// The value of a read formula with x and y (when they are its unknowns) at the given
// values.
Evaluated EvaluateFormula(const FormulaTree& tree, double x = 0, double y = 0);

}  // namespace abacor
