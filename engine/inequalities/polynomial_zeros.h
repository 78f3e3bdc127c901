// The real zeros of a polynomial in x, all of them, for the interval method.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "algebra/polynomial.h"

namespace abacor {

// Coefficients by power of x, index 0 the constant; the highest is non-zero (an empty
// vector is the zero polynomial).
using Coefficients = std::vector<double>;

// Above this degree the zeros are not searched for: the search costs up to the cube of
// the degree.
inline constexpr int kMaxZeroSearchDegree = 100;

// Work allowed for the zero searches of one solve (all inequalities of a system
// together), in polynomial terms evaluated, so that a solve stays well inside the
// engine's time limit. One unit is a few nanoseconds.
inline constexpr long long kZeroSearchWork = 6'000'000;
struct ZeroSearchBudget {
    long long remaining = kZeroSearchWork;
};
// Zeros closer than this are one zero.
inline constexpr double kSameZero = 1e-8;

// f(x, 0) as EvaluatePolynomial reads it (terms in y vanish, z counts as 1), with
// coefficients below the engine's zero tolerance dropped; nothing when its degree in x
// is above kMaxZeroSearchDegree.
std::optional<Coefficients> CoefficientsInX(const Polynomial& f);

double EvaluateAt(const Coefficients& c, double x);

// Every real zero, ascending, no two within kSameZero of each other; nothing when the
// budget ran out. Zeros that are integers are exact: integer divisors of the free term
// are tried first, exactly, and the rest are found numerically between the zeros of the
// derivative.
std::optional<std::vector<double>> RealZeros(Coefficients c, ZeroSearchBudget& budget);

}  // namespace abacor
