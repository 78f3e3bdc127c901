// The keypad's display: what the keypad and the memory keys read and write.
#pragma once

#include <cstddef>
#include <optional>
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

// The operand a display text ends with (a number, or a bracketed group with the name of
// the function it belongs to) and the text before it. A minus that subtracts nothing
// belongs to the number: "2×-3" ends with "-3", "2-3" with "3".
struct LastOperand {
    std::wstring before;
    std::wstring operand;
};
// Nothing when the text ends with an operator, an open bracket or a word.
std::optional<LastOperand> SplitLastOperand(const std::wstring& text);

}  // namespace abacor
