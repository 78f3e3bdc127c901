// Polynomials in x, y and z with real coefficients: the value type of all symbolic
// work, with its arithmetic, evaluation, derivative and printing.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace abacor {

// "_const" for the constant term, otherwise "x<e>y<e>z<e>" (x2y0z0 is x²). The key
// x0y0z0 is a key of its own, distinct from "_const".
using MonomialKey = std::wstring;
// Ordered by plain comparison of the key texts.
using Polynomial = std::map<MonomialKey, double>;

inline const MonomialKey kConstKey = L"_const";
// A coefficient of smaller magnitude counts as zero.
inline constexpr double kZeroTolerance = 1e-10;

MonomialKey MakeKey(int xExponent, int yExponent, int zExponent);
// The (letter, exponent) pairs of a key in order; empty for "_const".
std::vector<std::pair<wchar_t, int>> ReadKey(const MonomialKey& key);
int TotalDegree(const MonomialKey& key);
// The exponent after the first occurrence of the letter; 0 when absent.
int VariableExponent(const MonomialKey& key, wchar_t letter);
// The greatest exponent of x over the polynomial's keys; 0 when x is absent.
int DegreeInX(const Polynomial& polynomial);
// The coefficient of a key, 0 when absent.
double Coefficient(const Polynomial& polynomial, const MonomialKey& key);

void RemoveZeroTerms(Polynomial& polynomial);
void AddPolynomials(Polynomial& left, const Polynomial& right);
void SubtractPolynomials(Polynomial& left, const Polynomial& right);
Polynomial MultiplyPolynomials(const Polynomial& a, const Polynomial& b);
// The quotient of the division in x; the remainder is dropped.
Polynomial DividePolynomials(const Polynomial& dividend, const Polynomial& divisor);
Polynomial PowerPolynomial(const Polynomial& base, int n);
// z (and any letter but x and y) counts as the factor 1.
double EvaluatePolynomial(const Polynomial& polynomial, double x, double y);
Polynomial DerivePolynomial(const Polynomial& polynomial);
// Report form with caret exponents: "2x^2 - 3x + 1"; "0" for the zero polynomial.
std::wstring PolynomialToString(const Polynomial& polynomial);

wchar_t SuperscriptDigit(wchar_t digit);
std::wstring CaretToSuperscript(const std::wstring& text);
std::wstring SuperscriptToCaret(const std::wstring& text);
// The formula text with the number v in place of every x, for substitution checks.
std::wstring SubstituteValue(const std::wstring& formula, double value);

}  // namespace abacor
