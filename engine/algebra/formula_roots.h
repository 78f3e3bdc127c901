// The real roots of a formula in x read exactly, for faces that mark them on a picture
// (the graph's key points): decimals as the fractions they are, so that the roots of
// (x-0.1)(x-0.2) come out as the doubles 0.1 and 0.2.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "algebra/exact_in_x.h"
#include "algebra/real_roots.h"

namespace abacor {

// A graph asks for up to twenty root searches at each view (five curves, their turning
// points and every pair): each gets a small share of what one equation may spend, so
// that a hostile text costs the view a few milliseconds at most.
inline constexpr long long kFormulaRootsAllowance = kRootWorkAllowance / 16;

// Reading a power multiplies it out unmetered, at a cost that grows with the cube of the
// degree and the square of the numbers' digits: (0.123456789x+0.987654321)^100 takes
// 90 ms, (1e4000x+1)^100 seconds. Beyond these a formula is not read exactly here.
inline constexpr int kFormulaRootsMaxDegree = 50;
inline constexpr std::size_t kFormulaRootsLongestNumber = 12;  // characters
inline constexpr double kFormulaRootsLargestNumber = 1e12;      // and 1/that the smallest

// The real roots of the formula, or of its derivative, ascending; none for a constant
// (zero included). Nothing when the text is no polynomial in x of degree at most
// kFormulaRootsMaxDegree, has a number beyond the limits above, or the allowance runs
// out.
std::optional<std::vector<RealRoot>> FormulaRoots(const std::wstring& text, bool derivative);

// GetPolynomialRoots: the roots within the range of doubles, up to capacity of them
// copied (null arrays skipped); the full count, or -1 for FormulaRoots' nothing.
int CopyFormulaRoots(const wchar_t* text, bool derivative, double* roots, int* multiplicities, int capacity);

}  // namespace abacor
