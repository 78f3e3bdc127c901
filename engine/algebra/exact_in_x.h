// From the equation solver's double polynomials to exact roots: each coefficient is taken
// as the rational the double is, and a shown root is checked against the exact roots.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "algebra/exact_polynomial.h"
#include "algebra/polynomial.h"
#include "algebra/real_roots.h"

namespace abacor {

// Exact isolation takes quadratic work in the degree on numbers that grow with it: above
// this degree the solver keeps to its numerical search and check.
inline constexpr int kExactSearchMaxDegree = 100;

// Work allowed for the exact roots of one equation (FindRealRootsWithin's units, about
// 30 ms): roots packed closer than the allowance can tell apart leave the solver to its
// numerical search and check.
inline constexpr long long kRootWorkAllowance = 100'000'000;

// Whether the key stands for a number: "_const", or x⁰ (read as a key of its own).
bool IsFreeTermKey(const MonomialKey& key);

// P's coefficients by power of x; nullopt when one is not finite or the degree is above
// kExactSearchMaxDegree.
std::optional<ExactPolynomial> ExactInX(const Polynomial& p);

// Every real root of P = 0, or nullopt when ExactInX refuses P or the work allowance runs
// out.
std::optional<std::vector<RealRoot>> ExactRootsInX(const Polynomial& p);

// Whether value is one of the roots to the ten significant digits an answer shows, with
// a bound that is proven, not estimated: the root lies in its isolating interval, so its
// distance from value is at most that of the interval's farther end.
bool IsShownRoot(const std::vector<RealRoot>& roots, double value);

// The root a shown value stands for in IsShownRoot's sense; null when there is none.
const RealRoot* ShownExactRoot(const std::vector<RealRoot>& roots, double value);

// ExactRootText when it is short enough to read ("1/3", "(1 + √5)/2"); empty for a root
// without one or for a form like "3602879701896397/36028797018963968".
std::wstring ReadableExactForm(const RealRoot& root);

// The multiplicity note after a multiple root in a report (text::kMultiplicityOpen, the
// number, text::kMultiplicityClose); nothing for a simple one.
std::wstring MultiplicityText(int multiplicity);

// Every real x where one of the polynomials vanishes, ascending, each value once (zeros of
// different polynomials with the same nearest double are one value); nullopt when one of
// them cannot be taken exactly or the work allowance, shared among them, runs out.
std::optional<std::vector<RealRoot>> CommonZeros(const std::vector<Polynomial>& polynomials);

}  // namespace abacor
