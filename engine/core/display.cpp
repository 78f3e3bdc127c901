#include "core/display.h"

#include <string_view>

#include "core/engine_state.h"
#include "core/number_format.h"

namespace abacor {

std::wstring ReadDisplay(KvWindow* display) { return display ? display->text(kDisplayCapacity) : std::wstring(); }

double ReadDisplayNumber(KvWindow* display) { return ReadLeadingNumber(ReadDisplay(display)); }

bool ShowOnDisplay(KvWindow* display, const std::wstring& text) {
    if (text.size() > kDisplayCapacity) return false;
    if (display) display->setText(text);
    return true;
}

void MarkResultShown() {
    Engine().NewNumber = true;
    Engine().ResultShown = true;
}

namespace {

bool IsDigitOrPoint(wchar_t c) { return (c >= L'0' && c <= L'9') || c == L'.' || c == L','; }
bool IsLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// After one of these a minus changes a sign instead of subtracting.
bool OpensOperand(wchar_t c) { return std::wstring_view(L"(+-*/^\u00D7\u00F7").find(c) != std::wstring_view::npos; }

std::size_t SkipDigits(const std::wstring& text, std::size_t end) {
    while (end > 0 && IsDigitOrPoint(text[end - 1])) --end;
    return end;
}

// Where the number the text ends with starts ("1e+300" and "2.5e-7" included); npos
// when the text does not end with a digit or a point.
std::size_t NumberStart(const std::wstring& text) {
    const std::size_t digits = SkipDigits(text, text.size());
    if (digits == text.size()) return std::wstring::npos;
    std::size_t mark = digits;
    if (mark > 0 && (text[mark - 1] == L'+' || text[mark - 1] == L'-')) --mark;
    const bool exponent = mark >= 2 && (text[mark - 1] == L'e' || text[mark - 1] == L'E') && IsDigitOrPoint(text[mark - 2]);
    return exponent ? SkipDigits(text, mark - 1) : digits;
}

// Where the bracketed group the text ends with starts, with its function's name; npos
// when its brackets do not pair.
std::size_t GroupStart(const std::wstring& text) {
    int depth = 0;
    for (std::size_t i = text.size(); i > 0; --i) {
        if (text[i - 1] == L')') ++depth;
        else if (text[i - 1] == L'(' && --depth == 0) {
            std::size_t start = i - 1;
            while (start > 0 && IsLetter(text[start - 1])) --start;
            return start;
        }
    }
    return std::wstring::npos;
}

}  // namespace

std::optional<LastOperand> SplitLastOperand(const std::wstring& text) {
    if (text.empty()) return std::nullopt;
    std::size_t start = text.back() == L')' ? GroupStart(text) : NumberStart(text);
    if (start == std::wstring::npos) return std::nullopt;
    // A letter before a number ("x2", "log2") makes it no operand of its own.
    if (start > 0 && IsLetter(text[start - 1])) return std::nullopt;
    if (start > 0 && text[start - 1] == L'-' && (start == 1 || OpensOperand(text[start - 2]))) --start;
    return LastOperand{text.substr(0, start), text.substr(start)};
}

}  // namespace abacor
