#include "core/fraction_line.h"

#include <cmath>
#include <cstdint>
#include <string_view>

#include "abacor.h"
#include "control_ids.h"
#include "core/evaluator.h"
#include "core/expression_syntax.h"
#include "core/formula_reader.h"
#include "core/number_format.h"
#include "core/outcome.h"
#include "core/text_checks.h"
#include "core/texts.h"

namespace abacor {

namespace {

constexpr std::size_t kLineCapacity = 255;
constexpr int kFieldHeight = 20;
// A mixed number's numerator and denominator stand right of its whole part.
constexpr int kMixedGap = 110;
constexpr int kMixedNumeratorY = 140;
constexpr int kMixedDenominatorY = 170;

constexpr std::wstring_view kAllowed = L"0123456789+-*/^():";
constexpr std::wstring_view kAfterZeroDenominator = L" +-*/^)";

bool IsOneOf(wchar_t c, std::wstring_view set) { return set.find(c) != std::wstring_view::npos; }

// ---- The check ----------------------------------------------------------------------

// The line read as the fraction line reads it.
FormulaTree ReadLine(const std::wstring& line) { return ReadFormula(std::wstring_view(line), "", true); }

// A division by zero is left to the exact evaluation, which names it; an overflow of the
// double is no overflow of the fractions.
bool HasAReading(const std::wstring& text) { return EvaluateFormula(ReadLine(text)).fault != Fault::Undefined; }

// The first fault of the line. Character by character, blanks skipped: a foreign
// character, two operators in a row, a '/' right before a lone zero; at the first
// character that passes, the whole line must have a reading. Then the brackets.
std::optional<KvTextFault> FindFractionLineFault(const std::wstring& text) {
    if (text.empty()) return KV_TEXT_EMPTY;
    bool evaluated = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L' ') continue;
        if (!IsOneOf(c, kAllowed)) return KV_TEXT_FOREIGN_CHARACTER;
        if (IsDoubledOperatorAt(text, i)) return KV_TEXT_DOUBLED_OPERATOR;
        if (c == L'/' && IsZeroDivisorAt(text, i, kAfterZeroDenominator, false)) return KV_TEXT_ZERO_DIVISOR;
        if (!evaluated) {
            if (!HasAReading(text)) return KV_TEXT_NOT_COMPUTABLE;
            evaluated = true;
        }
    }
    if (!BracketsBalanced(text)) return KV_TEXT_UNBALANCED;
    return std::nullopt;
}

// ---- Numbers ----------------------------------------------------------------------

// A digit run read exactly; empty when it exceeds the signed 64-bit range.
std::optional<std::int64_t> ReadDigitRun(std::wstring_view digits) {
    std::int64_t value = 0;
    for (const wchar_t c : digits) {
        if (c < L'0' || c > L'9' || __builtin_mul_overflow(value, 10, &value) ||
            __builtin_add_overflow(value, c - L'0', &value)) {
            return std::nullopt;
        }
    }
    return value;
}

// ---- Exact arithmetic -------------------------------------------------------------

constexpr Fraction kDivisionByZeroValue{1, 0};

FractionResult Ok(Fraction value) { return {value, FractionStatus::Ok}; }
FractionResult Failed(FractionStatus status) { return {{}, status}; }

