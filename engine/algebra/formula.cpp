#include "algebra/formula.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <cmath>
#include <cwctype>
#include <limits>
#include <string_view>

#include "abacor.h"
#include "core/engine_state.h"
#include "core/expression_syntax.h"
#include "core/formula_reader.h"
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

Polynomial Negated(Polynomial p) {
    for (auto& [key, c] : p) c = -c;
    return p;
}

// A polynomial of one term to a whole power, term by term: x^99999999999 needs no
// products.
Polynomial TermPower(const Polynomial& term, int n) {
    const auto& [key, c] = *term.begin();
    const auto pairs = ReadKey(key);
    int e[3] = {0, 0, 0};
    for (const auto& [letter, exponent] : pairs) {
        if (letter >= L'x' && letter <= L'z') e[letter - L'x'] = MultiplyExponents(exponent, n);
    }
    // x^0 is the number 1: solvers look for it in the free term.
    const bool constant = e[0] == 0 && e[1] == 0 && e[2] == 0;
    return {{constant ? kConstKey : MakeKey(e[0], e[1], e[2]), std::pow(c, n)}};
}

// A read formula expanded node by node. A part that goes past the limits is left out with
// a note, and so is the summand holding it; the other summands stay.
class TreeExpander {
public:
    TreeExpander(const std::wstring& text, const FormulaTree& tree, WorkBudget& budget, ExpansionNotes* notes)
        : text_(text), tree_(tree), budget_(budget), notes_(notes) {}

    Polynomial Sum(std::int32_t node, bool negative) {
        const FormulaNode& n = tree_[node];
        Polynomial sum;
        if (!n.bracketed && (n.operation == Operation::Add || n.operation == Operation::Subtract)) {
            sum = Sum(n.left, negative);
            AddPolynomials(sum, Sum(n.right, negative != (n.operation == Operation::Subtract)));
        } else if (!n.bracketed && n.operation == Operation::Negate) {
            sum = Sum(n.left, !negative);
        } else if (std::optional<Polynomial> summand = Expand(node)) {
            sum = negative ? Negated(std::move(*summand)) : std::move(*summand);
        }
        return sum;
    }

    std::optional<Polynomial> Expand(std::int32_t node) {
        const FormulaNode& n = tree_[node];
        switch (n.operation) {
            case Operation::Number: return Polynomial{{kConstKey, n.number}};
            case Operation::Unknown:
                return Polynomial{{MakeKey(n.letter == 'x', n.letter == 'y', n.letter == 'z'), 1.0}};
            case Operation::Negate: {
                auto operand = Expand(n.left);
                if (operand) *operand = Negated(std::move(*operand));
                return operand;
            }
            case Operation::Call: return Unread();
            default: break;
        }
        if (n.operation == Operation::Power) return Power(node);
        auto left = Expand(n.left);
        if (!left) return std::nullopt;
        auto right = Expand(n.right);
        if (!right) return std::nullopt;
        Polynomial result;
        LimitHit hit = LimitHit::kNone;
        switch (n.operation) {
            case Operation::Add:
                AddPolynomials(*left, *right);
                return left;
            case Operation::Subtract:
                SubtractPolynomials(*left, *right);
                return left;
            case Operation::Multiply: hit = MultiplyBounded(*left, *right, budget_, result); break;
            default: hit = Divide(*left, *right, result); break;
        }
        if (hit != LimitHit::kNone) Note(n, LimitDescription(hit));
        if (hit != LimitHit::kNone && hit != LimitHit::kDivisionRounds) return std::nullopt;
        return result;
    }

private:
    std::optional<Polynomial> Unread() {
        if (notes_) notes_->unread = true;
        return std::nullopt;
    }

    // The constant value of an exponent; empty when it has an unknown.
    std::optional<double> ConstantOf(std::int32_t node) {
        const auto value = Expand(node);
        if (!value) return std::nullopt;
        if (HasVariableKey(*value)) {
            Unread();
            return std::nullopt;
        }
        return Coefficient(*value, kConstKey);
    }

    // Stacked powers of a bracket count together against the maximum degree: (x+1)^5^2
    // is (x+1)^10.
    int StackedExponent(std::int32_t node, int exponent) {
        const FormulaNode& base = tree_[tree_[node].left];
        if (base.bracketed || base.operation != Operation::Power) return exponent;
        const std::optional<double> inner = ConstantOf(base.right);
        if (!inner || *inner < 0 || *inner != std::floor(*inner)) return exponent;
        return MultiplyExponents(exponent, *inner >= INT_MAX ? INT_MAX : static_cast<int>(*inner));
    }

