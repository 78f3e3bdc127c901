#include "algebra/real_roots.h"

#include "algebra/modular_polynomial.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace abacor {

namespace {

// Integer coefficients from the free term up.
using IntegerPolynomial = std::vector<mpz_class>;

// Thrown when a search has spent its work allowance; FindRealRootsWithin turns it into
// "no answer" from deep inside isolation or refinement.
struct WorkExhausted {};

// The work of one search in limb operations of GMP, roughly a nanosecond each.
class WorkMeter {
public:
    explicit WorkMeter(long long allowance) : remaining_(allowance) {}
    void Spend(long long units) {
        remaining_ -= units;
        if (remaining_ < 0) throw WorkExhausted{};
    }

private:
    long long remaining_;
};

long long Limbs(const mpz_class& n) { return static_cast<long long>(mpz_size(n.get_mpz_t())) + 1; }

long long LargestLimbs(const IntegerPolynomial& p) {
    long long largest = 0;
    for (const mpz_class& c : p) largest = std::max(largest, Limbs(c));
    return largest;
}

int SignAt(const IntegerPolynomial& p, const mpq_class& x) {
    // Horner's rule on the numerator of p(n/d)·dⁿ keeps every step an integer.
    const mpz_class& n = x.get_num();
    const mpz_class& d = x.get_den();
    mpz_class value = p.back();
    mpz_class power = 1;
    for (std::size_t i = p.size() - 1; i-- > 0;) {
        value *= n;
        if (d == 1) {
            value += p[i];
        } else {
            power *= d;
            value += p[i] * power;
        }
    }
    return sgn(value);
}

IntegerPolynomial DerivativeOf(const IntegerPolynomial& p) {
    IntegerPolynomial result;
    for (std::size_t power = 1; power < p.size(); ++power) result.push_back(p[power] * static_cast<unsigned long>(power));
    if (result.empty()) result.push_back(0);
    return result;
}

// A square-free p with its derivative: the sign of p just beside a point, which is the
// sign of p' there when the point is a root.
struct SquareFree {
    IntegerPolynomial p;
    IntegerPolynomial derivative;

    explicit SquareFree(IntegerPolynomial coefficients) : p(std::move(coefficients)), derivative(DerivativeOf(p)) {}
    int SignRightOf(const mpq_class& x) const {
        const int sign = SignAt(p, x);
        return sign != 0 ? sign : SignAt(derivative, x);
    }
    int SignLeftOf(const mpq_class& x) const {
        const int sign = SignAt(p, x);
        return sign != 0 ? sign : -SignAt(derivative, x);
    }
    // Whether p has a root in the open interval, given that it has at most one there.
    bool HasRootBetween(const mpq_class& lower, const mpq_class& upper) const {
        return SignRightOf(lower) != SignLeftOf(upper);
    }
};

// ---- Isolation: Descartes' rule of signs with bisection ----------------------------------

// p(x + 1).
void TaylorShiftByOne(IntegerPolynomial& a) {
    const std::size_t n = a.size() - 1;
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = n; j-- > i;) a[j] += a[j + 1];
    }
}

int SignVariations(const IntegerPolynomial& a) {
    int variations = 0;
    int last = 0;
    for (const mpz_class& c : a) {
        const int sign = sgn(c);
        if (sign == 0) continue;
        if (last != 0 && sign != last) ++variations;
        last = sign;
    }
    return variations;
}

// An upper bound for the number of roots of q in (0, 1): the sign variations of
// (x + 1)ⁿ q(1 / (x + 1)), exact when it is 0 or 1.
int DescartesBound(const IntegerPolynomial& q) {
    IntegerPolynomial t(q.rbegin(), q.rend());
    TaylorShiftByOne(t);
    return SignVariations(t);
}

// Divides out the power of two common to every coefficient: without it the halvings
// toward a root far below the bound add n bits to every coefficient at each step.
void RemoveCommonPowerOfTwo(IntegerPolynomial& q) {
    mp_bitcnt_t common = ~mp_bitcnt_t{0};
    for (const mpz_class& c : q) {
        if (sgn(c) != 0) common = std::min(common, mpz_scan1(c.get_mpz_t(), 0));
    }
    if (common == 0 || common == ~mp_bitcnt_t{0}) return;
    for (mpz_class& c : q) mpz_fdiv_q_2exp(c.get_mpz_t(), c.get_mpz_t(), common);
}