std::uint64_t Magnitude(std::int64_t value) {
    return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

std::int64_t Gcd(std::int64_t a, std::int64_t b) {
    std::uint64_t x = Magnitude(a);
    std::uint64_t y = Magnitude(b);
    while (y != 0) {
        const std::uint64_t r = x % y;
        x = y;
        y = r;
    }
    // Every caller has a positive argument below 2^63, so the divisor fits.
    return static_cast<std::int64_t>(x);
}

// Lowest terms; the denominator must be positive.
Fraction Reduce(std::int64_t numerator, std::int64_t denominator) {
    if (numerator == 0) return {0, 1};
    const std::int64_t divisor = Gcd(numerator, denominator);
    return {numerator / divisor, denominator / divisor};
}

FractionResult Negate(const Fraction& x) {
    std::int64_t numerator = 0;
    if (__builtin_sub_overflow(std::int64_t{0}, x.numerator, &numerator)) return Failed(FractionStatus::TooLarge);
    return Ok({numerator, x.denominator});
}

// Once a line divides by zero the division by zero is its result, whatever follows.
bool HasZeroDenominator(const Fraction& x, const Fraction& y) { return x.denominator == 0 || y.denominator == 0; }

FractionResult Multiply(const Fraction& x, const Fraction& y) {
    if (HasZeroDenominator(x, y)) return Ok(kDivisionByZeroValue);
    // Cancelling across first keeps the products small whenever the result fits.
    const std::int64_t g1 = Gcd(x.numerator, y.denominator);
    const std::int64_t g2 = Gcd(y.numerator, x.denominator);
    std::int64_t numerator = 0;
    std::int64_t denominator = 0;
    if (__builtin_mul_overflow(x.numerator / g1, y.numerator / g2, &numerator) ||
        __builtin_mul_overflow(x.denominator / g2, y.denominator / g1, &denominator)) {
        return Failed(FractionStatus::TooLarge);
    }
    return Ok(Reduce(numerator, denominator));
}

// 1 over x with a positive denominator; x = 0 (0:0 too) is a division by zero.
FractionResult Reciprocal(const Fraction& x) {
    if (x.denominator == 0 || x.numerator == 0) return Ok(kDivisionByZeroValue);
    if (x.numerator > 0) return Ok({x.denominator, x.numerator});
    std::int64_t denominator = 0;
    if (__builtin_sub_overflow(std::int64_t{0}, x.numerator, &denominator)) return Failed(FractionStatus::TooLarge);
    return Ok({-x.denominator, denominator});
}

FractionResult Divide(const Fraction& x, const Fraction& y) {
    const FractionResult inverse = Reciprocal(y);
    if (inverse.status != FractionStatus::Ok) return inverse;
    return Multiply(x, inverse.value);
}

FractionResult Add(const Fraction& x, const Fraction& y) {
    if (HasZeroDenominator(x, y)) return Ok(kDivisionByZeroValue);
    const std::int64_t g = Gcd(x.denominator, y.denominator);
    std::int64_t left = 0;
    std::int64_t right = 0;
    std::int64_t numerator = 0;
    std::int64_t denominator = 0;
    if (__builtin_mul_overflow(x.numerator, y.denominator / g, &left) ||
        __builtin_mul_overflow(y.numerator, x.denominator / g, &right) ||
        __builtin_add_overflow(left, right, &numerator) ||
        __builtin_mul_overflow(x.denominator, y.denominator / g, &denominator)) {
        return Failed(FractionStatus::TooLarge);
    }
    return Ok(Reduce(numerator, denominator));
}

FractionResult Subtract(const Fraction& x, const Fraction& y) {
    const FractionResult negated = Negate(y);
    if (negated.status != FractionStatus::Ok) return negated;
    return Add(x, negated.value);
}

// value^exponent by squaring; squares only while exponent bits remain, so nothing is
// computed that is larger than the result.
bool PowerOf(std::int64_t value, std::uint64_t exponent, std::int64_t& result) {
    result = 1;
    while (exponent != 0) {
        if ((exponent & 1) != 0 && __builtin_mul_overflow(result, value, &result)) return false;
        exponent >>= 1;
        if (exponent != 0 && __builtin_mul_overflow(value, value, &value)) return false;
    }
    return true;
}

// Only whole exponents have exact results; 4^(1/2) and the like are not computed.
FractionResult Power(const Fraction& base, const Fraction& exponent) {
    if (HasZeroDenominator(base, exponent)) return Ok(kDivisionByZeroValue);
    if (exponent.numerator % exponent.denominator != 0) return Failed(FractionStatus::NotComputable);
    const std::int64_t whole = exponent.numerator / exponent.denominator;
    FractionResult start = Ok(Reduce(base.numerator, base.denominator));
    if (whole < 0) start = Reciprocal(start.value);
    if (start.status != FractionStatus::Ok || start.value.denominator == 0) return start;
    std::int64_t numerator = 0;
    std::int64_t denominator = 0;
    if (!PowerOf(start.value.numerator, Magnitude(whole), numerator) ||
        !PowerOf(start.value.denominator, Magnitude(whole), denominator)) {
        return Failed(FractionStatus::TooLarge);
    }
    return Ok({numerator, denominator});
}

FractionResult Apply(wchar_t symbol, const Fraction& x, const Fraction& y) {
    switch (symbol) {
        case L'+': return Add(x, y);
        case L'-': return Subtract(x, y);
        case L'*': return Multiply(x, y);
        case L':':
        case L'/': return Divide(x, y);
        case L'^': return Power(x, y);
        default: return Failed(FractionStatus::NotComputable);
    }
}

// ---- Evaluation ---------------------------------------------------------------------

// The read line computed exactly, node by node; its operands and operators are recorded
// in text order as they are met.
class ExactWalk {
public:
    ExactWalk(const std::wstring& line, const FormulaTree& tree) : line_(line), tree_(tree) {}

    FractionResult Value(std::int32_t index) {
        const FormulaNode& node = tree_[index];
        switch (node.operation) {
            case Operation::Number: return Number(node);
            case Operation::Negate: {
                const FractionResult operand = Value(node.left);
                return operand.status == FractionStatus::Ok ? Negate(operand.value) : operand;
            }
            case Operation::Add:
            case Operation::Subtract:
            case Operation::Multiply:
            case Operation::Divide:
            case Operation::Power: break;
            default: return Failed(FractionStatus::NotComputable);
        }
        if (node.literal) return Literal(node);
        const FractionResult left = Value(node.left);
        if (left.status != FractionStatus::Ok) return left;
        const wchar_t symbol = OperatorOf(node);
        Engine().FractionOps.push_back(symbol);
        const FractionResult right = Value(node.right);
        if (right.status != FractionStatus::Ok) return right;
        return Apply(symbol, left.value, right.value);
    }

private:
    std::wstring_view Digits(const FormulaNode& node) const {
        return std::wstring_view(line_).substr(node.begin, node.end - node.begin);
    }

    // The operator as written between the operands; '*' where none is.
    wchar_t OperatorOf(const FormulaNode& node) const {
        const std::size_t from = tree_[node.left].outerEnd;
        const std::size_t to = tree_[node.right].outerBegin;
        for (std::size_t i = from; i < to; ++i) {
            if (IsOneOf(line_[i], L"+-*:/^")) return line_[i];
        }
        return L'*';
    }

    FractionResult Number(const FormulaNode& node) {
        const std::optional<std::int64_t> whole = ReadDigitRun(Digits(node));
        if (!whole) return Failed(FractionStatus::TooLarge);
        const Fraction value{*whole, 1};
        Engine().FractionValues.push_back(value);
        return Ok(value);
    }

    // A common fraction keeps the numbers it was written with: 2/4 stays 2/4.
    FractionResult Literal(const FormulaNode& node) {
        const std::optional<std::int64_t> numerator = ReadDigitRun(Digits(tree_[node.left]));
        const std::optional<std::int64_t> denominator = ReadDigitRun(Digits(tree_[node.right]));
        if (!numerator || !denominator) return Failed(FractionStatus::TooLarge);
        const Fraction value{*numerator, *denominator};
        Engine().FractionValues.push_back(value);
        return Ok(value);
    }

    const std::wstring& line_;
    const FormulaTree& tree_;
};

// ---- Display ------------------------------------------------------------------------

int FieldWidth(const std::wstring& text) { return 8 * static_cast<int>(text.size()) + 30; }

void SetVisible(int controlId, bool visible) {
    if (KvWindow* control = MainWindowControl(controlId)) control->setVisible(visible);
}

// Writes the text into the field, sized to it (position kept), and shows the field.
void ShowInField(int controlId, const std::wstring& text) {
    KvWindow* field = MainWindowControl(controlId);
    if (!field) return;
    field->setText(text);
    field->resize(FieldWidth(text), kFieldHeight);
    field->setVisible(true);
}

void MoveField(int controlId, int x, int y) {
    if (KvWindow* field = MainWindowControl(controlId)) field->move(x, y);
}

std::wstring IntegerText(std::int64_t value) { return FormatC("%lld", static_cast<long long>(value)); }

void ShowResult(const FractionResult& result) {
    switch (result.status) {
        case FractionStatus::Ok: return ShowFraction(result.value);
        case FractionStatus::TooLarge: return ShowFractionMessage(text::kTooLarge);
        case FractionStatus::NotComputable: return ShowFractionMessage(text::kNotComputable);
    }
}

// A line without an exact value (a fractional exponent, a stray operator) is refused
// like one the check rejects: it shows the same message.
KvStatus StatusOf(const FractionResult& result) {
    switch (result.status) {
        case FractionStatus::Ok: return result.value.denominator == 0 ? KV_STATUS_UNDEFINED : KV_STATUS_ANSWERED;
        case FractionStatus::TooLarge: return KV_STATUS_TOO_LARGE;
        case FractionStatus::NotComputable: break;
    }
    return KV_STATUS_REFUSED;
}

}  // namespace

