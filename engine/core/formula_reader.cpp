#include "core/formula_reader.h"

#include <optional>

#include "core/evaluator.h"
#include "core/expression_syntax.h"

namespace abacor {

namespace {

constexpr std::string_view kNameWithX = "exp";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

int FunctionNamed(std::string_view name) {
    for (std::size_t row = 0; row < syntax::kFunctions.size(); ++row) {
        if (syntax::kFunctions[row].name == name) return static_cast<int>(row);
    }
    return -1;
}

int Precedence(char op) {
    switch (op) {
        case '+':
        case '-': return 1;
        case '*':
        case '/': return 2;
        case 'n': return 3;  // a negating sign
        case '^': return 4;
        default: return 0;  // brackets
    }
}

Operation BinaryOperation(char op) {
    switch (op) {
        case '+': return Operation::Add;
        case '-': return Operation::Subtract;
        case '*': return Operation::Multiply;
        case '/': return Operation::Divide;
        default: return Operation::Power;
    }
}

class Reader {
public:
    Reader(std::string_view text, std::string_view unknowns, bool commonFractions)
        : text_(text), unknowns_(unknowns), commonFractions_(commonFractions) {}

    FormulaTree Run() {
        if (text_.size() > kMaxFormulaLength) return Finish(ReadOutcome::TooLong);
        while (i_ < text_.size()) {
            if (!Step()) return Finish(outcome_);
        }
        while (!operators_.empty()) {
            if (IsOpening(operators_.back().symbol) || !ApplyTop()) return Finish(ReadOutcome::Unreadable);
        }
        if (operands_.size() != 1) return Finish(ReadOutcome::Unreadable);
        tree_.root = operands_.back();
        return Finish(ReadOutcome::Read);
    }

private:
    struct Pending {
        char symbol;               // an operator, 'n' for a sign, '(' or 'f' for a call's bracket
        std::uint8_t function;     // 'f'
        std::uint32_t at;          // where it was written (a call: its name)
        std::size_t operandsBelow; // brackets: operands before it
    };

    static bool IsOpening(char symbol) { return symbol == '(' || symbol == 'f'; }

    FormulaTree Finish(ReadOutcome outcome) {
        tree_.outcome = outcome;
        if (outcome != ReadOutcome::Read) tree_.root = -1;
        return std::move(tree_);
    }

    bool Fail(ReadOutcome outcome) {
        outcome_ = outcome;
        return false;
    }

    bool Step() {
        const char c = text_[i_];
        if (syntax::IsDigit(c) || c == '.') return ReadNumberHere();
        if (syntax::IsAsciiLetter(c)) return ReadLetters();
        switch (c) {
            case '+':
            case '-':
                if (operandExpected_) {
                    ++i_;
                    return c == '+' || PushOperator({'n', 0, static_cast<std::uint32_t>(i_ - 1), 0});
                }
                return Infix(c);
            case '*':
            case '/':
            case '^': return Infix(c);
            case ':': return Infix('/');
            case '(':
                if (!BeforeOperand()) return false;
                ++i_;
                return PushOperator({'(', 0, static_cast<std::uint32_t>(i_ - 1), operands_.size()});
            case ')': return CloseBracket();
            case ' ':
            case '\t':
            case '\r':
            case '\n': ++i_; return true;
            default: return Skip(i_ + 1);  // a character without a meaning
        }
    }

    // Characters up to `end` mean nothing. An operand on either side of them does not
    // multiply with one on the other: x=2 is no 2x.
    bool Skip(std::size_t end) {
        i_ = end;
        gap_ = true;
        return true;
    }

    // An operand is about to start: after another operand, with only blanks between, it
    // multiplies.
    bool BeforeOperand() {
        if (operandExpected_) return true;
        if (gap_) return Fail(ReadOutcome::Unreadable);
        if (!ApplyWhile(Precedence('*'))) return false;
        return PushOperator({'*', 0, static_cast<std::uint32_t>(i_), 0});
    }

    bool ReadNumberHere() {
        if (lastWasNumber_ && !operandExpected_) return Fail(ReadOutcome::Unreadable);
        if (!BeforeOperand()) return false;
        const std::size_t start = i_;
        const double value = syntax::ReadNumber(text_, i_);
        if (!PushOperand({.operation = Operation::Number, .number = value}, start, i_)) return false;
        lastWasNumber_ = true;
        return !commonFractions_ || ReadDenominator(start);
    }

