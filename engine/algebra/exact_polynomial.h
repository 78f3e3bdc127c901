// Polynomials in x with exact rational coefficients, for the answers that must not carry
// rounding noise: decimals are read exactly (0.1 is 1/10) and a double is converted
// to the rational it stands for.
#pragma once

#include <gmpxx.h>

#include <optional>
#include <string_view>
#include <vector>

namespace abacor {

// Decimals with an exponent of greater magnitude are refused: 1e999999999 would take
// gigabytes, and no text of 1024 characters needs more.
inline constexpr long kMaxDecimalExponent = 4000;

// "12", "-0.125", "+3.", ".5", "2.5e-3", "1E+6": the exact rational value; nullopt for
// anything else (blanks, a second point, a lone sign, an exponent out of range).
std::optional<mpq_class> ParseExactDecimal(std::string_view text);
std::optional<mpq_class> ParseExactDecimal(std::wstring_view text);

// The rational a finite double stands for; nullopt for NaN and infinities.
std::optional<mpq_class> ExactFromDouble(double value);

class ExactPolynomial {
public:
    ExactPolynomial() = default;  // the zero polynomial
    // Coefficients from the free term up; trailing zeros are dropped.
    explicit ExactPolynomial(std::vector<mpq_class> coefficients);
    // Each text as ParseExactDecimal reads it; nullopt when one is not a number.
    static std::optional<ExactPolynomial> FromDecimalTexts(const std::vector<std::string_view>& coefficients);
    // Each double converted exactly; nullopt when one is not finite.
    static std::optional<ExactPolynomial> FromDoubles(const std::vector<double>& coefficients);
    // (x - root).
    static ExactPolynomial Linear(const mpq_class& root);

    bool IsZero() const { return coefficients_.empty(); }
    // -1 for the zero polynomial.
    int Degree() const { return static_cast<int>(coefficients_.size()) - 1; }
    // 0 beyond the degree.
    mpq_class Coefficient(int power) const;
    const std::vector<mpq_class>& Coefficients() const { return coefficients_; }
    const mpq_class& Leading() const { return coefficients_.back(); }

    mpq_class Evaluate(const mpq_class& x) const;
    ExactPolynomial Derivative() const;
    // The same roots with integer coefficients of gcd 1 and a positive leading one; zero
    // stays zero.
    ExactPolynomial Primitive() const;
    // The coefficients of Primitive() as integers.
    std::vector<mpz_class> IntegerCoefficients() const;

    ExactPolynomial operator-() const;
    friend ExactPolynomial operator+(const ExactPolynomial& a, const ExactPolynomial& b);
    friend ExactPolynomial operator-(const ExactPolynomial& a, const ExactPolynomial& b);
    friend ExactPolynomial operator*(const ExactPolynomial& a, const ExactPolynomial& b);
    friend ExactPolynomial operator*(const mpq_class& factor, const ExactPolynomial& p);
    friend bool operator==(const ExactPolynomial& a, const ExactPolynomial& b) = default;

private:
    void Trim();
    std::vector<mpq_class> coefficients_;
};

struct PolynomialDivision {
    ExactPolynomial quotient;
    ExactPolynomial remainder;
};

// Long division over the rationals; the divisor must not be zero.
PolynomialDivision Divide(const ExactPolynomial& dividend, const ExactPolynomial& divisor);
// The greatest common divisor in primitive form (zero only when both are zero).
ExactPolynomial Gcd(const ExactPolynomial& a, const ExactPolynomial& b);

// p = c · Π factorᵢ^multiplicityᵢ with square-free, pairwise coprime, primitive factors of
// degree at least 1, in increasing multiplicity (Yun's algorithm).
struct SquareFreeFactor {
    ExactPolynomial factor;
    int multiplicity = 0;
};
std::vector<SquareFreeFactor> SquareFreeDecomposition(const ExactPolynomial& p);

}  // namespace abacor