void ProcessFractionLine() {
    EngineState& engine = Engine();
    engine.FractionValues.clear();
    engine.FractionOps.clear();
    KvWindow* line = MainWindowControl(KV_FRACTION_LINE);
    const std::wstring lineText = line ? line->text(kLineCapacity) : std::wstring();
    if (!ValidateFractionLine(lineText)) return RecordStatus(KV_STATUS_REFUSED);
    // A line of blanks only is zero.
    const bool blank = lineText.find_first_not_of(L' ') == std::wstring::npos;
    const FractionResult result = blank ? FractionResult{} : EvaluateFractionLine(lineText);
    ShowResult(result);
    RecordStatus(StatusOf(result));
}

bool ValidateFractionLine(const std::wstring& text) {
    const std::optional<KvTextFault> fault = FindFractionLineFault(text);
    if (fault) ShowFractionMessage(FaultMessage(*fault));
    return !fault;
}

void ShowFractionMessage(const std::wstring& message) {
    ShowInField(KV_FRACTION_WHOLE, message);
    SetVisible(KV_FRACTION_NUMERATOR, false);
    SetVisible(KV_FRACTION_DENOMINATOR, false);
}

FractionResult EvaluateFractionLine(const std::wstring& line) {
    Engine().FractionValues.clear();
    Engine().FractionOps.clear();
    const FormulaTree tree = ReadLine(line);
    if (!tree.read()) return Failed(FractionStatus::NotComputable);
    return ExactWalk(line, tree).Value(tree.root);
}

