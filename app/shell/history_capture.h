// Which commands run a calculation, what their mode's input fields hold before it runs,
// what the mode shows after, and putting a calculation's inputs back into its fields.
#pragma once

#include <optional>

#include "controls.h"
#include "history.h"

namespace kelvora {

class ControlRegistry;
class SystemPanel;
namespace graph {
class GraphSession;
}

// Where answers are read: the controls, the system panel's painted answer, the graph.
struct CalculationSources {
    const ControlRegistry& registry;
    const SystemPanel& system;
    const graph::GraphSession& graph;
};

// The calculation a command is about to run, with its inputs; nothing when the command
// runs none or every input is empty.
std::optional<Calculation> StartCalculation(const ControlRegistry& registry, int controlId, int code);

// The started calculation with the answer its mode shows now; nothing when no answer
// came (a refused text, a message box instead of an answer, an unchanged display).
std::optional<Calculation> FinishCalculation(const CalculationSources& sources, int controlId, Calculation started);

// Switches to the calculation's mode through `command` and puts its inputs back.
void TakeBackCalculation(const Calculation& calculation, const CalculationSources& sources,
                         const CommandSink& command);

}  // namespace kelvora