    // The "/4" of "3/4" when the number just read was digits alone.
    bool ReadDenominator(std::size_t start) {
        for (std::size_t k = start; k < i_; ++k) {
            if (!syntax::IsDigit(text_[k])) return true;
        }
        if (i_ + 1 >= text_.size() || text_[i_] != '/' || !syntax::IsDigit(text_[i_ + 1])) return true;
        const std::size_t from = ++i_;
        while (i_ < text_.size() && syntax::IsDigit(text_[i_])) ++i_;
        std::size_t at = from;
        const double value = syntax::ReadNumber(text_.substr(0, i_), at);
        const std::int32_t denominator = AddNode({.operation = Operation::Number, .number = value}, from, i_);
        std::int32_t& numerator = operands_.back();
        numerator = AddNode({.operation = Operation::Divide, .literal = true, .left = numerator, .right = denominator},
                            start, i_);
        return true;
    }

    // A run of letters: unknowns, function names and letters that mean nothing.
    bool ReadLetters() {
        std::size_t end = i_;
        while (end < text_.size() && syntax::IsAsciiLetter(text_[end])) ++end;
        std::size_t pieceStart = i_;
        for (std::size_t k = i_; k < end;) {
            if (k + kNameWithX.size() <= end && text_.substr(k, kNameWithX.size()) == kNameWithX) {
                k += kNameWithX.size();
                continue;
            }
            if (!IsUnknown(text_[k])) {
                ++k;
                continue;
            }
            const int function = FunctionNamed(text_.substr(pieceStart, k - pieceStart));
            if (function < 0 && pieceStart < k) gap_ = true;  // letters that mean nothing
            if (!(function >= 0 ? PushCallOfUnknown(pieceStart, function, k) : PushUnknown(k, k))) return false;
            pieceStart = ++k;
        }
        i_ = end;
        return ReadLastPiece(pieceStart, end);
    }

    bool IsUnknown(char c) const { return unknowns_.find(Lower(c)) != std::string_view::npos; }

    // The unknown at `at`, as an operand starting at `begin`.
    bool PushUnknown(std::size_t begin, std::size_t at) {
        if (!BeforeOperand()) return false;
        return PushOperand({.operation = Operation::Unknown, .letter = Lower(text_[at])}, begin, at + 1);
    }

    // sinx: the name at `begin` called on the unknown at `at`.
    bool PushCallOfUnknown(std::size_t begin, int function, std::size_t at) {
        if (!PushUnknown(at, at)) return false;
        std::int32_t& operand = operands_.back();
        operand = AddNode({.operation = Operation::Call, .function = static_cast<std::uint8_t>(function),
                           .left = operand},
                          begin, at + 1);
        return true;
    }

    // The letters [begin, end) that end a run: a function's name when a bracket or an
    // unknown follows (blanks allowed), skipped otherwise.
    bool ReadLastPiece(std::size_t begin, std::size_t end) {
        if (begin == end) return true;
        const int function = FunctionNamed(text_.substr(begin, end - begin));
        if (function < 0) return Skip(end);
        std::size_t open = end;
        while (open < text_.size() && IsBlank(text_[open])) ++open;
        if (open < text_.size() && syntax::IsAsciiLetter(text_[open]) && IsUnknown(text_[open])) {
            i_ = open + 1;  // "sin x": the unknown is the argument
            return PushCallOfUnknown(begin, function, open);
        }
        if (open >= text_.size() || text_[open] != '(') return Skip(end);
        if (!BeforeOperand()) return false;
        if (++calls_ > kMaxNesting) return Fail(ReadOutcome::TooLong);
        i_ = open + 1;
        return PushOperator({'f', static_cast<std::uint8_t>(function), static_cast<std::uint32_t>(begin),
                             operands_.size()});
    }

    std::int32_t AddNode(FormulaNode node, std::size_t begin, std::size_t end) {
        node.begin = node.outerBegin = static_cast<std::uint32_t>(begin);
        node.end = node.outerEnd = static_cast<std::uint32_t>(end);
        tree_.nodes.push_back(node);
        return static_cast<std::int32_t>(tree_.nodes.size()) - 1;
    }

