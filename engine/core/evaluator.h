// The arithmetic evaluator: one line of text to a double, NaN when it cannot be
// evaluated. Exported as EvaluateExpression.
#pragma once

#include <string_view>

namespace abacor {

// Longest text the evaluator accepts (before and after its rewriting steps).
inline constexpr std::size_t kMaxExpressionLength = 1023;
// Most operators, and most values, that may wait on its stacks at once.
inline constexpr std::size_t kMaxStackEntries = 512;

double Evaluate(std::wstring_view text);

}  // namespace abacor
