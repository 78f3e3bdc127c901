#include "graph_formula.h"

#include <algorithm>
#include <atomic>
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

constexpr int kExplicitDigits = 10;
constexpr int kImplicitDigits = 15;

std::atomic<std::size_t> compiledFunctions{0};

std::vector<KvCoordinate> Coordinates(const std::vector<double>& values, int digits) {
    std::vector<KvCoordinate> coordinates(values.size());
    RoundCoordinates(values.data(), static_cast<int>(values.size()), digits, coordinates.data());
    return coordinates;
}

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

void GraphFunction::Release::operator()(KvFormula* formula) const { ReleaseFormula(formula); }

GraphFunction::GraphFunction(const std::wstring& formula)
    : text_(formula),
      explicit_(CompileFormula(formula.c_str(), KV_FORMULA_X, kExplicitDigits)),
      implicit_(CompileFormula(formula.c_str(), KV_FORMULA_X | KV_FORMULA_Y, kImplicitDigits)) {
    ++compiledFunctions;
}

std::size_t GraphFunction::compilations() { return compiledFunctions; }

double GraphFunction::explicitAt(double x) const {
    return EvaluateFormula(explicit_.get(), RoundCoordinate(x, kExplicitDigits), RoundCoordinate(0, kExplicitDigits));
}

std::vector<double> GraphFunction::explicitAt(const std::vector<double>& xs) const {
    std::vector<double> values(xs.size());
    const std::vector<KvCoordinate> columns = Coordinates(xs, kExplicitDigits);
    EvaluateFormulaGrid(explicit_.get(), columns.data(), static_cast<int>(columns.size()), nullptr, 1, values.data());
    return values;
}

double GraphFunction::implicitAt(double x, double y) const {
    return EvaluateFormula(implicit_.get(), RoundCoordinate(x, kImplicitDigits), RoundCoordinate(y, kImplicitDigits));
}

std::vector<double> GraphFunction::implicitAt(const std::vector<double>& xs, const std::vector<double>& ys) const {
    std::vector<double> values(xs.size() * ys.size());
    const std::vector<KvCoordinate> columns = Coordinates(xs, kImplicitDigits);
    const std::vector<KvCoordinate> rows = Coordinates(ys, kImplicitDigits);
    EvaluateFormulaGrid(implicit_.get(), columns.data(), static_cast<int>(columns.size()), rows.data(),
                        static_cast<int>(rows.size()), values.data());
    return values;
}

GraphFormulas::GraphFormulas(std::wstring_view text) {
    for (const std::wstring& formula : FormulaList(text)) {
        const bool implicit = IsImplicit(formula);
        formulas_.push_back({implicit, GraphFunction(implicit ? ZeroForm(formula) : formula)});
    }
}

}  // namespace kelvora::graph
