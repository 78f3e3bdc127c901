// The compiled form of a formula against the evaluator on its written-in text: bit for
// bit, on hand-picked formulas and on thousands of generated ones.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "abacor.h"
#include "core/compiled_expression.h"
#include "core/evaluator.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (const wchar_t c : text) narrow += c < 0x80 && c >= 0x20 ? static_cast<char>(c) : '?';
    return narrow;
}

std::wstring Printed(double value, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    return std::wstring(text, text + std::strlen(text));
}

// What the graph hands the evaluator: every x (and y) but the one in "exp" written in as
// "(value)".
std::wstring WrittenIn(const std::wstring& formula, int variables, int digits, double x, double y) {
    std::wstring text;
    for (std::size_t i = 0; i < formula.size(); ++i) {
        const wchar_t c = formula[i];
        if (formula.compare(i, 3, L"exp") == 0) {
            text += L"exp";
            i += 2;
        } else if ((variables & KV_FORMULA_X) && (c == L'x' || c == L'X')) {
            text += L"(" + Printed(x, digits) + L")";
        } else if ((variables & KV_FORMULA_Y) && (c == L'y' || c == L'Y')) {
            text += L"(" + Printed(y, digits) + L")";
        } else {
            text += c;
        }
    }
    return text;
}

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }


struct Mismatch {
    std::string what;
};

// Every way of evaluating the compiled formula at the points, against the text path.
// Returns the first mismatch, if any.
std::optional<Mismatch> Compare(const std::wstring& formula, int variables, int digits,
                                const std::vector<double>& xs, const std::vector<double>& ys) {
    KvFormula* compiled = CompileFormula(formula.c_str(), variables, digits);
    if (!compiled) return Mismatch{"not compiled: " + Narrow(formula)};
    std::vector<KvCoordinate> columns, rows;
    for (const double x : xs) columns.push_back(RoundCoordinate(x, digits));
    for (const double y : ys) rows.push_back(RoundCoordinate(y, digits));
    std::vector<double> grid(xs.size() * ys.size());
    EvaluateFormulaGrid(compiled, columns.data(), static_cast<int>(xs.size()), rows.data(), static_cast<int>(ys.size()),
                        grid.data());
    std::optional<Mismatch> mismatch;
    for (std::size_t r = 0; r < ys.size() && !mismatch; ++r) {
        for (std::size_t c = 0; c < xs.size() && !mismatch; ++c) {
            const std::wstring text = WrittenIn(formula, variables, digits, xs[c], ys[r]);
            const double expected = EvaluateExpression(text.c_str());
            const double point = EvaluateFormula(compiled, columns[c], rows[r]);
            const double unrounded = EvaluateFormula(compiled, KvCoordinate{xs[c], 0, 0}, KvCoordinate{ys[r], 0, 0});
            const double cell = grid[r * xs.size() + c];
            for (const double got : {point, unrounded, cell}) {
                if (Bits(got) != Bits(expected)) {
                    char values[96];
                    std::snprintf(values, sizeof values, " gave %.17g, the text %.17g", got, expected);
                    mismatch = Mismatch{Narrow(formula) + " as " + Narrow(text) + values};
                    break;
                }
            }
        }
    }
    ReleaseFormula(compiled);
    return mismatch;
}

const std::vector<double> kPoints = {
    0.0, -0.0, 1, -1, 2, -3, 0.5, -2.25, 1.0 / 3, -2.0 / 3, 3.14159265358979, 25, -7.5, 1e-5, -1.234567890123e-7,
    1e15, 123456789012.345, 1e25, -3e300, DBL_MAX, -DBL_MAX, DBL_MIN, 5e-324, 1e-310, 0.1, 99.99999999995,
};

