// Polynomials in x, y and z with real coefficients: the value type of all symbolic
// work, with its arithmetic, evaluation, derivative and printing.
#pragma once

#include <cstddef>
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

// Size limits that keep every operation quick on any formula of up to 1024 characters.
// A product, power or quotient with more terms than this is not built.
inline constexpr std::size_t kMaxTerms = 10000;
// Long division takes at most this many rounds, one per quotient term (and a few that
// clear rounding residue); with y or z next to x it can go round in circles. A quotient
// of more terms than this is not started.
inline constexpr int kMaxDivisionRounds = 2000;
// Work allowed for one expansion, shared by all its products, powers and divisions; one
// unit is roughly 10 ns. A product costs kPairCost per pair of terms and kTermCost per
// term of its result, a division round kPairCost per term of the remainder and kTermCost
// per term of the divisor, and every operation kOperationCost.
inline constexpr long long kWorkAllowance = 1'000'000;
inline constexpr long long kPairCost = 4;
inline constexpr long long kTermCost = 30;
inline constexpr long long kOperationCost = 50;

struct WorkBudget {
    long long remaining = kWorkAllowance;
};

// Which limit stopped an operation.
enum class LimitHit { kNone, kTooManyTerms, kTooMuchWork, kDivisionRounds };

// The bounded forms of the arithmetic. A product or power that hits a limit is empty, and
// so is a quotient that would need more than kMaxDivisionRounds rounds; a division
// stopped by the rounds or the budget keeps the quotient it had built by then.
// MultiplyPolynomials, PowerPolynomial and DividePolynomials are these on a fresh budget.
LimitHit MultiplyBounded(const Polynomial& a, const Polynomial& b, WorkBudget& budget, Polynomial& product);
LimitHit PowerBounded(const Polynomial& base, int n, WorkBudget& budget, Polynomial& power);
LimitHit DivideBounded(const Polynomial& dividend, const Polynomial& divisor, WorkBudget& budget,
                       Polynomial& quotient);

// The decimal digits at `position` (advanced past them) as a non-negative exponent,
// saturating at the largest int instead of overflowing; 0 when there are none.
int ReadExponentDigits(const std::wstring& text, std::size_t& position);
// True when some key is not "_const" (x^0 counts as a variable key).
bool HasVariableKey(const Polynomial& polynomial);
// Sum of two exponents, saturating at the int limits.
int AddExponents(int a, int b);

}  // namespace abacor
