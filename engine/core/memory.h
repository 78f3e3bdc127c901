// The ten memory registers and the memory list.
#pragma once

#include "platform.h"

namespace abacor {

bool IsMemoryButton(int buttonId);
// Carries out a memory key (clear, recall, add, subtract, store, list); records ANSWERED.
void HandleMemoryButton(KvWindow* display, int buttonId);
// Stores a value as the newest register, dropping the oldest when all ten are used.
void MemoryPush(double value);
// Shows the register chosen in the memory list, if any, and hides the list; 1 when the
// list was visible.
int SelectFromMemoryList(KvWindow* display);

}  // namespace abacor
