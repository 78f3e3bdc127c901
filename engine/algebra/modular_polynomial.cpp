#include "algebra/modular_polynomial.h"

#include <utility>

namespace abacor {

namespace {

// Below 2³² both factors fit, and so does their product.
std::uint64_t MulMod(std::uint64_t a, std::uint64_t b, std::uint64_t prime) { return a * b % prime; }

std::uint64_t PowMod(std::uint64_t base, std::uint64_t exponent, std::uint64_t prime) {
    std::uint64_t result = 1;
    for (; exponent > 0; exponent >>= 1) {
        if (exponent & 1) result = MulMod(result, base, prime);
        base = MulMod(base, base, prime);
    }
    return result;
}

std::uint64_t Inverse(std::uint64_t a, std::uint64_t prime) { return PowMod(a, prime - 2, prime); }

void Trim(ModularPolynomial& p) {
    while (!p.empty() && p.back() == 0) p.pop_back();
}

// a mod b, b not zero.
void ReduceBy(ModularPolynomial& a, const ModularPolynomial& b, std::uint64_t prime) {
    const std::uint64_t inverseLead = Inverse(b.back(), prime);
    while (a.size() >= b.size()) {
        const std::uint64_t factor = MulMod(a.back(), inverseLead, prime);
        const std::size_t shift = a.size() - b.size();
        for (std::size_t i = 0; i < b.size(); ++i) {
            a[shift + i] = (a[shift + i] + prime - MulMod(factor, b[i], prime)) % prime;
        }
        Trim(a);
    }
}

}  // namespace

std::uint64_t Residue(const mpz_class& n, std::uint64_t prime) {
    return mpz_fdiv_ui(n.get_mpz_t(), static_cast<unsigned long>(prime));
}

ModularPolynomial Reduce(const std::vector<mpz_class>& p, std::uint64_t prime) {
    ModularPolynomial result;
    result.reserve(p.size());
    for (const mpz_class& c : p) result.push_back(Residue(c, prime));
    Trim(result);
    return result;
}

ModularPolynomial ModularGcd(ModularPolynomial a, ModularPolynomial b, std::uint64_t prime) {
    while (!b.empty()) {
        ReduceBy(a, b, prime);
        std::swap(a, b);
    }
    if (a.empty()) return a;
    const std::uint64_t inverseLead = Inverse(a.back(), prime);
    for (std::uint64_t& c : a) c = MulMod(c, inverseLead, prime);
    return a;
}

std::uint64_t EvaluateModulo(const ModularPolynomial& p, std::uint64_t x, std::uint64_t prime) {
    std::uint64_t value = 0;
    for (auto c = p.rbegin(); c != p.rend(); ++c) value = (MulMod(value, x, prime) + *c) % prime;
    return value;
}

std::vector<std::uint64_t> RootsModulo(const ModularPolynomial& p, std::uint64_t prime) {
    std::vector<std::uint64_t> roots;
    for (std::uint64_t x = 0; x < prime; ++x) {
        if (EvaluateModulo(p, x, prime) == 0) roots.push_back(x);
    }
    return roots;
}

std::uint64_t NextPrime(std::uint64_t n) {
    for (std::uint64_t candidate = n + 1;; ++candidate) {
        bool prime = candidate >= 2;
        for (std::uint64_t d = 2; prime && d * d <= candidate; ++d) prime = candidate % d != 0;
        if (prime) return candidate;
    }
}

}  // namespace abacor
