#include "algebra/exact_polynomial.h"

#include "algebra/modular_polynomial.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace abacor {

namespace {

template <typename Char>
bool IsDigit(Char c) { return c >= '0' && c <= '9'; }

// Reads [+-]digits[.digits][(e|E)[+-]digits] with at least one digit in the mantissa.
template <typename Char>
std::optional<mpq_class> ParseDecimal(std::basic_string_view<Char> text) {
    std::size_t i = 0;
    const auto at = [&](std::size_t k) -> Char { return k < text.size() ? text[k] : Char(0); };
    bool negative = false;
    if (at(i) == '+' || at(i) == '-') negative = at(i++) == '-';
    std::string digits;
    long scale = 0;  // digits after the point
    for (; IsDigit(at(i)); ++i) digits += static_cast<char>(at(i));
    if (at(i) == '.') {
        for (++i; IsDigit(at(i)); ++i, ++scale) digits += static_cast<char>(at(i));
    }
    if (digits.empty()) return std::nullopt;
    long exponent = 0;
    if (at(i) == 'e' || at(i) == 'E') {
        ++i;
        bool negativeExponent = false;
        if (at(i) == '+' || at(i) == '-') negativeExponent = at(i++) == '-';
        if (!IsDigit(at(i))) return std::nullopt;
        for (; IsDigit(at(i)); ++i) {
            exponent = exponent * 10 + (at(i) - '0');
            if (exponent > kMaxDecimalExponent) return std::nullopt;
        }
        if (negativeExponent) exponent = -exponent;
    }
    if (i != text.size()) return std::nullopt;
    // The value's size grows with the power of ten it is scaled by.
    const long power = exponent - scale;
    if (std::labs(power) > kMaxDecimalExponent + static_cast<long>(digits.size())) return std::nullopt;
    mpq_class value{mpz_class(digits, 10)};
    mpz_class ten;
    mpz_ui_pow_ui(ten.get_mpz_t(), 10, static_cast<unsigned long>(std::labs(power)));
    if (power >= 0) {
        value *= ten;
    } else {
        value /= ten;
    }
    value.canonicalize();
    return negative ? mpq_class(-value) : value;
}

mpz_class Lcm(const mpz_class& a, const mpz_class& b) {
    mpz_class result;
    mpz_lcm(result.get_mpz_t(), a.get_mpz_t(), b.get_mpz_t());
    return result;
}

mpz_class IntegerGcd(const mpz_class& a, const mpz_class& b) {
    mpz_class result;
    mpz_gcd(result.get_mpz_t(), a.get_mpz_t(), b.get_mpz_t());
    return result;
}

// The gcd modulo a prime that divides neither leading coefficient has at least the degree
// of the true gcd, so a constant one there proves the two coprime without the long
// coefficients of Euclid's algorithm over the rationals.
bool CoprimeByResidues(const std::vector<mpz_class>& a, const std::vector<mpz_class>& b) {
    for (std::uint64_t prime : kCertificatePrimes) {
        if (Residue(a.back(), prime) == 0 || Residue(b.back(), prime) == 0) continue;
        if (ModularGcd(Reduce(a, prime), Reduce(b, prime), prime).size() == 1) return true;
    }
    return false;
}

// The exact quotient of two polynomials when the division leaves no remainder.
ExactPolynomial ExactQuotient(const ExactPolynomial& dividend, const ExactPolynomial& divisor) {
    return Divide(dividend, divisor).quotient;
}

}  // namespace

std::optional<mpq_class> ParseExactDecimal(std::string_view text) { return ParseDecimal(text); }
std::optional<mpq_class> ParseExactDecimal(std::wstring_view text) { return ParseDecimal(text); }

std::optional<mpq_class> ExactFromDouble(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    return mpq_class(value);  // mpq_set_d is exact
}

ExactPolynomial::ExactPolynomial(std::vector<mpq_class> coefficients) : coefficients_(std::move(coefficients)) {
    for (mpq_class& c : coefficients_) c.canonicalize();
    Trim();
}

std::optional<ExactPolynomial> ExactPolynomial::FromDecimalTexts(const std::vector<std::string_view>& coefficients) {
    std::vector<mpq_class> values;
    values.reserve(coefficients.size());
    for (std::string_view text : coefficients) {
        std::optional<mpq_class> value = ParseExactDecimal(text);
        if (!value) return std::nullopt;
        values.push_back(std::move(*value));
    }
    return ExactPolynomial(std::move(values));
}

std::optional<ExactPolynomial> ExactPolynomial::FromDoubles(const std::vector<double>& coefficients) {
    std::vector<mpq_class> values;
    values.reserve(coefficients.size());
    for (double c : coefficients) {
        std::optional<mpq_class> value = ExactFromDouble(c);
        if (!value) return std::nullopt;
        values.push_back(std::move(*value));
    }
    return ExactPolynomial(std::move(values));
}

ExactPolynomial ExactPolynomial::Linear(const mpq_class& root) { return ExactPolynomial({-root, mpq_class(1)}); }

void ExactPolynomial::Trim() {
    while (!coefficients_.empty() && sgn(coefficients_.back()) == 0) coefficients_.pop_back();
}

mpq_class ExactPolynomial::Coefficient(int power) const {
    if (power < 0 || power > Degree()) return 0;
    return coefficients_[static_cast<std::size_t>(power)];
}

mpq_class ExactPolynomial::Evaluate(const mpq_class& x) const {
    mpq_class value = 0;
    for (auto c = coefficients_.rbegin(); c != coefficients_.rend(); ++c) value = value * x + *c;
    return value;
}

