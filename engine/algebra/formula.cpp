#include "algebra/formula.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <limits>
#include <string_view>

#include "abacor.h"
#include "core/engine_state.h"
#include "core/number_format.h"
#include "core/texts.h"

namespace abacor {

namespace {

// What a formula may hold: digits and their superscripts, the letters of the unknowns,
// operators, brackets, decimal marks and "=".
constexpr const wchar_t* kFormulaCharacters =
    L"0123456789xyzXYZ+-*/^().,:= \u2070\u00B9\u00B2\u00B3\u2074\u2075\u2076\u2077\u2078\u2079";
// What may follow "/0" for the zero to be the whole divisor ("=" too: x/0=1 divides by
// zero just as x/0 = 1 does).
constexpr const wchar_t* kAfterZeroDivisor = L" +-*/^)=";
// Notes quote at most this much of the formula.
constexpr std::size_t kNoteQuoteLength = 40;

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool Contains(std::wstring_view set, wchar_t c) { return set.find(c) != std::wstring_view::npos; }

// ")" or a digit, x or y followed by "(", x or y gets an explicit "*"; z never does.
std::wstring InsertImplicitProducts(const std::wstring& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        out += c;
        if (i + 1 == text.size()) break;
        const wchar_t n = text[i + 1];
        const bool endsFactor = c == L')' || std::iswdigit(c) || Contains(L"XYxy", c);
        if (endsFactor && Contains(L"(XYxy", n)) out += L'*';
    }
    return out;
}

struct Summand {
    std::wstring text;
    bool negative;
};

std::vector<Summand> SplitSummands(const std::wstring& text) {
    std::vector<Summand> summands;
    int depth = 0;
    std::size_t start = 0;
    bool negative = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'(') ++depth;
        if (c == L')') --depth;
        if ((c == L'+' || c == L'-') && depth == 0 && i > start) {
            summands.push_back({text.substr(start, i - start), negative});
            negative = c == L'-';
            start = i + 1;
        }
    }
    if (start < text.size()) summands.push_back({text.substr(start), negative});
    return summands;
}

std::wstring Quote(const std::wstring& text) {
    if (text.size() <= kNoteQuoteLength) return text;
    return text.substr(0, kNoteQuoteLength) + L"…";
}

std::wstring LimitDescription(LimitHit hit) {
    switch (hit) {
        case LimitHit::kTooManyTerms:
            return text::kMoreTermsThan + std::to_wstring(kMaxTerms) + text::kTerms;
        case LimitHit::kTooMuchWork:
            return text::kTooLongComputation;
        case LimitHit::kDivisionRounds:
            return text::kDivisionStoppedAfter + std::to_wstring(kMaxDivisionRounds) + text::kDivisionSteps;
        case LimitHit::kNone:
            break;
    }
    return {};
}

int MultiplyExponents(int a, int b) {
    if (a == 0 || b == 0) return 0;
    return a > std::numeric_limits<int>::max() / b ? std::numeric_limits<int>::max() : a * b;
}

int Level(wchar_t op) { return op == L'*' || op == L'/' ? 2 : 1; }

// One summand by operator precedence over monomial terms; brackets and their powers are
// handled as they close.
class SummandExpander {
public:
    SummandExpander(const std::wstring& text, WorkBudget& budget, ExpansionNotes* notes)
        : text_(text), budget_(budget), notes_(notes) {}

    Polynomial Run() {
        while (i_ < text_.size()) {
            if (!Step()) return {};
        }
        while (!operators_.empty() && operands_.size() >= 2) {
            if (!Apply()) return {};
        }
        Polynomial result = operands_.empty() ? Polynomial{} : operands_.back();
        RemoveZeroTerms(result);
        return result;
    }

private:
    struct Operator {
        wchar_t symbol;
        std::size_t position;
    };

    // False when the summand is dropped.
    bool Step() {
        const wchar_t c = text_[i_];
        if (c == L'(') {
            operators_.push_back({c, i_++});
            expectingOperand_ = true;
            return true;
        }
        if (c == L')') return CloseBracket();
        if (c == L'+' || c == L'-' || c == L'*' || c == L'/') return PushOperator(c);
        PushTerm();
        return true;
    }

