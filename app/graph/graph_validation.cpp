#include "graph_validation.h"

#include <cmath>

#include "abacor.h"
#include "graph_formula.h"
#include "graph_texts.h"

namespace kelvora::graph {

namespace {

// Digits, the variables, operators, brackets, separators and the letters of the
// function names.
constexpr const wchar_t* kAllowedCharacters = L"0123456789xyXY+-*/:^().,;= sincostanloglnexpsqrtabs";
// What may follow a "/0" for the zero to stand alone; "/0.5" and "/05" are fine.
constexpr const wchar_t* kMayFollowZero = L" +-*/^)";

// Where a formula is tried: one point would refuse sqrt(x-5) or 1/(x-1), fine graphs
// without a value there. A text that cannot be read has a value at none of them.
constexpr double kTrialPoints[] = {1, 2, -1, 0.5, -0.5, 10, -10, 100, -100, 1e4, -1e4, 1e6, -1e6};

bool HasAValueSomewhere(const std::wstring& formula) {
    for (const double x : kTrialPoints) {
        if (std::isfinite(EvaluateExpression(SubstituteX(formula, x).c_str()))) return true;
    }
    return false;
}

// Each explicit formula on its own: the whole list at once would read as one expression
// and reject every list of two or more.
bool EveryFormulaComputes(std::wstring_view text) {
    const std::vector<std::wstring> formulas = FormulaList(text);
    if (formulas.empty()) return false;
    for (const std::wstring& formula : formulas) {
        if (!HasAValueSomewhere(formula)) return false;
    }
    return true;
}

// The text checks every formula input makes, then a value at some trial point.
int FirstFault(std::wstring_view text) {
    const std::wstring terminated(text);
    const int fault = CheckFormulaText(terminated.c_str(), kAllowedCharacters, kMayFollowZero);
    if (fault != KV_TEXT_OK) return fault;
    // Implicit curves are not tried out.
    if (IsImplicit(text) || EveryFormulaComputes(text)) return KV_TEXT_OK;
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
