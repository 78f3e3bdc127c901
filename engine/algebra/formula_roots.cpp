#include "algebra/formula_roots.h"

#include <algorithm>
#include <cmath>

#include "algebra/exact_reading.h"
#include "core/formula_reader.h"

namespace abacor {

namespace {

bool ModestNumbers(const std::wstring& text) {
    const FormulaTree tree = ReadFormula(std::wstring_view(text), "xyz");
    return std::all_of(tree.nodes.begin(), tree.nodes.end(), [](const FormulaNode& n) {
        if (n.operation != Operation::Number) return true;
        const double size = std::fabs(n.number);
        return n.end - n.begin <= kFormulaRootsLongestNumber &&
               (size == 0 || (size <= kFormulaRootsLargestNumber && size >= 1 / kFormulaRootsLargestNumber));
    });
}

}  // namespace

std::optional<std::vector<RealRoot>> FormulaRoots(const std::wstring& text, bool derivative) {
    if (!ModestNumbers(text)) return std::nullopt;
    std::optional<ExactPolynomial> p = ReadExactInX(text, kFormulaRootsMaxDegree);
    if (!p) return std::nullopt;
    if (derivative) *p = p->Derivative();
    return FindRealRootsWithin(*p, kFormulaRootsAllowance);
}

int CopyFormulaRoots(const wchar_t* text, bool derivative, double* roots, int* multiplicities, int capacity) {
    if (!text) return -1;
    const auto found = FormulaRoots(text, derivative);
    if (!found) return -1;
    int count = 0;
    for (const RealRoot& root : *found) {
        // Beyond the range of doubles a root has no place on a picture.
        if (!std::isfinite(root.value)) continue;
        if (count < capacity) {
            if (roots) roots[count] = root.value;
            if (multiplicities) multiplicities[count] = root.multiplicity;
        }
        ++count;
    }
    return count;
}

}  // namespace abacor
