#include "core/evaluator.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "abacor.h"
#include "core/number_format.h"

namespace abacor {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Function arguments nest at most this deep; a 1023-character text needs far fewer.
constexpr int kMaxNesting = 300;

struct NamedFunction {
    std::wstring_view name;
    double (*apply)(double);
};

// The order matters: a name is looked for row by row, and after every substitution
// the search starts again at the first row.
const std::array<NamedFunction, 17> kFunctions{{
    {L"sin", [](double x) { return std::sin(x); }},
    {L"cos", [](double x) { return std::cos(x); }},
    {L"tan", [](double x) { return std::tan(x); }},
    {L"asin", [](double x) { return std::asin(x); }},
    {L"acos", [](double x) { return std::acos(x); }},
    {L"atan", [](double x) { return std::atan(x); }},
    {L"sinh", [](double x) { return std::sinh(x); }},
    {L"cosh", [](double x) { return std::cosh(x); }},
    {L"tanh", [](double x) { return std::tanh(x); }},
    {L"exp", [](double x) { return std::exp(x); }},
    {L"ln", [](double x) { return std::log(x); }},
    {L"log", [](double x) { return std::log10(x); }},
    {L"sqrt", [](double x) { return std::sqrt(x); }},
    {L"abs", [](double x) { return std::fabs(x); }},
    {L"floor", [](double x) { return std::floor(x); }},
    {L"ceil", [](double x) { return std::ceil(x); }},
    {L"round", [](double x) { return std::round(x); }},
}};

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// Shared by one evaluation and the nested evaluations of its function arguments: once a
// limit is exceeded anywhere, the whole evaluation is NaN (never a partial value).
struct Evaluation {
    bool limitExceeded = false;
};

double Evaluate(std::wstring_view text, int nesting, Evaluation& evaluation);

// Index of the ')' closing the '(' at `open`, or npos.
std::size_t MatchingBracket(const std::wstring& text, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        if (text[i] == L'(') ++depth;
        if (text[i] == L')' && --depth == 0) return i;
    }
    return std::wstring::npos;
}

// Replaces the first applicable function call by its value; false when there is none.
// A value that is NaN or infinite is taken as 0; others are rounded to 15 digits.
bool SubstituteOneFunction(std::wstring& text, int nesting, Evaluation& evaluation) {
    for (const NamedFunction& function : kFunctions) {
        for (std::size_t at = text.find(function.name); at != std::wstring::npos;
             at = text.find(function.name, at + 1)) {
            if (at > 0 && IsAsciiLetter(text[at - 1])) continue;
            const std::size_t open = at + function.name.size();
            if (open >= text.size() || text[open] != L'(') continue;
            const std::size_t close = MatchingBracket(text, open);
            if (close == std::wstring::npos || close == open + 1) continue;
            const double argument = Evaluate(std::wstring_view(text).substr(open + 1, close - open - 1), nesting + 1, evaluation);
            if (evaluation.limitExceeded) return false;
            const double value = function.apply(argument);
            text.replace(at, close - at + 1, std::isfinite(value) ? FormatC("(%.15g)", value) : L"0");
            return true;
        }
    }
    return false;
}

// Inserts '*' where brackets and digits meet without an operator; false when the
// result would be too long.
bool InsertImplicitMultiplication(const std::wstring& text, std::wstring& expanded) {
    expanded.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        expanded += text[i];
        if (i + 1 < text.size()) {
            const wchar_t c = text[i], next = text[i + 1];
            if ((IsDigit(c) && next == L'(') || (c == L')' && (next == L'(' || IsDigit(next)))) expanded += L'*';
        }
        if (expanded.size() > kMaxExpressionLength) return false;
    }
    return true;
}

void ReplaceSymbols(std::wstring& text) {
    for (wchar_t& c : text) {
        if (c == L'\u00D7') c = L'*';
        else if (c == L'\u00F7') c = L'/';
        else if (c == L',') c = L'.';
    }
}

// Reads the number starting at `i` (a digit or '.'): digits, a point, fraction digits
// with any further points ignored, and an optional decimal exponent ("e", a sign,
// digits). Advances `i` past it.
double ReadNumber(const std::wstring& text, std::size_t& i) {
    std::string integral, fraction;
    bool afterPoint = false;
    for (; i < text.size() && (IsDigit(text[i]) || text[i] == L'.'); ++i) {
        if (text[i] == L'.') afterPoint = true;
        else (afterPoint ? fraction : integral) += static_cast<char>(text[i]);
    }
    std::string number = (integral.empty() ? "0" : integral) + "." + (fraction.empty() ? "0" : fraction);
    const bool hasDigits = !integral.empty() || !fraction.empty();
    if (hasDigits && i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == L'+' || text[j] == L'-')) exponent += static_cast<char>(text[j++]);
        const std::size_t firstDigit = j;
        for (; j < text.size() && IsDigit(text[j]); ++j) exponent += static_cast<char>(text[j]);
        if (j > firstDigit) {
            number += exponent;
            i = j;
        }
    }
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    // Out of range: the C reading gives the infinity or the underflowed value.
    if (error != std::errc()) return ReadLeadingNumber(std::wstring(number.begin(), number.end()));
    return value;
}

