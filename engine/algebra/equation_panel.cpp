#include "algebra/equation_panel.h"

#include <string>

#include "abacor.h"
#include "algebra/equation_solver.h"
#include "algebra/formula.h"
#include "algebra/polynomial.h"
#include "core/engine_state.h"

namespace abacor {

namespace {

constexpr int kInputId = 1700;
constexpr int kBackspace = 1705;
constexpr int kSolve = 1722;
constexpr int kShowSteps = 1726;
constexpr int kPower = 1730;
constexpr int kClear = 1731;
constexpr int kClearToo = 1732;
constexpr int kEquals = 1733;

// The text each typing key (1702 to 1721) inserts; null for any other key.
const wchar_t* TypedText(int buttonId) {
    switch (buttonId) {
        case 1702: return L"x";
        case 1703: return L"(";
        case 1704: return L")";
        case 1706: return L"+";
        case 1707: return L"-";
        case 1708: return L"*";
        case 1709: return L"/";
        case 1710: return L"7";
        case 1711: return L"8";
        case 1712: return L"9";
        case 1714: return L"4";
        case 1715: return L"5";
        case 1716: return L"6";
        case 1717: return L"0";
        case 1718: return L"1";
        case 1719: return L"2";
        case 1720: return L"3";
        case 1721: return L".";
        default: return nullptr;
    }
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Edits see the whole field: a 255-character read would cut a longer (pasted) formula,
// and writing the cut text back would lose its end.
std::wstring WholeText(KvWindow& input) { return input.text(std::wstring::npos); }

void ReplaceText(KvWindow& input, const std::wstring& text) {
    input.setText(text);
    const int end = static_cast<int>(text.size());
    input.setSelection(end, end);
}

void InsertAtEnd(KvWindow& input, const std::wstring& text) {
    const int end = static_cast<int>(WholeText(input).size());
    input.setSelection(end, end);
    input.replaceSelection(text);
}

// Typing "^" and then a digit leaves the superscript digit: "x^2" becomes "x²".
void SuperscriptTypedPower(KvWindow& input) {
    std::wstring text = WholeText(input);
    const std::size_t n = text.size();
    if (n < 2 || text[n - 2] != L'^' || !IsDigit(text[n - 1])) return;
    text.replace(n - 2, 2, 1, SuperscriptDigit(text[n - 1]));
    ReplaceText(input, text);
}

void Backspace(KvWindow& input) {
    std::wstring text = WholeText(input);
    if (text.empty()) return;
    text.pop_back();
    ReplaceText(input, text);
}

// A single selected digit becomes its superscript; anything else gets a "^".
void Power(KvWindow& input) {
    const std::wstring text = WholeText(input);
    const auto [start, end] = input.selection();
    const bool oneDigit = end - start == 1 && start >= 0 && static_cast<std::size_t>(start) < text.size() &&
                          IsDigit(text[static_cast<std::size_t>(start)]);
    input.replaceSelection(oneDigit ? std::wstring(1, SuperscriptDigit(text[static_cast<std::size_t>(start)]))
                                    : std::wstring(L"^"));
}

void Solve() {
    const EquationPanel panel = FindEquationPanel();
    const std::wstring text = ReadFormulaInput(panel);
    if (ValidateFormula(text.c_str())) SolveEquation(panel);
}

}  // namespace

void HandleFormulaButton(int buttonId) {
    if (buttonId == kSolve) return Solve();
    if (buttonId == kShowSteps) {
        ShowStepsWindow(Engine().MainWindow);
        return;
    }
    KvWindow* input = MainWindowControl(kInputId);
    if (!input) return;
    if (const wchar_t* typed = TypedText(buttonId)) {
        InsertAtEnd(*input, typed);
        SuperscriptTypedPower(*input);
        return;
    }
    switch (buttonId) {
        case kBackspace: return Backspace(*input);
        case kPower: return Power(*input);
        case kClear:
        case kClearToo: return input->setText(L"");
        case kEquals: return InsertAtEnd(*input, L"=");
        default: return;
    }
}

}  // namespace abacor
