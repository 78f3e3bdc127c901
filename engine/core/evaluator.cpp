#include "core/evaluator.h"

#include <array>
#include <cmath>
#include <cwchar>
#include <limits>

#include "core/expression_syntax.h"

namespace abacor {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// One evaluation of a tree: the first failure anywhere (a zero divisor, an undefined
// function value) leaves the whole text without a value, never a partial one.
class TreeWalk {
public:
    TreeWalk(const FormulaTree& tree, double x, double y) : tree_(tree), x_(x), y_(y) {}

    Evaluated Run() {
        const double result = Value(tree_.root);
        if (fault_ != Fault::None || std::isnan(result)) return {kNaN, fault_ != Fault::None ? fault_ : Fault::Undefined};
        return {result, std::isinf(result) ? Fault::Overflow : Fault::None};
    }

private:
    double Fail(Fault why) {
        if (fault_ == Fault::None) fault_ = why;
        return kNaN;
    }

    double Value(std::int32_t index) {
        const FormulaNode& node = tree_[index];
        switch (node.operation) {
            case Operation::Number: return node.number;
            case Operation::Unknown: return node.letter == 'x' ? x_ : node.letter == 'y' ? y_ : Fail(Fault::Undefined);
            case Operation::Negate: return -Value(node.left);
            case Operation::Call: return Call(node);
            default: break;
        }
        const double a = Value(node.left);
        if (fault_ != Fault::None) return kNaN;
        const double b = Value(node.right);
        if (fault_ != Fault::None) return kNaN;
        switch (node.operation) {
            case Operation::Add: return a + b;
            case Operation::Subtract: return a - b;
            case Operation::Multiply: return a * b;
            case Operation::Divide: return b == 0 ? Fail(Fault::DivisionByZero) : a / b;
            default: return syntax::Power(a, b);
        }
    }

    double Call(const FormulaNode& node) {
        const double argument = Value(node.left);
        if (fault_ != Fault::None) return kNaN;
        const double value = syntax::kFunctions[node.function].apply(argument);
        if (!std::isfinite(value)) return Fail(Fault::Undefined);
        return syntax::ReadBack(value, syntax::kFunctionDigits);
    }

    const FormulaTree& tree_;
    double x_, y_;
    Fault fault_ = Fault::None;
};

}  // namespace

Evaluated EvaluateFormula(const FormulaTree& tree, double x, double y) {
    if (!tree.read()) return {kNaN, Fault::Undefined};
    return TreeWalk(tree, x, y).Run();
}

Evaluated EvaluateWithFault(std::wstring_view text) {
    if (text.size() > kMaxExpressionLength) return {kNaN, Fault::Undefined};
    std::array<char, kMaxExpressionLength> narrowed;
    for (std::size_t i = 0; i < text.size(); ++i) narrowed[i] = syntax::Narrow(text[i]);
    return EvaluateFormula(ReadFormula(std::string_view(narrowed.data(), text.size()), ""));
}

double Evaluate(std::wstring_view text) { return EvaluateWithFault(text).value; }

double EvaluateTerminated(const wchar_t* text) {
    if (!text) return kNaN;
    // Only as much of the text as the evaluator may accept is ever looked at.
    return Evaluate(std::wstring_view(text, wcsnlen(text, kMaxExpressionLength + 1)));
}

}  // namespace abacor
