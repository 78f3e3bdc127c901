#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "algebra/divisors.h"
#include "algebra/higher_degree.h"
#include "core/engine_state.h"

namespace {

using abacor::DivisorsOf;
using abacor::Polynomial;
using U64 = std::uint64_t;

// Terms by power of x: {{3, 1}, {0, -6}} is x^3 - 6.
Polynomial InX(std::initializer_list<std::pair<int, double>> terms) {
    Polynomial p;
    for (const auto& [power, c] : terms) p[power == 0 ? abacor::kConstKey : abacor::MakeKey(power, 0, 0)] += c;
    return p;
}

Polynomial WithUnitKey() {  // x^3 + x^0: the key x0y0z0 is the number 1
    Polynomial p = InX({{3, 1}});
    p[abacor::MakeKey(0, 0, 0)] = 1;
    return p;
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

class HigherDegree : public ::testing::Test {
protected:
    HigherDegree() { abacor::Engine() = abacor::EngineState{}; }
    ~HigherDegree() override { abacor::Engine() = abacor::EngineState{}; }

    std::vector<double> Solve(const Polynomial& p, int degree) {
        abacor::ReportWriter report;
        std::vector<double> roots = abacor::SolveHigherDegree(p, degree, report);
        report_ = report.Take();
        return roots;
    }
    bool Reports(const std::wstring& line) const { return report_.find(L"│ " + line + L"\r\n") != std::wstring::npos; }

    std::wstring report_;
};

const wchar_t* const kClose = L"└──────────────────────────────────────────────\r\n";
const wchar_t* const kNewton = L"Поиск иррациональных корней (метод Ньютона)...";

struct RootCase {
    const char* name;
    Polynomial p;
    int degree;
    std::vector<double> roots;
    std::vector<std::wstring> lines;   // report lines that must appear
    std::vector<std::wstring> absent;  // texts that must not
};

// The whole reports of the common cases are checked with the solver; these are the
// edges of the search.
TEST_F(HigherDegree, EdgeCases) {
    const RootCase cases[] = {
        {"Newton finds an irrational root once", InX({{3, 1}, {0, -2}}), 3, {std::cbrt(2.0)},
         {L"Проверено значений: 4", L"✓ Найден корень: x ≈ 1.2599210499", L"  x1 = 1.2599210499"}, {}},
        {"no real root", InX({{4, 1}, {0, 1}}), 4, {}, {L"Проверено значений: 2", kNewton, L"Рациональные корни не обнаружены"},
         {L"✓"}},
        {"degree 5 runs no Newton", InX({{5, 1}, {1, -1}}), 5, {-1, 0, 1},
         {L"После вынесения x: x(x⁴ - 1) = 0", L"Проверено значений: 2"}, {kNewton}},
        {"sixteen divisors, all printed", InX({{3, 1}, {0, 1000}}), 3, {-10},
         {L"Делители свободного члена (±1, 2, 4, 5, 8, 10, 20, 25, 40, 50, 100, 125, 200, 250, 500, 1000)",
          L"✓ Найден корень: x = -10", L"Проверено значений: 32", kNewton},
         {L"x ≈"}},
        {"exactly twenty divisors", InX({{3, 1}, {0, 240}}), 3, {-std::cbrt(240.0)},
         {L"Делители свободного члена (±1, 2, 3, 4, 5, 6, 8, 10, 12, 15, 16, 20, 24, 30, 40, 48, 60, 80, 120, 240)"},
         {}},
        {"more than twenty divisors", InX({{3, 1}, {0, 720720}}), 3, {-std::cbrt(720720.0)},
         {L"Делители свободного члена (±1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 20, 21, 22, ...)",
          L"Проверено значений: 480"},
         {}},
        {"fractional free term uses the divisors of its integer part", InX({{3, 1}, {0, -2.5}}), 3,
         {std::cbrt(2.5)}, {L"Делители свободного члена (±1, 2)", L"Проверено значений: 4"}, {}},
        {"free term below 1 has no divisors", InX({{3, 1}, {1, 1}, {0, 0.5}}), 3, {-0.42385379906978327},
         {L"Проверено значений: 0"}, {L"Делители свободного члена"}},
        {"only one factor x comes out", InX({{4, 1}, {3, 1}}), 4, {-1, 0},
         {L"После вынесения x: x(x³ + x²) = 0", L"✓ Найден рациональный корень: x = -1"},
         {L"Проверено значений", L"x ≈"}},
        {"six integer roots are all listed", InX({{6, 1}, {4, -14}, {2, 49}, {0, -36}}), 6, {-3, -2, -1, 1, 2, 3},
         {L"Проверено значений: 6", L"  x6 = 3"}, {kNewton}},
        {"negative candidate first", InX({{3, 1}, {2, -1}, {1, -4}, {0, 4}}), 3, {-2, 1, 2},
         {L"✓ Найден корень: x = 1\r\n│ ✓ Найден корень: x = -2\r\n│ ✓ Найден корень: x = 2",
          L"Проверено значений: 4"},
         {kNewton}},
        {"a double root is found once", InX({{3, 1}, {2, -3}, {0, 4}}), 3, {-1, 2}, {L"Проверено значений: 6", kNewton},
         {L"x ≈"}},
        {"x^0 is a free term, not a zero one", WithUnitKey(), 3, {-1}, {L"Проверено значений: 2"},
         {L"Свободный член = 0"}},
        {"the largest double below 2^63 is searched", InX({{3, 1}, {0, 9223372036854774784.0}}), 3, {-2097151.9999999999},
         {L"Делители свободного члена (±1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024, 6361, 12722, 25444, 50888, "
          L"69431, 101776, 138862, 203552, 277724, ...)",  // 2^10 · 6361 · 69431 · 20394401
          L"Проверено значений: 176"},
         {}},
        {"2^63 is beyond the truncation", InX({{3, 1}, {0, 9223372036854775808.0}}), 3, {-2097152},
         {L"Свободный член 9.223372037e+18 слишком велик: делители не перебираются", L"Проверено значений: 0"}, {}},
        {"a huge negative free term", InX({{3, 1}, {0, -1e300}}), 3, {std::cbrt(1e300)},
         {L"Свободный член -1e+300 слишком велик: делители не перебираются", L"  x1 = 1e+100"}, {}},
        {"an infinite free term", InX({{3, 1}, {0, HUGE_VAL}}), 3, {},
         {L"Свободный член inf слишком велик: делители не перебираются"}, {}},
        {"NaN free term finds nothing", InX({{3, 1}, {0, std::nan("")}}), 3, {}, {L"Рациональные корни не обнаружены"},
         {L"Проверено значений"}},
    };
    for (const RootCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<double> roots = Solve(c.p, c.degree);
        ASSERT_EQ(roots.size(), c.roots.size()) << Narrow(report_);
        for (std::size_t i = 0; i < roots.size(); ++i) EXPECT_NEAR(roots[i], c.roots[i], 1e-9);
        for (const std::wstring& line : c.lines) EXPECT_TRUE(Reports(line)) << Narrow(line);
        for (const std::wstring& text : c.absent) EXPECT_EQ(report_.find(text), std::wstring::npos) << Narrow(text);
        EXPECT_TRUE(report_.starts_with(L"┌─ Шаг 4: Решение уравнения высшей степени ────\r\n│ Тип: уравнение степени " +
                                        std::to_wstring(c.degree) + L"\r\n│\r\n"));
        EXPECT_TRUE(report_.ends_with(kClose));
    }
}

// Every real root is listed once, from exact isolation: multiple roots with their
// multiplicity, fractions and square roots beside the decimal, roots the search misses.
TEST_F(HigherDegree, ListsEveryRealRootOnce) {
    const wchar_t* const isolation = L"Остальные корни найдены точным отделением корней";
    const RootCase cases[] = {
        {"(x-2)^3: one root, found once", InX({{3, 1}, {2, -6}, {1, 12}, {0, -8}}), 3, {2},
         {L"✓ Найден корень: x = 2", L"  x1 = 2 (кратность 3)"}, {L"x ≈", L"x2", isolation}},
        {"(x-1)^3(x+2)", InX({{4, 1}, {3, -1}, {2, -3}, {1, 5}, {0, -2}}), 4, {-2, 1},
         {L"  x1 = -2", L"  x2 = 1 (кратность 3)"}, {L"x3"}},
        {"(2x-1)^2(x-3): Newton's stop short of 1/2 is not shown", InX({{3, 4}, {2, -16}, {1, 13}, {0, -3}}), 3, {0.5, 3},
         {L"✓ Найден рациональный корень: x = 0.5 = 1/2", L"  x1 = 0.5 = 1/2 (кратность 2)", L"  x2 = 3"},
         {L"0.50000000", L"x ≈", isolation}},
        {"x^3 - 1000x + 1: roots beyond Newton's starts", InX({{3, 1}, {1, -1000}, {0, 1}}), 3,
         {-31.623276589825753, 0.001000000001, 31.622276589824754},
         {isolation, L"  x1 = -31.6232765898", L"  x2 = 0.001", L"  x3 = 31.6222765898"}, {}},
        {"x^5 - 2: above Newton's degrees", InX({{5, 1}, {0, -2}}), 5, {1.148698354997035}, {isolation, L"  x1 = 1.148698355"},
         {L"x2"}},
        {"x^3 - 2x: square roots in exact form", InX({{3, 1}, {1, -2}}), 3, {-M_SQRT2, 0, M_SQRT2},
         {L"  x1 = -1.4142135624 = -√2", L"  x2 = 0", L"  x3 = 1.4142135624 = √2"}, {isolation}},
        {"(x^2-2)^2(x-1)", InX({{5, 1}, {4, -1}, {3, -4}, {2, 4}, {1, 4}, {0, -4}}), 5, {-M_SQRT2, 1, M_SQRT2},
         {isolation, L"  x1 = -1.4142135624 = -√2 (кратность 2)", L"  x3 = 1.4142135624 = √2 (кратность 2)"}, {}},
        {"x^6 + x^2 + 1: none", InX({{6, 1}, {2, 1}, {0, 1}}), 6, {},
         {L"Рациональные корни не обнаружены", L"Нет действительных корней"}, {L"Найденные корни", isolation}},
        {"(x - 0.1)(x^2 + 1): the double 0.1 is a fraction too long to show", InX({{3, 1}, {2, -0.1}, {1, 1}, {0, -0.1}}), 3,
         {0.1}, {L"  x1 = 0.1"}, {L"/"}},
    };
    for (const RootCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<double> roots = Solve(c.p, c.degree);
        ASSERT_EQ(roots.size(), c.roots.size()) << Narrow(report_);
        for (std::size_t i = 0; i < roots.size(); ++i) EXPECT_NEAR(roots[i], c.roots[i], 1e-12 * std::max(1.0, std::fabs(c.roots[i])));
        for (const std::wstring& line : c.lines) EXPECT_TRUE(Reports(line)) << Narrow(line) << "\n" << Narrow(report_);
        for (const std::wstring& text : c.absent) EXPECT_EQ(report_.find(text), std::wstring::npos) << Narrow(text);
    }
}

// A listed root keeps its value under a precision that would round it to 0; a zero root
// is written as the precision writes 0.
TEST_F(HigherDegree, ListedRootsKeepTheirValue) {
    SetPrecision(2);
    const std::vector<double> roots = Solve(InX({{4, 1}, {2, 1}, {1, -1e-5}}), 4);
    ASSERT_EQ(roots.size(), 2u) << Narrow(report_);
    EXPECT_EQ(roots[0], 0.0);
    EXPECT_NEAR(roots[1], 1e-5, 1e-14);
    for (const wchar_t* line : {L"✓ Найден корень: x ≈ 9.999999999e-06", L"  x1 = 0.00", L"  x2 = 9.999999999e-06"}) {
        EXPECT_TRUE(Reports(line)) << Narrow(line) << "\n" << Narrow(report_);
    }
}

TEST_F(HigherDegree, CandidatesAreCappedByTheWorkTheyCost) {
    // Thousands of terms make every candidate expensive: only the smallest divisors are
    // tried, and the report says which were not.
    Polynomial p = InX({{0, 720720}});
    for (int power = 3; power <= 5002; ++power) p[abacor::MakeKey(power, 0, 0)] = 1e-300;
    Solve(p, 5002);
    const std::size_t at = report_.find(L"│ Проверено значений: ");
    ASSERT_NE(at, std::wstring::npos);
    const long tested = std::stol(report_.substr(at + 21));
    ASSERT_GT(tested, 0);
    ASSERT_LT(tested, 480);
    ASSERT_EQ(tested % 2, 0);
    const std::vector<U64> divisors = DivisorsOf(720720);
    EXPECT_TRUE(Reports(L"Делители больше " + std::to_wstring(divisors[static_cast<std::size_t>(tested / 2 - 1)]) +
                        L" не проверялись (всего делителей: 240)"))
        << Narrow(report_);
}

// ---- Divisors ----

std::vector<U64> BruteForceDivisors(U64 m) {
    std::vector<U64> small, large;
    for (U64 k = 1; k * k <= m; ++k) {
        if (m % k != 0) continue;
        small.push_back(k);
        if (k != m / k) large.insert(large.begin(), m / k);
    }
    small.insert(small.end(), large.begin(), large.end());
    return small;
}

TEST(Divisors, MatchBruteForce) {
    EXPECT_TRUE(DivisorsOf(0).empty());
    for (U64 m = 1; m <= 3000; ++m) ASSERT_EQ(DivisorsOf(m), BruteForceDivisors(m)) << m;
    U64 state = 12345;
    for (int i = 0; i < 40; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const U64 m = (state >> 24) % 1000000000000ULL + 1;  // up to 10^12: a million trial divisions each
        ASSERT_EQ(DivisorsOf(m), BruteForceDivisors(m)) << m;
    }
    for (U64 m : {720720ULL, 735134400ULL, 963761198400ULL, 600851475143ULL, 999999000001ULL, 1000000000000ULL}) {
        EXPECT_EQ(DivisorsOf(m), BruteForceDivisors(m)) << m;
    }
}

// Large m, checked against their known factorisations: every entry divides m, the list
// is strictly ascending, pairs multiply to m, and it is as long as the factorisation says,
// so it is exactly the set of divisors.
TEST(Divisors, LargeNumbersWithKnownFactorisations) {
    const struct {
        U64 m;
        std::size_t count;
    } cases[] = {
        {9223372036854775783ULL, 2},   // the largest prime below 2^63
        {999999999999999989ULL, 2},    // prime
        {4611686014132420609ULL, 3},   // (2^31 - 1)^2
        {9223371873002223329ULL, 4},   // 3037000453 · 3037000493
        {18446743979220271189ULL, 4},  // 4294967279 · 4294967291
        {3825123056546413051ULL, 8},   // 149491 · 747451 · 34233211, a strong pseudoprime to bases 2 to 23
        {3215031751ULL, 8},            // 151 · 751 · 28351, a strong pseudoprime to bases 2, 3, 5, 7
        {4611686018427387904ULL, 63},  // 2^62
        {9223372036854774784ULL, 88},  // 2^10 · 6361 · 69431 · 20394401
        {897612484786617600ULL, 103680},  // 2^8·3^4·5^2·7^2·11·13·17·19·23·29·31·37
        {18446744073709551615ULL, 128},   // 2^64 - 1 = 3·5·17·257·641·65537·6700417
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m);
        const std::vector<U64> d = DivisorsOf(c.m);
        ASSERT_EQ(d.size(), c.count);
        EXPECT_EQ(d.front(), 1u);
        EXPECT_EQ(d.back(), c.m);
        for (std::size_t i = 0; i < d.size(); ++i) {
            ASSERT_EQ(c.m % d[i], 0u) << d[i];
            if (i > 0) {
                ASSERT_LT(d[i - 1], d[i]);
            }
            ASSERT_EQ(d[i], c.m / d[d.size() - 1 - i]);
        }
    }
}

}  // namespace
