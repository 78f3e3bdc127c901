// Number to text and text to number, always in the "C" locale: the program runs under
// Russian locales whose decimal separator is a comma, and the engine's texts must not
// change with it.
#pragma once

#include <cstddef>
#include <string>

namespace abacor {

// The longest text of the engine's 64-character number buffers.
inline constexpr std::size_t kNumberBufferText = 63;

// printf-style formatting of numbers; the result is ASCII widened to wide text.
std::wstring FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "%.10g", the engine's plain number text (function keys, memory, reports).
std::wstring FormatGeneral(double value);

// "%.*f" with the given decimals; a text longer than maxLength (a huge magnitude or
// precision) is printed with "%.10g" instead, so it stays readable and bounded.
std::wstring FormatFixed(double value, int decimals, std::size_t maxLength);

// The display text of a value under the current precision setting.
std::wstring FormatNumber(double value);

// A zero of either sign as +0: no answer shows "-0".
double WithoutNegativeZero(double value);

// The number text reads as a zero of either sign ("0", "-0.0000").
bool ReadsAsZero(const std::wstring& text);

// "%.10g" with the trailing-zero rule, a zero of either sign as "0": a text that never
// shows a value as another (1e-11, 1e+150).
std::wstring FormatSignificant(double value);

// A root or bound in a field of fixed decimals, as `fixed` writes it. A zero of either sign
// is written as `fixed` writes 0; a value that is not zero but that `fixed` would write as
// a zero, or in more than maxLength characters, is given as FormatSignificant, so no
// answer shows a number it is not.
std::wstring FormatFaithfully(double value, std::wstring (*fixed)(double), std::size_t maxLength);

// Removes zeros after the last decimal point, then a bare point; texts with anything
// but digits after their last point are left alone. Never removes the first character.
void TrimTrailingZeros(wchar_t* text);
std::wstring TrimTrailingZeros(std::wstring text);

// The longest leading number of the text, as the C library's wcstod reads it; 0 when
// the text does not begin with one. `consumed` receives the length of that number.
double ReadLeadingNumber(const std::wstring& text, std::size_t* consumed = nullptr);

// The number a control's text shows: empty text is 0, otherwise ReadLeadingNumber.
double ReadNumberText(const std::wstring& text);

}  // namespace abacor
