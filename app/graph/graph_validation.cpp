#include "graph_validation.h"

#include <cmath>
#include <optional>

#include "graph_formula.h"

namespace kelvora::graph {

namespace {

constexpr std::wstring_view kAllowedCharacters = L"0123456789xyXY+-*/^().,;= sincostanloglnexpsqrtabs";
constexpr std::wstring_view kOperators = L"+-*/^";
// What may follow a "/0" for the zero to stand alone; "/0.5" and "/05" are fine.
constexpr std::wstring_view kAfterLoneZero = L" +-*/^)";

bool Contains(std::wstring_view set, wchar_t c) { return set.find(c) != std::wstring_view::npos; }

bool DividesByLoneZero(std::wstring_view text) {
    for (std::size_t slash = text.find(L'/'); slash != std::wstring_view::npos; slash = text.find(L'/', slash + 1)) {
        std::size_t next = slash + 1;
        while (next < text.size() && text[next] == L' ') ++next;
        if (next >= text.size() || text[next] != L'0') continue;
        if (next + 1 == text.size() || Contains(kAfterLoneZero, text[next + 1])) return true;
    }
    return false;
}

// Characters and operator pairs in one pass, then the bracket counts.
std::optional<std::wstring> SpellingError(std::wstring_view text) {
    int opened = 0;
    int closed = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L' ') continue;
        if (c == L'(') ++opened;
        if (c == L')') ++closed;
        if (!Contains(kAllowedCharacters, c)) return L"Недопустимые символы";
        if (Contains(kOperators, c) && i + 1 < text.size() && Contains(kOperators, text[i + 1])) {
            return L"Двойной символ операции";
        }
    }
    if (opened != closed) return L"Скобки не сбалансированы";
    return std::nullopt;
}

// Each explicit formula on its own: the whole list at once would read as one expression
// and reject every list of two or more.
bool EvaluatesAtOne(std::wstring_view text) {
    const std::vector<std::wstring> formulas = FormulaList(text);
    if (formulas.empty()) return false;
    for (const std::wstring& formula : formulas) {
        // The keypad's rule on purpose: sqrt(x-5) has no value at 1 but is a fine graph.
        if (!std::isfinite(EvaluateExpression(SubstituteX(formula, 1).c_str()))) return false;
    }
    return true;
}

std::optional<std::wstring> FirstError(std::wstring_view text) {
    if (text.empty()) return L"Пустая строка";
    if (DividesByLoneZero(text)) return L"Деление на ноль";
    if (auto error = SpellingError(text)) return error;
    // Implicit curves are not tried out.
    if (IsImplicit(text)) return std::nullopt;
    if (!EvaluatesAtOne(text)) return L"Невозможно вычислить выражение";
    return std::nullopt;
}

}  // namespace

void ShowGraphError(KvDesktop& desktop, const std::wstring& message) {
    desktop.messageBox(nullptr, message, L"Ошиибка", KvMessageIcon::Warning, KvMessageButtons::Ok);
}

bool ValidateGraphFormula(std::wstring_view text, KvDesktop& desktop) {
    const std::optional<std::wstring> error = FirstError(text);
    if (error) ShowGraphError(desktop, *error);
    return !error;
}

}  // namespace kelvora::graph
