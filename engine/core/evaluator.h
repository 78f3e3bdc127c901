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
// Function arguments nest at most this deep; a 1023-character text needs far fewer. The
// compiled formulas keep to the same limit, so that they fail exactly where this does.
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

// The same on a text already narrowed to one byte a character (syntax::Narrow).
double EvaluateNarrowed(std::string_view text);

// A function argument's value, `nesting` calls deep. Any failure there (a limit exceeded,
// a zero divisor, an undefined function value) makes the whole text NaN.
struct ArgumentValue {
    double value;
    bool wholeTextNaN;
};
ArgumentValue EvaluateArgument(std::string_view narrowedText, int nesting);

}  // namespace abacor
