// The one reader of formula text: the tree it builds, the rules every mode shares, and
// where its texts are for those that quote them.
#include "core/formula_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/evaluator.h"

namespace {

using namespace abacor;

// The tree written back with every operation in brackets: n for a negating sign, f() for
// a call, and the fraction line's common fractions as [a/b].
std::string Shape(const FormulaTree& tree, std::int32_t index) {
    const FormulaNode& n = tree[index];
    switch (n.operation) {
        case Operation::Number: {
            char digits[32];
            std::snprintf(digits, sizeof digits, "%g", n.number);
            return digits;
        }
        case Operation::Unknown: return std::string(1, n.letter);
        case Operation::Negate: return "n(" + Shape(tree, n.left) + ")";
        case Operation::Call: return "f(" + Shape(tree, n.left) + ")";
        default: break;
    }
    if (n.literal) return "[" + Shape(tree, n.left) + "/" + Shape(tree, n.right) + "]";
    const char* op = n.operation == Operation::Add        ? "+"
                     : n.operation == Operation::Subtract ? "-"
                     : n.operation == Operation::Multiply ? "*"
                     : n.operation == Operation::Divide   ? "/"
                                                          : "^";
    return "(" + Shape(tree, n.left) + op + Shape(tree, n.right) + ")";
}

std::string Shape(std::string_view text, std::string_view unknowns = "x", bool fractions = false) {
    const FormulaTree tree = ReadFormula(text, unknowns, fractions);
    return tree.read() ? Shape(tree, tree.root) : "unreadable";
}

TEST(FormulaReader, PrecedenceSignsAndImpliedProducts) {
    const struct {
        const char* text;
        const char* shape;
    } cases[] = {
        {"-2^2", "n((2^2))"},           {"2^-1", "(2^n(1))"},         {"2*-3", "(2*n(3))"},
        {"3--5", "(3-n(5))"},           {"-2*3", "(n(2)*3)"},         {"2^3^2", "((2^3)^2)"},
        {"1/2x", "((1/2)*x)"},          {"6:2(3)", "((6/2)*3)"},      {"2x^2", "(2*(x^2))"},
        {"x2", "(x*2)"},                {"2 (3)", "(2*3)"},           {"(2)(3)", "(2*3)"},
        {"2 3", "unreadable"},          {"x=2", "unreadable"},        {"2a3", "unreadable"},
        {"sinx", "f(x)"},               {"sin x", "f(x)"},            {"sin\t(x)", "f(x)"},
        {"sin\n(x)+1", "(f(x)+1)"},     {"xexp(x)", "(x*f(x))"},      {"expx^2", "(f(x)^2)"},
        {"2+3)*4", "((2+3)*4)"},        {"(2+3", "unreadable"},       {"sin()", "unreadable"},
        {"+4", "4"},                    {"--5", "n(n(5))"},           {"2*", "unreadable"},
    };
    for (const auto& c : cases) EXPECT_EQ(Shape(c.text), c.shape) << c.text;
}

// In the fraction line digits/digits is one number; nowhere else, and never with a
// point or blanks in it.
TEST(FormulaReader, CommonFractionsOnlyWhereAsked) {
    EXPECT_EQ(Shape("1/2:1/4", "", true), "([1/2]/[1/4])");
    EXPECT_EQ(Shape("1/2:1/4", "", false), "(((1/2)/1)/4)");
    EXPECT_EQ(Shape("2^1/2", "", true), "(2^[1/2])");
    EXPECT_EQ(Shape("1.5/2^2", "", true), "(1.5/(2^2))");  // 1.5 is no whole numerator
    EXPECT_EQ(Shape("1 /2", "", true), "(1/2)");
}

// Numbers, unknowns and calls know their text; a bracketed part knows its brackets too.
TEST(FormulaReader, NodesKnowWhereTheyAreWritten) {
    const std::string_view text = " (x+12)^2 + sqrt(x)";
    const FormulaTree tree = ReadFormula(text, "x");
    ASSERT_TRUE(tree.read());
    const auto spelled = [&](const FormulaNode& n) { return std::string(text.substr(n.begin, n.end - n.begin)); };
    const auto outer = [&](const FormulaNode& n) {
        return std::string(text.substr(n.outerBegin, n.outerEnd - n.outerBegin));
    };
    const FormulaNode& sum = tree[tree.root];
    const FormulaNode& power = tree[sum.left];
    EXPECT_EQ(outer(power), "(x+12)^2");
    EXPECT_EQ(outer(tree[power.left]), "(x+12)");
    EXPECT_EQ(spelled(tree[power.left]), "x+12");
    EXPECT_EQ(spelled(tree[tree[power.left].right]), "12");
    EXPECT_EQ(spelled(tree[sum.right]), "sqrt(x)");
}

TEST(FormulaReader, LimitsLeaveNoReading) {
    EXPECT_EQ(ReadFormula(std::string(kMaxFormulaLength + 1, '1'), "").outcome, ReadOutcome::TooLong);
    std::string deep;
    for (int i = 0; i <= kMaxNesting; ++i) deep += "abs(";
    deep += "1" + std::string(kMaxNesting + 1, ')');
    EXPECT_EQ(ReadFormula(deep, "").outcome, ReadOutcome::TooLong);
    EXPECT_EQ(ReadFormula(std::string(600, '(') + "1", "").outcome, ReadOutcome::TooLong);
}

}  // namespace