    bool CloseBracket() {
        std::size_t opening = 0;
        while (!operators_.empty()) {
            if (operators_.back().symbol == L'(') {
                opening = operators_.back().position;
                operators_.pop_back();
                break;
            }
            if (operands_.size() < 2) break;
            if (!Apply()) return false;
        }
        ++i_;
        expectingOperand_ = false;
        if (!ApplyBracketPower(opening)) return false;
        if (i_ < text_.size() && (text_[i_] == L'(' || Contains(L"xyzXYZ", text_[i_]) || IsDigit(text_[i_]))) {
            while (!operators_.empty() && Contains(L"*/", operators_.back().symbol) && operands_.size() >= 2) {
                if (!Apply()) return false;
            }
            operators_.push_back({L'*', i_});
            expectingOperand_ = true;
        }
        return true;
    }

    // The "^" after a bracket, several in a row raising it in turn; a bracket to the
    // power 0 is 1.
    bool ApplyBracketPower(std::size_t opening) {
        bool read = false;
        int exponent = 1;
        while (i_ < text_.size() && text_[i_] == L'^') {
            const std::size_t digits = ++i_;
            const int w = ReadExponentDigits(text_, i_);
            if (i_ == digits) continue;
            read = true;
            exponent = MultiplyExponents(exponent, w);
        }
        if (!read) return true;
        const std::wstring bracket = text_.substr(opening, i_ - opening);
        const int maxDegree = Engine().MaxDegree;
        if (exponent > maxDegree) {
            Note(bracket, text::kDegreeAboveMaximum + std::to_wstring(maxDegree) + L")");
            return false;
        }
        if (operands_.empty()) return true;
        if (exponent == 0) {
            operands_.back() = Polynomial{{kConstKey, 1.0}};
            return true;
        }
        Polynomial power;
        const LimitHit hit = PowerBounded(operands_.back(), exponent, budget_, power);
        if (hit != LimitHit::kNone) {
            Note(bracket, LimitDescription(hit));
            return false;
        }
        operands_.back() = std::move(power);
        return true;
    }

    bool PushOperator(wchar_t c) {
        if (expectingOperand_ && (c == L'+' || c == L'-')) {
            operands_.push_back(Polynomial{{kConstKey, 0.0}});  // a unary sign works as 0 +/- operand
            operators_.push_back({c, i_++});
            return true;
        }
        while (!operators_.empty() && operators_.back().symbol != L'(' &&
               Level(operators_.back().symbol) >= Level(c) && operands_.size() >= 2) {
            if (!Apply()) return false;
        }
        operators_.push_back({c, i_++});
        expectingOperand_ = true;
        return true;
    }

    void PushTerm() {
        const std::size_t start = i_;
        Polynomial term;
        ParseTerm(text_, i_, term);
        if (i_ == start) {
            ++i_;  // nothing readable here
            return;
        }
        operands_.push_back(std::move(term));
        expectingOperand_ = false;
    }

    // Applies the top operator to the top two operands; false when a limit drops the summand.
    bool Apply() {
        Polynomial right = std::move(operands_.back());
        operands_.pop_back();
        Polynomial left = std::move(operands_.back());
        operands_.pop_back();
        const wchar_t op = operators_.back().symbol;
        operators_.pop_back();
        LimitHit hit = LimitHit::kNone;
        Polynomial result;
        switch (op) {
            case L'+':
                AddPolynomials(left, right);
                result = std::move(left);
                break;
            case L'-':
                SubtractPolynomials(left, right);
                result = std::move(left);
                break;
            case L'*':
                hit = MultiplyBounded(left, right, budget_, result);
                break;
            case L'/':
                hit = Divide(left, right, result);
                break;
            default:  // an unmatched "(" keeps the left operand
                result = std::move(left);
                break;
        }
        if (hit == LimitHit::kDivisionRounds) {
            Note(text_, LimitDescription(hit));
        } else if (hit != LimitHit::kNone) {
            Note(text_, LimitDescription(hit));
            return false;
        }
        operands_.push_back(std::move(result));
        return true;
    }

    LimitHit Divide(Polynomial& left, const Polynomial& right, Polynomial& result) {
        if (HasVariableKey(left) || HasVariableKey(right)) return DivideBounded(left, right, budget_, result);
        const double n = Coefficient(left, kConstKey);
        const auto d = right.find(kConstKey);
        const double divisor = d == right.end() ? 1.0 : d->second;
        if (std::fabs(divisor) > kZeroTolerance) {
            result = Polynomial{{kConstKey, n / divisor}};
        } else {
            result = std::move(left);  // a zero divisor leaves the dividend as it was
        }
        return LimitHit::kNone;
    }

    // A formula repeating one oversized part gets one note for it.
    void Note(const std::wstring& part, const std::wstring& what) {
        if (!notes_) return;
        std::wstring note = Quote(part) + L": " + what;
        auto& skipped = notes_->skipped;
        if (std::find(skipped.begin(), skipped.end(), note) == skipped.end()) skipped.push_back(std::move(note));
    }

