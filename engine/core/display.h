// The keypad's display: what the keypad and the memory keys read and write.
#pragma once

#include <cstddef>
#include <string>

#include "platform.h"

namespace abacor {

// Longest text the display may hold; a key that would make it longer is ignored.
inline constexpr std::size_t kDisplayCapacity = 255;

// The display text as the keypad sees it (at most kDisplayCapacity characters).
std::wstring ReadDisplay(KvWindow* display);
// The display text read as a number: its leading number, 0 when it has none.
double ReadDisplayNumber(KvWindow* display);
// Writes the display unless the text is too long; returns whether it was written.
bool ShowOnDisplay(KvWindow* display, const std::wstring& text);
// Marks the display as showing a result: the next digit starts a new entry.
void MarkResultShown();

}  // namespace abacor
