// The polynomial expansion against the evaluator on thousands of generated texts in x:
// wherever the expansion says its polynomial is the text's value, the two agree at every
// sample point. Both read through one reader, so a rule the two read differently (a sign
// after an operator, ':', a bracketed or stacked exponent, 1/2x) shows up here.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "abacor.h"
#include "algebra/formula.h"
#include "algebra/polynomial.h"
#include "core/engine_state.h"
#include "engine_fixture.h"

namespace {

using namespace abacor;

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (const wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

// Texts of the kind students type: numbers with point or comma, x, the four operators
// and ':', signs after operators with or without blanks, brackets, powers with plain,
// signed, bracketed and stacked exponents, implied products.
class TextGenerator {
public:
    explicit TextGenerator(unsigned seed) : random_(seed) {}

    std::wstring Text() {
        std::wstring out;
        Sum(out, 0);
        return out;
    }

private:
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(random_() % n); }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
    template <class T>
    const T& Pick(const std::vector<T>& items) {
        return items[Below(items.size())];
    }

    void Sum(std::wstring& out, int depth) {
        const std::size_t terms = 1 + Below(depth > 1 ? 2 : 4);
        for (std::size_t i = 0; i < terms; ++i) {
            if (i > 0) out += Pick(kAdditive);
            Product(out, depth);
        }
    }

    void Product(std::wstring& out, int depth) {
        const std::size_t factors = 1 + Below(3);
        bool afterExponent = false;
        for (std::size_t i = 0; i < factors; ++i) {
            // An exponent's digits followed by a number's would be one exponent (x^23).
            if (i > 0) out += afterExponent ? std::wstring(L"*") : Pick(kMultiplicative);
            if (Chance(0.2)) out += Pick(kSigns);
            afterExponent = Power(out, depth);
        }
    }

    // True when it wrote an exponent.
    bool Power(std::wstring& out, int depth) {
        Factor(out, depth);
        if (!Chance(0.3)) return false;
        out += L"^";
        out += Pick(kExponents);
        if (Chance(0.15)) out += L"^" + Pick(kExponents);  // stacked, read left to right
        return true;
    }

    void Factor(std::wstring& out, int depth) {
        switch (Below(depth > 2 ? 4 : 6)) {
            case 0: out += Pick(kNumbers); break;
            case 1: out += L"x"; break;
            case 2: out += Pick(kNumbers) + L"x"; break;  // an implied product
            case 3: out += Pick(kNumbers) + L":" + Pick(kNumbers); break;  // a quotient of numbers
            default:
                out += L"(";
                Sum(out, depth + 1);
                out += L")";
                if (Chance(0.3)) out += Pick(std::vector<std::wstring>{L"x", L"(x+1)", L"2"});
                break;
        }
    }

    std::mt19937 random_;
    const std::vector<std::wstring> kAdditive = {L"+", L"-", L" + ", L" - ", L"--", L"+-"};
    const std::vector<std::wstring> kMultiplicative = {L"*", L"/", L":", L" * ", L"", L" ", L"×", L"*", L"", L""};
    const std::vector<std::wstring> kSigns = {L"-", L"- ", L"+", L"--"};
    const std::vector<std::wstring> kNumbers = {L"1", L"2", L"3", L"0.5", L"1,5", L"12", L"0.25", L"7", L"2e1"};
    const std::vector<std::wstring> kExponents = {L"2", L"3", L"0", L"(2)", L"(1+1)", L"(3)", L"2", L"(4:2)", L"-1", L"x"};
};

// The text with the value written in for every x, as the evaluator gets it from a graph.
std::wstring WrittenIn(const std::wstring& text, double x) {
    char value[40];
    std::snprintf(value, sizeof value, "(%.17g)", x);
    std::wstring written;
    for (const wchar_t c : text) {
        if (c == L'x') written.append(value, value + std::char_traits<char>::length(value));
        else written += c;
    }
    return written;
}

// The sum of the magnitudes of the terms at x: the scale of the rounding in either value.
double Scale(const Polynomial& p, double x) {
    double scale = 0;
    for (const auto& [key, c] : p) scale += std::fabs(c) * std::pow(std::fabs(x), VariableExponent(key, L'x'));
    return scale;
}

class ReadingAgreementTest : public EngineTest {};

TEST_F(ReadingAgreementTest, ThePolynomialOfATextIsItsValue) {
    Engine().MaxDegree = 12;
    TextGenerator generator(2026);
    constexpr int kTexts = 8000;
    const double points[] = {-2.5, -1, 0.5, 1, 3};
    int exact = 0, mismatches = 0;
    for (int i = 0; i < kTexts; ++i) {
        const std::wstring text = generator.Text();
        ExpansionNotes notes;
        const Polynomial p = ExpandExpression(text, &notes);
        if (!notes.exact()) continue;
        ++exact;
        for (const double x : points) {
            const double expected = EvaluateExpression(WrittenIn(text, x).c_str());
            if (!std::isfinite(expected)) continue;  // a zero divisor somewhere: no value to compare
            const double got = EvaluatePolynomial(p, x, 0);
            const double tolerance = 1e-9 * (1 + Scale(p, x) + std::fabs(expected));
            if (std::fabs(got - expected) > tolerance && ++mismatches <= 10) {
                ADD_FAILURE() << Narrow(text) << " at x = " << x << ": polynomial " << got << ", text " << expected;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
    // Most texts must really be compared, or this compares nothing.
    EXPECT_GT(exact, kTexts / 4);
}

// What the expansion refuses to call exact has no polynomial value: a function, an
// exponent that is not a whole number, a division by x.
TEST_F(ReadingAgreementTest, RefusedTextsAreNoPolynomials) {
    for (const std::wstring text : {L"x^(0.5)", L"x^x", L"2^x", L"1/x", L"x:(x+1)", L"sqrt(x)", L"x^-1", L"(x+1"}) {
        ExpansionNotes notes;
        ExpandExpression(text, &notes);
        EXPECT_FALSE(notes.exact()) << Narrow(text);
    }
}

}  // namespace
