// The pieces of the formula language below the reader: the narrowed text, the function
// table, how numbers are read, and how a value printed with "%.*g" reads back.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/evaluator.h"

namespace abacor::syntax {

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The reader only ever compares characters with ASCII ones and with '×' and '÷', so it
// works on one byte per character: ASCII as it is, '×' and '÷' as '*' and '/', ',' as
// '.', anything else as '?', which means nothing.
inline char Narrow(wchar_t c) {
    if (c == L',') return '.';
    if (c >= 0 && c < 0x80) return static_cast<char>(c);
    if (c == L'\u00D7') return '*';
    if (c == L'\u00F7') return '/';
    return '?';
}

// a^b. A square is one product: the C library's pow is correctly rounded, so a*a is the
// same value, found many times faster.
inline double Power(double a, double b) { return b == 2 ? a * a : std::pow(a, b); }

struct NamedFunction {
    std::string_view name;
    double (*apply)(double);
    void (*applyToAll)(double* values, std::size_t count);  // in place
};
extern const std::array<NamedFunction, 17> kFunctions;

// A whole text narrowed, one byte a character.
inline std::string NarrowText(std::wstring_view text) {
    std::string narrowed;
    narrowed.reserve(text.size());
    for (const wchar_t c : text) narrowed += Narrow(c);
    return narrowed;
}

// Powers of ten that are exact doubles.
inline constexpr std::array<double, 23> kPowersOfTen = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22,
};

// The number text[start, end) read by the C library; numberEnd is where its digits and
// points end and its exponent, if any, begins.
double ReadNumberInFull(std::string_view text, std::size_t start, std::size_t numberEnd, std::size_t end);

// Reads the number starting at `i` (a digit or '.'): digits, a point, fraction digits
// with any further points ignored, and an optional decimal exponent ("e", a sign,
// digits). Advances `i` past it. The text holds at most kMaxExpressionLength characters.
inline double ReadNumber(std::string_view text, std::size_t& i) {
    const std::size_t start = i;
    // Most numbers are a few digits: their value is one correctly rounded operation on
    // exact operands, which is what the full reading gives too.
    constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
    std::uint64_t digits = 0;
    bool exact = true, afterPoint = false, anyDigit = false;
    int scale = 0;
    for (; i < text.size() && (IsDigit(text[i]) || text[i] == '.'); ++i) {
        if (text[i] == '.') {
            afterPoint = true;
            continue;
        }
        anyDigit = true;
        if (digits > kExactLimit / 10 - 1) exact = false;
        else digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (afterPoint) --scale;
    }
    const std::size_t numberEnd = i;
    if (anyDigit && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        const bool negative = j < text.size() && text[j] == '-';
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        const std::size_t firstDigit = j;
        int exponent = 0;
        for (; j < text.size() && IsDigit(text[j]); ++j) {
            if (exponent < 10000) exponent = exponent * 10 + (text[j] - '0');
        }
        if (j > firstDigit) {
            i = j;
            scale += negative ? -exponent : exponent;
        }
    }
    if (!exact || scale < -22 || scale > 22) return ReadNumberInFull(text, start, numberEnd, i);
    const double significand = static_cast<double>(digits);
    return scale >= 0 ? significand * kPowersOfTen[static_cast<std::size_t>(scale)]
                      : significand / kPowersOfTen[static_cast<std::size_t>(-scale)];
}

// The longest "%.*g" text of a finite value, at most 17 digits: sign, digits, point and
// a three-digit exponent.
inline constexpr std::size_t kMaxPrintedLength = 24;
inline constexpr int MaxPrintedLength(int digits) { return digits + 7; }

// "%.*g" of the value in the "C" locale; returns the end of the text written to `out`.
char* PrintGeneral(double value, int digits, char* out);

// The value the evaluator reads from "(" + PrintGeneral(value, digits) + ")" for a
// finite value: a sign and the number after it.
double ReadBack(double value, int digits);
// A function value is taken as "(%.15g)" would write it, so that a value the user reads
// and types back gives the same result.
inline constexpr int kFunctionDigits = 15;

// ReadBack of each finite value in place; every other value becomes NaN. Four at a time
// where the processor can.
void ReadBackAll(double* values, std::size_t count, int digits);
// The same one value at a time, on every processor.
void ReadBackEach(double* values, std::size_t count, int digits);

}  // namespace abacor::syntax
