#include "algebra/formula_input.h"

#include <string>

#include "algebra/polynomial.h"

namespace abacor {

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::wstring WholeText(const KvWindow& input) { return input.text(std::wstring::npos); }

void CaretToEnd(KvWindow& input) {
    const int end = static_cast<int>(WholeText(input).size());
    input.setSelection(end, end);
}

void ReplaceText(KvWindow& input, const std::wstring& text) {
    input.setText(text);
    CaretToEnd(input);
}

void SuperscriptTypedPower(KvWindow& input) {
    std::wstring text = WholeText(input);
    const std::size_t n = text.size();
    if (n < 2 || text[n - 2] != L'^' || !IsDigit(text[n - 1])) return;
    text.replace(n - 2, 2, 1, SuperscriptDigit(text[n - 1]));
    ReplaceText(input, text);
}

}  // namespace

void TypeAtEnd(KvWindow& input, std::wstring_view typed) {
    CaretToEnd(input);
    input.replaceSelection(std::wstring(typed));
    SuperscriptTypedPower(input);
}

void TypePower(KvWindow& input) {
    const std::wstring text = WholeText(input);
    const auto [start, end] = input.selection();
    const bool oneDigit = end - start == 1 && start >= 0 && static_cast<std::size_t>(start) < text.size() &&
                          IsDigit(text[static_cast<std::size_t>(start)]);
    input.replaceSelection(oneDigit ? std::wstring(1, SuperscriptDigit(text[static_cast<std::size_t>(start)]))
                                    : std::wstring(L"^"));
}

void DeleteLast(KvWindow& input) {
    std::wstring text = WholeText(input);
    if (text.empty()) return;
    text.pop_back();
    ReplaceText(input, text);
}

void ClearInput(KvWindow& input) { input.setText(L""); }

bool ApplyFormulaKey(KvWindow& input, const FormulaKeypad& keypad, int buttonId) {
    if (const KvKey* key = KvFindKey(keypad.keys, keypad.count, buttonId); key && key->typed) {
        TypeAtEnd(input, key->typed);
    } else if (buttonId == keypad.backspace) {
        DeleteLast(input);
    } else if (buttonId == keypad.power) {
        TypePower(input);
    } else if (buttonId == keypad.clear || buttonId == keypad.clearEntry) {
        ClearInput(input);
    } else {
        return false;
    }
    return true;
}

}  // namespace abacor
