// A formula in x read into an exact polynomial: the same tree the evaluator and the
// double expansion read, with every number taken exactly from its digits (0.1 is 1/10),
// so that roots that are decimals come out as the decimals they are.
#pragma once

#include <optional>
#include <string>

#include <vector>

#include "algebra/exact_polynomial.h"
#include "algebra/polynomial.h"
#include "algebra/real_roots.h"

namespace abacor {

// Nothing when the text is no polynomial in x alone with exact coefficients: another
// letter, a function, a division by x or by 0, an exponent that is not a whole number
// from 0 up to `maxDegree`, a number the exact reader refuses.
std::optional<ExactPolynomial> ReadExactInX(const std::wstring& text, int maxDegree);

// The real roots of left = right read exactly when both sides are such polynomials and
// agree in degree with p, the sides' double expansion; else those of p taken exactly.
// Nothing when the work allowance runs out.
std::optional<std::vector<RealRoot>> ExactRootsOfSides(const std::wstring& left, const std::wstring& right,
                                                      const Polynomial& p);

}  // namespace abacor
