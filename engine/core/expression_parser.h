// The operator-precedence machine over one evaluation's text, after its function calls
// have been replaced. The evaluator runs it on numbers; the compiler runs the very same
// machine on program nodes, so both read every text alike.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "core/expression_syntax.h"

namespace abacor {

enum class ParseResult { Value, Failed, LimitExceeded };

// Operands provides:
//   std::size_t size() const;
//   void Push(double number);
//   bool Apply(char op);                     // on the two top operands; false: the text is NaN
//   static constexpr bool kMarkers;          // whether bytes from 0x80 up are operands
//   void PushMarker(std::size_t at);
template <class Operands>
class PrecedenceParser {
public:
    explicit PrecedenceParser(Operands& operands) : operands_(operands) {}

    // With Value, the operands hold exactly one: the result.
    ParseResult Run(std::string_view text) {
        bool operandExpected = true;
        // The '*' that a digit or ')' before '(', or ')' before a digit, implies; false
        // when it ends the parse.
        const auto impliedProduct = [&](std::size_t i) {
            return i == 0 || !syntax::ImpliesProduct(text[i - 1], text[i]) || Infix('*');
        };
        for (std::size_t i = 0; i < text.size();) {
            const char c = text[i];
            switch (c) {
                case '+':
                case '-':
                    if (operandExpected) {
                        std::size_t j = i + 1;
                        while (j < text.size() && text[j] == ' ') ++j;
                        if (j < text.size() && (syntax::IsDigit(text[j]) || text[j] == '.')) {
                            const double value = syntax::ReadNumber(text, j);
                            if (!Push(c == '-' ? -value : value)) return end_;
                            operandExpected = false;
                            i = j;
                            continue;
                        }
                    }
                    [[fallthrough]];
                case '*':
                case '/':
                case '^':
                    if (!Infix(c)) return end_;
                    operandExpected = true;
                    break;
                case '(':
                    if (!impliedProduct(i) || !PushOperator(c)) return end_;
                    operandExpected = true;
                    break;
                case ')':
                    if (!CloseBracket()) return end_;
                    operandExpected = false;
                    break;
                case '0': case '1': case '2': case '3': case '4':
                case '5': case '6': case '7': case '8': case '9':
                case '.':
                    if (!impliedProduct(i) || !Push(syntax::ReadNumber(text, i))) return end_;
                    operandExpected = false;
                    continue;
                default:
                    if constexpr (Operands::kMarkers) {
                        if (static_cast<unsigned char>(c) >= 0x80) {
                            if (!Room(operands_.size())) return end_;
                            operands_.PushMarker(i);
                            operandExpected = false;
                        }
                    }
                    break;  // spaces and every other character are skipped
            }
            ++i;
        }
        return Finish();
    }

private:
    static int Precedence(char op) {
        switch (op) {
            case '+':
            case '-': return 1;
            case '*':
            case '/': return 2;
            case '^': return 3;
            default: return 0;
        }
    }

    bool Stop(ParseResult end) {
        end_ = end;
        return false;
    }

    bool Room(std::size_t used) { return used < kMaxStackEntries || Stop(ParseResult::LimitExceeded); }

    bool Push(double value) {
        if (!Room(operands_.size())) return false;
        operands_.Push(value);
        return true;
    }

    bool PushOperator(char op) {
        if (!Room(operatorCount_)) return false;
        operators_[operatorCount_++] = op;
        return true;
    }

    char Top() const { return operators_[operatorCount_ - 1]; }

    bool ApplyTop() {
        const char op = operators_[--operatorCount_];
        if (operands_.size() < 2 || !operands_.Apply(op)) return Stop(ParseResult::Failed);
        return true;
    }

    // A surplus ')' closes everything before it.
    bool CloseBracket() {
        while (operatorCount_ > 0 && Top() != '(') {
            if (!ApplyTop()) return false;
        }
        if (operatorCount_ > 0) --operatorCount_;
        return true;
    }

    // All operators are left-associative, '^' included.
    bool Infix(char op) {
        while (operatorCount_ > 0 && Top() != '(' && Precedence(Top()) >= Precedence(op)) {
            if (!ApplyTop()) return false;
        }
        return PushOperator(op);
    }

    ParseResult Finish() {
        while (operatorCount_ > 0) {
            if (Top() == '(' || !ApplyTop()) return ParseResult::Failed;
        }
        return operands_.size() == 1 ? ParseResult::Value : ParseResult::Failed;
    }

    Operands& operands_;
    std::array<char, kMaxStackEntries> operators_;
    std::size_t operatorCount_ = 0;
    ParseResult end_ = ParseResult::Failed;
};

}  // namespace abacor