int Precedence(wchar_t op) {
    switch (op) {
        case L'+':
        case L'-': return 1;
        case L'*':
        case L'/': return 2;
        case L'^': return 3;
        default: return 0;
    }
}

bool IsInfixOperator(wchar_t c) { return Precedence(c) > 0; }

// The operator-precedence machine over the rewritten text. Every failure ends the
// whole evaluation with NaN.
class OperatorPrecedenceParser {
public:
    explicit OperatorPrecedenceParser(Evaluation& evaluation) : evaluation_(evaluation) {}

    double Run(const std::wstring& text) {
        bool operandExpected = true;
        for (std::size_t i = 0; i < text.size();) {
            const wchar_t c = text[i];
            if ((c == L'+' || c == L'-') && operandExpected) {
                std::size_t j = i + 1;
                while (j < text.size() && text[j] == L' ') ++j;
                if (j < text.size() && (IsDigit(text[j]) || text[j] == L'.')) {
                    const double value = ReadNumber(text, j);
                    if (!PushValue(c == L'-' ? -value : value)) return kNaN;
                    operandExpected = false;
                    i = j;
                    continue;
                }
            }
            if (IsDigit(c) || c == L'.') {
                if (!PushValue(ReadNumber(text, i))) return kNaN;
                operandExpected = false;
                continue;
            }
            if (c == L'(') {
                if (!PushOperator(c)) return kNaN;
                operandExpected = true;
            } else if (c == L')') {
                if (!CloseBracket()) return kNaN;
                operandExpected = false;
            } else if (IsInfixOperator(c)) {
                if (!PushInfix(c)) return kNaN;
                operandExpected = true;
            }
            ++i;  // spaces and every other character are skipped
        }
        return Finish();
    }

private:
    bool PushValue(double value) {
        if (values_.size() >= kMaxStackEntries) return Exceeded();
        values_.push_back(value);
        return true;
    }

    bool Exceeded() {
        evaluation_.limitExceeded = true;
        return false;
    }

    bool PushOperator(wchar_t op) {
        if (operators_.size() >= kMaxStackEntries) return Exceeded();
        operators_.push_back(op);
        return true;
    }

    bool ApplyTop() {
        const wchar_t op = operators_.back();
        operators_.pop_back();
        if (values_.size() < 2) return false;
        const double b = values_.back();
        values_.pop_back();
        double& a = values_.back();
        switch (op) {
            case L'+': a = a + b; break;
            case L'-': a = a - b; break;
            case L'*': a = a * b; break;
            case L'/':
                if (b == 0) return false;
                a = a / b;
                break;
            case L'^': a = std::pow(a, b); break;
        }
        return true;
    }

    // A surplus ')' closes everything before it.
    bool CloseBracket() {
        while (!operators_.empty() && operators_.back() != L'(') {
            if (!ApplyTop()) return false;
        }
        if (!operators_.empty()) operators_.pop_back();
        return true;
    }

    // All operators are left-associative, '^' included.
    bool PushInfix(wchar_t op) {
        while (!operators_.empty() && operators_.back() != L'(' &&
               Precedence(operators_.back()) >= Precedence(op)) {
            if (!ApplyTop()) return false;
        }
        return PushOperator(op);
    }

    double Finish() {
        while (!operators_.empty()) {
            if (operators_.back() == L'(' || !ApplyTop()) return kNaN;
        }
        return values_.size() == 1 ? values_.front() : kNaN;
    }

    Evaluation& evaluation_;
    std::vector<double> values_;
    std::vector<wchar_t> operators_;
};

double Evaluate(std::wstring_view text, int nesting, Evaluation& evaluation) {
    if (nesting > kMaxNesting) {
        evaluation.limitExceeded = true;
        return kNaN;
    }
    std::wstring working(text);
    while (SubstituteOneFunction(working, nesting, evaluation)) {
    }
    if (evaluation.limitExceeded) return kNaN;
    std::wstring expanded;
    if (!InsertImplicitMultiplication(working, expanded)) {
        evaluation.limitExceeded = true;
        return kNaN;
    }
    ReplaceSymbols(expanded);
    return OperatorPrecedenceParser(evaluation).Run(expanded);
}

}  // namespace

double Evaluate(std::wstring_view text) {
    if (text.size() > kMaxExpressionLength) return kNaN;
    Evaluation evaluation;
    const double result = Evaluate(text, 0, evaluation);
    // One NaN for every failure, so that it always prints the same way.
    return evaluation.limitExceeded || std::isnan(result) ? kNaN : result;
}

}  // namespace abacor

extern "C" double EvaluateExpression(const wchar_t* text) {
    if (!text) return std::numeric_limits<double>::quiet_NaN();
    // Only as much of the text as the evaluator may accept is ever looked at.
    const std::size_t length = wcsnlen(text, abacor::kMaxExpressionLength + 1);
    return abacor::Evaluate(std::wstring_view(text, length));
}
