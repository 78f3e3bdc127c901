#include "algebra/exact_reading.h"

#include <string_view>

#include "algebra/exact_in_x.h"
#include "core/expression_syntax.h"
#include "core/formula_reader.h"

namespace abacor {

namespace {

class ExactExpander {
public:
    ExactExpander(const std::wstring& text, const FormulaTree& tree, int maxDegree)
        : text_(text), tree_(tree), maxDegree_(maxDegree) {}

    std::optional<ExactPolynomial> Expand(std::int32_t index) {
        const FormulaNode& n = tree_[index];
        switch (n.operation) {
            case Operation::Number: return Number(n);
            case Operation::Unknown:
                if (n.letter != 'x') return std::nullopt;
                return ExactPolynomial({mpq_class(0), mpq_class(1)});
            case Operation::Negate: {
                auto operand = Expand(n.left);
                if (operand) *operand = -*operand;
                return operand;
            }
            case Operation::Call: return std::nullopt;
            case Operation::Power: return Power(n);
            default: break;
        }
        auto left = Expand(n.left);
        if (!left) return std::nullopt;
        auto right = Expand(n.right);
        if (!right) return std::nullopt;
        switch (n.operation) {
            case Operation::Add: return *left + *right;
            case Operation::Subtract: return *left - *right;
            case Operation::Multiply: return Bounded(*left * *right);
            default:  // only a division by a number other than 0 keeps a polynomial
                if (right->Degree() != 0) return std::nullopt;
                return mpq_class(1 / right->Leading()) * *left;
        }
    }

private:
    // The digits as written; a decimal comma is a point.
    std::optional<ExactPolynomial> Number(const FormulaNode& n) const {
        std::wstring digits = text_.substr(n.begin, n.end - n.begin);
        for (wchar_t& c : digits) {
            if (c == L',') c = L'.';
        }
        std::optional<mpq_class> value = ParseExactDecimal(std::wstring_view(digits));
        if (!value) return std::nullopt;
        return ExactPolynomial({*value});
    }

    std::optional<ExactPolynomial> Bounded(ExactPolynomial p) const {
        if (p.Degree() > maxDegree_) return std::nullopt;
        return p;
    }

    std::optional<ExactPolynomial> Power(const FormulaNode& n) {
        auto base = Expand(n.left);
        if (!base) return std::nullopt;
        const auto exponent = Expand(n.right);
        if (!exponent || exponent->Degree() > 0) return std::nullopt;
        const mpq_class e = exponent->Coefficient(0);
        if (e.get_den() != 1 || sgn(e) < 0 || e > maxDegree_) return std::nullopt;
        const long whole = e.get_num().get_si();
        if (base->Degree() > 0 && base->Degree() * whole > maxDegree_) return std::nullopt;
        ExactPolynomial power({mpq_class(1)});
        for (long i = 0; i < whole; ++i) power = power * *base;
        return power;
    }

    const std::wstring& text_;
    const FormulaTree& tree_;
    int maxDegree_;
};

}  // namespace

std::optional<ExactPolynomial> ReadExactInX(const std::wstring& text, int maxDegree) {
    const FormulaTree tree = ReadFormula(std::wstring_view(text), "xyz");
    if (!tree.read()) return std::nullopt;
    return ExactExpander(text, tree, maxDegree).Expand(tree.root);
}

Polynomial NearestInDoubles(const ExactPolynomial& p) {
    Polynomial result;
    for (int k = 0; k <= p.Degree(); ++k) {
        const mpq_class& c = p.Coefficient(k);
        if (sgn(c) != 0) result[k == 0 ? kConstKey : MakeKey(k, 0, 0)] = NearestDouble(c);
    }
    return result;
}

std::optional<std::vector<RealRoot>> ExactRootsOfSides(const std::wstring& left, const std::wstring& right,
                                                      const Polynomial& p) {
    const auto exactLeft = ReadExactInX(left, kExactSearchMaxDegree);
    const auto exactRight = exactLeft ? ReadExactInX(right, kExactSearchMaxDegree) : std::nullopt;
    if (exactRight) {
        const ExactPolynomial difference = *exactLeft - *exactRight;
        if (difference.Degree() == DegreeInX(p)) return FindRealRootsWithin(difference, kRootWorkAllowance);
    }
    return ExactRootsInX(p);
}

}  // namespace abacor
