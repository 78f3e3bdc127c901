// Systems of inequalities joined by "&", solved as the exact intersection of the
// solution sets of their inequalities.
#pragma once

#include <string>

#include "inequalities/inequality_solver.h"

namespace abacor {

// Inequalities joined by "&", or a double inequality such as 1<x<3 (the system
// 1<x & x<3).
bool IsInequalitySystem(const std::wstring& text);

// A text that is no system is one inequality (SolveInequality). A system's report
// replaces the step log unless one of its inequalities has no sign.
InequalityResult SolveInequalitySystem(const std::wstring& text);

// The points and intervals that belong to both sets; the points are those of both,
// points closer than 1e-8 counting as one.
SolutionSet Intersect(const SolutionSet& a, const SolutionSet& b);

}  // namespace abacor
