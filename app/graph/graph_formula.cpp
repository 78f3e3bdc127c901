#include "graph_formula.h"

#include <algorithm>
#include <charconv>

#include "abacor.h"

namespace kelvora::graph {

namespace {

// The evaluator's only function name with a variable letter in it: its x stays a letter.
constexpr std::wstring_view kNameWithX = L"exp";

bool IsX(wchar_t c) { return c == L'x' || c == L'X'; }
bool IsY(wchar_t c) { return c == L'y' || c == L'Y'; }

// The value in brackets, so that a sign or a neighbouring digit cannot change it; the
// evaluator multiplies "2(0.5)" and "(0.5)2" through.
void AppendBracketed(std::wstring& text, double value, int significantDigits) {
    char digits[64];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general,
                                   significantDigits).ptr;
    text += L'(';
    text.append(digits, end);
    text += L')';
}

std::wstring Substitute(std::wstring_view formula, double x, const double* y, int significantDigits) {
    std::wstring text;
    text.reserve(formula.size() + 32);
    for (std::size_t i = 0; i < formula.size(); ++i) {
        const wchar_t c = formula[i];
        if (formula.substr(i).starts_with(kNameWithX)) {
            text += kNameWithX;
            i += kNameWithX.size() - 1;
        } else if (IsX(c)) {
            AppendBracketed(text, x, significantDigits);
        } else if (y && IsY(c)) {
            AppendBracketed(text, *y, significantDigits);
        } else {
            text += c;
        }
    }
    return text;
}

// The one place where a graph asks the library for a value.
double Evaluate(const std::wstring& text) { return EvaluateExpression(text.c_str()); }

}  // namespace

std::vector<std::wstring> FormulaList(std::wstring_view text) {
    std::vector<std::wstring> formulas;
    for (std::size_t start = 0; start <= text.size() && formulas.size() < kMaxCurves;) {
        const std::size_t end = std::min(text.find(L';', start), text.size());
        if (end > start) formulas.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return formulas;
}

bool IsImplicit(std::wstring_view formula) {
    return formula.find_first_of(L"yY") != std::wstring_view::npos;
}

std::wstring ZeroForm(std::wstring_view formula) {
    const std::size_t equals = formula.find(L'=');
    if (equals == std::wstring_view::npos) return std::wstring(formula);
    return std::wstring(formula.substr(0, equals)) + L"-(" + std::wstring(formula.substr(equals + 1)) + L")";
}

std::wstring SubstituteX(std::wstring_view formula, double x) { return Substitute(formula, x, nullptr, 10); }

std::wstring SubstituteXY(std::wstring_view formula, double x, double y) { return Substitute(formula, x, &y, 15); }

double GraphFunction::explicitAt(double x) const { return Evaluate(SubstituteX(formula_, x)); }

double GraphFunction::implicitAt(double x, double y) const { return Evaluate(SubstituteXY(formula_, x, y)); }

}  // namespace kelvora::graph
