#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "algebra/exact_in_x.h"
#include "algebra/real_roots.h"

namespace {

using abacor::ExactPolynomial;
using abacor::RealRoot;

ExactPolynomial Ints(std::vector<long> coefficients) {  // from the free term up
    std::vector<mpq_class> values(coefficients.begin(), coefficients.end());
    return ExactPolynomial(std::move(values));
}

ExactPolynomial Power(const ExactPolynomial& p, int n) {
    ExactPolynomial result = Ints({1});
    for (int i = 0; i < n; ++i) result = result * p;
    return result;
}

// (x - root)^multiplicity for each pair.
ExactPolynomial WithRoots(const std::vector<std::pair<mpq_class, int>>& roots) {
    ExactPolynomial p = Ints({1});
    for (const auto& [root, multiplicity] : roots) p = p * Power(ExactPolynomial::Linear(root), multiplicity);
    return p;
}

mpq_class TenTo(int exponent) {
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(std::abs(exponent)));
    return exponent >= 0 ? mpq_class(power) : mpq_class(1) / mpq_class(power);
}

mpz_class PrimesBetween(unsigned long from, unsigned long to) {
    mpz_class product = 1, prime = from;
    for (mpz_nextprime(prime.get_mpz_t(), prime.get_mpz_t()); prime < to; mpz_nextprime(prime.get_mpz_t(), prime.get_mpz_t())) product *= prime;
    return product;
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c == L'√' ? std::string("sqrt") : std::string(1, static_cast<char>(c));
    return out;
}

// ---- Independent reference: Sturm's theorem -----------------------------------------------

std::vector<ExactPolynomial> SturmSequence(const ExactPolynomial& p) {
    std::vector<ExactPolynomial> sequence{p, p.Derivative()};
    while (sequence.back().Degree() > 0) {
        ExactPolynomial r = abacor::Divide(sequence[sequence.size() - 2], sequence.back()).remainder;
        if (r.IsZero()) break;
        sequence.push_back(-r);
    }
    return sequence;
}

int Variations(const std::vector<ExactPolynomial>& sequence, const mpq_class& x) {
    int variations = 0, last = 0;
    for (const ExactPolynomial& q : sequence) {
        const int sign = sgn(q.Evaluate(x));
        if (sign != 0 && last != 0 && sign != last) ++variations;
        if (sign != 0) last = sign;
    }
    return variations;
}

// The number of distinct real roots of p in (a, b].
int SturmCount(const ExactPolynomial& p, const mpq_class& a, const mpq_class& b) {
    const std::vector<ExactPolynomial> sequence = SturmSequence(p);
    return Variations(sequence, a) - Variations(sequence, b);
}

// The number of distinct real roots of p in (a, b).
int OpenCount(const ExactPolynomial& p, const mpq_class& a, const mpq_class& b) {
    return SturmCount(p, a, b) - (p.Evaluate(b) == 0 ? 1 : 0);
}

// Whether no double lies closer to x than value.
bool IsNearestDouble(double value, const mpq_class& x) {
    const mpq_class distance = abs(mpq_class(value) - x);
    return distance <= abs(mpq_class(std::nextafter(value, -INFINITY)) - x) &&
           distance <= abs(mpq_class(std::nextafter(value, INFINITY)) - x);
}

// Beyond every root: 1 + Σ|aᵢ/aₙ|.
mpq_class RootBound(const ExactPolynomial& p) {
    mpq_class bound = 1;
    for (const mpq_class& c : p.Coefficients()) bound += abs(c / p.Leading());
    return bound;
}

