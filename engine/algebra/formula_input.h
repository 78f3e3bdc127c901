// The editing keys of a formula input, shared by the equation and inequality panels.
// Edits see the whole field: a capped read would cut a longer (pasted) formula, and
// writing the cut text back would lose its end.
#pragma once

#include <cstddef>
#include <string_view>

#include "control_ids.h"
#include "platform.h"

namespace abacor {

// A panel's keypad: its key table (typing keys carry their text) and its editing keys.
struct FormulaKeypad {
    const KvKey* keys;
    std::size_t count;
    int backspace;
    int power;
    int clear;
    int clearEntry;
};

// Carries out a typing or editing key of the keypad on the input; false for any other
// code, which the panel handles itself.
bool ApplyFormulaKey(KvWindow& input, const FormulaKeypad& keypad, int buttonId);

// Appends the text at the end, wherever the caret was, and leaves the caret there. A
// digit typed right after "^" becomes its superscript: x, ^, 2 leaves "x²".
void TypeAtEnd(KvWindow& input, std::wstring_view typed);

// A single selected digit becomes its superscript; anything else (the caret, a longer
// selection) is replaced by "^".
void TypePower(KvWindow& input);

// Removes the last character and leaves the caret at the end.
void DeleteLast(KvWindow& input);

void ClearInput(KvWindow& input);

}  // namespace abacor