TEST(CompiledExpression, MatchesTheTextOnGraphFormulas) {
    // Function calls in every context: against digits, points, exponents, signs and other
    // calls, and in the ordinary ones.
    const std::vector<std::wstring> formulas = {
        L"x^2+y^2-(25)", L"x^2-3x+2", L"sin(x)", L"sqrt(x)", L"1/x", L"2sin(x)+cos(3x)", L"exp(x)", L"xexp(x)",
        L"expx", L"sinx", L"sin x", L"2x", L"x2", L"xy", L"(x)(y)", L"x y", L"2 x", L"-x", L"--x", L"x--y", L"2^-x",
        L"2sqrt(x)", L"sqrt(x)2", L"sqrt(x).5", L"2.sqrt(x)", L".sqrt(x)", L"2,sqrt(x)", L"sqrt(x),5", L"sqrt(x)e5",
        L"sqrt(x)E+1", L"2e+sqrt(x)", L"2E-ln(x)", L"-sqrt(x)", L"- sqrt(x)", L"+ln(x)", L"2*-sqrt(x)", L"(-ln(x))",
        L"1-sqrt(x)", L"sqrt(x)sqrt(y)", L"ln(x)(2)", L"(2)ln(x)", L"ln(x) ln(y)", L"sqrt(x)^sqrt(y)",
        L"1/sqrt(x)5", L"1+(5/-sqrt(x))", L"2^sqrt(x)sqrt(y)", L"sqrt(x)sqrt(x)sqrt(x)", L"sqrt(sqrt(x)2)",
        L"ln(ln(x))", L"abs(x)/x", L"x/(y-y)", L"(1/x)^0", L"sqrt(1/x)", L"ln(0x)", L"tan(x)^2+1",
        L"asin(x)+acos(x)+atan(x)", L"sinh(x)-cosh(x)+tanh(x)", L"log(x)+ln(x)", L"floor(x)+ceil(y)+round(x*y)",
        L"sin()", L"sin(x", L"sin(x))", L"((x)", L"x)", L"sqrt(2)x", L"sqrt(-1)x", L"x sqrt(-1)", L"sqrt(-1)2x",
        L"EXP(x)", L"Sin(x)", L"2e3x", L"x1e5", L"x×y÷2", L"x=y", L"x;y", L"π x", L"1e400x", L"x^1e400",
        L"sin(sin(sin(sin(x))))", L"round(x)-round(y)", L"(x+y)(x-y)", L"x^2 + y^2 = 25",
        L"abs(abs(abs(abs(abs(abs(abs(abs(abs(abs(x-y)-1)-1)-1)-1)-1)-1)-1)-1)-1)",
        // A power that turns a NaN into a number keeps only the NaN of a failure.
        L"(sqrt(x))^0", L"1^sqrt(x)", L"((-8)^(1/3))^0+x", L"(x^0.5)^0", L"1^(x^0.5)", L"(1/(x-1))^0*y",
        L"((-1)^0.5+sqrt(x))^0", L"(sqrt(x)+(-1)^0.5)^0", L"(y^0.5)^0+sqrt(x)", L"(x/0)^0",
        // A coordinate printed as "nan" or "inf" is letters the text skips, around a call.
        L"-sqrt(x sqrt(y)=2/+xp(x).)5", L"sqrt(x sqrt(y))",
    };
    const std::vector<double> xs = {0, -0.0, 1, -2.5, 1.0 / 3, 1e-5, 1e25, -3e300, 5e-324, kInf, -kInf, kNaN, -kNaN};
    const std::vector<double> ys = {0, -1, 7.25, 2.0 / 3, 1e-9, kInf, -kNaN};
    for (const std::wstring& formula : formulas) {
        for (const auto& [variables, digits] : {std::pair<int, int>{KV_FORMULA_X, 10}, {KV_FORMULA_X | KV_FORMULA_Y, 15}}) {
            for (const int keepNaN : {0, int{KV_FORMULA_KEEP_NAN}}) {
                const auto mismatch = Compare(formula, variables | keepNaN, digits, xs, ys);
                EXPECT_FALSE(mismatch) << mismatch->what << (keepNaN ? " (NaN kept)" : "");
            }
        }
    }
}

// abs, floor, ceil and round keep a value of at most 15 digits as it is; coordinates of
// more digits and long numbers are still read back as their text is.
TEST(CompiledExpression, RoundsWhatFunctionsKeepOnlyWhenItHasMoreDigits) {
    const std::vector<std::wstring> formulas = {
        L"abs(x)", L"floor(x)", L"ceil(-x)", L"round(x)", L"abs(-abs(x))", L"abs(0.12345678901234567)+x",
        L"floor(123456789012345.67)+x", L"abs(sin(x))", L"round(x*y)", L"abs(y)",
    };
    const std::vector<double> xs = {0.1 + 0.2, -1.0 / 3, 2.5, -1234567890123.4567, 9007199254740993.0, 1e-300, -0.0};
    const std::vector<double> ys = {1.0 / 7, -2.0 / 3};
    for (const std::wstring& formula : formulas) {
        for (const int digits : {10, 15, 16, 17}) {
            const auto mismatch = Compare(formula, KV_FORMULA_X | KV_FORMULA_Y, digits, xs, ys);
            EXPECT_FALSE(mismatch) << mismatch->what << " at " << digits << " digits";
        }
    }
}

