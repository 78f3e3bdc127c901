// The fraction line: common fractions and whole numbers joined by operators, checked,
// read and computed exactly with 64-bit fractions.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/engine_state.h"

namespace abacor {

enum class FractionStatus {
    Ok,
    TooLarge,       // a number or a result beyond the signed 64-bit range
    NotComputable,  // no exact value: a malformed line or a fractional exponent
};

struct FractionResult {
    Fraction value;
    FractionStatus status = FractionStatus::Ok;
};

// The answer to the fractions panel's solve button: reads the line, checks it,
// computes it and shows the result or a message in the panel's result fields. Records
// ANSWERED for a value, REFUSED for a line the check rejects or without an exact value,
// TOO_LARGE beyond 64 bits and UNDEFINED for a division by 0.
void ProcessFractionLine();

// Shows the first fault of the line and returns false; true for a valid line.
bool ValidateFractionLine(const std::wstring& text);

// A message in the whole-part field, with the numerator and denominator hidden.
void ShowFractionMessage(const std::wstring& message);

// The exact value of the line, read as the formula reader reads it with common fractions
// as numbers; records its operands and operators in text order in FractionValues and
// FractionOps. A lone operand keeps the values it was written with; every computed value
// is reduced, with a positive denominator (0 for a division by 0).
FractionResult EvaluateFractionLine(const std::wstring& line);

// Shows a whole number, a proper fraction or a mixed number, or the division by 0.
void ShowFraction(const Fraction& fraction);

}  // namespace abacor
