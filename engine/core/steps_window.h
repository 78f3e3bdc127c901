// The step report of the last solver run and the Steps window that shows it.
#pragma once

#include <string>

#include "platform.h"

namespace abacor {

// Replaces the whole report; solvers call it once they have finished theirs.
void SetStepsLog(std::wstring report);
// The last report, as GetLastSteps gives it.
const std::wstring& StepsLog();

// Shows the report in the Steps window (ShowStepsWindow): an open window is refreshed and
// brought to the front, nonzero when that worked; otherwise a new one is shown and 0 is
// returned once it has been closed. A null owner means the main window.
int ShowSteps(KvWindow* owner);

}  // namespace abacor
