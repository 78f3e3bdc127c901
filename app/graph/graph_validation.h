// The check a graph formula text passes before anything is plotted.
#pragma once

#include <string>
#include <string_view>

#include "platform.h"

namespace kelvora::graph {

// A warning box of no window with the graph's caption.
void ShowGraphError(KvDesktop& desktop, const std::wstring& message);

// Shows the first problem found (at most one message) and returns false, or returns true.
bool ValidateGraphFormula(std::wstring_view text, KvDesktop& desktop);

}  // namespace kelvora::graph
