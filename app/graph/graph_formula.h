// Graph formulas: the list typed into the graph input, which of them are implicit
// curves, and their values at points.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "abacor.h"

namespace kelvora::graph {

// The graph input is read with at most this many characters.
inline constexpr std::size_t kMaxFormulaTextLength = 255;
// Formulas after the fifth are not plotted.
inline constexpr std::size_t kMaxCurves = 5;

// The formulas of the text cut at ";", without empty ones; the first five at most.
std::vector<std::wstring> FormulaList(std::wstring_view text);

// A formula with y in it is an implicit curve F(x, y) = 0; one without is y = f(x).
bool IsImplicit(std::wstring_view formula);

// "left=right" as "left-(right)", whose zero set is the curve; other texts unchanged.
std::wstring ZeroForm(std::wstring_view formula);

// Every x that is not part of a function name replaced by "(%.10g)" of the value.
std::wstring SubstituteX(std::wstring_view formula, double x);
// Every x and y that is not part of a function name replaced by "(%.15g)" of its value.
std::wstring SubstituteXY(std::wstring_view formula, double x, double y);

// One formula as a function of the plane, compiled once. Every value a graph shows is
// computed here, and each is exactly what the evaluator gives for the formula with the
// coordinates substituted (SubstituteX, SubstituteXY); where a function is not defined
// (sqrt(-1), ln(0)) the value is NaN and the curve is broken there.
class GraphFunction {
public:
    explicit GraphFunction(const std::wstring& formula);

    // y = f(x) of an explicit formula.
    double explicitAt(double x) const;
    // y = f(x) at many x, one coordinate rounding per column.
    std::vector<double> explicitAt(const std::vector<double>& xs) const;
    // F(x, y) of an implicit formula in its zero form.
    double implicitAt(double x, double y) const;
    // F at every (xs[c], ys[r]), row by row, one rounding per row and per column.
    std::vector<double> implicitAt(const std::vector<double>& xs, const std::vector<double>& ys) const;
    // The text it was compiled from, for what reads the formula itself (exact roots).
    const std::wstring& text() const { return text_; }

    // How many functions this process has compiled. Compiling is the slow part of turning
    // a text into curves: a graph does it once per build, never while painting.
    static std::size_t compilations();

private:
    struct Release {
        void operator()(KvFormula* formula) const;
    };
    std::wstring text_;
    std::unique_ptr<KvFormula, Release> explicit_;
    std::unique_ptr<KvFormula, Release> implicit_;
};

// The formulas of a graph input, compiled: the k-th is the k-th of FormulaList, an
// explicit one as it is and an implicit one in its zero form.
class GraphFormulas {
public:
    struct Formula {
        bool implicit;
        GraphFunction function;
    };

    GraphFormulas() = default;
    explicit GraphFormulas(std::wstring_view text);

    bool empty() const { return formulas_.empty(); }
    std::size_t size() const { return formulas_.size(); }
    const Formula& operator[](std::size_t k) const { return formulas_[k]; }

private:
    std::vector<Formula> formulas_;
};

}  // namespace kelvora::graph
