#include "core/engine_state.h"

#include "core/outcome.h"

namespace abacor {

namespace {
EngineState g_engine;
}

EngineState& Engine() { return g_engine; }

KvWindow* MainWindowControl(int controlId) {
    KvWindow* main = g_engine.MainWindow;
    return main ? main->child(controlId) : nullptr;
}

void RecordStatus(KvStatus status) { g_engine.LastStatus = status; }

}  // namespace abacor
