#include "core/expression_syntax.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "core/number_format.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace abacor::syntax {

namespace {

// A function with its value at one point and, in one loop without calls through
// pointers, at many.
template <auto kApply>
constexpr NamedFunction Named(std::string_view name) {
    return {name, [](double x) { return kApply(x); }, [](double* values, std::size_t count) {
                for (std::size_t i = 0; i < count; ++i) values[i] = kApply(values[i]);
            }};
}

}  // namespace

const std::array<NamedFunction, 17> kFunctions{{
    Named<[](double x) { return std::sin(x); }>("sin"),
    Named<[](double x) { return std::cos(x); }>("cos"),
    Named<[](double x) { return std::tan(x); }>("tan"),
    Named<[](double x) { return std::asin(x); }>("asin"),
    Named<[](double x) { return std::acos(x); }>("acos"),
    Named<[](double x) { return std::atan(x); }>("atan"),
    Named<[](double x) { return std::sinh(x); }>("sinh"),
    Named<[](double x) { return std::cosh(x); }>("cosh"),
    Named<[](double x) { return std::tanh(x); }>("tanh"),
    Named<[](double x) { return std::exp(x); }>("exp"),
    Named<[](double x) { return std::log(x); }>("ln"),
    Named<[](double x) { return std::log10(x); }>("log"),
    Named<[](double x) { return std::sqrt(x); }>("sqrt"),
    Named<[](double x) { return std::fabs(x); }>("abs"),
    Named<[](double x) { return std::floor(x); }>("floor"),
    Named<[](double x) { return std::ceil(x); }>("ceil"),
    Named<[](double x) { return std::round(x); }>("round"),
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

// A value as the sum of two doubles.
struct TwoDoubles {
    double high, low;
};

// a * b = high + low exactly (no overflow or underflow). With a fused multiply-add when
// the build targets one; otherwise Dekker's product of halves, which no contraction may
// touch because only builds with fused multiply-adds contract.
[[gnu::always_inline]] inline TwoDoubles Multiply(double a, double b) {
    const double high = a * b;
#if defined(__FMA__)
    return {high, std::fma(a, b, -high)};
#else
    constexpr double kSplitter = 134217729.0;  // 2^27 + 1
    const double ta = a * kSplitter, tb = b * kSplitter;
    const double aHigh = ta - (ta - a), bHigh = tb - (tb - b);
    const double aLow = a - aHigh, bLow = b - bHigh;
    return {high, ((aHigh * bHigh - high) + aHigh * bLow + aLow * bHigh) + aLow * bLow};
#endif
}

// Rounds high + low (exact, |high| < 2^52) to an integer, half to even, as printf rounds
// the exact value; `margin` bounds how far low may be from the exact rest.
// False when the exact value lies within the margin of a halfway point.
[[gnu::always_inline]] inline bool RoundHalfEven(double high, double low, double margin, double& rounded) {
    // Below 2^52 adding 2^52 leaves no fraction bits: the nearest integer, ties to even.
    constexpr double kNoFraction = 4503599627370496.0;
    rounded = (high + kNoFraction) - kNoFraction;
    const double fraction = (high - rounded) + low;  // high - rounded is exact
    if (std::fabs(std::fabs(fraction) - 0.5) > margin) {
        if (fraction > 0.5) rounded += 1;
        else if (fraction < -0.5) rounded -= 1;
        return true;
    }
    if (margin > 0) return false;
    // An exact tie, or just beside one: `fraction` is exact here only when it is a tie
    // of high alone, so compare the parts.
    const double below = high - rounded;
    const double upTie = 0.5 - below, downTie = -0.5 - below;
    const bool odd = std::fmod(rounded, 2) != 0;
    if (low > upTie || (low == upTie && odd)) rounded += 1;
    else if (low < downTie || (low == downTie && odd)) rounded -= 1;
    return true;
}

// The doubles nearest to 10^-46 … 10^22, where the decimal exponent steps up within a
// binade.
constexpr int kLowestNearPower = -46;
constexpr double kNearPowersOfTen[] = {
    1e-46, 1e-45, 1e-44, 1e-43, 1e-42, 1e-41, 1e-40, 1e-39, 1e-38, 1e-37, 1e-36, 1e-35, 1e-34,
    1e-33, 1e-32, 1e-31, 1e-30, 1e-29, 1e-28, 1e-27, 1e-26, 1e-25, 1e-24, 1e-23, 1e-22, 1e-21,
    1e-20, 1e-19, 1e-18, 1e-17, 1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11, 1e-10, 1e-9, 1e-8, 1e-7,
    1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10,
    1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22,
};

enum class Digits { Found, TooMany, Undecided };

// The exact magnitude * 10^scale rounded to an integer, for scale in 0..44 (two exact
// scalings for the small magnitudes past 10^22): TooMany when the scaled value is not
// below `limit`, Undecided when it is too close to halfway to decide in doubles.
[[gnu::always_inline]] inline Digits ScaledDigits(double magnitude, int scale, double limit, double& rounded) {
    if (scale <= 22) {
        const TwoDoubles product = Multiply(magnitude, kPowersOfTen[static_cast<std::size_t>(scale)]);
        if (product.high > limit || (product.high == limit && product.low >= 0)) return Digits::TooMany;
        RoundHalfEven(product.high, product.low, 0, rounded);
        return Digits::Found;
    }
    // magnitude * 10^22 = a + b, then (a + b) * 10^(scale - 22) = c + d + e + f, all exact;
    // summing d, e and f rounds each step by at most 2^-53 of values below 1. No exact
    // halfway case exists this small (its binary fraction ends far below 2^-1), so a
    // rest this close to one goes to the exact reading.
    const TwoDoubles first = Multiply(magnitude, kPowersOfTen[22]);
    const double power = kPowersOfTen[static_cast<std::size_t>(scale - 22)];
    const TwoDoubles high = Multiply(first.high, power);
    const TwoDoubles low = Multiply(first.low, power);
    if (high.high >= limit) return Digits::TooMany;
    return RoundHalfEven(high.high, (high.low + low.high) + low.low, 1e-12, rounded) ? Digits::Found
                                                                                       : Digits::Undecided;
}

// 10^-23 … 10^-44 as the nearest double and the nearest double to the rest: 106 bits.
constexpr TwoDoubles kSmallPowersOfTen[] = {
    {0x1.82db34012b251p-77, 0x1.13badb829e079p-131},
    {0x1.357c299a88ea7p-80, 0x1.a96249354b394p-134},
    {0x1.ef2d0f5da7dd9p-84, -0x1.5762be11213e0p-138},
    {0x1.8c240c4aecb14p-87, -0x1.12b564da80fe7p-141},
    {0x1.3ce9a36f23c10p-90, -0x1.b788a15d9b30bp-145},
    {0x1.fb0f6be506019p-94, 0x1.06c5e54eb70c4p-148},
    {0x1.95a5efea6b347p-97, 0x1.9f04b7722c09dp-151},
    {0x1.4484bfeebc2a0p-100, -0x1.e72f6d3e432b6p-154},
    {0x1.039d665896880p-103, -0x1.85bf8a9835bc4p-157},
    {0x1.9f623d5a8a733p-107, -0x1.a2cc10f3892d4p-161},
    {0x1.4c4e977ba1f5cp-110, -0x1.4f09a7293a8aap-164},
    {0x1.09d8792fb4c49p-113, 0x1.5a5ead789df78p-167},
    {0x1.a95a5b7f87a0fp-117, -0x1.e1aa86c4e6d2fp-174},
    {0x1.54484932d2e72p-120, 0x1.696ef285e8eafp-174},
    {0x1.1039d428a8b8fp-123, -0x1.4540d794df441p-177},
    {0x1.b38fb9daa78e4p-127, 0x1.2acb73de9ac65p-181},
    {0x1.5c72fb1552d83p-130, 0x1.bbd5f64baf050p-184},
    {0x1.16c262777579cp-133, 0x1.631191d6259dap-187},
    {0x1.be03d0bf225c7p-137, -0x1.72524ee484eb4p-194},
    {0x1.64cfda3281e39p-140, -0x1.e3aa0fc74dc8ap-195},
    {0x1.1d7314f534b61p-143, -0x1.8e44064fb8b6bp-197},
    {0x1.c8b8218854567p-147, 0x1.82c65c4d3edbcp-201},
};

// The double nearest to significand * 10^-scale (significand below 2^53): one division
// by an exact power up to 10^22; past it the product with 10^-scale in 106 bits, which
// decides the rounding unless it lies beside a halfway point; then, and for a power of
// two, whose halfway point below is nearer, through the shortest text.
double ScaledBack(double significand, int scale) {
    if (scale <= 22) return significand / kPowersOfTen[static_cast<std::size_t>(scale)];
    const TwoDoubles& power = kSmallPowersOfTen[scale - 23];
    const TwoDoubles product = Multiply(significand, power.high);
    const double rest = product.low + significand * power.low;
    const double value = product.high + rest;
    const double leftOut = (product.high - value) + rest;
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    const double halfUnit = std::bit_cast<double>(bits & 0x7FF0000000000000ull) * 0x1p-53;
    if ((bits & 0x000FFFFFFFFFFFFFull) != 0 && std::fabs(std::fabs(leftOut) - halfUnit) > halfUnit * 0x1p-40) {
        return value;
    }
    char text[32];
    char* end = std::to_chars(text, text + 20, static_cast<std::uint64_t>(significand)).ptr;
    *end++ = 'e';
    end = std::to_chars(end, text + sizeof text, -scale).ptr;
    double result = 0;
    std::from_chars(text, end, result);
    return result;
}

// ReadBack without printing, for at most 15 digits and magnitudes from 10^(digits - 45)
// up to 10^digits: the exact product with a power of ten decides the decimal rounding,
// halfway cases included. False outside that range or beside a halfway case it cannot
// decide.
[[gnu::always_inline]] inline bool ReadBackScaled(double magnitude, int digits, double& result) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>(bits >> 52);
    if (biased == 0 || biased == 0x7FF) return false;
    int decimalExponent = ((biased - 1023) * 78913) >> 18;  // floor(log10), or one less
    // The next power's nearest double decides it, but for that double itself when it lies
    // below the power; it rounds to the power at either exponent, so the digits agree.
    const int next = decimalExponent + 1 - kLowestNearPower;
    if (next >= 0 && next < static_cast<int>(std::size(kNearPowersOfTen))) {
        decimalExponent += magnitude >= kNearPowersOfTen[next] ? 1 : 0;
    }
    const double limit = kPowersOfTen[static_cast<std::size_t>(digits)];
    for (int attempt = 0; attempt < 2; ++attempt, ++decimalExponent) {
        const int scale = digits - 1 - decimalExponent;
        if (scale < 0 || scale > 44) return false;
        double rounded = 0;
        const Digits digitsFound = ScaledDigits(magnitude, scale, limit, rounded);
        if (digitsFound == Digits::Undecided) return false;
        if (digitsFound == Digits::TooMany || rounded >= limit) continue;  // 9.99…95 rounds up to the next power of ten
        result = ScaledBack(rounded, scale);
        return true;
    }
    return false;
}

// Through the 128-bit exact rounding, or through text: more than 15 digits, magnitudes
// past the scaled range and the rare values beside a halfway case.
[[gnu::cold, gnu::noinline]] double ReadBackSlowly(double value, int digits) {
    double magnitude = 0;
    if (digits > 15 || !ReadBackExactly(std::fabs(value), digits, magnitude)) {
        char text[kMaxPrintedLength];
        const char* end = PrintGeneral(std::fabs(value), digits, text);
        std::size_t at = 0;
        magnitude = ReadNumber(std::string_view(text, static_cast<std::size_t>(end - text)), at);
    }
    return std::signbit(value) ? -magnitude : magnitude;
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

namespace {

[[gnu::always_inline]] inline double ReadBackInline(double value, int digits) {
    if (value == 0) return value;  // "0" and "-0"
    double magnitude = 0;
    if (digits <= 15 && ReadBackScaled(std::fabs(value), digits, magnitude)) {
        return std::signbit(value) ? -magnitude : magnitude;
    }
    return ReadBackSlowly(value, digits);
}

}  // namespace

double ReadBack(double value, int digits) { return ReadBackInline(value, digits); }

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// One value the portable way; NaN for one that is not finite.
[[gnu::always_inline]] inline double ReadBackOne(double value, int digits) {
    return std::isfinite(value) ? ReadBackInline(value, digits) : kNaN;
}

#if defined(__x86_64__) && defined(__GNUC__)
#define ABACOR_WIDE_READ_BACK 1

// The table's entries at four whole positions. (The masked gather starts from zeros; the
// plain one starts from an undefined vector that compilers warn about.)
[[gnu::target("avx2,fma")]] inline __m256d Gather(const double* table, __m128i positions) {
    const __m256d all = _mm256_castsi256_pd(_mm256_set1_epi64x(-1));
    return _mm256_mask_i32gather_pd(_mm256_setzero_pd(), table, positions, all, 8);
}

// The table's entries at four positions, each clamped to 0 … last.
[[gnu::target("avx2,fma")]] inline __m256d TableEntries(const double* table, __m256d position, double last) {
    const __m256d clamped = _mm256_min_pd(_mm256_max_pd(position, _mm256_setzero_pd()), _mm256_set1_pd(last));
    return Gather(table, _mm256_cvttpd_epi32(clamped));
}

#define ABACOR_WIDE [[gnu::target("avx2,fma")]]

ABACOR_WIDE inline __m256d Ones(__m256d mask) { return _mm256_and_pd(mask, _mm256_set1_pd(1)); }
ABACOR_WIDE inline __m256d Below(__m256d a, __m256d b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }
ABACOR_WIDE inline __m256d AtMost(__m256d a, __m256d b) { return _mm256_cmp_pd(a, b, _CMP_LE_OQ); }

// Four values' decimal scales: the powers of ten that bring them to `digits` digits before
// the point, as ReadBackScaled finds them.
ABACOR_WIDE inline __m256d DecimalScales(__m256d magnitude, int digits) {
    const __m256i biased = _mm256_srli_epi64(_mm256_castpd_si256(magnitude), 52);
    // The biased exponent as a double: its bits under those of 2^52, less 2^52.
    const __m256d twoTo52 = _mm256_set1_pd(4503599627370496.0);
    const __m256d exponent = _mm256_sub_pd(
        _mm256_sub_pd(_mm256_castsi256_pd(_mm256_or_si256(biased, _mm256_castpd_si256(twoTo52))), twoTo52),
        _mm256_set1_pd(1023));
    // floor(exponent * log10(2)): floor(log10), or one less.
    const __m256d estimate = _mm256_floor_pd(_mm256_mul_pd(exponent, _mm256_set1_pd(0.30102999566398119521)));
    const __m256d nextPower = TableEntries(kNearPowersOfTen, _mm256_add_pd(estimate, _mm256_set1_pd(1 - kLowestNearPower)),
                                           std::size(kNearPowersOfTen) - 1);
    const __m256d stepsUp = Ones(_mm256_cmp_pd(magnitude, nextPower, _CMP_GE_OQ));
    return _mm256_sub_pd(_mm256_set1_pd(digits - 1), _mm256_add_pd(estimate, stepsUp));
}

// Normal and finite magnitudes.
ABACOR_WIDE inline __m256d Normal(__m256d magnitude) {
    return _mm256_and_pd(_mm256_cmp_pd(magnitude, _mm256_set1_pd(DBL_MIN), _CMP_GE_OQ),
                         AtMost(magnitude, _mm256_set1_pd(DBL_MAX)));
}

// high + low (|high| < 2^52) rounded to integers, half to even where a tie is exact; the
// lanes whose rest lies within `margin` of a half are not `decided`.
ABACOR_WIDE inline __m256d RoundedHalfEven(__m256d high, __m256d low, double margin, __m256d& decided) {
    const __m256d twoTo52 = _mm256_set1_pd(4503599627370496.0);
    const __m256d rounded = _mm256_sub_pd(_mm256_add_pd(high, twoTo52), twoTo52);
    const __m256d fraction = _mm256_add_pd(_mm256_sub_pd(high, rounded), low);
    const __m256d half = _mm256_set1_pd(0.5);
    const __m256d distance = _mm256_sub_pd(_mm256_andnot_pd(_mm256_set1_pd(-0.0), fraction), half);
    decided = _mm256_cmp_pd(_mm256_andnot_pd(_mm256_set1_pd(-0.0), distance), _mm256_set1_pd(margin), _CMP_GT_OQ);
    const __m256d up = Ones(_mm256_cmp_pd(fraction, half, _CMP_GT_OQ));
    const __m256d down = Ones(Below(fraction, _mm256_sub_pd(_mm256_setzero_pd(), half)));
    return _mm256_sub_pd(_mm256_add_pd(rounded, up), down);
}

// ReadBackScaled's one scaling (10^0 … 10^22) on four values at once with AVX2 and fused
// multiply-adds (exact products in one step), without branches; returns a bit per lane
// that had its result, the others (beside a tie, or another scale) are left as they were.
ABACOR_WIDE unsigned ReadBackFourPlainly(double* values, int digits, double limit) {
    const __m256d value = _mm256_loadu_pd(values);
    const __m256d signs = _mm256_set1_pd(-0.0);
    const __m256d magnitude = _mm256_andnot_pd(signs, value);
    const __m256d scale = DecimalScales(magnitude, digits);
    const __m256d power = TableEntries(kPowersOfTen.data(), scale, 22);
    const __m256d high = _mm256_mul_pd(magnitude, power);
    const __m256d low = _mm256_fmsub_pd(magnitude, power, high);
    const __m256d limits = _mm256_set1_pd(limit);
    __m256d decided;
    const __m256d rounded = RoundedHalfEven(_mm256_min_pd(high, limits), low, 0, decided);
    const __m256d result = _mm256_or_pd(_mm256_div_pd(rounded, power), _mm256_and_pd(value, signs));
    // One scaling, below the limit before and after rounding, no tie.
    __m256d plain = _mm256_and_pd(Normal(magnitude), decided);
    plain = _mm256_and_pd(plain, AtMost(_mm256_setzero_pd(), scale));
    plain = _mm256_and_pd(plain, AtMost(scale, _mm256_set1_pd(22)));
    plain = _mm256_and_pd(plain, Below(high, limits));
    plain = _mm256_and_pd(plain, Below(rounded, limits));
    _mm256_storeu_pd(values, _mm256_blendv_pd(value, result, plain));
    return static_cast<unsigned>(_mm256_movemask_pd(plain));
}

// The same for the magnitudes that take two scalings (10^22, then up to 10^22 more) and
// come back through 106-bit powers of ten, as ScaledDigits and ScaledBack do one by one;
// only the lanes of `wanted` are written.
ABACOR_WIDE unsigned ReadBackFourSmall(double* values, int digits, double limit, unsigned wanted) {
    const __m256d value = _mm256_loadu_pd(values);
    const __m256d signs = _mm256_set1_pd(-0.0);
    const __m256d magnitude = _mm256_andnot_pd(signs, value);
    const __m256d scale = DecimalScales(magnitude, digits);
    const __m256d first = _mm256_set1_pd(1e22);
    const __m256d firstHigh = _mm256_mul_pd(magnitude, first);
    const __m256d firstLow = _mm256_fmsub_pd(magnitude, first, firstHigh);
    const __m256d power = TableEntries(kPowersOfTen.data(), _mm256_sub_pd(scale, _mm256_set1_pd(22)), 22);
    const __m256d high = _mm256_mul_pd(firstHigh, power);
    const __m256d highRest = _mm256_fmsub_pd(firstHigh, power, high);
    const __m256d lowHigh = _mm256_mul_pd(firstLow, power);
    const __m256d lowRest = _mm256_fmsub_pd(firstLow, power, lowHigh);
    const __m256d limits = _mm256_set1_pd(limit);
    __m256d decided;
    const __m256d rounded = RoundedHalfEven(_mm256_min_pd(high, limits),
                                            _mm256_add_pd(_mm256_add_pd(highRest, lowHigh), lowRest), 1e-12, decided);
    // Back: rounded * 10^-scale in 106 bits.
    const __m256d at = _mm256_sub_pd(scale, _mm256_set1_pd(23));
    const double* smallPowers = &kSmallPowersOfTen[0].high;
    const __m256d last = _mm256_set1_pd(std::size(kSmallPowersOfTen) - 1);
    const __m128i pairs = _mm256_cvttpd_epi32(
        _mm256_add_pd(_mm256_min_pd(_mm256_max_pd(at, _mm256_setzero_pd()), last),
                      _mm256_min_pd(_mm256_max_pd(at, _mm256_setzero_pd()), last)));
    const __m256d backHigh = Gather(smallPowers, pairs);
    const __m256d backLow = Gather(smallPowers + 1, pairs);
    const __m256d productHigh = _mm256_mul_pd(rounded, backHigh);
    const __m256d rest = _mm256_add_pd(_mm256_fmsub_pd(rounded, backHigh, productHigh), _mm256_mul_pd(rounded, backLow));
    const __m256d back = _mm256_add_pd(productHigh, rest);
    const __m256d leftOut = _mm256_add_pd(_mm256_sub_pd(productHigh, back), rest);
    const __m256d exponentBits = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7FF0000000000000ll));
    const __m256d halfUnit = _mm256_mul_pd(_mm256_and_pd(back, exponentBits), _mm256_set1_pd(0x1p-53));
    const __m256d nearHalf = _mm256_sub_pd(_mm256_andnot_pd(signs, leftOut), halfUnit);
    const __m256d mantissaBits = _mm256_castsi256_pd(_mm256_set1_epi64x(0x000FFFFFFFFFFFFFll));
    const __m256d powerOfTwo = _mm256_castsi256_pd(
        _mm256_cmpeq_epi64(_mm256_castpd_si256(_mm256_and_pd(back, mantissaBits)), _mm256_setzero_si256()));
    // Two scalings, below the limit before and after rounding, decided both ways.
    __m256d small = _mm256_and_pd(Normal(magnitude), decided);
    small = _mm256_and_pd(small, AtMost(_mm256_set1_pd(23), scale));
    small = _mm256_and_pd(small, AtMost(scale, _mm256_set1_pd(44)));
    small = _mm256_and_pd(small, Below(high, limits));
    small = _mm256_and_pd(small, Below(rounded, limits));
    small = _mm256_and_pd(small, _mm256_cmp_pd(_mm256_andnot_pd(signs, nearHalf),
                                               _mm256_mul_pd(halfUnit, _mm256_set1_pd(0x1p-40)), _CMP_GT_OQ));
    small = _mm256_andnot_pd(powerOfTwo, small);
    const unsigned written = static_cast<unsigned>(_mm256_movemask_pd(small)) & wanted;
    alignas(32) double results[4];
    _mm256_store_pd(results, _mm256_or_pd(back, _mm256_and_pd(value, signs)));
    for (unsigned lane = 0; lane < 4; ++lane) {
        if (written >> lane & 1) values[lane] = results[lane];
    }
    return written;
}

bool HasFourWideLanes() {
    static const bool wide = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    return wide;
}
#endif

}  // namespace

void ReadBackEach(double* values, std::size_t count, int digits) {
    for (std::size_t i = 0; i < count; ++i) values[i] = ReadBackOne(values[i], digits);
}

void ReadBackAll(double* values, std::size_t count, int digits) {
#if defined(ABACOR_WIDE_READ_BACK)
    if (digits <= 15 && HasFourWideLanes()) {
        const double limit = kPowersOfTen[static_cast<std::size_t>(digits)];
        std::size_t i = 0;
        for (; i + 4 <= count; i += 4) {
            unsigned done = ReadBackFourPlainly(values + i, digits, limit);
            if (done == 0xF) continue;
            done |= ReadBackFourSmall(values + i, digits, limit, ~done & 0xF);
            for (std::size_t lane = 0; lane < 4; ++lane) {
                if ((done >> lane & 1) == 0) values[i + lane] = ReadBackOne(values[i + lane], digits);
            }
        }
        ReadBackEach(values + i, count - i, digits);
        return;
    }
#endif
    ReadBackEach(values, count, digits);
}

}  // namespace abacor::syntax
