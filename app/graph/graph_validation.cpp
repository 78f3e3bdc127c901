#include "graph_validation.h"

#include <cmath>

#include "abacor.h"
#include "graph_formula.h"
#include "graph_texts.h"

namespace kelvora::graph {

namespace {

// Digits, the variables, operators, brackets, separators and the letters of the
// function names.
constexpr const wchar_t* kAllowedCharacters = L"0123456789xyXY+-*/^().,;= sincostanloglnexpsqrtabs";
// What may follow a "/0" for the zero to stand alone; "/0.5" and "/05" are fine.
constexpr const wchar_t* kMayFollowZero = L" +-*/^)";

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

// The text checks every formula input makes, then a value at x = 1.
int FirstFault(std::wstring_view text) {
    const std::wstring terminated(text);
    const int fault = CheckFormulaText(terminated.c_str(), kAllowedCharacters, kMayFollowZero);
    if (fault != KV_TEXT_OK) return fault;
    // Implicit curves are not tried out.
    if (IsImplicit(text) || EvaluatesAtOne(text)) return KV_TEXT_OK;
    return KV_TEXT_NOT_COMPUTABLE;
}

}  // namespace

void ShowGraphError(KvDesktop& desktop, const std::wstring& message) {
    desktop.messageBox(nullptr, message, kGraphErrorCaption, KvMessageIcon::Warning, KvMessageButtons::Ok);
}

bool ValidateGraphFormula(std::wstring_view text, KvDesktop& desktop) {
    const int fault = FirstFault(text);
    if (fault != KV_TEXT_OK) ShowGraphError(desktop, TextFaultMessage(fault));
    return fault == KV_TEXT_OK;
}

}  // namespace kelvora::graph
