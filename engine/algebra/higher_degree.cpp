#include "algebra/higher_degree.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

#include "core/report.h"

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

// ---- The search for roots --------------------------------------------------------------

constexpr double kFreeTermZero = 1e-10;
constexpr double kRootValue = 1e-6;
constexpr double kDivisorDuplicate = 1e-8;
constexpr double kNewtonDuplicate = 1e-6;
constexpr double kFlatDerivative = 1e-15;
constexpr double kNewtonStep = 1e-12;
constexpr int kNewtonIterations = 100;
constexpr int kNewtonMaxDegree = 4;
constexpr int kNewtonStarts = 41;  // -10, -9.5, ..., 10
constexpr std::size_t kDivisorsPrinted = 20;
// Truncation to a 64-bit integer is defined below this magnitude only.
constexpr double kLargestFreeTerm = 9223372036854775808.0;  // 2^63
// Each candidate costs one evaluation per term of P; this many term evaluations keep
// the search well inside the time a solver may take.
constexpr std::size_t kTermEvaluationBudget = 500'000;

bool IsConstantKey(const MonomialKey& key) { return key == kConstKey || TotalDegree(key) == 0; }

// The free term as x = 0 sees it: x^0 is read as a key of its own but is a constant.
double FreeTerm(const Polynomial& p) {
    double c = 0;
    for (const auto& [key, coefficient] : p) {
        if (IsConstantKey(key)) c += coefficient;
    }
    return c;
}

// P with one factor x taken out; the constant entries are the vanished free term.
Polynomial DivideByX(const Polynomial& p) {
    Polynomial q;
    for (const auto& [key, coefficient] : p) {
        if (IsConstantKey(key)) continue;
        const int x = VariableExponent(key, L'x');
        if (x == 0) {
            q[key] += coefficient;
            continue;
        }
        const MonomialKey lowered = MakeKey(x - 1, VariableExponent(key, L'y'), VariableExponent(key, L'z'));
        q[IsConstantKey(lowered) ? kConstKey : lowered] += coefficient;
    }
    RemoveZeroTerms(q);
    return q;
}

class RootSearch {
public:
    RootSearch(const Polynomial& p, int degree, std::wstring& report) : p_(p), degree_(degree), report_(report) {}

    std::vector<double>& roots() { return roots_; }
    bool complete() const { return roots_.size() >= static_cast<std::size_t>(std::max(degree_, 0)); }

    double FactorOutX() {
        report_ += L"│ Свободный член = 0 → x = 0 является корнем\r\n";
        roots_.push_back(0.0);
        const Polynomial q = DivideByX(p_);
        report_ += L"│ После вынесения x: x(" + PolynomialToString(q) + L") = 0\r\n│\r\n";
        return FreeTerm(q);
    }

    void SearchDivisors(double c) {
        report_ += L"│ Поиск рациональных корней перебором\r\n│ среди делителей свободного члена...\r\n│\r\n";
        if (!(std::fabs(c) > kFreeTermZero)) return;
        if (std::fabs(c) >= kLargestFreeTerm) {
            report_ += L"│ Свободный член " + Ng(c) + L" слишком велик: делители не перебираются\r\n";
        } else {
            TryDivisors(DivisorsOf(static_cast<U64>(std::fabs(c))));
        }
        report_ += L"│ Проверено значений: " + std::to_wstring(tested_) + L"\r\n";
    }

    void SearchNewton() {
        if (complete() || degree_ > kNewtonMaxDegree) return;
        report_ += L"│\r\n│ Поиск иррациональных корней (метод Ньютона)...\r\n";
        const Polynomial derivative = DerivePolynomial(p_);
        for (int i = 0; i < kNewtonStarts && !complete(); ++i) {
            const double x1 = Newton(derivative, -10.0 + 0.5 * i);
            if (std::isfinite(x1) && !HasRootNear(x1, kNewtonDuplicate)) {
                roots_.push_back(x1);
                report_ += L"│ ✓ Найден корень: x ≈ " + Ng(x1) + L"\r\n";
            }
        }
    }