// The formula is read once, not the text with the coordinates written in: a formula
// whose written-in text would be longer than the evaluator takes still has its values.
TEST(CompiledExpression, ValuesDoNotDependOnHowLongTheCoordinatesPrint) {
    std::wstring many = L"x";
    for (int i = 0; i < 60; ++i) many += L"+x";
    KvFormula* formula = CompileFormula(many.c_str(), KV_FORMULA_X, 15);
    for (const double x : {1.0, -1.5, 1.0 / 3}) {
        const KvCoordinate at = RoundCoordinate(x, 15);
        double sum = at.rounded;
        for (int i = 0; i < 60; ++i) sum += at.rounded;
        EXPECT_EQ(Bits(EvaluateFormula(formula, at, at)), Bits(sum)) << x;
    }
    ReleaseFormula(formula);
}

// An explicit graph's repaint: no y, one row.
TEST(CompiledExpression, EvaluatesARowWithoutY) {
    KvFormula* formula = CompileFormula(L"2sqrt(x)+1/x", KV_FORMULA_X, 10);
    const std::vector<double> xs = {-4, -1e-12, 0, 0.3, 2, 1e200};
    std::vector<KvCoordinate> columns;
    for (const double x : xs) columns.push_back(RoundCoordinate(x, 10));
    std::vector<double> row(xs.size());
    EvaluateFormulaGrid(formula, columns.data(), static_cast<int>(columns.size()), nullptr, 7, row.data());
    for (std::size_t c = 0; c < xs.size(); ++c) {
        const double expected = EvaluateExpression(WrittenIn(L"2sqrt(x)+1/x", KV_FORMULA_X, 10, xs[c], 0).c_str());
        EXPECT_EQ(Bits(row[c]), Bits(expected)) << xs[c];
    }
    ReleaseFormula(formula);
}

// An undefined function value makes the point NaN, wherever it stands: also in a part
// that is the same at every point, and in one computed once per row. KV_FORMULA_KEEP_NAN
// changes nothing.
TEST(CompiledExpression, KeepsUndefinedFunctionValuesAsNaN) {
    const struct {
        const wchar_t* formula;
        double x, y;
        double value;
    } cases[] = {
        {L"sqrt(x)+2", -1, 0, kNaN},
        {L"sqrt(x)+2", 4, 0, 4},
        {L"x+0*sqrt(-1)", 3, 0, kNaN},
        {L"x+sin(ln(0))", 3, 0, kNaN},
        {L"x+ln(y)", 3, -1, kNaN},
        {L"x*y+sqrt(1/(y-2))", 1, 2, kNaN},
        {L"x+exp(y*y)", 1, 100, kNaN},
        {L"x+sqrt(2+)", 1, 0, kNaN},  // an argument it cannot read
    };
    for (const auto& c : cases) {
        for (const int keepNaN : {0, int{KV_FORMULA_KEEP_NAN}}) {
            KvFormula* formula = CompileFormula(c.formula, KV_FORMULA_X | KV_FORMULA_Y | keepNaN, 15);
            const double value = EvaluateFormula(formula, RoundCoordinate(c.x, 15), RoundCoordinate(c.y, 15));
            EXPECT_EQ(Bits(value), Bits(c.value)) << Narrow(c.formula) << keepNaN;
            ReleaseFormula(formula);
        }
    }
}

TEST(CompiledExpression, RejectsWhatItCannotCompile) {
    EXPECT_EQ(CompileFormula(nullptr, KV_FORMULA_X, 10), nullptr);
    EXPECT_EQ(CompileFormula(L"x", KV_FORMULA_X, 0), nullptr);
    EXPECT_EQ(CompileFormula(L"x", KV_FORMULA_X, 18), nullptr);
    EXPECT_TRUE(std::isnan(EvaluateFormula(nullptr, RoundCoordinate(1, 10), RoundCoordinate(1, 10))));
}