// A cell of (0, 1) holding one root, or a root itself.
struct UnitCell {
    mpz_class index;  // the cell (index, index + 1) · 2⁻ᵏ
    unsigned long depth = 0;
    bool isRoot = false;  // then the root is index · 2⁻ᵏ
};

// The roots of q in (0, 1), q square-free with q(0) ≠ 0 (a root at 1 is not among them).
std::vector<UnitCell> IsolateInUnitInterval(IntegerPolynomial q, WorkMeter& meter) {
    struct Pending {
        IntegerPolynomial q;
        mpz_class index;
        unsigned long depth;
    };
    std::vector<UnitCell> cells;
    std::vector<Pending> pending;
    pending.push_back({std::move(q), 0, 0});
    while (!pending.empty()) {
        Pending cell = std::move(pending.back());
        pending.pop_back();
        // Two shifts by one, each n²/2 additions.
        const auto n2 = static_cast<long long>(cell.q.size() * cell.q.size());
        meter.Spend(n2 * LargestLimbs(cell.q));
        const int bound = DescartesBound(cell.q);
        if (bound == 0) continue;
        if (bound == 1) {
            cells.push_back({cell.index, cell.depth, false});
            continue;
        }
        // Halves: 2ⁿ q(x/2) on (0, 1/2) and its shift by one on (1/2, 1).
        const std::size_t n = cell.q.size() - 1;
        IntegerPolynomial left = std::move(cell.q);
        for (std::size_t i = 0; i < n; ++i) left[i] <<= static_cast<mp_bitcnt_t>(n - i);
        IntegerPolynomial right = left;
        TaylorShiftByOne(right);
        const mpz_class leftIndex = cell.index * 2;
        if (sgn(right.front()) == 0) {
            cells.push_back({leftIndex + 1, cell.depth + 1, true});
            right.erase(right.begin());
        }
        RemoveCommonPowerOfTwo(left);
        RemoveCommonPowerOfTwo(right);
        pending.push_back({std::move(right), leftIndex + 1, cell.depth + 1});
        pending.push_back({std::move(left), leftIndex, cell.depth + 1});
    }
    return cells;
}

// k with every real root of p strictly inside (-2ᵏ, 2ᵏ), from Fujiwara's bound
// 2·max |aₙ₋ᵢ/aₙ|^(1/i): far tighter than Cauchy's when the coefficients are long, and it
// goes below 1 for small roots.
long RootBoundExponent(const IntegerPolynomial& p) {
    const std::size_t n = p.size() - 1;
    const long leading = static_cast<long>(mpz_sizeinbase(p.back().get_mpz_t(), 2));
    long largest = LONG_MIN;
    for (std::size_t i = 1; i <= n; ++i) {
        const mpz_class& c = p[n - i];
        if (sgn(c) == 0) continue;
        // |c/aₙ| < 2^(bits(c) - bits(aₙ) + 1); the root of it rounded up.
        const long bits = static_cast<long>(mpz_sizeinbase(c.get_mpz_t(), 2)) - leading + 1;
        const long perPower = bits >= 0 ? (bits + static_cast<long>(i) - 1) / static_cast<long>(i) : -(-bits / static_cast<long>(i));
        largest = std::max(largest, perPower);
    }
    return largest + 2;  // one for the factor 2, one to make the bound strict
}

struct Isolated {
    mpq_class lower;
    mpq_class upper;
    bool isRoot = false;  // lower == upper is the root
};

// index · 2⁻ᵈᵉᵖᵗʰ.
mpq_class CellPoint(const mpz_class& index, unsigned long depth) {
    mpq_class x(index, mpz_class(1) << static_cast<mp_bitcnt_t>(depth));
    x.canonicalize();
    return x;
}

