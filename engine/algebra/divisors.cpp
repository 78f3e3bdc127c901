#include "algebra/divisors.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace abacor {

namespace {

using U64 = std::uint64_t;
__extension__ typedef unsigned __int128 U128;

// ---- Divisors of a 64-bit number -------------------------------------------------------

U64 MulMod(U64 a, U64 b, U64 m) { return static_cast<U64>(static_cast<U128>(a) * b % m); }

U64 PowMod(U64 base, U64 exponent, U64 m) {
    U64 result = 1 % m;
    base %= m;
    for (; exponent > 0; exponent >>= 1) {
        if (exponent & 1) result = MulMod(result, base, m);
        base = MulMod(base, base, m);
    }
    return result;
}

// Miller–Rabin with these bases decides every number below 3.3·10²⁴ exactly.
constexpr U64 kWitnesses[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};

bool IsPrime(U64 n) {
    if (n < 2) return false;
    for (U64 p : kWitnesses) {
        if (n % p == 0) return n == p;
    }
    U64 d = n - 1;
    int s = 0;
    for (; (d & 1) == 0; d >>= 1) ++s;
    for (U64 a : kWitnesses) {
        U64 x = PowMod(a, d, n);
        if (x == 1 || x == n - 1) continue;
        bool composite = true;
        for (int r = 1; r < s && composite; ++r) {
            x = MulMod(x, x, n);
            composite = x != n - 1;
        }
        if (composite) return false;
    }
    return true;
}

U64 Distance(U64 a, U64 b) { return a > b ? a - b : b - a; }

// A proper factor of a composite n without small factors: Pollard's rho in Brent's
// form, the gcds taken in batches. A constant c whose cycle closes on n itself is
// replaced by the next one, so the search always ends.
U64 FindFactor(U64 n) {
    constexpr U64 kBatch = 128;
    for (U64 c = 1;; ++c) {
        const auto step = [n, c](U64 v) { return static_cast<U64>((static_cast<U128>(v) * v + c) % n); };
        U64 y = 2, x = 2, saved = 2, q = 1, g = 1;
        for (U64 r = 1; g == 1; r <<= 1) {
            x = y;
            for (U64 i = 0; i < r; ++i) y = step(y);
            for (U64 k = 0; k < r && g == 1; k += kBatch) {
                saved = y;
                for (U64 i = 0; i < std::min(kBatch, r - k); ++i) {
                    y = step(y);
                    q = MulMod(q, Distance(x, y), n);
                }
                g = std::gcd(q, n);
            }
        }
        if (g == n) {  // the batch went past the factor: retrace it one step at a time
            do {
                saved = step(saved);
                g = std::gcd(Distance(x, saved), n);
            } while (g == 1);
        }
        if (g != n) return g;
    }
}

void CollectPrimeFactors(U64 n, std::vector<U64>& primes) {
    if (n == 1) return;
    if (IsPrime(n)) {
        primes.push_back(n);
        return;
    }
    const U64 factor = FindFactor(n);
    CollectPrimeFactors(factor, primes);
    CollectPrimeFactors(n / factor, primes);
}

// Prime factors with their multiplicities, ascending.
std::vector<std::pair<U64, int>> Factorise(U64 m) {
    std::vector<U64> primes;
    for (U64 p = 2; p < 1000 && p * p <= m; p += p == 2 ? 1 : 2) {
        for (; m % p == 0; m /= p) primes.push_back(p);
    }
    CollectPrimeFactors(m, primes);
    std::sort(primes.begin(), primes.end());
    std::vector<std::pair<U64, int>> grouped;
    for (U64 p : primes) {
        if (!grouped.empty() && grouped.back().first == p) {
            ++grouped.back().second;
        } else {
            grouped.emplace_back(p, 1);
        }
    }
    return grouped;
}

}  // namespace

std::vector<U64> DivisorsOf(U64 m) {
    if (m == 0) return {};
    std::vector<U64> divisors{1};
    for (const auto& [prime, multiplicity] : Factorise(m)) {
        const std::size_t count = divisors.size();
        U64 power = 1;
        for (int i = 0; i < multiplicity; ++i) {
            power *= prime;
            for (std::size_t j = 0; j < count; ++j) divisors.push_back(divisors[j] * power);
        }
    }
    std::sort(divisors.begin(), divisors.end());
    return divisors;
}

}  // namespace abacor