    const std::wstring& text_;
    WorkBudget& budget_;
    ExpansionNotes* notes_;
    std::size_t i_ = 0;
    bool expectingOperand_ = true;
    std::vector<Polynomial> operands_;
    std::vector<Operator> operators_;
};

Polynomial ExpandSummandWithin(const std::wstring& text, WorkBudget& budget, ExpansionNotes* notes) {
    const std::wstring stripped = StripSpaces(text);
    if (stripped.empty()) return {};
    return SummandExpander(stripped, budget, notes).Run();
}

// The number that starts a term (1 when none does); "," counts as the decimal point.
double ReadTermNumber(const std::wstring& text, std::size_t& position) {
    if (position >= text.size() || !IsDigit(text[position])) return 1;
    std::wstring digits;
    for (; position < text.size(); ++position) {
        const wchar_t c = text[position];
        if (!IsDigit(c) && c != L'.' && c != L',') break;
        digits += c == L',' ? L'.' : c;
    }
    double number = ReadLeadingNumber(digits);
    // A number to a power is that power: 2^3 is 8.
    if (position + 1 < text.size() && text[position] == L'^' && IsDigit(text[position + 1])) {
        ++position;
        number = std::pow(number, ReadExponentDigits(text, position));
    }
    return number;
}

// The letters of a term with their exponents, as a key: a letter may come more than once
// and its exponents add up; letters other than x, y and z are read and dropped.
MonomialKey ReadTermLetters(const std::wstring& text, std::size_t& position) {
    bool anyLetter = false;
    int exponents[3] = {0, 0, 0};
    while (position < text.size()) {
        const wchar_t letter = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(text[position])));
        if (letter < L'a' || letter > L'z') break;
        ++position;
        anyLetter = true;
        int exponent = 1;
        if (position < text.size() && text[position] == L'^') {
            const std::size_t digits = ++position;
            const int read = ReadExponentDigits(text, position);
            if (position != digits) exponent = read;
        }
        if (letter >= L'x') exponents[letter - L'x'] = AddExponents(exponents[letter - L'x'], exponent);
    }
    // x^0 is the number 1 (and letters other than x, y, z carry no exponent here): such a
    // term belongs to the constant, where every solver looks for the free term.
    const bool variable = anyLetter && (exponents[0] != 0 || exponents[1] != 0 || exponents[2] != 0);
    return variable ? MakeKey(exponents[0], exponents[1], exponents[2]) : kConstKey;
}

}  // namespace

bool ValidateFormula(const wchar_t* text) {
    const int fault = CheckFormulaText(text, kFormulaCharacters, kAfterZeroDivisor);
    if (fault == KV_TEXT_OK) return true;
    ShowFormulaError(TextFaultMessage(fault));
    return false;
}

void ShowFormulaError(const std::wstring& message) {
    KvWindow* main = Engine().MainWindow;
    if (main == nullptr) return;
    main->desktop().messageBox(nullptr, message, text::kErrorCaption, KvMessageIcon::Warning, KvMessageButtons::Ok);
}

std::wstring StripSpaces(const std::wstring& text) {
    std::wstring out;
    for (const wchar_t c : text) {
        if (!std::iswspace(static_cast<wint_t>(c))) out += c;
    }
    return out;
}

Polynomial ExpandExpression(const std::wstring& text, ExpansionNotes* notes) {
    WorkBudget budget;
    return ExpandExpression(text, budget, notes);
}

Polynomial ExpandExpression(const std::wstring& text, WorkBudget& budget, ExpansionNotes* notes) {
    const std::wstring formula = InsertImplicitProducts(StripSpaces(text));
    Polynomial sum;
    for (const Summand& summand : SplitSummands(formula)) {
        const Polynomial value = ExpandSummandWithin(summand.text, budget, notes);
        if (summand.negative) {
            SubtractPolynomials(sum, value);
        } else {
            AddPolynomials(sum, value);
        }
    }
    RemoveZeroTerms(sum);
    return sum;
}

Polynomial ExpandSummand(const std::wstring& text, ExpansionNotes* notes) {
    WorkBudget budget;
    return ExpandSummandWithin(text, budget, notes);
}

bool ParseTerm(const std::wstring& text, std::size_t& position, Polynomial& target) {
    if (position >= text.size()) return false;
    double sign = 1;
    if (text[position] == L'+' || text[position] == L'-') sign = text[position++] == L'-' ? -1 : 1;
    const double number = ReadTermNumber(text, position);
    target[ReadTermLetters(text, position)] = sign * number;
    return true;
}

}  // namespace abacor
