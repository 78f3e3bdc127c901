// The rounding of function values and coordinates to significant digits without text,
// against printing them with "%.*g" and reading the text back, on more than a million
// values: random bits, the hard cases of decimal rounding (exact halfway values, values a
// few units from a power of ten, from 9.99…95 that rounds up to the next one), subnormals
// and the largest doubles.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "core/expression_syntax.h"

namespace {

using abacor::syntax::ReadBack;

double ThroughText(double value, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    return std::strtod(text, nullptr);
}

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

std::vector<double> HardValues() {
    std::mt19937_64 random(20261207);
    std::vector<double> values;
    // A few units in the last place around every power of ten.
    for (int k = -323; k <= 308; ++k) {
        const double power = std::pow(10.0, k);
        double below = power, above = power;
        for (int step = 0; step < 4; ++step) {
            values.push_back(below);
            values.push_back(above);
            below = std::nextafter(below, 0.0);
            above = std::nextafter(above, DBL_MAX);
        }
    }
    for (int i = 0; i < 100000; ++i) {
        const std::uint64_t bits = random();
        // Exact halves at the 15th and 10th digit: n + 0.5 with n of 15 digits, and the
        // same scaled by powers of two (still exact halves of their last digit in binary).
        const double n = 1e14 + static_cast<double>(bits % 900000000000000ull);
        values.push_back(n + 0.5);
        values.push_back((1e9 + static_cast<double>(bits % 9000000000ull)) + 0.5);
        values.push_back(std::ldexp(n + 0.5, -static_cast<int>(bits % 40)));
        // The doubles nearest to halfway values of 15 digits far below 1, where the
        // rounding is decided on two scalings.
        char halfway[48];
        std::snprintf(halfway, sizeof halfway, "%llu5e-%d", static_cast<unsigned long long>(n),
                      16 + static_cast<int>(bits % 40));
        values.push_back(std::strtod(halfway, nullptr));
        // 9.99…9 followed by digits that round up to the next power of ten, or just not.
        values.push_back(std::pow(10.0, static_cast<int>(bits % 40) - 20) * (1 - 5e-16 * static_cast<double>(bits % 7)));
        // Subnormals and the largest doubles.
        values.push_back(std::bit_cast<double>(bits & 0x000FFFFFFFFFFFFFull));
        values.push_back(DBL_MAX * (1 - static_cast<double>(bits % 1000) * 1e-12));
        // Anything, and values a graph meets.
        values.push_back(std::bit_cast<double>(bits));
        values.push_back(std::sin(static_cast<double>(bits % 100000) / 97));
        values.push_back(std::exp(static_cast<double>(bits % 2000) / 20 - 50));
        values.push_back(static_cast<double>(static_cast<std::int64_t>(bits)) / 1e6);
    }
    return values;
}

TEST(ReadBack, GivesWhatTheTextReadsBack) {
    const std::vector<double> values = HardValues();
    int checked = 0;
    for (const double value : values) {
        if (!std::isfinite(value)) continue;
        for (const int digits : {15, 10}) {
            ASSERT_EQ(Bits(ReadBack(value, digits)), Bits(ThroughText(value, digits)))
                << digits << " digits of " << std::hexfloat << value;
            ASSERT_EQ(Bits(ReadBack(-value, digits)), Bits(ThroughText(-value, digits)))
                << digits << " digits of " << std::hexfloat << -value;
            checked += 2;
        }
    }
    EXPECT_GT(checked, 2000000);
}

TEST(ReadBack, AllAtOnceAsOneByOne) {
    std::vector<double> values = HardValues();
    values.insert(values.end(), {0.0, -0.0, INFINITY, -INFINITY, NAN});
    for (const int digits : {15, 10, 3, 17}) {
        std::vector<double> expected(values.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            expected[i] = std::isfinite(values[i]) ? ThroughText(values[i], digits) : NAN;
        }
        for (const auto readBack : {abacor::syntax::ReadBackAll, abacor::syntax::ReadBackEach}) {
            std::vector<double> all = values;
            readBack(all.data(), all.size(), digits);
            for (std::size_t i = 0; i < values.size(); ++i) {
                ASSERT_EQ(Bits(all[i]), Bits(expected[i])) << digits << " digits of " << std::hexfloat << values[i];
            }
        }
    }
}

TEST(ReadBack, EveryNumberOfDigits) {
    const std::vector<double> values = HardValues();
    for (std::size_t i = 0; i < values.size(); i += 7) {
        if (!std::isfinite(values[i])) continue;
        for (int digits = 1; digits <= 17; ++digits) {
            ASSERT_EQ(Bits(ReadBack(values[i], digits)), Bits(ThroughText(values[i], digits)))
                << digits << " digits of " << std::hexfloat << values[i];
        }
    }
}

}  // namespace