// The positive roots of q (q(0) ≠ 0): those in (0, 1) from q itself, those above 1 from
// xⁿ·q(1/x) on (0, 1). Roots far from 1 then cost halvings of short coefficients, where
// scaling (0, bound) to (0, 1) would make every coefficient as long as the bound's n-th
// power.
std::vector<Isolated> IsolatePositive(const IntegerPolynomial& q, WorkMeter& meter) {
    std::vector<Isolated> isolated;
    for (const UnitCell& cell : IsolateInUnitInterval(q, meter)) {
        mpq_class a = CellPoint(cell.index, cell.depth);
        if (cell.isRoot) {
            isolated.push_back({a, a, true});
        } else {
            isolated.push_back({std::move(a), CellPoint(cell.index + 1, cell.depth), false});
        }
    }
    if (SignAt(q, mpq_class(1)) == 0) isolated.push_back({1, 1, true});
    for (const UnitCell& cell : IsolateInUnitInterval(IntegerPolynomial(q.rbegin(), q.rend()), meter)) {
        const mpq_class a = CellPoint(cell.index, cell.depth);
        if (cell.isRoot) {
            const mpq_class root = 1 / a;
            isolated.push_back({root, root, true});
            continue;
        }
        // The cell at 0 stands for (2ᵈᵉᵖᵗʰ, ∞): the root bound closes it.
        mpq_class upper = sgn(a) != 0 ? mpq_class(1 / a) : mpq_class(mpz_class(1) << static_cast<mp_bitcnt_t>(std::max(0L, RootBoundExponent(q))));
        isolated.push_back({1 / CellPoint(cell.index + 1, cell.depth), std::move(upper), false});
    }
    return isolated;
}

// The isolating intervals of the non-zero roots of a square-free p with p(0) ≠ 0.
std::vector<Isolated> IsolateRoots(const IntegerPolynomial& p, WorkMeter& meter) {
    std::vector<Isolated> isolated = IsolatePositive(p, meter);
    IntegerPolynomial mirrored = p;  // p(-x)
    for (std::size_t i = 1; i < mirrored.size(); i += 2) mirrored[i] = -mirrored[i];
    for (Isolated& negative : IsolatePositive(mirrored, meter)) {
        isolated.push_back({-negative.upper, -negative.lower, negative.isRoot});
    }
    return isolated;
}

// ---- Rational roots: Hensel lifting from a small prime -----------------------------------

mpz_class ValueModulo(const IntegerPolynomial& p, const mpz_class& x, const mpz_class& modulus) {
    mpz_class value = 0;
    for (auto c = p.rbegin(); c != p.rend(); ++c) {
        value = value * x + *c;
        mpz_mod(value.get_mpz_t(), value.get_mpz_t(), modulus.get_mpz_t());
    }
    return value;
}

// Whether p(x) = 0 for x = n/d in lowest terms: first modulo a large prime, which
// rejects nearly every false candidate cheaply, then exactly.
bool IsRationalRoot(const IntegerPolynomial& p, const mpq_class& x) {
    const std::uint64_t prime = kCertificatePrimes[0];
    const std::uint64_t n = Residue(x.get_num(), prime);
    const std::uint64_t d = Residue(x.get_den(), prime);
    std::uint64_t value = 0;
    std::uint64_t power = 1;
    for (auto c = p.rbegin(); c != p.rend(); ++c) {
        value = (value * n % prime + Residue(*c, prime) * power % prime) % prime;
        power = power * d % prime;
    }
    return value == 0 && SignAt(p, x) == 0;
}

// The rational root n/d of p has d | leading and n | free term, so leading·root is an
// integer of magnitude at most |leading·free term|: a root modulo prime lifted to a
// modulus twice that size names it.
std::vector<mpq_class> LiftRoots(const IntegerPolynomial& p, std::uint64_t prime, const std::vector<std::uint64_t>& residues) {
    const IntegerPolynomial derivative = DerivativeOf(p);
    const mpz_class bound = 2 * abs(p.front()) * abs(p.back());
    std::vector<mpz_class> lifted(residues.begin(), residues.end());
    mpz_class modulus = static_cast<unsigned long>(prime);
    while (modulus <= bound) {
        modulus *= modulus;
        for (mpz_class& r : lifted) {
            mpz_class slope = ValueModulo(derivative, r, modulus);
            mpz_invert(slope.get_mpz_t(), slope.get_mpz_t(), modulus.get_mpz_t());
            r -= ValueModulo(p, r, modulus) * slope;
            mpz_mod(r.get_mpz_t(), r.get_mpz_t(), modulus.get_mpz_t());
        }
    }
    std::vector<mpq_class> roots;
    for (const mpz_class& r : lifted) {
        mpz_class scaled = r * p.back();
        mpz_mod(scaled.get_mpz_t(), scaled.get_mpz_t(), modulus.get_mpz_t());
        if (2 * scaled > modulus) scaled -= modulus;
        mpq_class candidate(scaled, p.back());
        candidate.canonicalize();
        if (IsRationalRoot(p, candidate)) roots.push_back(std::move(candidate));
    }
    return roots;
}