    std::optional<Polynomial> Power(std::int32_t node) {
        const FormulaNode& n = tree_[node];
        auto base = Expand(n.left);
        if (!base) return std::nullopt;
        const std::optional<double> exponent = ConstantOf(n.right);
        if (!exponent) return std::nullopt;
        if (!HasVariableKey(*base)) {  // a number to a power is that power: 2^3 is 8
            // An overflow stays infinite, for the solvers to call it too large.
            const double value = std::pow(Coefficient(*base, kConstKey), *exponent);
            if (std::isnan(value)) return Unread();
            return Polynomial{{kConstKey, value}};
        }
        // Only whole powers of unknowns are polynomials.
        if (!(*exponent >= 0) || *exponent != std::floor(*exponent)) return Unread();
        const int whole = *exponent >= INT_MAX ? INT_MAX : static_cast<int>(*exponent);
        RemoveZeroTerms(*base);
        if (base->size() == 1) return TermPower(*base, whole);
        const int maxDegree = Engine().MaxDegree;
        if (StackedExponent(node, whole) > maxDegree) {
            Note(n, text::kDegreeAboveMaximum + std::to_wstring(maxDegree) + L")");
            return std::nullopt;
        }
        if (whole == 0) return Polynomial{{kConstKey, 1.0}};
        Polynomial power;
        const LimitHit hit = PowerBounded(*base, whole, budget_, power);
        if (hit != LimitHit::kNone) {
            Note(n, LimitDescription(hit));
            return std::nullopt;
        }
        return power;
    }

    LimitHit Divide(Polynomial& left, const Polynomial& right, Polynomial& result) {
        if (HasVariableKey(right)) {
            if (notes_) notes_->quotientOnly = true;
            return DivideBounded(left, right, budget_, result);
        }
        // By a number, term by term: however small it is, it is no zero.
        const double divisor = Coefficient(right, kConstKey);
        if (divisor == 0) {
            if (notes_) notes_->quotientOnly = true;
            result = std::move(left);  // a zero divisor leaves the dividend as it was
        } else {
            for (auto& [key, c] : left) c /= divisor;
            result = std::move(left);
        }
        return LimitHit::kNone;
    }

    // A formula repeating one oversized part gets one note for it.
    void Note(const FormulaNode& part, const std::wstring& what) {
        if (!notes_) return;
        std::wstring note = Quote(StripSpaces(text_.substr(part.outerBegin, part.outerEnd - part.outerBegin))) + L": " + what;
        auto& skipped = notes_->skipped;
        if (std::find(skipped.begin(), skipped.end(), note) == skipped.end()) skipped.push_back(std::move(note));
    }

    const std::wstring& text_;
    const FormulaTree& tree_;
    WorkBudget& budget_;
    ExpansionNotes* notes_;
};

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

namespace {

FormulaTree ReadInXyz(const std::wstring& text) {
    return ReadFormula(std::wstring_view(text), "xyz");
}

// The tree as numerator / denominator, node by node.
class RationalExpander {
public:
    explicit RationalExpander(const FormulaTree& tree) : tree_(tree) {}

    std::optional<RationalForm> Expand(std::int32_t index) {
        const FormulaNode& n = tree_[index];
        switch (n.operation) {
            case Operation::Number: return Whole({{kConstKey, n.number}});
            case Operation::Unknown: return Whole({{MakeKey(n.letter == 'x', n.letter == 'y', n.letter == 'z'), 1.0}});
            case Operation::Negate: {
                auto operand = Expand(n.left);
                if (operand) operand->numerator = Negated(std::move(operand->numerator));
                return operand;
            }
            case Operation::Call: return std::nullopt;
            case Operation::Power: return Power(n);
            default: break;
        }
        const auto left = Expand(n.left);
        const auto right = left ? Expand(n.right) : std::nullopt;
        if (!right) return std::nullopt;
        switch (n.operation) {
            case Operation::Add:
            case Operation::Subtract: {
                auto a = Product(left->numerator, right->denominator);
                auto b = Product(right->numerator, left->denominator);
                auto d = Product(left->denominator, right->denominator);
                if (!a || !b || !d) return std::nullopt;
                if (n.operation == Operation::Add) AddPolynomials(*a, *b);
                else SubtractPolynomials(*a, *b);
                return RationalForm{std::move(*a), std::move(*d)};
            }
            case Operation::Multiply: return Quotient(Product(left->numerator, right->numerator),
                                                      Product(left->denominator, right->denominator));
            default: return Quotient(Product(left->numerator, right->denominator),
                                     Product(left->denominator, right->numerator));
        }
    }

private:
    static RationalForm Whole(Polynomial p) { return {std::move(p), {{kConstKey, 1.0}}}; }