ExactPolynomial ExactPolynomial::Derivative() const {
    std::vector<mpq_class> result;
    for (std::size_t power = 1; power < coefficients_.size(); ++power) {
        result.push_back(coefficients_[power] * static_cast<unsigned long>(power));
    }
    return ExactPolynomial(std::move(result));
}

std::vector<mpz_class> ExactPolynomial::IntegerCoefficients() const {
    if (IsZero()) return {};
    mpz_class denominator = 1;
    for (const mpq_class& c : coefficients_) denominator = Lcm(denominator, c.get_den());
    std::vector<mpz_class> integers;
    integers.reserve(coefficients_.size());
    mpz_class content = 0;
    for (const mpq_class& c : coefficients_) {
        integers.push_back(c.get_num() * (denominator / c.get_den()));
        content = IntegerGcd(content, integers.back());
    }
    if (sgn(integers.back()) < 0) content = -content;
    for (mpz_class& c : integers) mpz_divexact(c.get_mpz_t(), c.get_mpz_t(), content.get_mpz_t());
    return integers;
}

ExactPolynomial ExactPolynomial::Primitive() const {
    std::vector<mpz_class> integers = IntegerCoefficients();
    ExactPolynomial result;
    result.coefficients_.assign(integers.begin(), integers.end());
    return result;
}

ExactPolynomial ExactPolynomial::operator-() const {
    ExactPolynomial result = *this;
    for (mpq_class& c : result.coefficients_) c = -c;
    return result;
}

ExactPolynomial operator+(const ExactPolynomial& a, const ExactPolynomial& b) {
    std::vector<mpq_class> sum(std::max(a.coefficients_.size(), b.coefficients_.size()));
    for (std::size_t i = 0; i < a.coefficients_.size(); ++i) sum[i] += a.coefficients_[i];
    for (std::size_t i = 0; i < b.coefficients_.size(); ++i) sum[i] += b.coefficients_[i];
    return ExactPolynomial(std::move(sum));
}

ExactPolynomial operator-(const ExactPolynomial& a, const ExactPolynomial& b) { return a + (-b); }

ExactPolynomial operator*(const ExactPolynomial& a, const ExactPolynomial& b) {
    if (a.IsZero() || b.IsZero()) return {};
    std::vector<mpq_class> product(a.coefficients_.size() + b.coefficients_.size() - 1);
    for (std::size_t i = 0; i < a.coefficients_.size(); ++i) {
        for (std::size_t j = 0; j < b.coefficients_.size(); ++j) product[i + j] += a.coefficients_[i] * b.coefficients_[j];
    }
    return ExactPolynomial(std::move(product));
}

ExactPolynomial operator*(const mpq_class& factor, const ExactPolynomial& p) {
    return ExactPolynomial({factor}) * p;
}

PolynomialDivision Divide(const ExactPolynomial& dividend, const ExactPolynomial& divisor) {
    std::vector<mpq_class> remainder = dividend.Coefficients();
    const int divisorDegree = divisor.Degree();
    if (dividend.Degree() < divisorDegree) return {ExactPolynomial(), dividend};
    std::vector<mpq_class> quotient(static_cast<std::size_t>(dividend.Degree() - divisorDegree + 1));
    const mpq_class& lead = divisor.Leading();
    for (int top = dividend.Degree(); top >= divisorDegree; --top) {
        const mpq_class factor = remainder[static_cast<std::size_t>(top)] / lead;
        quotient[static_cast<std::size_t>(top - divisorDegree)] = factor;
        if (sgn(factor) == 0) continue;
        for (int k = 0; k <= divisorDegree; ++k) {
            remainder[static_cast<std::size_t>(top - divisorDegree + k)] -= factor * divisor.Coefficients()[static_cast<std::size_t>(k)];
        }
    }
    remainder.resize(static_cast<std::size_t>(divisorDegree));
    return {ExactPolynomial(std::move(quotient)), ExactPolynomial(std::move(remainder))};
}

ExactPolynomial Gcd(const ExactPolynomial& a, const ExactPolynomial& b) {
    // Each remainder is made primitive so that the coefficients stay as short as the
    // remainders themselves allow.
    ExactPolynomial u = a.Primitive();
    ExactPolynomial v = b.Primitive();
    if (!u.IsZero() && !v.IsZero() && CoprimeByResidues(u.IntegerCoefficients(), v.IntegerCoefficients())) {
        return ExactPolynomial({mpq_class(1)});
    }
    while (!v.IsZero()) {
        ExactPolynomial r = Divide(u, v).remainder.Primitive();
        u = std::move(v);
        v = std::move(r);
    }
    return u;
}

std::vector<SquareFreeFactor> SquareFreeDecomposition(const ExactPolynomial& p) {
    std::vector<SquareFreeFactor> factors;
    if (p.Degree() < 1) return factors;
    const ExactPolynomial f = p.Primitive();
    const ExactPolynomial derivative = f.Derivative();
    const ExactPolynomial a0 = Gcd(f, derivative);
    ExactPolynomial b = ExactQuotient(f, a0);
    ExactPolynomial c = ExactQuotient(derivative, a0);
    ExactPolynomial d = c - b.Derivative();
    for (int multiplicity = 1; b.Degree() > 0; ++multiplicity) {
        const ExactPolynomial a = Gcd(b, d);
        b = ExactQuotient(b, a);
        c = ExactQuotient(d, a);
        d = c - b.Derivative();
        if (a.Degree() > 0) factors.push_back({a, multiplicity});
    }
    return factors;
}

}  // namespace abacor
