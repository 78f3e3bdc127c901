// The memory list's recall is bound late: it is looked up by name in the already loaded
// library, so that a library without it still runs the program.
#pragma once

#include "abacor.h"

namespace kelvora {

using MemoryComboSelectFunction = int (*)(KvWindow* display);

// The library's ProcessMemoryComboSelect, or null when the library is not loaded or
// does not export it.
MemoryComboSelectFunction LookUpMemoryComboSelect();

}  // namespace kelvora
