#include "inequalities/inequality_panel.h"

#include <string>

#include "abacor.h"
#include "algebra/polynomial.h"
#include "core/engine_state.h"
#include "inequalities/inequality_system.h"

namespace abacor {

namespace {

constexpr int kInputId = 2100;
constexpr int kAnswerId = 2132;
constexpr int kFirstButton = 2101;
constexpr int kLastButton = 2130;
constexpr int kDeleteButton = 2108;
constexpr int kPowerButton = 2125;
constexpr int kClearButton = 2126;
constexpr int kClearEntryButton = 2127;
constexpr int kAndButton = 2128;
constexpr int kSolveButton = 2129;
constexpr int kStepsButton = 2130;
constexpr std::size_t kSolvedTextLength = 1024;

// The text a key appends; null for keys that do something else (or nothing, 2116).
const wchar_t* KeyText(int buttonId) {
    switch (buttonId) {
        case 2101: return L">";
        case 2102: return L"<";
        case 2103: return L"≥";
        case 2104: return L"≤";
        case 2105: return L"x";
        case 2106: return L"(";
        case 2107: return L")";
        case 2109: return L"+";
        case 2110: return L"-";
        case 2111: return L"×";
        case 2112: return L"÷";
        case 2113: return L"7";
        case 2114: return L"8";
        case 2115: return L"9";
        case 2117: return L"4";
        case 2118: return L"5";
        case 2119: return L"6";
        case 2120: return L"0";
        case 2121: return L"1";
        case 2122: return L"2";
        case 2123: return L"3";
        case 2124: return L".";
        default: return nullptr;
    }
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The whole text: the edits below write it back, and a cut copy would lose its tail.
std::wstring FullText(const KvWindow& input) { return input.text(std::wstring::npos); }

void CaretToEnd(KvWindow& input) {
    const int end = static_cast<int>(FullText(input).size());
    input.setSelection(end, end);
}

void Append(KvWindow& input, const wchar_t* text) {
    CaretToEnd(input);
    input.replaceSelection(text);
}

// A digit typed right after "^" becomes its superscript: x, ^, 2 leaves x².
void AppendKey(KvWindow& input, const wchar_t* keyText) {
    Append(input, keyText);
    std::wstring text = FullText(input);
    const std::size_t n = text.size();
    if (n < 2 || text[n - 2] != L'^' || !IsDigit(text[n - 1])) return;
    text.replace(n - 2, 2, 1, SuperscriptDigit(text[n - 1]));
    input.setText(text);
    CaretToEnd(input);
}

// A selected digit becomes its superscript; otherwise "^" goes where the caret is.
void PowerKey(KvWindow& input) {
    const std::wstring text = FullText(input);
    const auto [start, end] = input.selection();
    const bool oneDigit = end - start == 1 && start >= 0 && static_cast<std::size_t>(start) < text.size() &&
                          IsDigit(text[static_cast<std::size_t>(start)]);
    input.replaceSelection(oneDigit ? std::wstring(1, SuperscriptDigit(text[static_cast<std::size_t>(start)])) : L"^");
}

void DeleteLast(KvWindow& input) {
    std::wstring text = FullText(input);
    if (text.empty()) return;
    text.pop_back();
    input.setText(text);
    CaretToEnd(input);
}

void Solve(const KvWindow& input) {
    const InequalityResult result = SolveInequalitySystem(input.text(kSolvedTextLength));
    if (KvWindow* answer = MainWindowControl(kAnswerId)) answer->setText(result.answer);
    EngineState& engine = Engine();
    NumberLineState& line = engine.NumberLine;
    line.points = result.points;
    line.closed = result.closed;
    line.selection.assign(result.selection.begin(), result.selection.end());
    line.visible = !result.points.empty();
    engine.MainWindow->invalidate(true);
}

}  // namespace

void HandleInequalityButton(int buttonId) {
    if (buttonId < kFirstButton || buttonId > kLastButton) return;
    KvWindow* input = MainWindowControl(kInputId);
    if (!input) return;
    if (const wchar_t* text = KeyText(buttonId)) {
        AppendKey(*input, text);
        return;
    }
    switch (buttonId) {
        case kDeleteButton: DeleteLast(*input); break;
        case kPowerButton: PowerKey(*input); break;
        case kClearButton:
        case kClearEntryButton: input->setText(L""); break;
        case kAndButton: Append(*input, L"&"); break;
        case kSolveButton: Solve(*input); break;
        case kStepsButton: ShowStepsWindow(Engine().MainWindow); break;
        default: break;
    }
}

}  // namespace abacor