    bool PushOperand(FormulaNode node, std::size_t begin, std::size_t end) {
        if (operands_.size() >= kMaxStackEntries) return Fail(ReadOutcome::TooLong);
        operands_.push_back(AddNode(node, begin, end));
        operandExpected_ = false;
        lastWasNumber_ = false;
        gap_ = false;
        return true;
    }

    bool PushOperator(Pending pending) {
        if (operators_.size() >= kMaxStackEntries) return Fail(ReadOutcome::TooLong);
        operators_.push_back(pending);
        operandExpected_ = true;
        lastWasNumber_ = false;
        gap_ = false;
        return true;
    }

    const FormulaNode& Node(std::int32_t index) const { return tree_[index]; }

    bool ApplyTop() {
        const Pending op = operators_.back();
        operators_.pop_back();
        if (op.symbol == 'n') {
            if (operands_.empty()) return Fail(ReadOutcome::Unreadable);
            const std::int32_t operand = operands_.back();
            operands_.back() = AddNode({.operation = Operation::Negate, .left = operand}, op.at, Node(operand).outerEnd);
            return true;
        }
        if (operands_.size() < 2) return Fail(ReadOutcome::Unreadable);
        const std::int32_t right = operands_.back();
        operands_.pop_back();
        const std::int32_t left = operands_.back();
        operands_.back() = AddNode({.operation = BinaryOperation(op.symbol), .left = left, .right = right},
                                   Node(left).outerBegin, Node(right).outerEnd);
        return true;
    }

    // Applies the waiting operators that bind at least as tightly; all are read left to right.
    bool ApplyWhile(int precedence) {
        while (!operators_.empty() && !IsOpening(operators_.back().symbol) &&
               Precedence(operators_.back().symbol) >= precedence) {
            if (!ApplyTop()) return false;
        }
        return true;
    }

    bool Infix(char op) {
        if (operandExpected_) return Fail(ReadOutcome::Unreadable);
        if (!ApplyWhile(Precedence(op))) return false;
        const bool pushed = PushOperator({op, 0, static_cast<std::uint32_t>(i_), 0});
        ++i_;
        return pushed;
    }

    bool CloseBracket() {
        if (!ApplyWhile(0)) return false;
        const std::size_t close = i_++;
        if (operators_.empty()) {  // a surplus ')' closes everything before it
            operandExpected_ = false;
            lastWasNumber_ = false;
            return !operands_.empty() || Fail(ReadOutcome::Unreadable);
        }
        const Pending open = operators_.back();
        operators_.pop_back();
        if (operands_.size() != open.operandsBelow + 1) return Fail(ReadOutcome::Unreadable);
        std::int32_t& inner = operands_.back();
        if (open.symbol == 'f') {
            --calls_;
            inner = AddNode({.operation = Operation::Call, .function = open.function, .left = inner}, open.at,
                            close + 1);
        } else {
            FormulaNode& node = tree_.nodes[static_cast<std::size_t>(inner)];
            node.bracketed = true;
            node.outerBegin = open.at;
            node.outerEnd = static_cast<std::uint32_t>(close + 1);
        }
        operandExpected_ = false;
        lastWasNumber_ = false;
        gap_ = false;
        return true;
    }

    std::string_view text_;
    std::string_view unknowns_;
    bool commonFractions_;
    std::size_t i_ = 0;
    bool operandExpected_ = true;
    bool lastWasNumber_ = false;
    bool gap_ = false;  // something meaningless since the last operand or operator
    int calls_ = 0;
    ReadOutcome outcome_ = ReadOutcome::Unreadable;
    std::vector<std::int32_t> operands_;
    std::vector<Pending> operators_;
    FormulaTree tree_;
};

}  // namespace

FormulaTree ReadFormula(std::string_view narrowed, std::string_view unknowns, bool commonFractions) {
    return Reader(narrowed, unknowns, commonFractions).Run();
}

FormulaTree ReadFormula(std::wstring_view text, std::string_view unknowns, bool commonFractions) {
    return ReadFormula(std::string_view(syntax::NarrowText(text)), unknowns, commonFractions);
}

}  // namespace abacor
