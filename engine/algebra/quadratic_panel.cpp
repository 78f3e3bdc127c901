#include "algebra/quadratic_panel.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "control_ids.h"
#include "core/engine_state.h"
#include "core/number_format.h"
#include "core/outcome.h"
#include "core/texts.h"

namespace abacor {

namespace {

// As much of a coefficient field as is read.
constexpr std::size_t kFieldCapacity = 255;

std::wstring FourDecimals(double x) { return FormatFixed(x, 4, kNumberBufferText); }

std::wstring FormatRoot(double x) { return FormatFaithfully(x, FourDecimals, kNumberBufferText); }

// A decimal comma reads as the point: the fields take what a Russian keyboard types.
double ReadControlNumber(int controlId) {
    KvWindow* control = MainWindowControl(controlId);
    if (!control) return 0.0;
    std::wstring text = control->text(kFieldCapacity);
    std::replace(text.begin(), text.end(), L',', L'.');
    return ReadNumberText(text);
}

// A sign selector's first entry means plus; any other entry, or none, minus.
double SignedCoefficient(int selectorId, int valueId) {
    KvWindow* selector = MainWindowControl(selectorId);
    const bool plus = selector && selector->currentIndex() == 0;
    const double value = ReadControlNumber(valueId);
    return plus ? value : -value;
}

void SetControlText(int controlId, const std::wstring& text) {
    if (KvWindow* control = MainWindowControl(controlId)) control->setText(text);
}

}  // namespace

QuadraticAnswer SolveQuadratic(double a, double b, double c) {
    if (a == 0) return {KV_STATUS_REFUSED, text::kZeroCoefficientA, L""};
    const double discriminant = b * b - 4 * a * c;
    if (discriminant < 0) return {KV_STATUS_ANSWERED, text::kNoRealRoots, L""};
    if (discriminant == 0) return {KV_STATUS_ANSWERED, FormatRoot(-b / (2 * a)), text::kNoSecondRoot};
    const double x1 = (-b + std::sqrt(discriminant)) / (2 * a);
    const double x2 = (-b - std::sqrt(discriminant)) / (2 * a);
    return {KV_STATUS_ANSWERED, FormatRoot(x1), x1 == x2 ? std::wstring(text::kNoSecondRoot) : FormatRoot(x2)};
}

void SolveQuadraticPanel() {
    const double a = ReadControlNumber(KV_QUADRATIC_A);
    const double b = SignedCoefficient(KV_QUADRATIC_SIGN_B, KV_QUADRATIC_B);
    const double c = SignedCoefficient(KV_QUADRATIC_SIGN_C, KV_QUADRATIC_C);
    const QuadraticAnswer answer = SolveQuadratic(a, b, c);
    SetControlText(KV_QUADRATIC_ROOT1, answer.first);
    SetControlText(KV_QUADRATIC_ROOT2, answer.second);
    RecordStatus(answer.status);
}

}  // namespace abacor
