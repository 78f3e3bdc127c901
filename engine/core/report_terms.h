// The one way numbers and terms are written into a step report, so that every line reads
// as a true equality a student could copy: a negative value that is substituted or follows
// an operator stands in brackets, signs are folded into the operator before a term, a
// coefficient 1 and a division by 1 are not written, and powers are superscripts.
#pragma once

#include <string>
#include <string_view>

namespace abacor {

// How a report writes a number (Ng, Nf, FormatAnswer).
using NumberText = std::wstring (*)(double);

// The number text as an operand: "(-3)" for a negative one, the text itself otherwise.
std::wstring Operand(std::wstring_view number);
// The value as an operand, a zero of either sign as "0".
std::wstring Operand(double value, NumberText format);

// The term after the one before it, sign folded into the operator: " + 16", " - 7";
// nothing for zero.
std::wstring FollowingTerm(double value, NumberText format);

// A coefficient times a letter: "x", "-x", "2x", "-2.5x".
std::wstring CoefficientTerm(double coefficient, std::wstring_view letter, NumberText format);

// "7 / 2"; the numerator alone when the divisor reads 1, "(-2)" as a negative divisor.
std::wstring Quotient(std::wstring_view numerator, std::wstring_view divisor);

// Every caret followed by a run of digits written as superscript digits ("x^12" to
// "x¹²"); a power that is not a whole number ("x^2.5", "x^-1") keeps its caret.
std::wstring WithSuperscripts(std::wstring_view text);

// The digit 0-9 as a subscript (I₁, I₁₂).
std::wstring Subscript(std::size_t number);

// The formula (caret powers) with each unknown x replaced by the number text: brackets
// around a negative one, "·" where the x followed a number or a bracket, powers as
// superscripts: "2x^2 - x" at -0.5 is "2·(-0.5)² - (-0.5)". The x of a function name
// ("exp") is not an unknown.
std::wstring Substituted(std::wstring_view formula, std::wstring_view number);

}  // namespace abacor
