#include "core/keypad.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "abacor.h"
#include "algebra/equation_panel.h"
#include "core/engine_state.h"
#include "core/evaluator.h"
#include "core/fraction_line.h"
#include "core/memory.h"
#include "core/number_format.h"
#include "inequalities/inequality_panel.h"

namespace abacor {

namespace {

constexpr const wchar_t* kPiText = L"3.1415926535";
constexpr const wchar_t* kEText = L"2.7182818284";
constexpr const wchar_t* kErrorText = L"Ошибка";
constexpr const wchar_t* kDivisionByZeroText = L"Деление на 0";
constexpr wchar_t kTimes = L'\u00D7';
constexpr wchar_t kDivide = L'\u00F7';
constexpr int kFractionLineButton = 150;
constexpr int kQuadraticSolveButton = 1428;
constexpr int kFirstMemoryIndicator = 5000;
constexpr int kMemoryIndicatorCount = 5;

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
    Quadratic,
};

struct KeyPress {
    Key key = Key::None;
    wchar_t symbol = 0;  // the digit or the operator symbol
};

KeyPress Classify(int id) {
    if (id >= 1 && id <= 9) return {Key::Digit, static_cast<wchar_t>(L'0' + id)};
    switch (id) {
        case 56: return {Key::Digit, L'1'};
        case 57: return {Key::Digit, L'2'};
        case 58: return {Key::Digit, L'3'};
        case 51: return {Key::Digit, L'4'};
        case 52: return {Key::Digit, L'5'};
        case 53: return {Key::Digit, L'6'};
        case 46: return {Key::Digit, L'7'};
        case 47: return {Key::Digit, L'8'};
        case 48: return {Key::Digit, L'9'};
        case 22: case 62: return {Key::Digit, L'0'};
        case 23: case 63: return {Key::Point};
        case 10: case 59: return {Key::Operator, L'+'};
        case 11: case 54: return {Key::Operator, L'-'};
        case 14: case 49: return {Key::Operator, kTimes};
        case 15: case 44: return {Key::Operator, kDivide};
        case 41: return {Key::OpenBracket};
        case 42: return {Key::CloseBracket};
        case 30: return {Key::Pi};
        case 31: return {Key::E};
        case 24: case 34: return {Key::Backspace};
        case 0: case 32: return {Key::Clear};
        case 20: case 33: return {Key::ClearEntry};
        case 12: case 64: return {Key::Equals};
        case 45: return {Key::PowerFirst};
        case 39: return {Key::RemainderFirst};
        case 16: case 35: return {Key::Square};
        case 17: case 40: return {Key::SquareRoot};
        case 18: case 36: return {Key::Reciprocal};
        case 37: return {Key::Absolute};
        case 38: return {Key::Exp};
        case 50: return {Key::PowerOfTen};
        case 55: return {Key::Log10};
        case 60: return {Key::Ln};
        case 43: return {Key::Factorial};
        case 21: case 61: return {Key::SignChange};
        case 19: return {Key::Percent};
        case kQuadraticSolveButton: return {Key::Quadratic};
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
    for (int i = 0; i < kMemoryIndicatorCount; ++i) {
        if (KvWindow* indicator = MainWindowControl(kFirstMemoryIndicator + i)) indicator->setVisible(false);
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

std::wstring EvaluateDisplayText(std::wstring text) {
    for (wchar_t& c : text) {
        if (c == kTimes) c = L'*';
        else if (c == kDivide) c = L'/';
        else if (c == L',') c = L'.';
    }
    return FormatNumber(Evaluate(text));
}

std::wstring ApplyPendingOperation(double y) {
    EngineState& s = Engine();
    const double value = s.PendingOp == kPendingPower ? std::pow(s.StoredOperand, y) : std::fmod(s.StoredOperand, y);
    s.PendingOp = kNoPendingOp;
    return TrimTrailingZeros(FormatFixed(value, 10, kDisplayCapacity));
}

void Equals(KvWindow* display) {
    const bool pending = Engine().PendingOp == kPendingPower || Engine().PendingOp == kPendingRemainder;
    const std::wstring result =
        pending ? ApplyPendingOperation(ReadDisplayNumber(display)) : EvaluateDisplayText(ReadDisplay(display));
    ShowOnDisplay(display, result);
    MarkResultShown();
}

// A function key's outcome: the text to show and, for a value, whether it is recorded
// as the last result.
struct FunctionResult {
    std::wstring text;
    bool recordValue = false;
    double value = 0;
};

FunctionResult Recorded(double value, std::wstring text) { return {std::move(text), true, value}; }
FunctionResult Unrecorded(std::wstring text) { return {std::move(text), false, 0}; }
std::wstring Trimmed(double value) { return TrimTrailingZeros(FormatNumber(value)); }

FunctionResult ComputeFunction(Key key, double x) {
    switch (key) {
        case Key::Square: return Recorded(x * x, Trimmed(x * x));
        case Key::SquareRoot: return x >= 0 ? Recorded(std::sqrt(x), Trimmed(std::sqrt(x))) : Unrecorded(kErrorText);
        case Key::Reciprocal: return Unrecorded(FormatGeneral(1 / x));
        case Key::Absolute: return Unrecorded(Trimmed(std::fabs(x)));
        case Key::Exp: return Recorded(std::exp(x), Trimmed(std::exp(x)));
        case Key::PowerOfTen: return Recorded(std::pow(10.0, x), FormatGeneral(std::pow(10.0, x)));
        case Key::Log10: return x > 0 ? Recorded(std::log10(x), FormatGeneral(std::log10(x))) : Unrecorded(kErrorText);
        case Key::Ln: return x > 0 ? Recorded(std::log(x), FormatGeneral(std::log(x))) : Unrecorded(kErrorText);
        default: return Unrecorded(kErrorText);
    }
}

void ApplyFunction(KvWindow* display, Key key) {
    const double x = ReadDisplayNumber(display);
    if (key == Key::Reciprocal && x == 0) {
        ShowOnDisplay(display, kDivisionByZeroText);
        return;
    }
    const FunctionResult result = ComputeFunction(key, x);
    ShowOnDisplay(display, result.text);
    if (result.recordValue) Engine().LastResult = result.value;
    MarkResultShown();
}

// Exact in 64 bits up to 20!, then as a double while it is finite.
std::wstring FactorialText(double x) {
    constexpr int kLargestExact = 20;
    constexpr int kLargestFinite = 170;
    const bool fits = x > std::numeric_limits<std::int32_t>::min() - 1.0 && x < std::numeric_limits<std::int32_t>::max() + 1.0;
    const int n = fits ? static_cast<int>(x) : -1;
    if (n < 0 || n > kLargestFinite) return kErrorText;
    if (n <= kLargestExact) {
        long long product = 1;
        for (int i = 2; i <= n; ++i) product *= i;
        return FormatC("%lld", product);
    }
    double product = 1;
    for (int i = 2; i <= n; ++i) product *= i;
    return FormatGeneral(product);
}

void Factorial(KvWindow* display) {
    ShowOnDisplay(display, FactorialText(ReadDisplayNumber(display)));
    MarkResultShown();
}

void ChangeSign(KvWindow* display) { ShowOnDisplay(display, FormatGeneral(-ReadDisplayNumber(display))); }

void Percent(KvWindow* display) {
    const double p = ReadDisplayNumber(display);
    ShowOnDisplay(display, FormatGeneral(Engine().PendingOp == kNoPendingOp ? p / 100 : 0.0));
    MarkResultShown();
}

double ReadControlNumber(int controlId) {
    KvWindow* control = MainWindowControl(controlId);
    return control ? ReadNumberText(control->text(kDisplayCapacity)) : 0.0;
}

// A sign selector's first entry means plus; any other entry, or none, minus.
double SignedCoefficient(int selectorId, int valueId) {
    KvWindow* selector = MainWindowControl(selectorId);
    const bool plus = selector && selector->currentIndex() == 0;
    const double value = ReadControlNumber(valueId);
    return plus ? value : -value;
}

void SetControlText(int controlId, const std::wstring& text) {
    if (KvWindow* control = MainWindowControl(controlId)) control->setText(text);
}

std::wstring FormatRoot(double x) { return FormatFixed(x, 4, 63); }

void SolveQuadraticPanel() {
    constexpr int kFirstRoot = 1431, kSecondRoot = 1432;
    const double a = ReadControlNumber(1420);
    const double b = SignedCoefficient(1422, 1423);
    const double c = SignedCoefficient(1425, 1426);
    if (a == 0) {
        SetControlText(kFirstRoot, L"Коэффициент 'a' не может быть нулём!");
        SetControlText(kSecondRoot, L"");
        return;
    }
    const double discriminant = b * b - 4 * a * c;
    if (discriminant < 0) {
        SetControlText(kFirstRoot, L"Нет действительных корней");
        SetControlText(kSecondRoot, L"");
        return;
    }
    if (discriminant == 0) {
        SetControlText(kFirstRoot, FormatRoot(-b / (2 * a)));
        SetControlText(kSecondRoot, L"\u2014");
        return;
    }
    const double x1 = (-b + std::sqrt(discriminant)) / (2 * a);
    const double x2 = (-b - std::sqrt(discriminant)) / (2 * a);
    SetControlText(kFirstRoot, FormatRoot(x1));
    SetControlText(kSecondRoot, x1 == x2 ? std::wstring(L"\u2014") : FormatRoot(x2));
}

void ApplyKey(KvWindow* display, const KeyPress& press) {
    switch (press.key) {
        case Key::None: return;
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
        case Key::Equals: return Equals(display);
        case Key::PowerFirst: return StartPendingOperation(display, kPendingPower);
        case Key::RemainderFirst: return StartPendingOperation(display, kPendingRemainder);
        case Key::Factorial: return Factorial(display);
        case Key::SignChange: return ChangeSign(display);
        case Key::Percent: return Percent(display);
        case Key::Quadratic: return SolveQuadraticPanel();
        default: return ApplyFunction(display, press.key);
    }
}

}  // namespace

std::wstring ReadDisplay(KvWindow* display) { return display ? display->text(kDisplayCapacity) : std::wstring(); }

double ReadDisplayNumber(KvWindow* display) { return ReadLeadingNumber(ReadDisplay(display)); }

bool ShowOnDisplay(KvWindow* display, const std::wstring& text) {
    if (text.size() > kDisplayCapacity) return false;
    if (display) display->setText(text);
    return true;
}

void MarkResultShown() { SetEntryFlags(true, true); }

}  // namespace abacor

extern "C" void ProcessButtonClick(KvWindow* display, int buttonId) {
    using namespace abacor;
    HandleInequalityButton(buttonId);
    if (buttonId == kFractionLineButton) ProcessFractionLine();
    HandleFormulaButton(buttonId);
    if (IsMemoryButton(buttonId)) return HandleMemoryButton(display, buttonId);
    ApplyKey(display, Classify(buttonId));
}
