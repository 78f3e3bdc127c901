// The one reading of formula text. Every part of the engine that takes a formula — the
// display's "=", the graph's compiled formulas, the polynomial expansion behind the
// equation, inequality and system solvers, the fraction line — reads it here into the
// same tree, so that one text means one thing everywhere:
//   - numbers: digits with a point (',' is narrowed to it), further points ignored, an
//     optional exponent "e", a sign, digits;
//   - '+' '-' '*' '/' ':' (division, as at school) and '^', read left to right;
//   - a sign where an operand is expected (at the start, after '(' or an operator, blanks
//     allowed) negates what follows, binding looser than '^' and tighter than '*' and '/':
//     -2^2 is -4, 2^-1 is 0.5, 3--5 is 8;
//   - an operand right after an operand multiplies with the precedence of '*': 1/2x is
//     (1/2)x, 2(3) and (2)(3) are 6; two numbers in a row have no reading;
//   - a function name followed by a bracket, or by an unknown letter (sinx), is a call;
//     any other letter that is not an unknown, and any character the reader does not
//     know, is skipped;
//   - a surplus ')' closes everything before it; an unclosed '(' leaves no reading.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace abacor {

enum class Operation : std::uint8_t { Number, Unknown, Negate, Add, Subtract, Multiply, Divide, Power, Call };

struct FormulaNode {
    Operation operation = Operation::Number;
    char letter = 0;            // Unknown: its lower-case letter
    std::uint8_t function = 0;  // Call: row of syntax::kFunctions
    bool bracketed = false;     // written in brackets of its own
    bool literal = false;       // Divide: a common fraction written as digits/digits
    std::int32_t left = -1;     // operands; Negate and Call have only the left one
    std::int32_t right = -1;
    double number = 0;          // Number
    std::uint32_t begin = 0;    // its text, [begin, end) of the narrowed text
    std::uint32_t end = 0;
    std::uint32_t outerBegin = 0;  // the same with its own brackets
    std::uint32_t outerEnd = 0;
};

enum class ReadOutcome { Read, Unreadable, TooLong };

// The longest text read: a panel's 1024 characters with the solver's additions, and few
// enough that walking the tree of any text stays shallow.
inline constexpr std::size_t kMaxFormulaLength = 4096;

struct FormulaTree {
    std::vector<FormulaNode> nodes;
    std::int32_t root = -1;
    ReadOutcome outcome = ReadOutcome::Unreadable;

    bool read() const { return outcome == ReadOutcome::Read; }
    const FormulaNode& operator[](std::int32_t node) const { return nodes[static_cast<std::size_t>(node)]; }
};

// Reads a text narrowed to one byte a character (syntax::Narrow). `unknowns` lists the
// lower-case letters read as unknowns (both cases are); the x of "exp" never is one.
// TooLong beyond kMaxFormulaLength or the evaluator's limits of nesting. With
// `commonFractions`, digits '/' digits written without blanks is one number, bound tighter
// than any operator, as the fraction line reads it: 1/2:1/4 is 2.
FormulaTree ReadFormula(std::string_view narrowed, std::string_view unknowns, bool commonFractions = false);
// The same for a text as typed; the nodes' places are those of its characters.
FormulaTree ReadFormula(std::wstring_view text, std::string_view unknowns, bool commonFractions = false);

}  // namespace abacor