// A coordinate read back from its printed form, as the evaluator reads "(value)".
TEST(CompiledExpression, RoundsCoordinatesAsTheTextReadsThem) {
    std::mt19937_64 random(20240611);
    std::vector<double> values;
    for (int i = 0; i < 20000; ++i) {
        const auto bits = random();
        values.push_back(std::bit_cast<double>(bits));                                            // anything
        values.push_back(std::ldexp(static_cast<double>(bits >> 11), static_cast<int>(bits % 160) - 110));
        values.push_back(static_cast<double>(bits % 2000000000000000) / 2 + 0.5);                // exact halves
        values.push_back(static_cast<double>(bits % 900000000000000) * 10 + 5);                  // ties above 1e15
    }
    for (const int digits : {1, 5, 10, 15, 17}) {
        std::vector<KvCoordinate> all(values.size());
        RoundCoordinates(values.data(), static_cast<int>(values.size()), digits, all.data());
        for (std::size_t i = 0; i < values.size(); ++i) {
            const double value = values[i];
            const KvCoordinate one = RoundCoordinate(value, digits);
            ASSERT_EQ(Bits(all[i].rounded), Bits(one.rounded)) << digits << " digits at once of " << Narrow(Printed(value, 17));
            ASSERT_EQ(Bits(all[i].value), Bits(value));
            ASSERT_EQ(all[i].digits, digits);
            if (!std::isfinite(value)) continue;
            const double expected = EvaluateExpression((L"(" + Printed(value, digits) + L")").c_str());
            ASSERT_EQ(Bits(one.rounded), Bits(expected)) << digits << " digits of " << Narrow(Printed(value, 17));
        }
    }
    // Values without a reading and digits out of range are kept as they are.
    const double kept[] = {kInf, -kInf, kNaN, 0.1};
    for (const int digits : {0, 18}) {
        KvCoordinate out[4];
        RoundCoordinates(kept, 4, digits, out);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(Bits(out[i].rounded), Bits(kept[i]));
    }
}

// Formulas built from the pieces the evaluator cares about, joined at random: most are
// sensible graphs, many are not, and every piece meets every other one.
class FormulaGenerator {
public:
    explicit FormulaGenerator(std::uint64_t seed) : random_(seed) {}

    std::wstring Formula() {
        std::wstring formula;
        if (Chance(0.25)) {
            const int pieces = 1 + static_cast<int>(Below(14));
            for (int i = 0; i < pieces; ++i) formula += Pick(kPieces);
        } else {
            Expression(formula, 0);
        }
        return formula;
    }

    double Coordinate() {
        switch (Below(14)) {
            case 0: return static_cast<double>(static_cast<int>(Below(11)) - 5);
            case 1: return Uniform(-10, 10);
            case 2: return Uniform(-1000, 1000);
            case 3: return Chance(0.5) ? 0.0 : -0.0;
            case 4: return Uniform(-1, 1) * 1e-7;
            case 5: return Uniform(-1, 1) * 1e22;
            case 6: return Uniform(-1, 1) * 1e300;
            case 7: {
                const double value = std::bit_cast<double>(random_());
                return std::isfinite(value) ? value : 1.5;
            }
            case 8: return Pick(std::vector<double>{DBL_MAX, -DBL_MAX, 5e-324, -1e-310, DBL_MIN, 1e16, -4.5});
            case 9: return Pick(std::vector<double>{kInf, -kInf, kNaN, -kNaN});
            case 10: return std::round(Uniform(-100, 100)) / 4;
            default: return Uniform(-5, 5);
        }
    }

    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(random_() % n); }

