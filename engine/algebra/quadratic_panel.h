// The quadratic panel: a x² ± b x ± c = 0 from three coefficient fields and two sign
// selectors, its roots in two result fields.
#pragma once

#include <string>

#include "abacor.h"

namespace abacor {

// The two result fields' texts: the roots to four decimals (a dash for the second when
// both are one), or a message in the first with the second empty.
struct QuadraticAnswer {
    KvStatus status = KV_STATUS_ANSWERED;
    std::wstring first;
    std::wstring second;
};

// REFUSED for a = 0; "no real roots" is an answer like the roots.
QuadraticAnswer SolveQuadratic(double a, double b, double c);

// Reads the panel's fields, writes its result fields and records the status.
void SolveQuadraticPanel();

}  // namespace abacor