void ShowFraction(const Fraction& fraction) {
    const std::int64_t n = fraction.numerator;
    const std::int64_t d = fraction.denominator;
    if (d == 0) return ShowFractionMessage(text::kDivisionByZero);
    const std::int64_t whole = n / d;
    const std::int64_t rest = n - whole * d;
    if (rest == 0) {
        ShowInField(KV_FRACTION_WHOLE, IntegerText(whole));
        SetVisible(KV_FRACTION_NUMERATOR, false);
        SetVisible(KV_FRACTION_DENOMINATOR, false);
        SetVisible(KV_FRACTION_SEPARATOR, false);
        return;
    }
    if (whole == 0) {
        SetVisible(KV_FRACTION_WHOLE, false);
        ShowInField(KV_FRACTION_NUMERATOR, IntegerText(rest));
        ShowInField(KV_FRACTION_DENOMINATOR, IntegerText(d));
        return;
    }
    // A mixed number carries its sign on the whole part alone: -3/2 is -1 and 1/2.
    const std::wstring wholeText = IntegerText(whole);
    ShowInField(KV_FRACTION_WHOLE, wholeText);
    const int x = FieldWidth(wholeText) + kMixedGap;
    MoveField(KV_FRACTION_NUMERATOR, x, kMixedNumeratorY);
    MoveField(KV_FRACTION_DENOMINATOR, x, kMixedDenominatorY);
    ShowInField(KV_FRACTION_NUMERATOR, IntegerText(rest < 0 ? -rest : rest));
    ShowInField(KV_FRACTION_DENOMINATOR, IntegerText(d));
}

}  // namespace abacor
