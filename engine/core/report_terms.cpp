#include "core/report_terms.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "core/expression_syntax.h"
#include "core/formula_reader.h"
#include "core/number_format.h"

namespace abacor {

namespace {

constexpr std::array<wchar_t, 10> kSuperscriptDigits = {L'⁰', L'¹', L'²', L'³', L'⁴', L'⁵', L'⁶', L'⁷', L'⁸', L'⁹'};

bool IsDigitChar(wchar_t c) { return c >= L'0' && c <= L'9'; }

bool IsSuperscriptDigit(wchar_t c) {
    for (wchar_t s : kSuperscriptDigits) {
        if (s == c) return true;
    }
    return false;
}

bool IsLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// Text that ends an operand: a number written next to it would read as one number or
// as a power.
bool EndsOperand(wchar_t c) { return IsDigitChar(c) || c == L'.' || c == L')' || IsSuperscriptDigit(c); }

// Which characters of the formula are the unknown x as the formula reader reads it.
std::vector<bool> UnknownMask(std::wstring_view formula) {
    const std::string narrowed = syntax::NarrowText(formula);
    std::vector<bool> unknown(formula.size(), false);
    const FormulaTree tree = ReadFormula(narrowed, "x");
    if (tree.read()) {
        for (const FormulaNode& node : tree.nodes) {
            if (node.operation == Operation::Unknown && node.begin < unknown.size()) unknown[node.begin] = true;
        }
        return unknown;
    }
    // An unreadable text still shows its letters x that stand alone.
    for (std::size_t i = 0; i < formula.size(); ++i) {
        const bool x = formula[i] == L'x' || formula[i] == L'X';
        const bool alone = (i == 0 || !IsLetter(formula[i - 1])) && (i + 1 == formula.size() || !IsLetter(formula[i + 1]));
        unknown[i] = x && alone;
    }
    return unknown;
}

}  // namespace

std::wstring Operand(std::wstring_view number) {
    if (number.starts_with(L'-')) return L"(" + std::wstring(number) + L")";
    return std::wstring(number);
}

std::wstring Operand(double value, NumberText format) { return Operand(format(WithoutNegativeZero(value))); }

std::wstring FollowingTerm(double value, NumberText format) {
    if (value == 0) return L"";
    return (std::signbit(value) ? L" - " : L" + ") + format(std::fabs(value));
}

std::wstring CoefficientTerm(double coefficient, std::wstring_view letter, NumberText format) {
    const std::wstring term(letter);
    if (coefficient == 1) return term;
    if (coefficient == -1) return L"-" + term;
    return format(WithoutNegativeZero(coefficient)) + term;
}

std::wstring Quotient(std::wstring_view numerator, std::wstring_view divisor) {
    if (divisor == L"1") return std::wstring(numerator);
    return std::wstring(numerator) + L" / " + Operand(divisor);
}

std::wstring WithSuperscripts(std::wstring_view text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::size_t end = i + 1;
        while (text[i] == L'^' && end < text.size() && IsDigitChar(text[end])) ++end;
        const bool whole = end > i + 1 && (end == text.size() || (text[end] != L'.' && text[end] != L','));
        if (!whole) {
            out += text[i];
            continue;
        }
        for (std::size_t k = i + 1; k < end; ++k) out += kSuperscriptDigits[static_cast<std::size_t>(text[k] - L'0')];
        i = end - 1;
    }
    return out;
}

std::wstring Subscript(std::size_t number) {
    std::wstring out;
    for (wchar_t c : std::to_wstring(number)) out += static_cast<wchar_t>(L'₀' + (c - L'0'));
    return out;
}

std::wstring Substituted(std::wstring_view formula, std::wstring_view number) {
    const std::vector<bool> unknown = UnknownMask(formula);
    const std::wstring value = Operand(number);
    std::wstring out;
    for (std::size_t i = 0; i < formula.size(); ++i) {
        if (!unknown[i]) {
            // A digit right after a substituted value would join it: x2 at 3 is 3·2.
            if (i > 0 && unknown[i - 1] && (IsDigitChar(formula[i]) || formula[i] == L'.')) out += L'·';
            out += formula[i];
            continue;
        }
        if (!out.empty() && EndsOperand(out.back())) out += L'·';
        out += value;
    }
    return WithSuperscripts(out);
}

}  // namespace abacor
