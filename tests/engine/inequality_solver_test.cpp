#include "inequalities/inequality_solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "core/engine_state.h"
#include "engine_fixture.h"
#include "inequality_test_support.h"
#include "inequalities/polynomial_zeros.h"

namespace {

using abacor::Engine;

abacor::InequalityResult Solve(const std::wstring& text) { return abacor::SolveInequality(text); }

class InequalitySolverTest : public EngineTest {};

TEST_F(InequalitySolverTest, AnswersAndNumberLines) {
    ExpectResults(Solve, {
        {L"x^2-4>0", L"(-∞, -2) ∪ (2, +∞)", L"-2 2", L"+1 -1 +1"},
        {L"x^2-4≤0", L"[-2, 2]", L"-2* 2*", L"-1 +1 -1"},
        {L"2x+6≥0", L"[-3, +∞)", L"-3*", L"-1 +1"},
        {L"x>2", L"(2, +∞)", L"2", L"-1 +1"},
        {L"x^2+1<0", L"∅", L"", L"-1"},
        {L"x^2+1>0", L"(-∞, +∞)", L"", L"+1"},
        {L"x^3-6x^2+11x-6>0", L"(1, 2) ∪ (3, +∞)", L"1 2 3", L"-1 +1 -1 +1"},
        {L"2×x>4", L"(2, +∞)", L"2", L"-1 +1"},
        {L"x÷2≤1", L"(-∞, 2]", L"2*", L"+1 -1"},
        {L"x²-4 > 0", L"(-∞, -2) ∪ (2, +∞)", L"-2 2", L"+1 -1 +1"},
        {L"10x<1000", L"(-∞, 100)", L"100", L"+1 -1"},
        // Zeros of any degree, not only integer divisors of the free term.
        {L"x^3-x>0", L"(-1, 0) ∪ (1, +∞)", L"-1 0 1", L"-1 +1 -1 +1"},
        {L"x^3-2>0", L"(1.25992105, +∞)", L"1.25992105", L"-1 +1"},
        {L"x^2>x+1", L"(-∞, -0.6180339887) ∪ (1.618033989, +∞)", L"-0.6180339887 1.618033989", L"+1 -1 +1"},
        {L"0.5x^2-2<0", L"(-2, 2)", L"-2 2", L"-1 +1 -1"},
        {L"x^4-5x^2+4≥0", L"(-∞, -2] ∪ [-1, 1] ∪ [2, +∞)", L"-2* -1* 1* 2*", L"+1 -1 +1 -1 +1"},
        {L"(x-1)^3(x+2)^2>0", L"(1, +∞)", L"-2 1", L"-1 -1 +1"},
        {L"x^5-x^4-2x^3+2x^2+x-1≤0", L"(-∞, -1] ∪ [-1, 1]", L"-1* 1*", L"+1 +1 -1"},
        // Touching zeros and f ≡ 0.
        {L"(x-1)^2≤0", L"[1, 1]", L"1*", L"-1 -1"},
        {L"(x-1)^2<0", L"∅", L"1", L"-1 -1"},
        {L"(x-1)^2>0", L"(-∞, 1) ∪ (1, +∞)", L"1", L"+1 +1"},
        {L"x^2≥0", L"(-∞, 0] ∪ [0, +∞)", L"0*", L"+1 +1"},
        {L"(3x-1)^2≤0", L"[0.3333333333, 0.3333333333]", L"0.3333333333*", L"-1 -1"},
        {L"x<x", L"∅", L"", L"-1"},
        {L"x>x", L"∅", L"", L"-1"},
        {L"x≤x", L"(-∞, +∞)", L"", L"+1"},
        {L"x≥x", L"(-∞, +∞)", L"", L"+1"},
        // Zeros so large that x1 - 1 is x1 itself.
        {L"0.5x^2-2000000000000000000000000000000000000000000<0", L"(-2e+21, 2e+21)", L"-2e+21 2e+21", L"-1 +1 -1"},
        {L"x+300000000000000000000>0", L"(-3e+20, +∞)", L"-3e+20", L"-1 +1"},
        // A multiple zero so large that f's expanded coefficients cancel to noise near it.
        {L"(x-55500000000006430967150697)^5<0", L"(-∞, 5.55e+25)", L"5.55e+25", L"+1 -1"},
        {L"(x-55500000000006430967150697)^5>0", L"(5.55e+25, +∞)", L"5.55e+25", L"-1 +1"},
        {L"0-(x-55500000000006430967150697)^6<0", L"(-∞, 5.55e+25) ∪ (5.55e+25, +∞)", L"5.55e+25", L"+1 +1"},
        // Bounds beyond 1e100 are numbers, not infinities.
        {L"x>10^150", L"(1e+150, +∞)", L"1e+150", L"-1 +1"},
        {L"x>-10^150", L"(-1e+150, +∞)", L"-1e+150", L"-1 +1"},
        {L"x≤1.5*10^100", L"(-∞, 1.5e+100]", L"1.5e+100*", L"+1 -1"},
        {L"x^2-10^202>0", L"(-∞, -1e+101) ∪ (1e+101, +∞)", L"-1e+101 1e+101", L"+1 -1 +1"},
        {L"x^2-10^101x≤0", L"[0, 1e+101]", L"0* 1e+101*", L"-1 +1 -1"},
        {L"x>10^300 & x<10^301", L"(1e+300, 1e+301)", L"1e+300 1e+301", L"-1 +1 -1"},
        // A zero of f is never -0.
        {L"-x^2≥0", L"[0, 0]", L"0*", L"-1 -1"},
        {L"-2x>0", L"(-∞, 0)", L"0", L"+1 -1"},
        // The keyboard forms of ≥ and ≤.
        {L"x>=2", L"[2, +∞)", L"2*", L"-1 +1"},
        {L"x<=2", L"(-∞, 2]", L"2*", L"+1 -1"},
    });
}

// f = N/D: the sign chart takes the zeros of both; a zero of the denominator is never in
// the answer, also for ≥ and ≤ and where the numerator is 0 too.
TEST_F(InequalitySolverTest, QuotientsCutOutTheZerosOfTheirDenominators) {
    ExpectResults(Solve, {
        {L"1/x > 0", L"(0, +∞)", L"0", L"-1 +1"},
        {L"(x-1)/(x+2) >= 0", L"(-∞, -2) ∪ [1, +∞)", L"-2 1*", L"+1 -1 +1"},
        {L"(x+1)/x > 2", L"(0, 1)", L"0 1", L"-1 +1 -1"},
        {L"(x^2-1)/(x-1) > 0", L"(-1, 1) ∪ (1, +∞)", L"-1 1", L"-1 +1 +1"},
        {L"(x^2-1)/(x-1) >= 0", L"[-1, 1) ∪ (1, +∞)", L"-1* 1", L"-1 +1 +1"},
        {L"1/x^2 >= 0", L"(-∞, 0) ∪ (0, +∞)", L"0", L"+1 +1"},
        {L"x/x >= 1", L"(-∞, 0) ∪ (0, +∞)", L"0", L"+1 +1"},
        {L"x:(x-3) <= 0", L"[0, 3)", L"0* 3", L"-1 +1 -1"},
        {L"x^-1 < 0", L"(-∞, 0)", L"0", L"+1 -1"},
        {L"1/(x-1) > 0 & x < 3", L"(1, 3)", L"1 3", L"-1 +1 -1"},
    });
    // The report says which points are cut out.
    Solve(L"(x-1)/(x+2) >= 0");
    EXPECT_NE(Engine().StepsLog.find(L"x1 = -2  (знаменатель равен 0: точка выколота)"), std::wstring::npos);
    EXPECT_NE(Engine().StepsLog.find(L"f(x) = (x - 1) / (x + 2)"), std::wstring::npos);
}

TEST_F(InequalitySolverTest, IntegerZerosAreExact) {
    const abacor::InequalityResult r = Solve(L"0.1x-0.3>0");
    ASSERT_EQ(r.points.size(), 1u);
    EXPECT_EQ(r.points[0], 3.0);
    const abacor::InequalityResult w = Solve(L"(x-1)(x-2)(x-3)(x-4)(x-5)(x-6)(x-7)(x-8)(x-9)(x-10)>0");
    EXPECT_EQ(w.points, (std::vector<double>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(w.answer, L"(-∞, 1) ∪ (2, 3) ∪ (4, 5) ∪ (6, 7) ∪ (8, 9) ∪ (10, +∞)");
}

TEST_F(InequalitySolverTest, KindsAndRefusals) {
    EXPECT_EQ(Solve(L"x≤1").kind, abacor::kLessOrEqual);
    EXPECT_EQ(Solve(L"x<1").kind, abacor::kLess);
    EXPECT_EQ(Solve(L"x^100-1>0").answer, L"(-∞, -1) ∪ (1, +∞)");
    // Refusals carry nothing else and leave the last report. Texts the expansion would
    // misread (1e3 as 3, y as nothing, a third sign as nothing) are refused, not answered.
    const std::pair<const wchar_t*, std::wstring> refusals[] = {
        {L"x=2", L"Не найден знак неравенства"},
        {L"x^101-1>0", L"Неравенство слишком сложное для решения"},
        {L"x>1e3", L"Неравенство должно содержать только x"},
        {L"x^2>y", L"Неравенство должно содержать только x"},
        {L"2a+x≤1", L"Неравенство должно содержать только x"},
        {L"x>ы", L"Недопустимые символы"},
        {L"x;2>1", L"Недопустимые символы"},
        // A side without a reading is not glued to the other one: 0÷ > x is no 0/(-x).
        {L"0÷>x5-61", L"Невозможно вычислить выражение"},
        {L"x>(1", L"Невозможно вычислить выражение"},
        // A part that is no polynomial is not left out of f.
        {L"x^0.5>1", L"Неравенство слишком сложное для решения"},
        {L"z>1", L"Неравенство должно содержать только x"},
        {L"a+x>1", L"Неравенство должно содержать только x"},
        {L"x≥=2", L"Недопустимые символы"},
        {L"1<x<3<5", L"Лишний знак неравенства"},
        {L"x>1 & y<2", L"Неравенство должно содержать только x"},
        {L"1<x<a", L"Неравенство должно содержать только x"},
        {L"x>1 & 1<x<2", L"Лишний знак неравенства"},
    };
    for (const auto& [text, answer] : refusals) {
        Engine().StepsLog = L"earlier report";
        const abacor::InequalityResult r = Solve(text);
        EXPECT_EQ(r.answer, answer) << text;
        EXPECT_TRUE(r.points.empty() && r.closed.empty() && r.selection.empty() && r.kind == abacor::kGreater);
        EXPECT_EQ(Engine().StepsLog, L"earlier report");
    }
    // Blanks of any kind, decimal commas and the keypad's signs are still read.
    EXPECT_EQ(Solve(L"x\t> 2,5").answer, L"(2.5, +∞)");
    EXPECT_EQ(Solve(L"x:2 > 1").answer, L"(2, +∞)");  // ':' divides
    EXPECT_EQ(Solve(L"2X > 4").answer, L"(2, +∞)");    // X is x
    EXPECT_EQ(Solve(L"X³ ≥ 8").answer, L"[2, +∞)");
}

// The status alone tells an answer from a message: exactly the messages below are not
// answers, whatever the solve went through (one inequality, a system, a double inequality).
TEST_F(InequalitySolverTest, StatusesTellAnswersFromMessages) {
    const std::wstring messages[] = {
        L"Не найден знак неравенства",
        L"Неверный формат системы",
        L"Неравенство слишком сложное для решения",
        L"Неравенство должно содержать только x",
        L"Недопустимые символы",
        L"Лишний знак неравенства",
    };
    const KvStatus answered = KV_STATUS_ANSWERED, refused = KV_STATUS_REFUSED;
    const std::pair<const wchar_t*, KvStatus> cases[] = {
        {L"x^2-4>0", answered},
        {L"x^2+1<0", answered},    // ∅
        {L"x^2+1>0", answered},    // the whole line
        {L"x≤x", answered},
        {L"(x-1)^2≤0", answered},  // one point
        {L"x>1 & x<5", answered},
        {L"x>5 & x<1", answered},  // an empty system: ∅ without a number line
        {L"1<x<3", answered},
        {L"x=2", refused},
        {L"", refused},
        {L"x>1 & 5", refused},
        {L"x>1 & x<2 & x<3", refused},
        {L"x>1e3", refused},
        {L"x>ы", refused},
        {L"1<x<3<5", refused},
        {L"x>1 & y<2", refused},
        {L"x^101-1>0", KV_STATUS_TOO_COMPLEX},
        {L"x>1 & x^101>0", KV_STATUS_TOO_COMPLEX},
    };
    for (const auto& [text, status] : cases) {
        const abacor::InequalityResult r = Solve(text);
        EXPECT_EQ(r.status, status) << text;
        const bool message = std::find(std::begin(messages), std::end(messages), r.answer) != std::end(messages);
        EXPECT_EQ(r.status != KV_STATUS_ANSWERED, message) << text << ": " << r.answer;
    }
}

// Every finite bound as itself, only an infinity as "∞".
TEST_F(InequalitySolverTest, FormatBound) {
    const double inf = HUGE_VAL;
    const std::pair<double, std::wstring> cases[] = {
        {-2e100, L"-2e+100"}, {2e100, L"2e+100"}, {1e100, L"1e+100"}, {10, L"10"},
        {100, L"100"},        {0.5, L"0.5"},      {1e-7, L"1e-07"},   {1.0 / 3, L"0.3333333333"},
        {1e150, L"1e+150"},   {-1e300, L"-1e+300"}, {1.7976931348623157e308, L"1.797693135e+308"},
        {1e-11, L"1e-11"},    {-1e-300, L"-1e-300"}, {0.0, L"0"},     {-0.0, L"0"},
        {inf, L"+∞"},         {-inf, L"-∞"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(abacor::FormatBound(value), text) << value;
}

// The report writes a huge bound as the answer does, in every step, and the value of f at
// a test point beyond 1e100 as a number.
TEST_F(InequalitySolverTest, ReportsOfHugeBounds) {
    const struct {
        const wchar_t* text;
        std::vector<std::wstring> lines;
    } cases[] = {
        {L"x>10^150",
         {L"│ x1 = 1e+150", L"│ I₁: (-∞, 1e+150)", L"│ I₂: (1e+150, +∞)",
          L"│ I₂: f(1.000001e+150) = 1.000001e+150 - 1e+150 = 9.999999999e+143 > 0  (+)", L"│ ✓ (1e+150, +∞)",
          L"│ x ∈ (1e+150, +∞)"}},
        {L"x^2-10^202>0", {L"│ I₂: f(0) = 0² - 1e+202 = -1e+202 < 0  (-)", L"│ I₃: (1e+101, +∞)"}},
        {L"x^3>0 & x<10^120",
         {L"│ f(x) = 0 → x = 1e+120", L"│   (-∞, 1e+120): (-)", L"│ Решение: (-∞, 1e+120)",
          L"│ (0, +∞) ∩ (-∞, 1e+120)", L"│ (0, 1e+120)"}},
    };
    for (const auto& c : cases) {
        Solve(c.text);
        for (const std::wstring& line : c.lines) {
            EXPECT_NE(Engine().StepsLog.find(line + L"\r\n"), std::wstring::npos) << c.text << ": " << line;
        }
        EXPECT_EQ(Engine().StepsLog.find(L"(+∞, +∞)"), std::wstring::npos) << c.text;
        EXPECT_EQ(Engine().StepsLog.find(L"(-∞, -∞)"), std::wstring::npos) << c.text;
    }
}

// Lines the quadratic does not have: an isolated point, and f ≡ 0.
TEST_F(InequalitySolverTest, ReportsOfTouchingZeroAndOfZeroFunction) {
    Solve(L"(x-1)^2≤0");
    EXPECT_NE(Engine().StepsLog.find(L"│ I₂: (1, +∞)\r\n"), std::wstring::npos);
    // The touching zero satisfies f(x) = 0, not (-): it is listed under its own line.
    EXPECT_NE(Engine().StepsLog.find(L"│ Выбираем интервалы с (-):\r\n│ Точки, где f(x) = 0:\r\n│ ✓ [1, 1]\r\n"),
              std::wstring::npos);
    EXPECT_NE(Engine().StepsLog.find(L"│ x ∈ [1, 1]\r\n│ Точки закрашенные (нестрогое неравенство)\r\n"),
              std::wstring::npos);
    Solve(L"x≥x");
    EXPECT_NE(Engine().StepsLog.find(L"│ f(x) = 0 при любом x.\r\n│ Вся числовая прямая — один интервал.\r\n"),
              std::wstring::npos);
    EXPECT_NE(Engine().StepsLog.find(L"│ I₁: f(0) = 0 = 0 = 0\r\n"), std::wstring::npos);
}

// Random polynomials with small integer coefficients, and random products with integer
// and half-integer zeros (repeated ones among them), each with a random sign: at many
// sample points the answer's intervals agree with the sign of f, and every zero of a
// product is a point of the number line.
TEST_F(InequalitySolverTest, AnswersAgreeWithTheSignOfF) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> coefficient(-9, 9), degree(1, 6), half(-12, 12), pick(0, 3);
    const wchar_t* signs[] = {L">", L"<", L"≥", L"≤"};
    for (int round = 0; round < 400; ++round) {
        std::vector<double> c;  // by power
        std::vector<double> zeros;
        std::wstring text;
        if (round % 2 == 0) {
            for (int k = degree(random); k >= 0; --k) c.insert(c.begin(), coefficient(random));
            if (c.back() == 0) c.back() = 1;
            for (std::size_t k = c.size(); k-- > 0;) {
                text += (c[k] < 0 ? L"-" : L"+") + std::to_wstring(static_cast<int>(std::fabs(c[k]))) + L"x^" +
                        std::to_wstring(k);
            }
        } else {
            c = {1};
            for (int k = degree(random); k > 0; --k) {
                const double r = half(random) / 2.0;
                zeros.push_back(r);
                const int twice = static_cast<int>(std::fabs(2 * r));
                text += L"(2x" + std::wstring(r > 0 ? L"-" : L"+") + std::to_wstring(twice) + L")";
                std::vector<double> next(c.size() + 1, 0.0);
                for (std::size_t j = 0; j < c.size(); ++j) {
                    next[j + 1] += 2 * c[j];
                    next[j] -= 2 * r * c[j];
                }
                c = next;
            }
        }
        const int kind = pick(random);
        text += signs[kind] + std::wstring(L"0");
        const abacor::InequalityResult r = Solve(text);
        const bool greater = kind == 0 || kind == 2;
        for (const double z : zeros) {
            const auto near = [z](double p) { return std::fabs(p - z) < 1e-9; };
            EXPECT_TRUE(std::any_of(r.points.begin(), r.points.end(), near))
                << text << " misses " << z;
        }
        ASSERT_EQ(r.selection.size(), r.points.size() + 1) << text;
        for (int i = 0; i <= 3000; ++i) {
            const double x = -15 + i * 0.01 + 0.00037;
            double fx = 0;
            for (std::size_t k = c.size(); k-- > 0;) fx = fx * x + c[k];
            if (std::fabs(fx) < 1e-9) continue;
            const auto interval = std::lower_bound(r.points.begin(), r.points.end(), x) - r.points.begin();
            EXPECT_EQ(r.selection[static_cast<std::size_t>(interval)] > 0, greater ? fx > 0 : fx < 0)
                << text << " at " << x;
        }
        for (std::size_t j = 0; j < r.points.size(); ++j) EXPECT_EQ(r.closed[j], kind >= 2) << text;
    }
}

// ---- zeros -----------------------------------------------------------------------------

std::vector<double> Zeros(const abacor::Coefficients& c) {
    abacor::ZeroSearchBudget budget;
    return abacor::RealZeros(c, budget).value();
}

TEST(PolynomialZeros, ReadsOnlyXAtYZero) {
    const abacor::Polynomial f = {{L"x2y0z0", 2}, {L"x1y1z0", 5}, {L"x1y0z1", 3}, {L"x0y0z0", 1}, {L"_const", -1}};
    EXPECT_EQ(abacor::CoefficientsInX(f), (abacor::Coefficients{0, 3, 2}));
    EXPECT_EQ(abacor::CoefficientsInX({{L"x1y0z0", 1e-11}}), abacor::Coefficients{});
    EXPECT_FALSE(abacor::CoefficientsInX({{L"x101y0z0", 1}}).has_value());
}

TEST(PolynomialZeros, EdgeCases) {
    using abacor::Coefficients;
    const std::pair<Coefficients, std::vector<double>> cases[] = {
        {{}, {}},
        {{5}, {}},
        {{0, 0, 0, 1}, {0}},                        // x^3
        {{-1, 3, -3, 1}, {1}},                      // (x-1)^3
        {{1, 0, 1}, {}},                            // x^2 + 1
        {{1e-9, 0, 1}, {}},                         // just above the axis
        {{-1e12, 0, 1}, {-1e6, 1e6}},
        {{-2, 0, 0, 0, 0, 0, 0, 1}, {std::pow(2.0, 1.0 / 7)}},
        {{0.25, -1, 1}, {0.5}},                     // (x - 0.5)^2
    };
    for (const auto& [c, expected] : cases) {
        const std::vector<double> found = Zeros(c);
        ASSERT_EQ(found.size(), expected.size()) << c.size();
        for (std::size_t i = 0; i < found.size(); ++i) EXPECT_DOUBLE_EQ(found[i], expected[i]);
    }
    // Zeros hundreds of orders of magnitude apart: 1e-10 x^100 - 1e300 x + 1.
    Coefficients wide(101, 0.0);
    wide[0] = 1;
    wide[1] = -1e300;
    wide[100] = 1e-10;
    const std::vector<double> found = Zeros(wide);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_NEAR(found[0], 1e-300, 1e-310);
    EXPECT_NEAR(found[1], std::pow(10.0, 310.0 / 99), 1e-9);
}

}  // namespace
