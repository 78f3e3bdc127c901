// Integer polynomials reduced modulo a prime below 2³²: quick certificates for the exact
// root finder (a gcd that is 1 modulo a prime is 1 over the rationals) and the roots
// modulo a small prime that Hensel lifting turns into rational roots.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <vector>

namespace abacor {

// Coefficients from the free term up, each below the prime; no trailing zeros.
using ModularPolynomial = std::vector<std::uint64_t>;

// Large primes for the gcd certificate, where an unlucky prime is least likely.
inline constexpr std::uint64_t kCertificatePrimes[] = {4294967291u, 4294967279u, 4294967231u};

std::uint64_t Residue(const mpz_class& n, std::uint64_t prime);
ModularPolynomial Reduce(const std::vector<mpz_class>& p, std::uint64_t prime);
// Monic; empty when both are zero.
ModularPolynomial ModularGcd(ModularPolynomial a, ModularPolynomial b, std::uint64_t prime);
std::uint64_t EvaluateModulo(const ModularPolynomial& p, std::uint64_t x, std::uint64_t prime);
// Every x in [0, prime) with p(x) = 0, by trying each one: meant for primes of a few
// thousand at most.
std::vector<std::uint64_t> RootsModulo(const ModularPolynomial& p, std::uint64_t prime);
// The smallest prime above n.
std::uint64_t NextPrime(std::uint64_t n);

}  // namespace abacor