private:
    double Uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random_); }

    template <class T>
    T Pick(const std::vector<T>& items) {
        return items[Below(items.size())];
    }

    void Expression(std::wstring& out, int depth) {
        const int terms = 1 + static_cast<int>(Below(depth > 2 ? 2 : 4));
        for (int i = 0; i < terms; ++i) {
            if (i > 0) out += Pick(kOperators);
            Term(out, depth);
        }
    }

    void Term(std::wstring& out, int depth) {
        if (Chance(0.15)) out += Pick(std::vector<std::wstring>{L"-", L"+", L"- ", L"--", L" "});
        const std::size_t kind = Below(depth > 3 ? 4 : 10);
        switch (kind) {
            case 0:
            case 1: out += Pick(kNumbers); break;
            case 2:
            case 3: out += Pick(kSlots); break;
            case 4:  // side by side: implicit multiplication, or a number joined to a value
                Term(out, depth + 1);
                Term(out, depth + 1);
                break;
            case 5:
                out += L"(";
                Expression(out, depth + 1);
                if (!Chance(0.05)) out += L")";
                break;
            case 6:
                Term(out, depth + 1);
                out += L"^";
                Term(out, depth + 1);
                break;
            default: Call(out, depth); break;
        }
    }

    // A call, often with something right before or after it that a "0" would join.
    void Call(std::wstring& out, int depth) {
        if (Chance(0.3)) out += Pick(std::vector<std::wstring>{L"2", L".", L"3.", L",", L"2e+", L"1E-", L"-", L"- "});
        out += Pick(kNames);
        out += L"(";
        if (Chance(0.2)) out += Pick(kHarmful);
        else Expression(out, depth + 1);
        if (!Chance(0.03)) out += L")";
        if (Chance(0.3)) out += Pick(std::vector<std::wstring>{L"2", L".5", L",5", L"e5", L"E", L"(2)", L"x", L" 3"});
    }

    std::mt19937_64 random_;

    const std::vector<std::wstring> kNames = {L"sin",   L"cos", L"tan",  L"asin", L"acos", L"atan",
                                              L"sinh",  L"cosh", L"tanh", L"exp",  L"ln",   L"log",
                                              L"sqrt",  L"abs", L"floor", L"ceil", L"round"};
    const std::vector<std::wstring> kOperators = {L"+", L"-", L"*", L"/", L"^", L"", L" ", L"×", L"÷", L"*-", L"/-", L":", L" : ", L"* -", L"^-", L"^ -"};
    const std::vector<std::wstring> kNumbers = {L"0",    L"1",     L"2",       L"25",    L"0.5",   L".5",  L"3.",
                                                L"1,5",  L"1e3",   L"2.5E-2",  L"1e400", L"1e-400", L".",  L"1.2.3",
                                                L"0.1",  L"1e+25", L"9.99999999983333e-06", L"123456789012345678901"};
    const std::vector<std::wstring> kSlots = {L"x", L"x", L"x", L"X", L"y", L"y", L"Y", L"xy", L"2x", L"x2", L"(x)"};
    // Arguments whose function value is often NaN or infinite.
    const std::vector<std::wstring> kHarmful = {L"x/0", L"0/0", L"-1", L"x-x", L"1e400", L"sqrt(x)", L"-x*x", L"x",
                                                L"1/x",  L"ln(x)", L"y"};
    const std::vector<std::wstring> kPieces = {
        L"x",  L"y",  L"X",  L"Y",  L"2",  L"0",  L".",  L",",   L"e",   L"E",    L"e+",   L"+",    L"-",   L"*",
        L"/",  L"^",  L"(",  L")",  L" ",  L"=",  L"π",  L"sin(", L"ln(", L"sqrt(", L"exp(", L"exp", L"sin", L"1e5",
        L"(x)", L"ab", L"×", L"5.5", L":", L"^(2)", L"^(", L"-("};
};

TEST(CompiledExpression, MatchesTheTextOnGeneratedFormulas) {
    FormulaGenerator generator(7);
    constexpr int kFormulas = 6000;
    int mismatches = 0;
    for (int i = 0; i < kFormulas; ++i) {
        const std::wstring formula = generator.Formula();
        const bool implicit = generator.Chance(0.5);
        const int variables = (implicit ? KV_FORMULA_X | KV_FORMULA_Y : KV_FORMULA_X) |
                              (generator.Chance(0.5) ? KV_FORMULA_KEEP_NAN : 0);
        const int digits = generator.Chance(0.1) ? static_cast<int>(1 + generator.Below(17)) : (implicit ? 15 : 10);
        std::vector<double> xs, ys;
        for (int k = 0; k < 4; ++k) xs.push_back(generator.Coordinate());
        for (int k = 0; k < (implicit ? 3 : 1); ++k) ys.push_back(generator.Coordinate());
        if (const auto mismatch = Compare(formula, variables, digits, xs, ys)) {
            if (++mismatches <= 10) ADD_FAILURE() << mismatch->what;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
