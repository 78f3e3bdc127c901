#include "core/evaluator.h"

#include <array>
#include <cmath>
#include <cwchar>
#include <limits>

#include "core/expression_parser.h"
#include "core/expression_syntax.h"

namespace abacor {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The texts of the evaluations in progress, one after another: each one's text with its
// function calls replaced by their values. Each is at most kMaxExpressionLength
// characters, and together they never hold more than five times the input (a value of
// at most 24 characters replaces a call of at least 5, and the unreplaced parts are
// disjoint pieces of the input), so a fixed buffer does.
class TextStack {
public:
    std::size_t Mark() const { return used_; }
    void Release(std::size_t mark) { used_ = mark; }
    const char* At(std::size_t mark) const { return data_.data() + mark; }

    bool Append(std::string_view text) {
        if (text.size() > data_.size() - used_) return false;
        text.copy(data_.data() + used_, text.size());
        used_ += text.size();
        return true;
    }

private:
    std::array<char, 8 * (kMaxExpressionLength + 1)> data_;
    std::size_t used_ = 0;
};

// Shared by one evaluation and the nested evaluations of its function arguments: once
// anything fails anywhere (a limit, a zero divisor, an undefined function value) the
// whole evaluation is NaN, never a partial value.
struct Evaluation {
    Fault fault = Fault::None;
    TextStack texts;

    bool failed() const { return fault != Fault::None; }
    void Fail(Fault why) {
        if (!failed()) fault = why;
    }
};

class NumberStack {
public:
    static constexpr bool kMarkers = false;

    std::size_t size() const { return size_; }
    void Push(double value) { values_[size_++] = value; }
    void PushMarker(std::size_t) {}
    double Result() const { return values_[0]; }
    bool dividedByZero() const { return dividedByZero_; }

    bool Apply(char op) {
        const double b = values_[--size_];
        double& a = values_[size_ - 1];
        switch (op) {
            case '+': a = a + b; break;
            case '-': a = a - b; break;
            case '*': a = a * b; break;
            case '/':
                if (b == 0) {
                    dividedByZero_ = true;
                    return false;
                }
                a = a / b;
                break;
            case '^': a = std::pow(a, b); break;
        }
        return true;
    }

private:
    std::array<double, kMaxStackEntries> values_;
    std::size_t size_ = 0;
    bool dividedByZero_ = false;
};

double Evaluate(std::string_view text, int nesting, Evaluation& evaluation);

// Writes the text with every function call replaced by its value, "(%.15g)", onto the
// text stack, starting with `call`. False when the evaluation has failed.
bool SubstituteFunctions(std::string_view text, syntax::CallSite call, int nesting, Evaluation& evaluation) {
    const std::size_t start = evaluation.texts.Mark();
    const auto append = [&](std::string_view piece) {
        if (evaluation.texts.Mark() - start + piece.size() > kMaxExpressionLength ||
            !evaluation.texts.Append(piece)) {
            evaluation.Fail(Fault::Undefined);
        }
        return !evaluation.failed();
    };
    std::size_t from = 0;
    for (std::optional<syntax::CallSite> next = call; next; next = syntax::NextCall(text, from)) {
        if (!append(text.substr(from, next->begin - from))) return false;
        const double argument = Evaluate(next->Argument(text), nesting + 1, evaluation);
        if (evaluation.failed()) return false;
        const double value = syntax::kFunctions[static_cast<std::size_t>(next->function)].apply(argument);
        if (!std::isfinite(value)) {
            evaluation.Fail(Fault::Undefined);
            return false;
        }
        char printed[syntax::kMaxPrintedLength + 2] = "(";
        char* end = syntax::PrintGeneral(value, 15, printed + 1);
        *end++ = ')';
        if (!append(std::string_view(printed, static_cast<std::size_t>(end - printed)))) return false;
        from = next->close + 1;
    }
    return append(text.substr(from));
}

// Kept out of Evaluate so that its stacks are not part of every nested call's frame.
[[gnu::noinline]] double Parse(std::string_view text, Evaluation& evaluation) {
    if (syntax::ExpandedLength(text) > kMaxExpressionLength) {
        evaluation.Fail(Fault::Undefined);
        return kNaN;
    }
    NumberStack numbers;
    PrecedenceParser<NumberStack> parser(numbers);
    switch (parser.Run(text)) {
        case ParseResult::Value: return numbers.Result();
        case ParseResult::Failed:
            evaluation.Fail(numbers.dividedByZero() ? Fault::DivisionByZero : Fault::Undefined);
            break;
        case ParseResult::LimitExceeded: evaluation.Fail(Fault::Undefined); break;
    }
    return kNaN;
}

double Evaluate(std::string_view text, int nesting, Evaluation& evaluation) {
    if (nesting > kMaxNesting) {
        evaluation.Fail(Fault::Undefined);
        return kNaN;
    }
    const std::optional<syntax::CallSite> call = syntax::NextCall(text, 0);
    if (!call) return Parse(text, evaluation);
    const std::size_t mark = evaluation.texts.Mark();
    double result = kNaN;
    if (SubstituteFunctions(text, *call, nesting, evaluation)) {
        result = Parse(std::string_view(evaluation.texts.At(mark), evaluation.texts.Mark() - mark), evaluation);
    }
    evaluation.texts.Release(mark);
    return result;
}

// One NaN for every failure, so that it always prints the same way; an arithmetic NaN
// (1e400-1e400) is undefined too, an infinite result an overflow.
Evaluated Finish(const Evaluation& evaluation, double result) {
    if (evaluation.failed() || std::isnan(result)) {
        return {kNaN, evaluation.failed() ? evaluation.fault : Fault::Undefined};
    }
    return {result, std::isinf(result) ? Fault::Overflow : Fault::None};
}

Evaluated EvaluateNarrowedWithFault(std::string_view text) {
    if (text.size() > kMaxExpressionLength) return {kNaN, Fault::Undefined};
    Evaluation evaluation;
    const double result = Evaluate(text, 0, evaluation);
    return Finish(evaluation, result);
}

}  // namespace

double EvaluateNarrowed(std::string_view text) { return EvaluateNarrowedWithFault(text).value; }

ArgumentValue EvaluateArgument(std::string_view narrowedText, int nesting) {
    Evaluation evaluation;
    const double value = Evaluate(narrowedText, nesting, evaluation);
    return {value, evaluation.failed()};
}

Evaluated EvaluateWithFault(std::wstring_view text) {
    if (text.size() > kMaxExpressionLength) return {kNaN, Fault::Undefined};
    std::array<char, kMaxExpressionLength> narrowed;
    for (std::size_t i = 0; i < text.size(); ++i) narrowed[i] = syntax::Narrow(text[i]);
    return EvaluateNarrowedWithFault(std::string_view(narrowed.data(), text.size()));
}

double Evaluate(std::wstring_view text) { return EvaluateWithFault(text).value; }

double EvaluateTerminated(const wchar_t* text) {
    if (!text) return kNaN;
    // Only as much of the text as the evaluator may accept is ever looked at.
    return Evaluate(std::wstring_view(text, wcsnlen(text, kMaxExpressionLength + 1)));
}

}  // namespace abacor
