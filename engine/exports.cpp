// The C exports of the engine (abacor.h), each a thin wrapper over the unit that
// does the work.
#include <algorithm>
#include <limits>
#include <memory>
#include <span>

#include "abacor.h"
#include "algebra/equation_panel.h"
#include "algebra/formula_roots.h"
#include "buttons.h"
#include "core/compiled_expression.h"
#include "core/engine_state.h"
#include "core/evaluator.h"
#include "core/keypad.h"
#include "core/memory.h"
#include "core/number_format.h"
#include "core/steps_window.h"
#include "core/text_checks.h"
#include "inequalities/number_line.h"
#include "systems/linear_system.h"

struct KvFormula {
    std::unique_ptr<abacor::CompiledExpression> expression;
};

using abacor::Engine;

namespace {

// GetSystemResult's and GetEquationRoots' way with a caller's buffer.
void CopyCut(const std::wstring& text, wchar_t* buffer, int capacity) {
    if (!buffer || capacity <= 0) return;
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(capacity) - 1);
    text.copy(buffer, length);
    buffer[length] = L'\0';
}

}  // namespace

extern "C" {

// ---- Settings ---------------------------------------------------------------------------

void InitFractions(KvWindow* mainWindow) { Engine().MainWindow = mainWindow; }

void InitDllInstance(void* module) { Engine().DllInstance = module; }

void SetPrecision(int precision) { Engine().Precision = precision; }

int GetPrecision(void) { return Engine().Precision; }

void SetMaxDegree(int maxDegree) { Engine().MaxDegree = maxDegree; }

void DEz0(wchar_t* numberText) {
    if (numberText) abacor::TrimTrailingZeros(numberText);
}

// ---- Calculation ----------------------------------------------------------------------

double EvaluateExpression(const wchar_t* text) { return abacor::EvaluateTerminated(text); }

void ProcessButtonClick(KvWindow* display, int buttonId) { abacor::DispatchButton(display, buttonId); }

int ProcessMemoryComboSelect(KvWindow* display) { return abacor::SelectFromMemoryList(display); }

double GetResult(void) { return Engine().LastResult; }

void ResetCalculator(void) { abacor::ResetKeypad(); }

int GetLastStatus(void) { return Engine().LastStatus; }

// ---- Formula checks ---------------------------------------------------------------------

int CheckFormulaText(const wchar_t* text, const wchar_t* allowed, const wchar_t* mayFollowZero) {
    return abacor::CheckText(text ? text : L"", allowed ? allowed : L"", mayFollowZero ? mayFollowZero : L"");
}

const wchar_t* TextFaultMessage(int fault) { return abacor::FaultCodeMessage(fault); }

// ---- Step report ------------------------------------------------------------------------

int ShowStepsWindow(KvWindow* owner) { return abacor::ShowSteps(owner); }

const wchar_t* GetLastSteps(void) { return abacor::StepsLog().c_str(); }

// ---- Equations --------------------------------------------------------------------------

int GetEquationRoots(int exact, wchar_t* buffer, int capacity) {
    const std::wstring lines = abacor::EquationRootLines(exact != 0);
    CopyCut(lines, buffer, capacity);
    return static_cast<int>(lines.size());
}

// ---- Polynomial roots -------------------------------------------------------------------

int GetPolynomialRoots(const wchar_t* formula, int derivative, double* roots, int* multiplicities, int capacity) {
    return abacor::CopyFormulaRoots(formula, derivative != 0, roots, multiplicities, capacity);
}

// ---- Number line ------------------------------------------------------------------------

int DrawNumberLine(KvCanvas* canvas, KvRect rect) { return abacor::DrawNumberLineInto(canvas, rect); }

int IsNumberLineVisible(void) { return Engine().NumberLine.visible ? 1 : 0; }

void HideNumberLine(void) { Engine().NumberLine = abacor::NumberLineState{}; }

int GetNumberLinePoints(double* values, int* closed, int capacity) {
    return abacor::CopyNumberLinePoints(values, closed, capacity);
}

int GetNumberLineSelection(int* entries, int capacity) { return abacor::CopyNumberLineSelection(entries, capacity); }

// ---- Linear systems ---------------------------------------------------------------------

void SolveSystem(const wchar_t* text) { abacor::SolveLinearSystem(text ? std::wstring(text) : std::wstring()); }

void GetSystemResult(wchar_t* buffer, int capacity) { CopyCut(abacor::SystemResult(), buffer, capacity); }

// ---- Graph formulas ---------------------------------------------------------------------

KvFormula* CompileFormula(const wchar_t* text, int flags, int digits) {
    if (!text) return nullptr;
    auto expression = abacor::CompiledExpression::Compile(text, flags, digits);
    return expression ? new KvFormula{std::move(expression)} : nullptr;
}

void ReleaseFormula(KvFormula* formula) { delete formula; }

KvCoordinate RoundCoordinate(double value, int digits) { return abacor::RoundCoordinate(value, digits); }

void RoundCoordinates(const double* values, int count, int digits, KvCoordinate* out) {
    if (values && out && count > 0) abacor::RoundCoordinates(std::span(values, static_cast<std::size_t>(count)), digits, out);
}

double EvaluateFormula(const KvFormula* formula, KvCoordinate x, KvCoordinate y) {
    return formula ? formula->expression->Evaluate(x, y) : std::numeric_limits<double>::quiet_NaN();
}

void EvaluateFormulaGrid(const KvFormula* formula, const KvCoordinate* xs, int columns, const KvCoordinate* ys,
                         int rows, double* values) {
    if (!formula || !xs || !values || columns < 1 || (ys && rows < 1)) return;
    const std::span<const KvCoordinate> ySpan = ys ? std::span(ys, static_cast<std::size_t>(rows))
                                                   : std::span<const KvCoordinate>();
    formula->expression->EvaluateGrid(std::span(xs, static_cast<std::size_t>(columns)), ySpan, values);
}

}  // extern "C"