    std::optional<Polynomial> Product(const Polynomial& a, const Polynomial& b) {
        Polynomial product;
        if (MultiplyBounded(a, b, budget_, product) != LimitHit::kNone) return std::nullopt;
        return product;
    }

    static std::optional<RationalForm> Quotient(std::optional<Polynomial> n, std::optional<Polynomial> d) {
        if (!n || !d) return std::nullopt;
        RemoveZeroTerms(*d);
        if (d->empty()) return std::nullopt;  // a division by 0 has no value anywhere
        return RationalForm{std::move(*n), std::move(*d)};
    }

    std::optional<RationalForm> Power(const FormulaNode& n) {
        const auto base = Expand(n.left);
        const auto exponent = base ? Expand(n.right) : std::nullopt;
        if (!exponent || HasVariableKey(exponent->numerator) || HasVariableKey(exponent->denominator)) return std::nullopt;
        const double e = Coefficient(exponent->numerator, kConstKey) / Coefficient(exponent->denominator, kConstKey);
        if (!(std::fabs(e) <= Engine().MaxDegree) || e != std::floor(e)) return std::nullopt;
        const int whole = static_cast<int>(std::fabs(e));
        Polynomial numerator, denominator;
        if (PowerBounded(base->numerator, whole, budget_, numerator) != LimitHit::kNone ||
            PowerBounded(base->denominator, whole, budget_, denominator) != LimitHit::kNone) {
            return std::nullopt;
        }
        if (whole == 0) return Whole({{kConstKey, 1.0}});
        return e > 0 ? Quotient(std::move(numerator), std::move(denominator))
                     : Quotient(std::move(denominator), std::move(numerator));
    }

    const FormulaTree& tree_;
    WorkBudget budget_;
};

}  // namespace

bool HasAReading(const std::wstring& text) { return ReadInXyz(text).read(); }

std::optional<RationalForm> ExpandRational(const std::wstring& text) {
    const FormulaTree tree = ReadInXyz(text);
    if (!tree.read()) return std::nullopt;
    auto form = RationalExpander(tree).Expand(tree.root);
    if (!form) return std::nullopt;
    RemoveZeroTerms(form->numerator);
    RemoveZeroTerms(form->denominator);
    return form;
}

std::wstring WithExplicitDivisions(const std::wstring& text) {
    const std::string narrowed = syntax::NarrowText(text);
    const FormulaTree tree = ReadFormula(std::string_view(narrowed), "xyz");
    std::vector<std::size_t> products;  // where a '*' goes
    for (const FormulaNode& node : tree.nodes) {
        if (node.operation != Operation::Multiply) continue;
        const FormulaNode& left = tree[node.left];
        const std::size_t at = left.outerEnd;
        const bool written = narrowed.find_first_not_of(" \t\r\n", at) < tree[node.right].outerBegin;
        if (!written && left.operation == Operation::Divide && !left.bracketed) products.push_back(at);
    }
    std::sort(products.begin(), products.end());
    std::wstring out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (next < products.size() && products[next] == i) {
            out += L'*';
            ++next;
        }
        out += text[i] == L':' ? L'/' : text[i];
    }
    return out;
}

Polynomial ExpandExpression(const std::wstring& text, ExpansionNotes* notes) {
    WorkBudget budget;
    return ExpandExpression(text, budget, notes);
}

Polynomial ExpandExpression(const std::wstring& text, WorkBudget& budget, ExpansionNotes* notes) {
    const FormulaTree tree = ReadInXyz(text);
    if (!tree.read()) {
        if (notes) notes->unread = true;
        return {};
    }
    Polynomial sum = TreeExpander(text, tree, budget, notes).Sum(tree.root, false);
    RemoveZeroTerms(sum);
    return sum;
}

}  // namespace abacor
