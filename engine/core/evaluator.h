// The arithmetic evaluator: one line of text to a double, NaN when it cannot be
// evaluated. Exported as EvaluateExpression.
#pragma once

#include <cstddef>
#include <string_view>

namespace abacor {

// Longest text the evaluator accepts (before and after its rewriting steps).
inline constexpr std::size_t kMaxExpressionLength = 1023;
// Most operators, and most values, that may wait on its stacks at once.
inline constexpr std::size_t kMaxStackEntries = 512;

double Evaluate(std::wstring_view text);

// The same on a text already narrowed to one byte a character (syntax::Narrow).
double EvaluateNarrowed(std::string_view text);

// A function argument's value, `nesting` calls deep. A limit exceeded there makes the
// whole text NaN, not just the argument.
struct ArgumentValue {
    double value;
    bool limitExceeded;
};
ArgumentValue EvaluateArgument(std::string_view narrowedText, int nesting);

}  // namespace abacor
