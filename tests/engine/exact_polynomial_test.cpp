#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "algebra/exact_polynomial.h"

namespace {

using abacor::ExactPolynomial;

// Coefficients from the free term up, each "p" or "p/q".
ExactPolynomial Poly(std::vector<std::string> coefficients) {
    std::vector<mpq_class> values;
    for (const std::string& c : coefficients) values.emplace_back(c);
    return ExactPolynomial(std::move(values));
}

std::string Text(const ExactPolynomial& p) {
    std::string text;
    for (const mpq_class& c : p.Coefficients()) text += (text.empty() ? "" : " ") + c.get_str();
    return "[" + text + "]";
}

// ---- Reading decimals ------------------------------------------------------------------

TEST(ExactDecimal, ReadsEveryDecimalFormExactly) {
    const struct {
        const char* text;
        const char* value;
    } cases[] = {
        {"0.1", "1/10"},     {"-0.125", "-1/8"},  {"+3.", "3"},      {".5", "1/2"},
        {"2.5e-3", "1/400"}, {"1E+6", "1000000"}, {"007", "7"},      {"-0", "0"},
        {"1e0", "1"},        {"12.50", "25/2"},   {"3e2", "300"},    {"0.333", "333/1000"},
        {"123456789012345678901234567890", "123456789012345678901234567890"},
        {"1e-30", "1/1000000000000000000000000000000"},
    };
    for (const auto& c : cases) {
        const std::optional<mpq_class> value = abacor::ParseExactDecimal(std::string_view(c.text));
        ASSERT_TRUE(value.has_value()) << c.text;
        EXPECT_EQ(value->get_str(), c.value) << c.text;
        const std::string narrow = c.text;
        const std::wstring wide(narrow.begin(), narrow.end());
        EXPECT_EQ(abacor::ParseExactDecimal(std::wstring_view(wide)), value) << c.text;
    }
}

TEST(ExactDecimal, RefusesWhatIsNotOneDecimal) {
    for (const char* text : {"", "-", "+", ".", "-.", "1..2", "1.2.3", "1e", "1e+", "e5", " 1", "1 ", "0x10",
                             "1/2", "abc", "1e4001", "1e-99999999999999999999", "1,5"}) {
        EXPECT_FALSE(abacor::ParseExactDecimal(std::string_view(text)).has_value()) << text;
    }
}

TEST(ExactDecimal, DoublesBecomeTheRationalTheyStandFor) {
    EXPECT_EQ(abacor::ExactFromDouble(0.1)->get_str(), "3602879701896397/36028797018963968");
    EXPECT_EQ(abacor::ExactFromDouble(-2.5)->get_str(), "-5/2");
    EXPECT_EQ(abacor::ExactFromDouble(1e300)->get_d(), 1e300);
    EXPECT_FALSE(abacor::ExactFromDouble(std::numeric_limits<double>::quiet_NaN()).has_value());
    EXPECT_FALSE(abacor::ExactFromDouble(std::numeric_limits<double>::infinity()).has_value());
    EXPECT_FALSE(ExactPolynomial::FromDoubles({1.0, -std::numeric_limits<double>::infinity()}).has_value());
    EXPECT_EQ(Text(*ExactPolynomial::FromDoubles({0.5, 0.0, 0.0})), "[1/2]");
    EXPECT_EQ(Text(*ExactPolynomial::FromDecimalTexts({"0.1", "-2", "0"})), "[1/10 -2]");
    EXPECT_FALSE(ExactPolynomial::FromDecimalTexts({"1", "x"}).has_value());
}

// ---- Arithmetic ------------------------------------------------------------------------

TEST(ExactPolynomialArithmetic, BasicOperations) {
    const ExactPolynomial a = Poly({"1", "1"});      // x + 1
    const ExactPolynomial b = Poly({"-1", "0", "1"});  // x² - 1
    EXPECT_EQ(Text(a * b), "[-1 -1 1 1]");
    EXPECT_EQ(Text(a + b), "[0 1 1]");
    EXPECT_EQ(Text(b - b), "[]");
    EXPECT_EQ((b - b).Degree(), -1);
    EXPECT_EQ(Text(mpq_class(1, 2) * b), "[-1/2 0 1/2]");
    EXPECT_EQ(Text(Poly({"5", "3", "0", "1/4"}).Derivative()), "[3 0 3/4]");
    EXPECT_EQ(Poly({"1/3", "0", "2"}).Evaluate(mpq_class(1, 2)), mpq_class(5, 6));
    EXPECT_EQ(Poly({"0", "0", "0"}).Degree(), -1);
    EXPECT_EQ(Poly({"7"}).Coefficient(3), 0);
}

TEST(ExactPolynomialArithmetic, PrimitiveFormHasCoprimeIntegersAndPositiveLead) {
    const struct {
        std::vector<std::string> p;
        const char* primitive;
    } cases[] = {
        {{"-1/3", "0", "1/2"}, "[-2 0 3]"},
        {{"4", "-2"}, "[-2 1]"},
        {{"6", "9", "12"}, "[2 3 4]"},
        {{"-5"}, "[1]"},
        {{"1/10", "1/15"}, "[3 2]"},
        {{}, "[]"},
    };
    for (const auto& c : cases) EXPECT_EQ(Text(Poly(c.p).Primitive()), c.primitive) << Text(Poly(c.p));
}

TEST(ExactPolynomialArithmetic, DivisionLeavesQuotientAndRemainder) {
    const struct {
        std::vector<std::string> dividend, divisor;
        const char *quotient, *remainder;
    } cases[] = {
        {{"-1", "0", "1"}, {"-1", "1"}, "[1 1]", "[]"},
        {{"1", "0", "1"}, {"-1", "1"}, "[1 1]", "[2]"},
        {{"1", "2", "3"}, {"0", "2"}, "[1 3/2]", "[1]"},
        {{"1"}, {"0", "1"}, "[]", "[1]"},
        {{"2", "4"}, {"2"}, "[1 2]", "[]"},
    };
    for (const auto& c : cases) {
        const abacor::PolynomialDivision d = abacor::Divide(Poly(c.dividend), Poly(c.divisor));
        EXPECT_EQ(Text(d.quotient), c.quotient) << Text(Poly(c.dividend));
        EXPECT_EQ(Text(d.remainder), c.remainder) << Text(Poly(c.dividend));
    }
}

TEST(ExactPolynomialArithmetic, GcdIsPrimitive) {
    const ExactPolynomial xMinus1 = Poly({"-1", "1"});
    const ExactPolynomial xPlus2 = Poly({"2", "1"});
    const ExactPolynomial square = Poly({"-2", "0", "1"});
    const struct {
        ExactPolynomial a, b;
        std::string gcd;
    } cases[] = {
        {xMinus1 * xPlus2, xMinus1 * square, Text(xMinus1)},
        {mpq_class(3, 7) * xMinus1 * xMinus1 * xPlus2, xMinus1 * xMinus1 * square, Text(xMinus1 * xMinus1)},
        {xPlus2, square, "[1]"},
        {xMinus1, ExactPolynomial(), Text(xMinus1)},
        {Poly({"1/2", "1/3"}), Poly({"3", "2"}), "[3 2]"},
    };
    for (const auto& c : cases) EXPECT_EQ(Text(abacor::Gcd(c.a, c.b)), c.gcd) << Text(c.a) << " " << Text(c.b);
}

// ---- Square-free decomposition ---------------------------------------------------------

TEST(SquareFreeDecomposition, EachFactorWithItsMultiplicity) {
    const ExactPolynomial x = Poly({"0", "1"});
    const ExactPolynomial xMinus2 = Poly({"-2", "1"});
    const ExactPolynomial xPlus2 = Poly({"2", "1"});
    const ExactPolynomial half = Poly({"-1", "2"});
    const ExactPolynomial noReal = Poly({"1", "0", "1"});
    const struct {
        ExactPolynomial p;
        std::vector<std::pair<std::string, int>> factors;
    } cases[] = {
        {xMinus2 * xMinus2 * xMinus2, {{Text(xMinus2), 3}}},
        {mpq_class(5) * xMinus2 * xPlus2, {{"[-4 0 1]", 1}}},
        {half * half * Poly({"-3", "1"}), {{"[-3 1]", 1}, {Text(half), 2}}},
        {x * x * noReal * noReal * noReal * noReal * xPlus2, {{Text(xPlus2), 1}, {Text(x), 2}, {Text(noReal), 4}}},
        {xMinus2 * xMinus2 * xPlus2 * xPlus2, {{"[-4 0 1]", 2}}},
        {Poly({"7"}), {}},
        {ExactPolynomial(), {}},
    };
    for (const auto& c : cases) {
        const std::vector<abacor::SquareFreeFactor> factors = abacor::SquareFreeDecomposition(c.p);
        ASSERT_EQ(factors.size(), c.factors.size()) << Text(c.p);
        for (std::size_t i = 0; i < factors.size(); ++i) {
            EXPECT_EQ(Text(factors[i].factor), c.factors[i].first) << Text(c.p);
            EXPECT_EQ(factors[i].multiplicity, c.factors[i].second) << Text(c.p);
        }
    }
}

}  // namespace
