#include "inequalities/inequality_panel.h"

#include <string>

#include "abacor.h"
#include "algebra/formula_input.h"
#include "control_ids.h"
#include "core/engine_state.h"
#include "core/outcome.h"
#include "inequalities/inequality_system.h"

namespace abacor {

namespace {

// The solver reads at most this much of the input.
constexpr std::size_t kSolvedTextLength = 1024;

constexpr FormulaKeypad kKeypad{kvInequalityKeys, KV_KEY_COUNT(kvInequalityKeys), KV_INEQ_BACKSPACE, KV_INEQ_POWER,
                                KV_INEQ_CLEAR, KV_INEQ_CLEAR_ENTRY};

void Solve(const KvWindow& input) {
    const InequalityResult result = SolveInequalitySystem(input.text(kSolvedTextLength));
    if (KvWindow* answer = MainWindowControl(KV_INEQ_ANSWER)) answer->setText(result.answer);
    RecordStatus(result.status);
    EngineState& engine = Engine();
    NumberLineState& line = engine.NumberLine;
    line.points = result.points;
    line.closed = result.closed;
    line.selection.assign(result.selection.begin(), result.selection.end());
    line.visible = !result.points.empty();
    engine.MainWindow->invalidate(true);
}

}  // namespace

void HandleInequalityButton(int buttonId) {
    if (buttonId < KV_INEQ_KEYS_FIRST || buttonId > KV_INEQ_STEPS) return;
    KvWindow* input = MainWindowControl(KV_INEQ_INPUT);
    if (!input) return;
    if (ApplyFormulaKey(*input, kKeypad, buttonId)) return;
    switch (buttonId) {
        case KV_INEQ_SOLVE: Solve(*input); break;
        case KV_INEQ_STEPS: ShowStepsWindow(Engine().MainWindow); break;
        default: break;
    }
}

}  // namespace abacor
