// Real roots of P(x) = 0 for degree 3 and more. The report shows the student's search
// (x = 0 for a zero free term, integer roots among the divisors of the free term, Newton's
// method for degrees 3 and 4); the answer is every real root from exact isolation, each
// once, with its multiplicity in the report.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "algebra/polynomial.h"
#include "algebra/real_roots.h"
#include "core/report.h"

namespace abacor {

// Appends the section of step 4 for a polynomial of the given degree (at least 3) to the
// report and returns the distinct real roots, sorted ascending.
std::vector<double> SolveHigherDegree(const Polynomial& p, int degree, ReportWriter& report);
// The same with P's exact real roots already found (nullopt: not to be had, and the
// search's finds are the answer).
std::vector<double> SolveHigherDegree(const Polynomial& p, int degree, const std::optional<std::vector<RealRoot>>& exact,
                                      ReportWriter& report);

}  // namespace abacor
