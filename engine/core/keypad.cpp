#include "core/keypad.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>

#include "abacor.h"
#include "control_ids.h"
#include "core/blanks.h"
#include "core/display.h"
#include "core/engine_state.h"
#include "core/evaluator.h"
#include "core/number_format.h"
#include "core/outcome.h"
#include "core/texts.h"
#include "core/trig_keys.h"

namespace abacor {

namespace {

constexpr const wchar_t* kPiText = L"3.1415926535";
constexpr const wchar_t* kEText = L"2.7182818284";
constexpr wchar_t kTimes = L'\u00D7';
constexpr wchar_t kDivide = L'\u00F7';

enum class Key {
    None,
    Digit,
    Point,
    Operator,
    OpenBracket,
    CloseBracket,
    Pi,
    E,
    Backspace,
    Clear,
    ClearEntry,
    Equals,
    PowerFirst,
    RemainderFirst,
    Square,
    SquareRoot,
    Reciprocal,
    Absolute,
    Exp,
    PowerOfTen,
    Log10,
    Ln,
    Factorial,
    SignChange,
    Percent,
};

struct KeyPress {
    Key key = Key::None;
    wchar_t symbol = 0;  // the digit or the operator symbol
};

// The text a key of the standard or scientific keypad types, or null.
const wchar_t* TypedText(int id) {
    const KvKey* key = KvFindKey(kvStandardKeys, KV_KEY_COUNT(kvStandardKeys), id);
    if (!key) key = KvFindKey(kvScientificKeys, KV_KEY_COUNT(kvScientificKeys), id);
    return key ? key->typed : nullptr;
}

// Digits, the point, brackets and the four operators, by the character they type.
KeyPress ClassifyTyped(wchar_t c) {
    if (c >= L'0' && c <= L'9') return {Key::Digit, c};
    switch (c) {
        case L'.': return {Key::Point};
        case L'(': return {Key::OpenBracket};
        case L')': return {Key::CloseBracket};
        default: return {Key::Operator, c};
    }
}

KeyPress Classify(int id) {
    if (const wchar_t* typed = TypedText(id)) return ClassifyTyped(typed[0]);
    switch (id) {
        case KV_SCI_PI: return {Key::Pi};
        case KV_SCI_E: return {Key::E};
        case KV_STD_BACKSPACE: case KV_SCI_BACKSPACE: return {Key::Backspace};
        case KV_STD_CLEAR: case KV_SCI_CLEAR: return {Key::Clear};
        case KV_STD_CLEAR_ENTRY: case KV_SCI_CLEAR_ENTRY: return {Key::ClearEntry};
        case KV_STD_EQUALS: case KV_SCI_EQUALS: return {Key::Equals};
        case KV_SCI_POWER: return {Key::PowerFirst};
        case KV_SCI_MOD: return {Key::RemainderFirst};
        case KV_STD_SQUARE: case KV_SCI_SQUARE: return {Key::Square};
        case KV_STD_SQRT: case KV_SCI_SQRT: return {Key::SquareRoot};
        case KV_STD_RECIPROCAL: case KV_SCI_RECIPROCAL: return {Key::Reciprocal};
        case KV_SCI_ABS: return {Key::Absolute};
        case KV_SCI_EXP: return {Key::Exp};
        case KV_SCI_POW10: return {Key::PowerOfTen};
        case KV_SCI_LOG: return {Key::Log10};
        case KV_SCI_LN: return {Key::Ln};
        case KV_SCI_FACTORIAL: return {Key::Factorial};
        case KV_STD_SIGN: case KV_SCI_SIGN: return {Key::SignChange};
        case KV_STD_PERCENT: return {Key::Percent};
        default: return {};
    }
}

void SetEntryFlags(bool newNumber, bool resultShown) {
    Engine().NewNumber = newNumber;
    Engine().ResultShown = resultShown;
}

bool ReplaceCondition(const std::wstring& text) {
    const EngineState& s = Engine();
    return s.NewNumber || s.ResultShown || text == L"0";
}

// Digits, '(' and π: replace the display or append, then continue the entry.
void EnterText(KvWindow* display, const std::wstring& piece, bool replace) {
    const std::wstring text = ReadDisplay(display);
    if (ShowOnDisplay(display, replace ? piece : text + piece)) SetEntryFlags(false, false);
}

void EnterReplacing(KvWindow* display, const std::wstring& piece) {
    EnterText(display, piece, ReplaceCondition(ReadDisplay(display)));
}

bool IsWholeNumber(const std::wstring& text) {
    std::size_t consumed = 0;
    ReadLeadingNumber(text, &consumed);
    return consumed > 0 && consumed == text.size();
}

void EnterPi(KvWindow* display) {
    const std::wstring text = ReadDisplay(display);
    EnterText(display, kPiText, ReplaceCondition(text) || IsWholeNumber(text));
}

// e ends the entry: a following digit starts a new one.
void EnterE(KvWindow* display) {
    const std::wstring text = ReadDisplay(display);
    if (ShowOnDisplay(display, ReplaceCondition(text) ? std::wstring(kEText) : text + kEText)) {
        SetEntryFlags(true, false);
    }
}

void EnterPoint(KvWindow* display) {
    const std::wstring text = ReadDisplay(display);
    const std::size_t separator = text.find_last_of(std::wstring(L"(+-") + kTimes + kDivide);
    const std::wstring current = separator == std::wstring::npos ? text : text.substr(separator + 1);
    if (current.find(L'.') != std::wstring::npos) return;
    if (ShowOnDisplay(display, text + (current.empty() ? L"0." : L"."))) SetEntryFlags(false, false);
}

void AppendOperator(KvWindow* display, wchar_t symbol) {
    if (ShowOnDisplay(display, ReadDisplay(display) + symbol)) SetEntryFlags(false, false);
}

void CloseBracket(KvWindow* display) {
    const std::wstring text = ReadDisplay(display);
    if (text == L"0" || Engine().NewNumber) return;
    ShowOnDisplay(display, text + L")");
}

void Backspace(KvWindow* display) {
    const std::wstring text = ReadDisplay(display);
    if (text.size() <= 1) {
        ShowOnDisplay(display, L"0");
        Engine().NewNumber = true;
        return;
    }
    ShowOnDisplay(display, text.substr(0, text.size() - 1));
}

void HideMemoryIndicators() {
    for (int id = KV_MEMORY_INDICATOR_FIRST; id <= KV_MEMORY_INDICATOR_LAST; ++id) {
        if (KvWindow* indicator = MainWindowControl(id)) indicator->setVisible(false);
    }
}

void Clear(KvWindow* display, bool entryOnly) {
    HideMemoryIndicators();
    ShowOnDisplay(display, L"0");
    Engine().NewNumber = true;
    if (!entryOnly) Engine().ResultShown = false;
}

void StartPendingOperation(KvWindow* display, PendingOperation op) {
    EngineState& s = Engine();
    s.StoredOperand = ReadDisplayNumber(display);
    s.PendingOp = op;
    ShowOnDisplay(display, L"0");
    s.NewNumber = true;
}

Evaluated EvaluateDisplayText(std::wstring text) {
    for (wchar_t& c : text) {
        if (c == kTimes) c = L'*';
        else if (c == kDivide) c = L'/';
        else if (c == L',') c = L'.';
    }
    return EvaluateWithFault(text);
}

Evaluated ApplyPendingOperation(double y) {
    EngineState& s = Engine();
    const bool remainder = s.PendingOp == kPendingRemainder;
    const double value = remainder ? std::fmod(s.StoredOperand, y) : std::pow(s.StoredOperand, y);
    s.PendingOp = kNoPendingOp;
    if (remainder && y == 0) return {value, Fault::DivisionByZero};
    if (std::isnan(value)) return {value, Fault::Undefined};
    return {value, std::isinf(value) ? Fault::Overflow : Fault::None};
}

// "=" names what went wrong instead of showing nan or inf.
const wchar_t* FaultText(Fault fault) {
    switch (fault) {
        case Fault::DivisionByZero: return text::kDivisionByZero;
        case Fault::Overflow: return text::kTooLarge;
        default: return text::kError;
    }
}

KvStatus FaultStatus(Fault fault) {
    switch (fault) {
        case Fault::None: return KV_STATUS_ANSWERED;
        case Fault::Overflow: return KV_STATUS_TOO_LARGE;
        default: return KV_STATUS_UNDEFINED;
    }
}

KvStatus Equals(KvWindow* display) {
    const bool pending = Engine().PendingOp == kPendingPower || Engine().PendingOp == kPendingRemainder;
    const Evaluated result =
        pending ? ApplyPendingOperation(ReadDisplayNumber(display)) : EvaluateDisplayText(ReadDisplay(display));
    if (result.fault != Fault::None) ShowOnDisplay(display, FaultText(result.fault));
    else if (pending) ShowOnDisplay(display, TrimTrailingZeros(FormatFixed(result.value, 10, kDisplayCapacity)));
    else ShowOnDisplay(display, FormatNumber(result.value));
    MarkResultShown();
    return FaultStatus(result.fault);
}

// A function key's outcome: the text to show, its status and, for a value, whether it
// is recorded as the last result.
struct FunctionResult {
    std::wstring text;
    KvStatus status = KV_STATUS_ANSWERED;
    bool recordValue = false;
    double value = 0;
};

FunctionResult Recorded(double value, std::wstring text) { return {std::move(text), KV_STATUS_ANSWERED, true, value}; }
FunctionResult Unrecorded(std::wstring text) { return {std::move(text), KV_STATUS_ANSWERED, false, 0}; }
FunctionResult Undefined() { return {text::kError, KV_STATUS_UNDEFINED, false, 0}; }
FunctionResult ReciprocalOfZero() { return {text::kDivisionByZero, KV_STATUS_UNDEFINED, false, 0}; }
std::wstring Trimmed(double value) { return TrimTrailingZeros(FormatNumber(value)); }

FunctionResult ComputeFunction(Key key, double x) {
    switch (key) {
        case Key::Square: return Recorded(x * x, Trimmed(x * x));
        case Key::SquareRoot: return x >= 0 ? Recorded(std::sqrt(x), Trimmed(std::sqrt(x))) : Undefined();
        case Key::Reciprocal: return Unrecorded(FormatGeneral(1 / x));
        case Key::Absolute: return Unrecorded(Trimmed(std::fabs(x)));
        case Key::Exp: return Recorded(std::exp(x), Trimmed(std::exp(x)));
        case Key::PowerOfTen: return Recorded(std::pow(10.0, x), FormatGeneral(std::pow(10.0, x)));
        case Key::Log10: return x > 0 ? Recorded(std::log10(x), FormatGeneral(std::log10(x))) : Undefined();
        case Key::Ln: return x > 0 ? Recorded(std::log(x), FormatGeneral(std::log(x))) : Undefined();
        default: return Undefined();
    }
}

KvStatus ApplyFunction(KvWindow* display, Key key) {
    const double x = ReadDisplayNumber(display);
    // Unlike other faults it leaves the entry's state alone.
    if (key == Key::Reciprocal && x == 0) {
        const FunctionResult result = ReciprocalOfZero();
        ShowOnDisplay(display, result.text);
        return result.status;
    }
    const FunctionResult result = ComputeFunction(key, x);
    ShowOnDisplay(display, result.text);
    if (result.recordValue) Engine().LastResult = result.value;
    MarkResultShown();
    return result.status;
}

// Exact in 64 bits up to 20!, then as a double while it is finite; none below 0 or
// beyond 170!.
std::optional<std::wstring> FactorialText(double x) {
    constexpr int kLargestExact = 20;
    constexpr int kLargestFinite = 170;
    const bool fits = x > std::numeric_limits<std::int32_t>::min() - 1.0 && x < std::numeric_limits<std::int32_t>::max() + 1.0;
    const int n = fits ? static_cast<int>(x) : -1;
    if (n < 0 || n > kLargestFinite) return std::nullopt;
    if (n <= kLargestExact) {
        long long product = 1;
        for (int i = 2; i <= n; ++i) product *= i;
        return FormatC("%lld", product);
    }
    double product = 1;
    for (int i = 2; i <= n; ++i) product *= i;
    return FormatGeneral(product);
}

KvStatus Factorial(KvWindow* display) {
    const std::optional<std::wstring> factorial = FactorialText(ReadDisplayNumber(display));
    ShowOnDisplay(display, factorial.value_or(text::kError));
    MarkResultShown();
    return factorial ? KV_STATUS_ANSWERED : KV_STATUS_UNDEFINED;
}

void ChangeSign(KvWindow* display) { ShowOnDisplay(display, FormatGeneral(-ReadDisplayNumber(display))); }

void Percent(KvWindow* display) {
    const double p = ReadDisplayNumber(display);
    ShowOnDisplay(display, FormatGeneral(Engine().PendingOp == kNoPendingOp ? p / 100 : 0.0));
    MarkResultShown();
}

// ---- One-number keys inside an expression ---------------------------------------------

bool IsFunctionKey(Key key) {
    switch (key) {
        case Key::Square: case Key::SquareRoot: case Key::Reciprocal: case Key::Absolute: case Key::Exp:
        case Key::PowerOfTen: case Key::Log10: case Key::Ln: return true;
        default: return false;
    }
}

// A percent added or taken away is a percent of what stands before it (200+10 % is
// 200+20); after any other operator it is a hundredth (50×10 % is 50×0.1).
double PercentInExpression(const std::wstring& before, double x) {
    const wchar_t op = before.back();
    if ((op == L'+' || op == L'-') && before.size() > 1) {
        const Evaluated base = EvaluateDisplayText(before.substr(0, before.size() - 1));
        if (base.fault == Fault::None) return base.value * x / 100;
    }
    return x / 100;
}

FunctionResult OperandResult(Key key, double x, const std::wstring& before) {
    switch (key) {
        case Key::Factorial: {
            const std::optional<std::wstring> factorial = FactorialText(x);
            return factorial ? Unrecorded(*factorial) : Undefined();
        }
        case Key::SignChange: return Unrecorded(FormatGeneral(-x));
        case Key::Percent: return Unrecorded(FormatGeneral(before.empty() ? x / 100 : PercentInExpression(before, x)));
        case Key::Reciprocal: return x == 0 ? ReciprocalOfZero() : ComputeFunction(key, x);
        default: return ComputeFunction(key, x);
    }
}

// A negative value after an operator goes in brackets: 2×(-3), never 2×-3.
std::wstring AsOperand(const std::wstring& before, const std::wstring& value) {
    const bool bracketed = !before.empty() && before.back() != L'(' && value.starts_with(L'-');
    return bracketed ? L"(" + value + L")" : value;
}

KvStatus ShowNoValue(KvWindow* display, const std::wstring& text, KvStatus status) {
    ShowOnDisplay(display, text);
    MarkResultShown();
    return status;
}

// What a one-number key makes of the operand x with `before` standing before it.
using OperandFunction = std::function<FunctionResult(double x, const std::wstring& before)>;

// The key replaces the expression's last operand by its value and the entry goes on:
// 2+3 x² is 2+9. Nothing for a display holding one number or ending without an operand,
// which the key handles as a whole.
std::optional<KvStatus> ApplyToLastOperand(KvWindow* display, const OperandFunction& apply) {
    const std::wstring text = ReadDisplay(display);
    if (IsWholeNumber(text)) return std::nullopt;
    const std::optional<LastOperand> last = SplitLastOperand(text);
    if (!last) return std::nullopt;
    const Evaluated operand = EvaluateDisplayText(last->operand);
    if (operand.fault != Fault::None) return ShowNoValue(display, FaultText(operand.fault), FaultStatus(operand.fault));
    const FunctionResult result = apply(operand.value, last->before);
    if (result.status != KV_STATUS_ANSWERED) return ShowNoValue(display, result.text, result.status);
    if (result.recordValue) Engine().LastResult = result.value;
    if (last->before.empty()) return ShowNoValue(display, result.text, KV_STATUS_ANSWERED);
    if (ShowOnDisplay(display, last->before + AsOperand(last->before, result.text))) SetEntryFlags(false, false);
    return KV_STATUS_ANSWERED;
}

bool ActsOnOneNumber(Key key) {
    return IsFunctionKey(key) || key == Key::Factorial || key == Key::SignChange || key == Key::Percent;
}

// ---- Pasting on the display -----------------------------------------------------------

std::wstring PastedText() {
    KvWindow* source = MainWindowControl(KV_DISPLAY_PASTE_TEXT);
    std::wstring text = source ? source->text(std::wstring::npos) : std::wstring();
    std::erase_if(text, [](wchar_t c) { return c == L'\r' || c == L'\n' || c == L'\t'; });
    return TrimBlanks(text);
}

KvStatus PasteIntoDisplay(KvWindow* display) {
    if (!display) return KV_STATUS_REFUSED;
    const std::wstring piece = PastedText();
    const std::wstring text = display->text(std::wstring::npos);
    const auto [from, to] = display->selection();
    const bool selected = from < to && static_cast<std::size_t>(to) <= text.size();
    std::wstring edited;
    if (selected) edited = text.substr(0, from) + piece + text.substr(to);
    else edited = Engine().ResultShown || text == L"0" ? piece : text + piece;
    if (edited.empty()) edited = L"0";
    if (!ShowOnDisplay(display, edited)) return KV_STATUS_REFUSED;
    SetEntryFlags(edited == L"0", false);
    return KV_STATUS_ANSWERED;
}

// x^y waits for the exponent of a single number; inside an expression it writes "^",
// which the evaluator reads with its precedence: 1+2 x^y 3 = is 9, not 1³.
void Power(KvWindow* display) {
    const std::wstring text = ReadDisplay(display);
    if (!IsWholeNumber(text) && SplitLastOperand(text)) return AppendOperator(display, L'^');
    StartPendingOperation(display, kPendingPower);
}

// Keys that edit the entry or start an operation: they always succeed.
void EditEntry(KvWindow* display, const KeyPress& press) {
    switch (press.key) {
        case Key::Digit: return EnterReplacing(display, std::wstring(1, press.symbol));
        case Key::Point: return EnterPoint(display);
        case Key::Operator: return AppendOperator(display, press.symbol);
        case Key::OpenBracket: return EnterReplacing(display, L"(");
        case Key::CloseBracket: return CloseBracket(display);
        case Key::Pi: return EnterPi(display);
        case Key::E: return EnterE(display);
        case Key::Backspace: return Backspace(display);
        case Key::Clear: return Clear(display, false);
        case Key::ClearEntry: return Clear(display, true);
        case Key::PowerFirst: return Power(display);
        case Key::RemainderFirst: return StartPendingOperation(display, kPendingRemainder);
        case Key::SignChange: return ChangeSign(display);
        case Key::Percent: return Percent(display);
        default: return;
    }
}

KvStatus ApplyKey(KvWindow* display, const KeyPress& press) {
    if (press.key == Key::Equals) return Equals(display);
    if (ActsOnOneNumber(press.key)) {
        const auto apply = [&press](double x, const std::wstring& before) { return OperandResult(press.key, x, before); };
        if (const std::optional<KvStatus> status = ApplyToLastOperand(display, apply)) return *status;
    }
    if (press.key == Key::Factorial) return Factorial(display);
    if (IsFunctionKey(press.key)) return ApplyFunction(display, press.key);
    EditEntry(display, press);
    return KV_STATUS_ANSWERED;
}


// sin 30 inside an expression: the last operand's sine in the keypad's angle unit.
FunctionResult TrigResult(int buttonId, double x) {
    const std::optional<double> value = TrigValue(buttonId, x, !Engine().AnglesInRadians);
    if (!value) return {text::kError, KV_STATUS_UNDEFINED, false, 0};
    return Recorded(*value, FormatGeneral(WithoutNegativeZero(*value)));
}

}  // namespace

void HandleKeypadButton(KvWindow* display, int buttonId) {
    if (IsTrigFunctionKey(buttonId)) {
        const auto apply = [buttonId](double x, const std::wstring&) { return TrigResult(buttonId, x); };
        if (const std::optional<KvStatus> status = ApplyToLastOperand(display, apply)) return RecordStatus(*status);
    }
    if (HandleTrigKey(display, buttonId)) return;
    if (buttonId == KV_DISPLAY_PASTE) return RecordStatus(PasteIntoDisplay(display));
    const KeyPress press = Classify(buttonId);
    // Codes of other panels leave the status of their own handling alone.
    if (press.key == Key::None) return;
    RecordStatus(ApplyKey(display, press));
}

void ResetKeypad() {
    EngineState& s = Engine();
    s.PendingOp = kNoPendingOp;
    s.StoredOperand = 0;
    s.LastResult = 0;
    s.NewNumber = true;
}

}  // namespace abacor