// Every claim a root makes, checked against p alone: the interval holds exactly one
// distinct root, the exact value is a root, the double is within one step of the root,
// and the multiplicity is the order of vanishing.
void ExpectSoundRoot(const ExactPolynomial& p, const RealRoot& root) {
    const ExactPolynomial squareFree = abacor::Divide(p, abacor::Gcd(p, p.Derivative())).quotient;
    if (root.exact) {
        EXPECT_EQ(p.Evaluate(*root.exact), 0);
        EXPECT_EQ(root.lower, *root.exact);
        EXPECT_EQ(root.upper, *root.exact);
        EXPECT_TRUE(IsNearestDouble(root.value, *root.exact)) << root.value;
    } else {
        EXPECT_LT(root.lower, root.upper);
        EXPECT_EQ(OpenCount(squareFree, root.lower, root.upper), 1);
        // Within one step of a double, where another root may sit too.
        const mpq_class below(std::nextafter(root.value, -INFINITY));
        const mpq_class above(std::nextafter(root.value, INFINITY));
        EXPECT_GE(OpenCount(squareFree, below, above), 1) << root.value;
    }
    ExactPolynomial derivative = p;
    const mpq_class probe = root.exact ? *root.exact : root.lower;
    for (int order = 0; order < root.multiplicity; ++order) {
        const ExactPolynomial common = abacor::Gcd(squareFree, derivative);
        EXPECT_TRUE(root.exact ? common.Evaluate(probe) == 0 : OpenCount(common, root.lower, root.upper) == 1)
            << "order " << order;
        derivative = derivative.Derivative();
    }
    const ExactPolynomial beyond = abacor::Gcd(squareFree, derivative);
    EXPECT_FALSE(root.exact ? beyond.Evaluate(probe) == 0 : OpenCount(beyond, root.lower, root.upper) == 1);
}

// Sound roots, ascending, and as many as p has distinct real roots.
void ExpectAllRoots(const ExactPolynomial& p, const std::vector<RealRoot>& roots) {
    for (std::size_t i = 0; i < roots.size(); ++i) {
        SCOPED_TRACE("root " + std::to_string(i));
        ExpectSoundRoot(p, roots[i]);
        if (i == 0) continue;
        const RealRoot& previous = roots[i - 1];
        // Ascending and distinct: intervals may only share an end that is another root.
        EXPECT_TRUE(previous.upper < roots[i].lower || (previous.upper == roots[i].lower && !(previous.exact && roots[i].exact)));
    }
    const mpq_class bound = RootBound(p);
    EXPECT_EQ(static_cast<int>(roots.size()), SturmCount(p, -bound, bound));
}

// ---- Known roots ----------------------------------------------------------------------------

struct Expected {
    double value;
    int multiplicity;
    const char* exact;  // "" when irrational
};