    void Close() {
        std::sort(roots_.begin(), roots_.end());
        report_ += L"│\r\n";
        if (roots_.empty()) {
            report_ += L"│ Рациональные корни не обнаружены\r\n";
        } else {
            report_ += L"│ Найденные корни:\r\n";
            for (std::size_t i = 0; i < roots_.size(); ++i) {
                report_ += L"│   x" + std::to_wstring(i + 1) + L" = " + FormatAnswer(roots_[i]) + L"\r\n";
            }
        }
        report_ += kSectionClose;
    }

private:
    bool HasRootNear(double r, double tolerance) const {
        return std::any_of(roots_.begin(), roots_.end(), [&](double root) { return std::fabs(root - r) < tolerance; });
    }

    void PrintDivisors(const std::vector<U64>& divisors) {
        std::wstring line = L"│ Делители свободного члена (±";
        for (std::size_t i = 0; i < std::min(divisors.size(), kDivisorsPrinted); ++i) {
            if (i > 0) line += L", ";
            line += std::to_wstring(divisors[i]);
        }
        if (divisors.size() > kDivisorsPrinted) line += L", ...";
        report_ += line + L")\r\n│\r\n";
    }

    // Tries −k, then +k; true when the list of roots is complete.
    bool TryDivisor(U64 k) {
        for (const double r : {-static_cast<double>(k), static_cast<double>(k)}) {
            ++tested_;
            if (std::fabs(EvaluatePolynomial(p_, r, 0)) < kRootValue && !HasRootNear(r, kDivisorDuplicate)) {
                roots_.push_back(r);
                report_ += L"│ ✓ Найден корень: x = " + Ng(r) + L"\r\n";
                if (complete()) return true;
            }
        }
        return false;
    }

    void TryDivisors(const std::vector<U64>& divisors) {
        if (divisors.empty()) return;
        PrintDivisors(divisors);
        const std::size_t terms = std::max<std::size_t>(p_.size(), 1);
        const std::size_t limit = std::max<std::size_t>(kTermEvaluationBudget / (2 * terms), 1);
        for (std::size_t i = 0; i < divisors.size(); ++i) {
            if (i == limit) {
                report_ += L"│ Делители больше " + std::to_wstring(divisors[i - 1]) +
                           L" не проверялись (всего делителей: " + std::to_wstring(divisors.size()) + L")\r\n";
                return;
            }
            if (TryDivisor(divisors[i])) return;
        }
    }

    // The root Newton's method reaches from x, or NaN when it gives up or does not settle.
    double Newton(const Polynomial& derivative, double x) const {
        for (int i = 0; i < kNewtonIterations; ++i) {
            const double f = EvaluatePolynomial(p_, x, 0);
            const double slope = EvaluatePolynomial(derivative, x, 0);
            if (std::fabs(slope) < kFlatDerivative) break;
            const double x1 = x - f / slope;
            if (std::fabs(x1 - x) < kNewtonStep) {
                return std::fabs(EvaluatePolynomial(p_, x1, 0)) < kRootValue ? x1 : NAN;
            }
            x = x1;
        }
        return NAN;
    }

    const Polynomial& p_;
    int degree_;
    std::wstring& report_;
    std::vector<double> roots_;
    long long tested_ = 0;
};

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

std::vector<double> SolveHigherDegree(const Polynomial& p, int degree, std::wstring& report) {
    report += L"┌─ Шаг 4: Решение уравнения высшей степени ────\r\n";
    report += L"│ Тип: уравнение степени " + std::to_wstring(degree) + L"\r\n│\r\n";
    RootSearch search(p, degree, report);
    double c = FreeTerm(p);
    if (std::fabs(c) < kFreeTermZero) c = search.FactorOutX();
    search.SearchDivisors(c);
    search.SearchNewton();
    search.Close();
    return std::move(search.roots());
}

}  // namespace abacor