// Every rational root of a square-free p with p(0) ≠ 0; nullopt when none of the primes
// tried divides neither the leading coefficient nor any root's slope.
std::optional<std::vector<mpq_class>> RationalRoots(const IntegerPolynomial& p) {
    constexpr int kPrimesTried = 30;
    constexpr std::uint64_t kFirstPrime = 1009;  // small enough to try every residue
    const IntegerPolynomial derivative = DerivativeOf(p);
    std::uint64_t prime = kFirstPrime - 1;
    for (int attempt = 0; attempt < kPrimesTried; ++attempt) {
        prime = NextPrime(prime);
        if (Residue(p.back(), prime) == 0) continue;
        const std::vector<std::uint64_t> residues = RootsModulo(Reduce(p, prime), prime);
        const ModularPolynomial slope = Reduce(derivative, prime);
        const bool simple = std::none_of(residues.begin(), residues.end(), [&](std::uint64_t r) { return EvaluateModulo(slope, r, prime) == 0; });
        if (simple) return LiftRoots(p, prime, residues);
    }
    return std::nullopt;
}

// ---- Refinement ---------------------------------------------------------------------------

double Truncated(const mpq_class& x) { return x.get_d(); }  // toward zero; ±inf when too large

// The double nearest to x, given the double that x truncates to and whether x lies
// above a point.
template <typename IsAbove>
double RoundTruncated(double truncated, IsAbove isAbove) {
    if (!std::isfinite(truncated)) return truncated;
    const double away = std::nextafter(truncated, truncated < 0 || (truncated == 0 && !isAbove(mpq_class(0))) ? -INFINITY : INFINITY);
    if (!std::isfinite(away)) return truncated;
    const double low = std::min(truncated, away);
    const double high = std::max(truncated, away);
    const mpq_class middle = (mpq_class(low) + mpq_class(high)) / 2;
    return isAbove(middle) ? high : low;
}

// Bisects an isolating interval of p's root until the root's rationality is decided
// and its nearest double is known.
class Refinement {
public:
    // With the rational roots known the interval is only narrowed to the nearest double;
    // without, until it is narrow enough to tell whether the root is rational.
    Refinement(const SquareFree& p, Isolated interval, const std::optional<std::vector<mpq_class>>& rationalRoots,
               WorkMeter& meter)
        : p_(p), meter_(meter), lower_(std::move(interval.lower)), upper_(std::move(interval.upper)) {
        if (interval.isRoot) exact_ = lower_;
        signRightOfLower_ = p_.SignRightOf(lower_);
        if (rationalRoots && !exact_) {
            const auto inside = std::find_if(rationalRoots->begin(), rationalRoots->end(),
                                             [this](const mpq_class& r) { return lower_ < r && r < upper_; });
            if (inside != rationalRoots->end()) exact_ = *inside;
            rationalityDecided_ = true;
        }
    }

    RealRoot Run() {
        bool rationalityDecided = exact_.has_value() || rationalityDecided_;
        while (!exact_) {
            if (!rationalityDecided && NarrowerThanRationalStep()) {
                TryRationalCandidate();
                rationalityDecided = true;
                continue;
            }
            if (rationalityDecided && Truncated(lower_) == Truncated(upper_)) break;
            Bisect();
        }
        RealRoot root;
        if (exact_) {
            root.exact = *exact_;
            root.lower = root.upper = *exact_;
            root.value = NearestDouble(*exact_);
        } else {
            root.lower = lower_;
            root.upper = upper_;
            root.value = RoundTruncated(Truncated(lower_), [this](const mpq_class& point) { return IsRootAbove(point); });
        }
        return root;
    }

private:
    // A rational root of a primitive integer polynomial times its leading coefficient is
    // an integer, so an interval narrower than 1/leading holds at most one candidate.
    bool NarrowerThanRationalStep() const { return (upper_ - lower_) * p_.p.back() < 1; }

