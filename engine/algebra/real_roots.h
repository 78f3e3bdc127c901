// Every real root of a polynomial with rational coefficients, found exactly: each
// distinct root once with its multiplicity, rational roots as exact fractions, the others
// inside isolating intervals with rational ends and as the nearest double.
#pragma once

#include <gmpxx.h>

#include <optional>
#include <string>
#include <vector>

#include "algebra/exact_polynomial.h"

namespace abacor {

// (rational + coefficient·√radicand) / denominator: a root of a quadratic factor.
// The radicand is at least 2 and free of small square factors, the denominator positive.
struct QuadraticSurd {
    mpz_class rational;
    mpz_class coefficient;
    mpz_class radicand;
    mpz_class denominator;
};

struct RealRoot {
    // Set when the root is rational; then lower == upper == *exact.
    std::optional<mpq_class> exact;
    // The only root of the polynomial strictly between lower and upper (either end may be
    // another root), or lower == upper == the exact root.
    mpq_class lower;
    mpq_class upper;
    // The double nearest to the root (±infinity beyond the range of doubles).
    double value = 0.0;
    int multiplicity = 1;
    // Set for an irrational root of a square-free factor that is quadratic once its
    // rational roots are divided out.
    std::optional<QuadraticSurd> surd;
};

// The real roots in ascending order; none for a constant (the zero polynomial included:
// whether every x is a root is the caller's to say).
std::vector<RealRoot> FindRealRoots(const ExactPolynomial& p);
// The double nearest to x (±infinity beyond the range of doubles).
double NearestDouble(const mpq_class& x);
// The same within a work allowance of about a nanosecond a unit: nullopt when the roots
// lie too close together to be told apart in time (xⁿ - 2(ax - 1)² for large n and a).
std::optional<std::vector<RealRoot>> FindRealRootsWithin(const ExactPolynomial& p, long long workAllowance);

// The root's exact form when it has one: "2", "-1/3", "√2", "-3√5/2", "(1 + √5)/2";
// empty otherwise.
std::wstring ExactRootText(const RealRoot& root);

}  // namespace abacor
