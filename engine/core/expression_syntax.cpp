#include "core/expression_syntax.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "core/number_format.h"

namespace abacor::syntax {

const std::array<NamedFunction, 17> kFunctions{{
    {"sin", [](double x) { return std::sin(x); }},
    {"cos", [](double x) { return std::cos(x); }},
    {"tan", [](double x) { return std::tan(x); }},
    {"asin", [](double x) { return std::asin(x); }},
    {"acos", [](double x) { return std::acos(x); }},
    {"atan", [](double x) { return std::atan(x); }},
    {"sinh", [](double x) { return std::sinh(x); }},
    {"cosh", [](double x) { return std::cosh(x); }},
    {"tanh", [](double x) { return std::tanh(x); }},
    {"exp", [](double x) { return std::exp(x); }},
    {"ln", [](double x) { return std::log(x); }},
    {"log", [](double x) { return std::log10(x); }},
    {"sqrt", [](double x) { return std::sqrt(x); }},
    {"abs", [](double x) { return std::fabs(x); }},
    {"floor", [](double x) { return std::floor(x); }},
    {"ceil", [](double x) { return std::ceil(x); }},
    {"round", [](double x) { return std::round(x); }},
}};

namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr std::array<Wide, 23> kWidePowersOfTen = [] {
    std::array<Wide, 23> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
    return powers;
}();

int BitWidth(Wide value) {
    const auto high = static_cast<std::uint64_t>(value >> 64);
    return high != 0 ? 64 + std::bit_width(high) : std::bit_width(static_cast<std::uint64_t>(value));
}

// ReadBack without printing, for at most 15 digits and magnitudes where the decimal
// rounding is exact in 128-bit integers and the way back is one correctly rounded
// double operation (both operands exact): false when the value is outside that range.
bool ReadBackExactly(double magnitude, int digits, double& result) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>(bits >> 52);
    if (biased == 0 || biased == 0x7FF) return false;
    const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int exponent = biased - 1075;  // magnitude = mantissa * 2^exponent
    // floor(log10(2^(exponent + 52))): the decimal exponent, or one less than it.
    int decimalExponent = ((exponent + 52) * 78913) >> 18;
    const Wide limit = kWidePowersOfTen[static_cast<std::size_t>(digits)];
    for (int attempt = 0; attempt < 2; ++attempt, ++decimalExponent) {
        const int scale = digits - 1 - decimalExponent;  // magnitude * 10^scale has `digits` digits
        if (scale < -22 || scale > 22) return false;
        // magnitude * 10^scale = numerator / denominator, both exact.
        Wide numerator = mantissa;
        Wide denominator = 1;
        if (scale >= 0) numerator *= kWidePowersOfTen[static_cast<std::size_t>(scale)];
        else denominator = kWidePowersOfTen[static_cast<std::size_t>(-scale)];
        Wide quotient = 0, remainder = 0;
        if (exponent >= 0) {
            if (BitWidth(numerator) + exponent > 127) return false;
            numerator <<= exponent;
            quotient = numerator / denominator;
            remainder = numerator % denominator;
        } else if (BitWidth(denominator) - exponent > 127) {
            return false;
        } else if (scale >= 0) {  // the denominator is a power of two
            denominator <<= -exponent;
            quotient = numerator >> -exponent;
            remainder = numerator & (denominator - 1);
        } else {
            denominator <<= -exponent;
            quotient = numerator / denominator;
            remainder = numerator % denominator;
        }
        if (quotient >= limit) continue;
        // printf rounds the exact binary value half to even.
        if (2 * remainder > denominator || (2 * remainder == denominator && (quotient & 1) != 0)) ++quotient;
        const double significand = static_cast<double>(static_cast<std::uint64_t>(quotient));
        result = scale >= 0 ? significand / kPowersOfTen[static_cast<std::size_t>(scale)]
                            : significand * kPowersOfTen[static_cast<std::size_t>(-scale)];
        return true;
    }
    return false;
}

}  // namespace

double ReadNumberInFull(std::string_view text, std::size_t start, std::size_t numberEnd, std::size_t end) {
    // Rebuilt as "integral.fraction", each part "0" when empty, then the exponent.
    char number[kMaxExpressionLength + 8];
    std::size_t length = 0;
    bool integral = false, fraction = false, afterPoint = false;
    for (std::size_t k = start; k < numberEnd; ++k) {
        if (text[k] != '.') {
            number[length++] = text[k];
            (afterPoint ? fraction : integral) = true;
        } else if (!afterPoint) {
            if (!integral) number[length++] = '0';
            number[length++] = '.';
            afterPoint = true;
        }
    }
    if (!afterPoint) {
        if (!integral) number[length++] = '0';
        number[length++] = '.';
    }
    if (!fraction) number[length++] = '0';
    if (end > numberEnd) {  // "e", then the sign and digits as written
        number[length++] = 'e';
        length += text.substr(numberEnd + 1, end - numberEnd - 1).copy(number + length, end - numberEnd - 1);
    }
    double value = 0;
    const auto [stop, error] = std::from_chars(number, number + length, value);
    // Out of range: the C reading gives the infinity or the underflowed value.
    if (error != std::errc()) return ReadLeadingNumber(std::wstring(number, number + length));
    return value;
}

char* PrintGeneral(double value, int digits, char* out) {
    return std::to_chars(out, out + kMaxPrintedLength, value, std::chars_format::general, digits).ptr;
}

double ReadBack(double value, int digits) {
    if (value == 0) return value;  // "0" and "-0"
    double magnitude = 0;
    if (digits > 15 || !ReadBackExactly(std::fabs(value), digits, magnitude)) {
        char text[kMaxPrintedLength];
        const char* end = PrintGeneral(std::fabs(value), digits, text);
        std::size_t at = 0;
        magnitude = ReadNumber(std::string_view(text, static_cast<std::size_t>(end - text)), at);
    }
    return std::signbit(value) ? -magnitude : magnitude;
}

}  // namespace abacor::syntax
