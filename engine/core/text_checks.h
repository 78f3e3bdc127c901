// The checks every formula input makes before anything is computed: a foreign character,
// two operators in a row, a division by a lone zero, unbalanced brackets. Each input
// composes them in its own order; the graph's check reaches them through CheckFormulaText.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "abacor.h"

namespace abacor {

inline constexpr std::wstring_view kOperatorCharacters = L"*+-/^";

// text[i] is an operator and the character right after it an operator that cannot be a
// sign ("2*/3"; "2*-3" negates the 3).
bool IsDoubledOperatorAt(std::wstring_view text, std::size_t i);
// The '/' at `slash` divides by a lone zero: "0" (after blanks, when they are skipped) at
// the end or followed by one of `mayFollow`. "/0.5" and "/05" divide by no zero.
bool IsZeroDivisorAt(std::wstring_view text, std::size_t slash, std::wstring_view mayFollow, bool skipBlanks);
// Some '/' divides by a lone zero, blanks between '/' and '0' skipped.
bool DividesByZero(std::wstring_view text, std::wstring_view mayFollow);
// As many "(" as ")".
bool BracketsBalanced(std::wstring_view text);
// In one pass, blanks skipped: the first character outside `allowed` or the first doubled
// operator, whichever comes first; then the brackets.
std::optional<KvTextFault> SpellingFault(std::wstring_view text, std::wstring_view allowed);

// The message shown for a fault.
const wchar_t* FaultMessage(KvTextFault fault);
// The same for a fault's code; an empty text for KV_TEXT_OK or an unknown code.
const wchar_t* FaultCodeMessage(int fault);

// The first fault of a formula's text: empty, then a division by a lone zero (blanks
// skipped), then SpellingFault.
KvTextFault CheckText(std::wstring_view text, std::wstring_view allowed, std::wstring_view mayFollowZero);

}  // namespace abacor
