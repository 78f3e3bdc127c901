// Formula text read into exact polynomials: the numbers as written, the rules of the one
// reader, and nothing where the text is no exact polynomial in x.
#include "algebra/exact_reading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "algebra/formula.h"
#include "engine_fixture.h"

namespace {

using namespace abacor;

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// Coefficients from the free term up, as fractions "p/q" or integers.
std::vector<std::string> Coefficients(const ExactPolynomial& p) {
    std::vector<std::string> out;
    for (const mpq_class& c : p.Coefficients()) out.push_back(c.get_str());
    return out;
}

TEST(ExactReading, NumbersAreTheirDigits) {
    const struct {
        std::wstring text;
        std::vector<std::string> coefficients;
    } cases[] = {
        {L"0.1x+0.2", {"1/5", "1/10"}},
        {L"(x-0.1)(x-0.2)", {"1/50", "-3/10", "1"}},
        {L"x:4 - 1,5", {"-3/2", "1/4"}},
        {L"1/2x", {"0", "1/2"}},
        {L"-x^2", {"0", "0", "-1"}},
        {L"2e-1x^(1+1)", {"0", "0", "1/5"}},
        {L"x^2^2 * -3", {"0", "0", "0", "0", "-3"}},
        {L"0.1+0.2-0.3", {}},  // exactly zero, where doubles leave 5.6e-17
        {L"(x+1)^0", {"1"}},
    };
    for (const auto& c : cases) {
        const auto p = ReadExactInX(c.text, 100);
        ASSERT_TRUE(p) << Narrow(c.text);
        EXPECT_EQ(Coefficients(*p), c.coefficients) << Narrow(c.text);
    }
}

TEST(ExactReading, NothingForWhatIsNoExactPolynomialInX) {
    for (const std::wstring text : {L"x/0", L"1/x", L"x:(x+1)", L"sin(x)", L"x^(1/2)", L"x^-1", L"y+1", L"2^x",
                                    L"x^101", L"(x+1)^60*(x-1)^60", L"(x^2+1)^51", L"(x+1", L"1.2.3x", L""}) {
        EXPECT_FALSE(ReadExactInX(text, 100)) << Narrow(text);
    }
}

// Decimal roots are the decimals they are: 0.1 is 1/10, not the double next to it.
TEST(ExactReading, DecimalRootsAreExact) {
    const std::wstring left = L"(x-0.1)(x-0.2)(x-0.3)(x-0.7)";
    const auto roots = ExactRootsOfSides(left, L"0", ExpandExpression(left));
    ASSERT_TRUE(roots);
    std::vector<std::string> exact;
    for (const RealRoot& root : *roots) exact.push_back(root.exact ? root.exact->get_str() : "irrational");
    EXPECT_EQ(exact, (std::vector<std::string>{"1/10", "1/5", "3/10", "7/10"}));
}

}  // namespace