TEST(RealRoots, SchoolEquations) {
    const mpq_class close = 1 + TenTo(-12);
    const struct {
        const char* name;
        ExactPolynomial p;
        std::vector<Expected> roots;
    } cases[] = {
        {"(x-2)^3", WithRoots({{2, 3}}), {{2, 3, "2"}}},
        {"(x-1)^3(x+2)", WithRoots({{1, 3}, {-2, 1}}), {{-2, 1, "-2"}, {1, 3, "1"}}},
        {"(2x-1)^2(x-3)", Power(Ints({-1, 2}), 2) * Ints({-3, 1}), {{0.5, 2, "1/2"}, {3, 1, "3"}}},
        {"x^3-1000x+1", Ints({1, -1000, 0, 1}),
         {{-31.623276589825753, 1, ""}, {0.001000000001, 1, ""}, {31.622276589824754, 1, ""}}},
        {"x^5-2", Ints({-2, 0, 0, 0, 0, 1}), {{1.148698354997035, 1, ""}}},
        {"(2x-1)(x-1)(x+1)(x-2)(x+2)", Ints({-1, 2}) * WithRoots({{1, 1}, {-1, 1}, {2, 1}, {-2, 1}}),
         {{-2, 1, "-2"}, {-1, 1, "-1"}, {0.5, 1, "1/2"}, {1, 1, "1"}, {2, 1, "2"}}},
        {"x^4+1", Ints({1, 0, 0, 0, 1}), {}},
        {"x^2+1 squared", Power(Ints({1, 0, 1}), 2), {}},
        {"3x-1", Ints({-1, 3}), {{1.0 / 3, 1, "1/3"}}},
        {"x^2-2", Ints({-2, 0, 1}), {{-M_SQRT2, 1, "-sqrt2"}, {M_SQRT2, 1, "sqrt2"}}},
        {"2x^2-1", Ints({-1, 0, 2}), {{-M_SQRT1_2, 1, "-sqrt2/2"}, {M_SQRT1_2, 1, "sqrt2/2"}}},
        {"x^2-x-1", Ints({-1, -1, 1}), {{-0.6180339887498949, 1, "(1 - sqrt5)/2"}, {1.618033988749895, 1, "(1 + sqrt5)/2"}}},
        {"x^2-2x-2", Ints({-2, -2, 1}), {{-0.7320508075688773, 1, "1 - sqrt3"}, {2.732050807568877, 1, "1 + sqrt3"}}},
        {"x^2-18", Ints({-18, 0, 1}), {{-4.242640687119285, 1, "-3sqrt2"}, {4.242640687119285, 1, "3sqrt2"}}},
        {"x^3-2x", Ints({0, -2, 0, 1}), {{-M_SQRT2, 1, "-sqrt2"}, {0, 1, "0"}, {M_SQRT2, 1, "sqrt2"}}},
        {"(x^2-2)^2(x-1)", Power(Ints({-2, 0, 1}), 2) * Ints({-1, 1}),
         {{-M_SQRT2, 2, "-sqrt2"}, {1, 1, "1"}, {M_SQRT2, 2, "sqrt2"}}},
        {"x^2(x-5)", Ints({0, 0, -5, 1}), {{0, 2, "0"}, {5, 1, "5"}}},
        {"(x-1)(x-1-1e-12)", WithRoots({{1, 1}, {close, 1}}), {{1, 1, "1"}, {1.000000000001, 1, "1000000000001/1000000000000"}}},
        {"x^3-3x+1", Ints({1, -3, 0, 1}),
         {{-1.8793852415718169, 1, ""}, {0.3472963553338607, 1, ""}, {1.532088886237956, 1, ""}}},
        {"7", Ints({7}), {}},
        {"0", ExactPolynomial(), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<RealRoot> roots = abacor::FindRealRoots(c.p);
        ASSERT_EQ(roots.size(), c.roots.size());
        for (std::size_t i = 0; i < roots.size(); ++i) {
            EXPECT_EQ(roots[i].value, c.roots[i].value) << i;
            EXPECT_EQ(roots[i].multiplicity, c.roots[i].multiplicity) << i;
            EXPECT_EQ(Narrow(abacor::ExactRootText(roots[i])), c.roots[i].exact) << i;
        }
        ExpectAllRoots(c.p, roots);
    }
}

TEST(RealRoots, ExtremeCoefficientsAndCloseRoots) {
    const mpq_class big = TenTo(50);
    const mpq_class tiny = TenTo(-50);
    const struct {
        const char* name;
        ExactPolynomial p;
        std::vector<const char*> exact;  // "" for an irrational root
    } cases[] = {
        {"(10^50 x - 1)(x - 10^50)", WithRoots({{tiny, 1}, {big, 1}}), {"", ""}},
        {"x^2 - 10^-40", ExactPolynomial({-TenTo(-40), 0, 1}), {"", ""}},
        {"x^2 - 2*10^-40", ExactPolynomial({-2 * TenTo(-40), 0, 1}), {"", ""}},
        {"(x-1)(x-1-10^-30)", WithRoots({{1, 1}, {1 + TenTo(-30), 1}}), {"", ""}},
        {"(x^2-2)(x^2-2-10^-20)", Ints({-2, 0, 1}) * ExactPolynomial({-2 - TenTo(-20), 0, 1}), {"", "", "", ""}},
        {"(x-10^-12)(x+10^-12)^2 x^3", WithRoots({{TenTo(-12), 1}, {-TenTo(-12), 2}, {0, 3}}), {"", "", ""}},
        {"10^100 x^3 - x", ExactPolynomial({0, -1, 0, TenTo(100)}), {"", "", ""}},
        {"(x-1)(x+1)(x-2^60)(x+3/2^60)(x-7/3)", WithRoots({{1, 1}, {-1, 1}, {mpq_class(mpz_class(1) << 60), 1},
                                                          {mpq_class(-3, mpz_class(1) << 60), 1}, {mpq_class(7, 3), 1}}),
         {"", "", "", "", ""}},
        // Four real roots (Sturm) of very different sizes, the smallest near 2^-500.
        {"doubles of every magnitude", *ExactPolynomial::FromDoubles({-0x1.8p-300, 0x1.1p200, -3.5, -0x1.3p-250, -0x1.9p100, 1e-300, 0.75}),
         {"", "", "", ""}},
        // Every small prime divides the leading coefficient: no prime to lift roots from.
        {"(Px - 1)(x^2 - 2)(3x + 2), P the primes 1000..1500", ExactPolynomial({-1, PrimesBetween(1000, 1500)}) * Ints({-2, 0, 1}) * Ints({2, 3}),
         {"", "", "", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<RealRoot> roots = abacor::FindRealRoots(c.p);
        ASSERT_EQ(roots.size(), c.exact.size());
        ExpectAllRoots(c.p, roots);
    }
    // The exact values of the first cases, beyond what a double can tell apart.
    const std::vector<RealRoot> close = abacor::FindRealRoots(WithRoots({{1, 1}, {1 + TenTo(-30), 1}}));
    ASSERT_EQ(close.size(), 2u);
    EXPECT_EQ(*close[1].exact, 1 + TenTo(-30));
    EXPECT_EQ(close[0].value, 1.0);
    EXPECT_EQ(close[1].value, 1.0);
    const std::vector<RealRoot> far = abacor::FindRealRoots(WithRoots({{tiny, 1}, {big, 1}}));
    EXPECT_EQ(*far[0].exact, tiny);
    EXPECT_EQ(far[0].value, 1e-50);
    EXPECT_EQ(far[1].value, 1e50);
    const std::vector<RealRoot> unlifted =
        abacor::FindRealRoots(ExactPolynomial({-1, PrimesBetween(1000, 1500)}) * Ints({-2, 0, 1}) * Ints({2, 3}));
    ASSERT_EQ(unlifted.size(), 4u);
    EXPECT_EQ(unlifted[1].exact, mpq_class(-2, 3));
    EXPECT_EQ(unlifted[2].exact, mpq_class(1) / PrimesBetween(1000, 1500));
    EXPECT_FALSE(unlifted[3].exact.has_value());
}

TEST(RealRoots, WilkinsonAndChebyshev) {
    std::vector<std::pair<mpq_class, int>> wilkinson;
    for (int k = 1; k <= 20; ++k) wilkinson.push_back({k, 1});
    const std::vector<RealRoot> integers = abacor::FindRealRoots(WithRoots(wilkinson));
    ASSERT_EQ(integers.size(), 20u);
    for (int k = 1; k <= 20; ++k) EXPECT_EQ(integers[k - 1].exact, mpq_class(k));

    // Wilkinson's polynomial with 2⁻²³ taken off x¹⁹: ten real roots (and ten complex).
    ExactPolynomial perturbed = WithRoots(wilkinson) - ExactPolynomial({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, mpq_class(1, 1 << 23)});
    const std::vector<RealRoot> moved = abacor::FindRealRoots(perturbed);
    EXPECT_EQ(moved.size(), 10u);
    ExpectAllRoots(perturbed, moved);

    // T₂₀(x) = cos(20 arccos x): twenty irrational roots cos((2k - 1)π/40) packed in (-1, 1).
    ExactPolynomial previous = Ints({1}), chebyshev = Ints({0, 1});
    for (int n = 2; n <= 20; ++n) {
        ExactPolynomial next = Ints({0, 2}) * chebyshev - previous;
        previous = chebyshev;
        chebyshev = next;
    }
    const std::vector<RealRoot> cosines = abacor::FindRealRoots(chebyshev);
    ASSERT_EQ(cosines.size(), 20u);
    for (int k = 1; k <= 20; ++k) {
        EXPECT_NEAR(cosines[20 - k].value, std::cos((2 * k - 1) * M_PI / 40), 1e-15) << k;
        EXPECT_FALSE(cosines[20 - k].exact.has_value()) << k;
    }
    ExpectAllRoots(chebyshev, cosines);
}

// ---- Random polynomials ---------------------------------------------------------------------

TEST(RealRoots, RandomProductsOfRationalFactorsGiveBackTheirRoots) {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> numerator(-30, 30), denominator(1, 12), multiplicity(1, 3), count(1, 7);
    for (int trial = 0; trial < 150; ++trial) {
        std::map<mpq_class, int> wanted;
        const int factors = count(random);
        for (int i = 0; i < factors; ++i) {
            mpq_class root(numerator(random), denominator(random));
            root.canonicalize();
            wanted[root] += multiplicity(random);
        }
        // A factor without real roots must not add any.
        const ExactPolynomial p = mpq_class(numerator(random) | 1, 7) * Ints({3, 1, 1}) *
                                  WithRoots(std::vector<std::pair<mpq_class, int>>(wanted.begin(), wanted.end()));
        const std::vector<RealRoot> roots = abacor::FindRealRoots(p);
        ASSERT_EQ(roots.size(), wanted.size()) << "trial " << trial;
        auto expected = wanted.begin();
        for (const RealRoot& root : roots) {
            ASSERT_TRUE(root.exact.has_value()) << "trial " << trial;
            EXPECT_EQ(*root.exact, expected->first) << "trial " << trial;
            EXPECT_EQ(root.multiplicity, expected->second) << "trial " << trial;
            EXPECT_TRUE(IsNearestDouble(root.value, expected->first)) << root.value;
            ++expected;
        }
    }
}

TEST(RealRoots, RandomPolynomialsAgreeWithSturm) {
    std::mt19937 random(7);
    std::uniform_int_distribution<long> coefficient(-20, 20);
    std::uniform_int_distribution<int> degree(1, 4), power(1, 3);
    for (int trial = 0; trial < 60; ++trial) {
        // A product of random factors with random powers: multiple, irrational and
        // rational roots side by side.
        ExactPolynomial p = Ints({1});
        for (int f = 0; f < 3; ++f) {
            std::vector<long> c(static_cast<std::size_t>(degree(random)) + 1);
            for (long& v : c) v = coefficient(random);
            if (c.back() == 0) c.back() = 1;
            p = p * Power(Ints(c), power(random));
        }
        SCOPED_TRACE("trial " + std::to_string(trial));
        ExpectAllRoots(p, abacor::FindRealRoots(p));
    }
}

// Roots packed tighter than the allowance can separate give no answer rather than a slow
// one; an allowance that suffices gives the unlimited answer.
TEST(RealRoots, WorkAllowance) {
    // x^n - 2(ax - 1)^2: two roots about a^(-n/2) apart.
    const auto mignotte = [](int n, long a) {
        std::vector<mpq_class> c(static_cast<std::size_t>(n) + 1);
        c[0] = -2;
        c[1] = 4 * a;
        c[2] = -2 * a * a;
        c.back() += 1;
        return ExactPolynomial(std::move(c));
    };
    EXPECT_FALSE(abacor::FindRealRootsWithin(mignotte(100, 1000), 100'000'000).has_value());
    EXPECT_FALSE(abacor::FindRealRootsWithin(Ints({-2, 0, 1}), 10).has_value());
    for (const ExactPolynomial& p : {mignotte(30, 100), Ints({1, -1000, 0, 1}), WithRoots({{1, 3}, {mpq_class(1, 3), 2}})}) {
        const std::optional<std::vector<RealRoot>> within = abacor::FindRealRootsWithin(p, 100'000'000);
        ASSERT_TRUE(within.has_value());
        const std::vector<RealRoot> unlimited = abacor::FindRealRoots(p);
        ASSERT_EQ(within->size(), unlimited.size());
        for (std::size_t i = 0; i < unlimited.size(); ++i) {
            EXPECT_EQ((*within)[i].value, unlimited[i].value);
            EXPECT_EQ((*within)[i].multiplicity, unlimited[i].multiplicity);
        }
    }
}

// ---- The check of a shown root -------------------------------------------------------------

TEST(ShownRoot, RightToTheShownDigitsOnly) {
    const std::vector<RealRoot> sqrt2 = abacor::FindRealRoots(Ints({-2, 0, 1}));
    const std::vector<RealRoot> zeroAndThird = abacor::FindRealRoots(Ints({0, -1, 3}));
    const struct {
        const std::vector<RealRoot>* roots;
        double value;
        bool shown;
    } cases[] = {
        {&sqrt2, M_SQRT2, true},       {&sqrt2, -M_SQRT2, true},    {&sqrt2, 1.414213562, true},
        {&sqrt2, 1.41421356, false},   {&sqrt2, 1.5, false},        {&sqrt2, 0, false},
        {&zeroAndThird, 0, true},      {&zeroAndThird, 1e-300, false}, {&zeroAndThird, 1.0 / 3, true},
        {&zeroAndThird, 0.3333333, false}, {&zeroAndThird, INFINITY, false}, {&zeroAndThird, NAN, false},
    };
    for (const auto& c : cases) EXPECT_EQ(abacor::IsShownRoot(*c.roots, c.value), c.shown) << c.value;
}

TEST(ShownRoot, DoublePolynomialsAreTakenExactly) {
    abacor::Polynomial p;
    p[abacor::kConstKey] = -0.1;
    p[abacor::MakeKey(1, 0, 0)] = 1;
    p[abacor::MakeKey(3, 0, 0)] = 2;
    const std::optional<ExactPolynomial> exact = abacor::ExactInX(p);
    ASSERT_TRUE(exact.has_value());
    EXPECT_EQ(exact->Degree(), 3);
    EXPECT_EQ(exact->Coefficient(0), -mpq_class(0.1));
    EXPECT_EQ(exact->Coefficient(1), 1);
    EXPECT_EQ(exact->Coefficient(2), 0);
    EXPECT_EQ(exact->Coefficient(3), 2);
    p[abacor::MakeKey(101, 0, 0)] = 1;
    EXPECT_FALSE(abacor::ExactInX(p).has_value());
    p.erase(abacor::MakeKey(101, 0, 0));
    p[abacor::MakeKey(2, 0, 0)] = NAN;
    EXPECT_FALSE(abacor::ExactInX(p).has_value());
}

// Which exact root a shown value stands for, so that its exact form is the right one.
TEST(ShownRoot, StandsForTheRootItShows) {
    const std::vector<RealRoot> roots = abacor::FindRealRoots(Ints({2, -1, -2, 1}));  // -1, 1, 2
    const struct {
        double value;
        int index;  // -1: none
    } cases[] = {{-1, 0}, {1, 1}, {2, 2}, {1.0000000001, 1}, {1.001, -1}, {0, -1}, {NAN, -1}};
    for (const auto& c : cases) {
        const RealRoot* found = abacor::ShownExactRoot(roots, c.value);
        EXPECT_EQ(found ? static_cast<int>(found - roots.data()) : -1, c.index) << c.value;
    }
}

TEST(ShownRoot, ReadableExactFormsOnly) {
    const struct {
        ExactPolynomial p;
        std::vector<std::wstring> forms;  // ascending roots
    } cases[] = {
        {Ints({-1, 3}), {L"1/3"}},
        {Ints({-2, 0, 1}), {L"-√2", L"√2"}},
        {Ints({-1, -1, 1}), {L"(1 - √5)/2", L"(1 + √5)/2"}},
        {Ints({-2, 0, 0, 0, 0, 1}), {L""}},  // no exact form for a fifth root
        {WithRoots({{4, 2}}), {L"4"}},
        // The double nearest to 0.1, exactly: too long to read.
        {ExactPolynomial::Linear(mpq_class(0.1)), {L""}},
        {ExactPolynomial::Linear(mpq_class(-123456789, 987654321)), {L"-13717421/109739369"}},
    };
    for (const auto& c : cases) {
        std::vector<std::wstring> forms;
        for (const RealRoot& root : abacor::FindRealRoots(c.p)) forms.push_back(abacor::ReadableExactForm(root));
        EXPECT_EQ(forms, c.forms) << c.p.Degree();
    }
}

TEST(ShownRoot, MultiplicityTextForMultipleRootsOnly) {
    EXPECT_EQ(abacor::MultiplicityText(1), L"");
    EXPECT_EQ(abacor::MultiplicityText(2), L" (кратность 2)");
    EXPECT_EQ(abacor::MultiplicityText(12), L" (кратность 12)");
}

abacor::Polynomial InX(std::vector<double> coefficients) {  // from the free term up
    abacor::Polynomial p;
    for (std::size_t i = 0; i < coefficients.size(); ++i) {
        if (coefficients[i] == 0) continue;
        p[i == 0 ? abacor::kConstKey : abacor::MakeKey(static_cast<int>(i), 0, 0)] = coefficients[i];
    }
    return p;
}

// The zeros of several denominators: each once, ascending, none made up.
TEST(CommonZeros, EveryZeroOfEveryPolynomialOnce) {
    const struct {
        std::vector<abacor::Polynomial> polynomials;
        std::vector<double> zeros;
    } cases[] = {
        {{}, {}},
        {{InX({0, 1})}, {0}},
        {{InX({0, 1}), InX({0, 1, 1})}, {-1, 0}},  // x and x(x+1): 0 once
        {{InX({-2, 0, 1}), InX({-1, 1})}, {-M_SQRT2, 1, M_SQRT2}},
        {{InX({1, 0, 1})}, {}},
        {{InX({0, 0, 1}), InX({0, 0, 0, 1})}, {0}},
        {{InX({-0.5, 1}), InX({1, 2})}, {-0.5, 0.5}},
    };
    for (const auto& c : cases) {
        const std::optional<std::vector<RealRoot>> zeros = abacor::CommonZeros(c.polynomials);
        ASSERT_TRUE(zeros.has_value()) << c.polynomials.size();
        std::vector<double> values;
        for (const RealRoot& root : *zeros) values.push_back(root.value);
        EXPECT_EQ(values, c.zeros) << c.polynomials.size();
    }
    EXPECT_FALSE(abacor::CommonZeros({InX({0, 1}), InX({NAN, 1})}).has_value());
    // High degrees each on their own; roots packed too close to tell apart in time leave none.
    std::vector<double> x60(61);
    x60[60] = 1;
    x60[0] = -1;
    std::vector<double> twice = x60;
    twice[0] = -2;
    const std::optional<std::vector<RealRoot>> both = abacor::CommonZeros({InX(x60), InX(twice), InX(x60)});
    ASSERT_TRUE(both.has_value());
    const double root = std::pow(2.0, 1.0 / 60);
    ASSERT_EQ(both->size(), 4u);
    std::vector<double> values;
    for (const RealRoot& r : *both) values.push_back(r.value);
    EXPECT_NEAR(values[0], -root, 1e-15);
    EXPECT_EQ(values[1], -1);
    EXPECT_EQ(values[2], 1);
    EXPECT_NEAR(values[3], root, 1e-15);
    std::vector<double> mignotte(101);  // x^100 - 2(1000x - 1)^2
    mignotte[100] = 1;
    mignotte[2] = -2e6;
    mignotte[1] = 4000;
    mignotte[0] = -2;
    EXPECT_FALSE(abacor::CommonZeros({InX({0, 1}), InX(mignotte)}).has_value());
}

}  // namespace
