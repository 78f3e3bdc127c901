// The ten memory registers and the memory list.
#pragma once

#include "platform.h"

namespace abacor {

inline constexpr int kMemoryListId = 1610;

bool IsMemoryButton(int buttonId);
// Carries out a memory key (clear, recall, add, subtract, store, list).
void HandleMemoryButton(KvWindow* display, int buttonId);
// Stores a value as the newest register, dropping the oldest when all ten are used.
void MemoryPush(double value);

}  // namespace abacor
