// The step report of the last solver run and the Steps window that shows it.
#pragma once

#include <string>

namespace abacor {

// Replaces the whole report; solvers call it once they have finished theirs.
void SetStepsLog(std::wstring report);

}  // namespace abacor
