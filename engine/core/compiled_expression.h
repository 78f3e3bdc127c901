// Formulas in x and y compiled: read once into small programs and evaluated at many
// points, giving bit for bit what the evaluator gives for the formula's text with the
// coordinates written in, rounded to the formula's digits. Exported as CompileFormula and
// its companions (abacor.h).
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "abacor.h"
#include "core/compiled_program.h"
#include "core/evaluator.h"

namespace abacor {

KvCoordinate RoundCoordinate(double value, int digits);
void RoundCoordinates(std::span<const double> values, int digits, KvCoordinate* out);

class CompiledExpression {
public:
    // Null when digits is outside 1..17. Flags: KV_FORMULA_X, KV_FORMULA_Y (KV_FORMULA_KEEP_NAN
    // is accepted and changes nothing).
    static std::unique_ptr<CompiledExpression> Compile(std::wstring_view formula, int flags, int digits);

    double Evaluate(KvCoordinate x, KvCoordinate y) const;
    // values[row * xs.size() + column]; no ys: one row without y.
    void EvaluateGrid(std::span<const KvCoordinate> xs, std::span<const KvCoordinate> ys, double* values) const;

    int digits() const { return digits_; }

private:
    explicit CompiledExpression(int digits) : digits_(digits) {}
    KvCoordinate Prepared(KvCoordinate coordinate) const;
    bool Unreadable(double x, double y) const;
    // False when an unflagged evaluation cannot be trusted and must be repeated flagged.
    bool EvaluateGridAs(compiled::Failures failures, const std::vector<double>& xRounded,
                        std::span<const KvCoordinate> ys, double* values) const;

    int digits_;
    bool usesX_ = false, usesY_ = false;
    compiled::Program perColumn_, perRow_, perPoint_;
    std::size_t columnValues_ = 0, rowValues_ = 0;
    std::size_t depth_ = 1;
};

}  // namespace abacor