    void TryRationalCandidate() {
        const mpz_class& leading = p_.p.back();
        mpz_class candidate;
        const mpq_class scaledLower = lower_ * leading;
        mpz_fdiv_q(candidate.get_mpz_t(), scaledLower.get_num_mpz_t(), scaledLower.get_den_mpz_t());
        candidate += 1;
        mpq_class root(candidate, leading);
        root.canonicalize();
        if (root < upper_ && SignAt(p_.p, root) == 0) exact_ = root;
    }

    void Bisect() {
        mpq_class middle = (lower_ + upper_) / 2;
        // Horner's rule: n products of the value, which grows by a denominator each step.
        const auto n = static_cast<long long>(p_.p.size());
        meter_.Spend(n * (LargestLimbs(p_.p) + n * Limbs(middle.get_den()) + Limbs(middle.get_num())));
        const int sign = SignAt(p_.p, middle);
        if (sign == 0) {
            exact_ = std::move(middle);
        } else if (sign == signRightOfLower_) {
            lower_ = std::move(middle);
        } else {
            upper_ = std::move(middle);
        }
    }

    bool IsRootAbove(const mpq_class& point) const {
        if (point <= lower_) return true;
        if (point >= upper_) return false;
        return SignAt(p_.p, point) == signRightOfLower_;
    }

    const SquareFree& p_;
    WorkMeter& meter_;
    mpq_class lower_;
    mpq_class upper_;
    int signRightOfLower_ = 0;
    bool rationalityDecided_ = false;
    std::optional<mpq_class> exact_;
};

// ---- Multiplicities and exact forms -------------------------------------------------------

struct Factor {
    SquareFree polynomial;
    ExactPolynomial exact;
    int multiplicity;
};

bool IsRootOf(const Factor& factor, const RealRoot& root) {
    if (root.exact) return SignAt(factor.polynomial.p, *root.exact) == 0;
    return factor.polynomial.HasRootBetween(root.lower, root.upper);
}

mpz_class GcdOf(const mpz_class& a, const mpz_class& b) {
    mpz_class result;
    mpz_gcd(result.get_mpz_t(), a.get_mpz_t(), b.get_mpz_t());
    return result;
}

// The two roots of a·x² + b·x + c (a > 0, discriminant positive and not a square),
// smaller first.
std::pair<QuadraticSurd, QuadraticSurd> QuadraticRoots(const mpz_class& a, const mpz_class& b, const mpz_class& c) {
    // Square factors of the discriminant are taken out by trial division only: enough for
    // school numbers, and a radicand left with a large square factor is still right.
    constexpr unsigned long kLargestTrialFactor = 1000;
    mpz_class radicand = b * b - 4 * a * c;
    mpz_class outside = 1;
    for (unsigned long f = 2; f <= kLargestTrialFactor && f * f <= radicand; ++f) {
        while (mpz_divisible_ui_p(radicand.get_mpz_t(), f * f)) {
            radicand /= f * f;
            outside *= f;
        }
    }
    mpz_class rational = -b;
    mpz_class denominator = 2 * a;
    const mpz_class common = GcdOf(GcdOf(rational, outside), denominator);
    rational /= common;
    outside /= common;
    denominator /= common;
    return {{rational, -outside, radicand, denominator}, {rational, outside, radicand, denominator}};
}

// Gives the irrational roots of each factor that is quadratic once its rational roots are
// divided out their exact forms.
void AttachSurds(const std::vector<Factor>& factors, std::vector<RealRoot>& roots) {
    for (const Factor& factor : factors) {
        ExactPolynomial rest = factor.exact;
        std::vector<RealRoot*> irrational;
        for (RealRoot& root : roots) {
            if (root.multiplicity != factor.multiplicity) continue;
            if (root.exact) {
                rest = Divide(rest, ExactPolynomial::Linear(*root.exact)).quotient;
            } else {
                irrational.push_back(&root);
            }
        }
        if (rest.Degree() != 2 || irrational.size() != 2) continue;
        const std::vector<mpz_class> abc = rest.IntegerCoefficients();
        auto [smaller, larger] = QuadraticRoots(abc[2], abc[1], abc[0]);
        irrational[0]->surd = std::move(smaller);
        irrational[1]->surd = std::move(larger);
    }
}

