// The step reports of the inequality solvers: six steps for one inequality, three for a
// system.
#pragma once

#include <string>

#include "inequalities/inequality_solver.h"

namespace abacor {

std::wstring InequalityReport(const std::wstring& text, const InequalityAnalysis& analysis,
                              const std::wstring& answer);

// One inequality of a system, as typed, and its solution.
struct SystemPart {
    const std::wstring& text;
    const InequalityAnalysis& analysis;
};

std::wstring SystemReport(const std::wstring& text, const SystemPart& first, const SystemPart& second,
                          const std::wstring& answer);

}  // namespace abacor