std::vector<Factor> FactorsOf(const ExactPolynomial& p) {
    std::vector<Factor> factors;
    for (SquareFreeFactor& f : SquareFreeDecomposition(p)) {
        factors.push_back({SquareFree(f.factor.IntegerCoefficients()), std::move(f.factor), f.multiplicity});
    }
    return factors;
}

std::wstring Digits(const mpz_class& n) {
    const std::string text = n.get_str();
    return std::wstring(text.begin(), text.end());
}

std::wstring SurdText(const QuadraticSurd& s) {
    const mpz_class magnitude = abs(s.coefficient);
    std::wstring root = (magnitude == 1 ? L"" : Digits(magnitude)) + L"√" + Digits(s.radicand);
    std::wstring text;
    if (s.rational == 0) {
        text = (sgn(s.coefficient) < 0 ? L"-" : L"") + root;
        return s.denominator == 1 ? text : text + L"/" + Digits(s.denominator);
    }
    text = Digits(s.rational) + (sgn(s.coefficient) < 0 ? L" - " : L" + ") + root;
    return s.denominator == 1 ? text : L"(" + text + L")/" + Digits(s.denominator);
}

std::vector<RealRoot> FindRealRootsMetered(const ExactPolynomial& p, WorkMeter& meter) {
    std::vector<RealRoot> roots;
    const std::vector<Factor> factors = FactorsOf(p);
    if (factors.empty()) return roots;
    ExactPolynomial squareFreePart({mpq_class(1)});
    for (const Factor& f : factors) squareFreePart = squareFreePart * f.exact;
    IntegerPolynomial coefficients = squareFreePart.IntegerCoefficients();
    if (sgn(coefficients.front()) == 0) {
        RealRoot zero;
        zero.exact = 0;
        roots.push_back(std::move(zero));
        coefficients.erase(coefficients.begin());
    }
    if (coefficients.size() > 1) {
        const SquareFree rest(std::move(coefficients));
        const std::optional<std::vector<mpq_class>> rationalRoots = RationalRoots(rest.p);
        for (Isolated& interval : IsolateRoots(rest.p, meter)) {
            roots.push_back(Refinement(rest, std::move(interval), rationalRoots, meter).Run());
        }
    }
    // Intervals are disjoint but may share an end with an exact root.
    std::sort(roots.begin(), roots.end(), [](const RealRoot& a, const RealRoot& b) {
        return a.lower != b.lower ? a.lower < b.lower : a.upper < b.upper;
    });
    for (RealRoot& root : roots) {
        const auto owner = std::find_if(factors.begin(), factors.end(), [&root](const Factor& f) { return IsRootOf(f, root); });
        root.multiplicity = owner->multiplicity;
    }
    AttachSurds(factors, roots);
    return roots;
}


}  // namespace

double NearestDouble(const mpq_class& x) {
    return RoundTruncated(Truncated(x), [&x](const mpq_class& point) { return x > point; });
}

std::vector<RealRoot> FindRealRoots(const ExactPolynomial& p) {
    WorkMeter unlimited(LLONG_MAX);
    return FindRealRootsMetered(p, unlimited);
}

std::optional<std::vector<RealRoot>> FindRealRootsWithin(const ExactPolynomial& p, long long workAllowance) {
    WorkMeter meter(workAllowance);
    try {
        return FindRealRootsMetered(p, meter);
    } catch (const WorkExhausted&) {
        return std::nullopt;
    }
}


std::wstring ExactRootText(const RealRoot& root) {
    if (root.exact) return Digits(root.exact->get_num()) + (root.exact->get_den() == 1 ? L"" : L"/" + Digits(root.exact->get_den()));
    if (root.surd) return SurdText(*root.surd);
    return L"";
}

}  // namespace abacor
